#include "panels/stacker_panel.h"

#include <utility>

#include "form/form.h"
#include "panels/panel_frame.h"

namespace panels {

using namespace form;
using namespace form::colours;

void AddStackerPanel(Form& f) {
  Control& frame = f.add(PanelFrame("Frame5", kNarrowPanelLeft, kNarrowPanelWidth, MenuText));
  // clang-format off
  const ControlDesign labels[] = {
      {.kind = Kind::Label, .name = "Label6", .index = 0, .caption = "Stacking Motor Status",
       .left = 240, .top = 240, .width = 2655, .height = 375,
       .fore = HighlightText, .back = MenuText, .fontSize = 12},
      {.kind = Kind::Label, .name = "Label6", .index = 1, .caption = "",
       .left = 120, .top = 600, .width = 2775, .height = 2535,
       .fore = Black, .back = MenuText, .fontSize = 99.75, .bold = true,
       .align = Align::Center, .border = true},
      {.kind = Kind::Label, .name = "Label6", .index = 2, .caption = "",
       .left = 840, .top = 3240, .width = 1215, .height = 375,
       .fore = White, .back = MenuText, .fontSize = 14.25, .align = Align::Center},
      {.kind = Kind::Label, .name = "Label6", .index = 3, .caption = "Stacking Active",
       .left = 240, .top = 3720, .width = 2655, .height = 375,
       .fore = Yellow, .back = MenuText, .hand = true},
      {.kind = Kind::Label, .name = "Label6", .index = 4, .caption = "Exit",
       .left = 240, .top = 4200, .width = 2655, .height = 375,
       .fore = Red, .back = MenuText, .hand = true},
  };
  for (const ControlDesign& d : labels) f.add(d, &frame);
  // clang-format on
}

StackerPanel::StackerPanel(PanelContext& context, ReturnToMenu back)
    : TestPanel(context, std::move(back), "Frame5", &replies::TestStages::StackerMotorTestOn,
                kMenuItem) {
  for (size_t i = 0; i < label6_.size(); ++i) {
    label6_[i] = &c_.screen.at("Label6", static_cast<int>(i));
  }
  label6_[3]->onClick = [this] {
    c_.Send(c_.profile.StackingActiveCode);
    label6_[1]->setText("");
    label6_[2]->setText("");
  };
  label6_[4]->onClick = [this] { Exit(); };
}

void StackerPanel::Open() {
  frame_.setVisible(true);
  c_.tests.StackerMotorTestOn = true;
  label6_[1]->setText("");
  label6_[2]->setText("");
}

// Sends nothing: the device stays in its test mode.
void StackerPanel::Exit() {
  label6_[2]->setForeColor(HighlightText);
  Leave(false);  // the stacker test has no leave command
}

}  // namespace panels
