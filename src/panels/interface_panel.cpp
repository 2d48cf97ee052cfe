#include "panels/interface_panel.h"

#include <utility>

#include "form/form.h"
#include "panels/panel_frame.h"
#include "serial/entry_value.h"

namespace panels {

using namespace form;
using namespace form::colours;

namespace {

struct Choice {
  const char* caption;
  int left, top, width;
};

// Option1 in index order: the index is the interface byte sent to the device.
// clang-format off
constexpr Choice kChoices[] = {
    {"No Interface", 240, 1320, 1455},
    {"$4 WINTEK (Transistor)", 240, 1920, 2535},
    {"$4 PANASONIC (Coupling)", 240, 2280, 2655},
    {"$4 KYONAN (Coupling)", 240, 2640, 2535},
    {"$2 PANASONIC (Transistor)", 240, 3240, 2775},
    {"$2 PANASONIC (Coupling) (400ms)", 240, 3600, 3495},
    {"$1 KYONAN (Coupling)", 3240, 1920, 2535},
    {"Pulse", 3240, 1320, 2535},
    {"$1 WINTEK (Transistor)", 3240, 2280, 2535},
    {"$2 ENERTEC (Coupling) (200ms)", 240, 3960, 3375},
    {"$4 PANASONIC (Coupling) (EX-2500)", 240, 4320, 3495},
};
// clang-format on

}  // namespace

void AddInterfacePanel(Form& f) {
  Control& frame = f.add(PanelFrame("Frame10", kWidePanelLeft, 6375, ButtonText, HighlightText));
  // clang-format off
  f.add(ControlDesign{.kind = Kind::Label, .name = "Label11", .index = 0,
                      .caption = "Interface Setup", .left = 2160, .top = 240, .width = 1935,
                      .height = 375, .fore = HighlightText, .back = ButtonText, .fontSize = 12},
        &frame);
  Control* first = nullptr;
  int index = 0;
  for (const Choice& c : kChoices) {
    Control& option =
        f.add(ControlDesign{.kind = Kind::OptionButton, .name = "Option1", .index = index++,
                            .caption = c.caption, .left = c.left, .top = c.top, .width = c.width,
                            .height = 255, .fore = White, .back = Black},
              &frame);
    if (!first) first = &option;
  }
  first->setTag("0");  // the tag Option1(0) starts with
  f.add(ControlDesign{.kind = Kind::Label, .name = "Label11", .index = 1, .caption = "Exit",
                      .left = 2760, .top = 5520, .width = 615, .height = 495, .fore = Red,
                      .back = ButtonText, .hand = true},
        &frame);
  // clang-format on
}

InterfacePanel::InterfacePanel(PanelContext& context, ReturnToMenu back)
    : TestPanel(context, std::move(back), "Frame10", &replies::TestStages::InterfaceSetupOn,
                kMenuItem) {
  for (size_t i = 0; i < options_.size(); ++i) {
    options_[i] = &c_.screen.at("Option1", static_cast<int>(i));
    options_[i]->onClick = [this, i] { OptionClick(static_cast<int>(i)); };
  }
  c_.screen.at("Label11", 1).onClick = [this] { Exit(); };
}

void InterfacePanel::Open() {
  options_[0]->setTag("0");
  c_.tests.InterfaceSetAwaited = false;
  frame_.setVisible(true);
  for (int i = 0; i <= 7; ++i) options_[static_cast<size_t>(i)]->setValue(0);
}

// The first click after opening (normally the device's own answer selecting its interface)
// only disarms the guard; every later one sends the option's index.
void InterfacePanel::OptionClick(int index) {
  if (serial::LeadingDecimal(options_[0]->tag()) == 0) {
    options_[0]->setTag("1");
    return;
  }
  // A choice that did not go out awaits no confirmation.
  if (!c_.Send(index)) return;
  c_.tests.InterfaceSetAwaited = true;
  c_.line.CommandPending = 1;
}

void InterfacePanel::Exit() {
  c_.tests.InterfaceSetAwaited = false;
  Leave();
}

}  // namespace panels
