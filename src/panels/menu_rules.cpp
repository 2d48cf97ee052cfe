#include "panels/menu_rules.h"

#include <initializer_list>
#include <utility>

#include "base/access_mode.h"
#include "config/receive_modes.h"
#include "form/colour.h"

namespace panels {
namespace {

using Caption = std::pair<int, const char*>;

// The IO rows by receive data mode. Label7 indices, Command2 indices for buttons.
struct IoLayout {
  std::initializer_list<int> hidden;
  std::initializer_list<int> hiddenButtons;
  std::initializer_list<Caption> captions;
  std::initializer_list<int> hiddenForUsers;
  bool rowsUp = false;  // rows 15 to 18 and "S" 960 twips higher
};

// clang-format off
const std::array<IoLayout, config::kReceiveModeCount> kIoLayouts = {{
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
}};
// clang-format on

constexpr int kRowsUp = 960;
// "Exit" below the items shown: with Bill Length Test and Interface Setup, or without.
constexpr int kExitTopLong = 3000, kExitTopForUsers = 2640, kExitTopShort = 2280;

}  // namespace

void RefreshTestMenu(const MenuRuleControls& c, const config::ActiveProfile& profile,
                     std::string_view accessMode) {
  const config::ReceiveMode& mode = config::ReceiveModeOf(profile.ReceiveDataMode);
  if (profile.WithStacker == 0) c.items[3]->setEnabled(false);
  if (!base::EngineeringAccess(accessMode)) c.items[9]->setVisible(false);
  if (!mode.motorTests) {
    c.items[2]->setEnabled(false);
    c.items[3]->setEnabled(false);
  }
  const bool ledMask = profile.LedMask == 1;
  c.ledMaskTitle->setVisible(ledMask);
  for (form::Control* button : c.ledMaskButtons) button->setVisible(ledMask);

  const bool user = !base::StaffAccess(accessMode);
  c.items[9]->setText(mode.memory->eraseCaption);
  if (mode.lengthAndInterface) {
    c.items[6]->setEnabled(false);  // shown, but disabled
    c.items[8]->setVisible(!user);
    c.items[7]->setTop(user ? kExitTopForUsers : kExitTopLong);
  } else {
    c.items[6]->setVisible(false);
    c.items[8]->setVisible(false);
    c.items[7]->setTop(kExitTopShort);
  }
}

void ApplyIoTestLayout(const IoRowControls& c, int receiveDataMode, std::string_view accessMode) {
  const IoLayout* found = config::ForMode(kIoLayouts, receiveDataMode);
  if (!found) return;
  const IoLayout& layout = *found;
  for (int row : layout.hidden) c.label7[row]->setVisible(false);
  for (const auto& [row, caption] : layout.captions) c.label7[row]->setText(caption);
  for (int button : layout.hiddenButtons) c.command2[button]->setVisible(false);
  if (layout.rowsUp) {
    for (form::Control* moved :
         {c.label7[15], c.label7[16], c.label7[17], c.label7[18], c.command2[0]}) {
      moved->setTop(moved->top() - kRowsUp);
    }
  }
  if (!base::StaffAccess(accessMode)) {
    for (int row : layout.hiddenForUsers) c.label7[row]->setVisible(false);
  }
}

}  // namespace panels
