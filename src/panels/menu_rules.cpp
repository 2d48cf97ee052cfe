#include "panels/menu_rules.h"

#include <initializer_list>
#include <utility>

#include "form/colour.h"

namespace panels {
namespace {

using Caption = std::pair<int, const char*>;

// The menu by receive data mode.
struct MenuLayout {
  const char* eraseCaption;
  bool billLengthShown;  // shown, but disabled
  bool interfaceForStaff;
  int exitTop;
  int exitTopForUsers;
};

const MenuLayout& MenuLayoutFor(int mode) {
  static const MenuLayout kMode6{"Erase FRAM", true, true, 3000, 2640};
  static const MenuLayout kOtherFram{"Erase FRAM", false, false, 2280, 2280};
  static const MenuLayout kEeprom{"Erase EEPROM", false, false, 2280, 2280};
  if (mode == 6) return kMode6;
  return FramSystem(mode) ? kOtherFram : kEeprom;
}

// The IO rows by receive data mode. Label7 indices, Command2 indices for buttons.
struct IoLayout {
  std::initializer_list<int> hidden;
  std::initializer_list<int> hiddenButtons;
  std::initializer_list<Caption> captions;
  std::initializer_list<int> hiddenForUsers;
  bool rowsUp = false;  // rows 15 to 18 and "S" 960 twips higher
};

// clang-format off
const IoLayout kIoLayouts[] = {
    /* 0 */ {{19, 20}, {}, {}, {}, true},
    /* 1 */ {{13, 14, 15, 16, 17, 18, 19, 20}, {0, 1}, {}, {}},
    /* 2 */ {{13, 14, 15, 16, 17, 18, 19, 20}, {0, 1}, {}, {}},
    /* 3 */ {{13, 14, 15, 16, 17, 18, 19, 20}, {0}, {}, {}},
    /* 4 */ {{13, 14, 15, 16, 17, 18, 19, 20}, {0}, {}, {}},
    /* 5 */ {{15, 16, 17, 18, 19, 20}, {0, 1}, {}, {}},
    /* 6 */ {{1, 2, 3, 4}, {0},
             {{9, "Bill Enter"}, {11, "Bill Out"}, {13, "Stacker Full"}, {15, "Stacker Clear"},
              {17, "Stacker Sensor1"}},
             {17, 18, 19, 20}},
    /* 7 */ {{1, 2, 3, 4, 19, 20}, {0},
             {{9, "Bill Enter"}, {11, "Stacker Open"}, {13, "Reset Switch"},
              {15, "Stacker Sensor1"}, {17, "Stacker Sensor2"}},
             {15, 16, 17, 18}},
    /* 8 */ {{1, 2, 3, 4, 7, 8, 17, 18, 19, 20}, {0},
             {{9, "Bill Enter"}, {11, "Switch1 Trigger"}, {13, "Switch2 Trigger"},
              {15, "Stacker Sensor1"}},
             {15, 16}},
    /* 9 */ {{1, 2, 3, 4, 7, 8}, {0},
             {{9, "Bill Enter"}, {11, "Switch1 Trigger"}, {15, "Stacker Sensor1"},
              {17, "Stacker Lock"}, {19, "Stacker Open"}},
             {15, 16}},
    /* 10 */ {{1, 2, 3, 4, 11, 12, 13, 14, 17, 18, 19, 20}, {0},
              {{9, "Bill Enter"}, {11, "Switch1 Trigger"}, {13, "Switch2 Trigger"},
               {15, "Stacker Sensor1"}},
              {15, 16}},
};
// clang-format on

constexpr int kRowsUp = 960;

}  // namespace

bool UserLevelAccess(std::string_view accessMode) {
  return accessMode != "Production Mode" && accessMode != "Admin Mode" &&
         accessMode != "Engineer Mode";
}

bool FramSystem(int receiveDataMode) {
  return receiveDataMode >= 6 && receiveDataMode <= 10;
}

void RefreshTestMenu(const MenuRuleControls& c, const config::ActiveProfile& profile,
                     std::string_view accessMode) {
  const int mode = profile.ReceiveDataMode;
  if (profile.WithStacker == 0) c.items[3]->setEnabled(false);
  if (accessMode != "Admin Mode" && accessMode != "Engineer Mode") c.items[9]->setVisible(false);
  if (mode == 1 || mode == 2) {
    c.items[2]->setEnabled(false);
    c.items[3]->setEnabled(false);
  }
  const bool ledMask = profile.LedMask == 1;
  c.ledMaskTitle->setVisible(ledMask);
  for (form::Control* button : c.ledMaskButtons) button->setVisible(ledMask);

  const MenuLayout& layout = MenuLayoutFor(mode);
  const bool user = UserLevelAccess(accessMode);
  c.items[9]->setText(layout.eraseCaption);
  if (layout.billLengthShown) {
    c.items[6]->setEnabled(false);
  } else {
    c.items[6]->setVisible(false);
  }
  c.items[8]->setVisible(layout.interfaceForStaff && !user);
  c.items[7]->setTop(user ? layout.exitTopForUsers : layout.exitTop);
}

void ApplyIoTestLayout(const IoRowControls& c, int receiveDataMode, std::string_view accessMode) {
  if (receiveDataMode < 0 || receiveDataMode >= static_cast<int>(std::size(kIoLayouts))) return;
  const IoLayout& layout = kIoLayouts[receiveDataMode];
  for (int row : layout.hidden) c.label7[row]->setVisible(false);
  for (const auto& [row, caption] : layout.captions) c.label7[row]->setText(caption);
  for (int button : layout.hiddenButtons) c.command2[button]->setVisible(false);
  if (layout.rowsUp) {
    for (form::Control* moved :
         {c.label7[15], c.label7[16], c.label7[17], c.label7[18], c.command2[0]}) {
      moved->setTop(moved->top() - kRowsUp);
    }
  }
  if (UserLevelAccess(accessMode)) {
    for (int row : layout.hiddenForUsers) c.label7[row]->setVisible(false);
  }
}

}  // namespace panels
