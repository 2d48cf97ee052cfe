#include "panels/bill_motor_panel.h"

#include <utility>

#include "config/receive_modes.h"
#include "form/form.h"
#include "panels/panel_frame.h"

namespace panels {

using namespace form;
using namespace form::colours;

void AddBillMotorPanel(Form& f) {
  Control& frame =
      f.add(PanelFrame("Frame3", kNarrowPanelLeft, kNarrowPanelWidth, ButtonText, HighlightText));
  // clang-format off
  const ControlDesign labels[] = {
      {.kind = Kind::Label, .name = "Label5", .index = 0, .caption = "Raster Avg",
       .left = 240, .top = 240, .width = 1815, .height = 375,
       .fore = HighlightText, .back = ButtonText, .fontSize = 12},
      {.kind = Kind::Label, .name = "Label5", .index = 6, .caption = "",
       .left = 120, .top = 600, .width = 2775, .height = 2535,
       .fore = HighlightText, .back = Black, .fontSize = 99.75, .bold = true,
       .align = Align::Center, .border = true},
      {.kind = Kind::Label, .name = "Label5", .index = 7, .caption = "",
       .left = 240, .top = 3240, .width = 1215, .height = 495,
       .fore = Red, .back = ButtonText, .fontSize = 14.25, .bold = true,
       .align = Align::Center},
      {.kind = Kind::Label, .name = "Label5", .index = 1, .caption = "Raster/20ms",
       .left = 1560, .top = 3360, .width = 1215, .height = 255,
       .fore = HighlightText, .back = ButtonText, .fontSize = 9.75},
      // The motor commands.
      {.kind = Kind::Label, .name = "Label5", .index = 2, .caption = "Motor Stop",
       .left = 240, .top = 3720, .width = 2775, .height = 495,
       .fore = Yellow, .back = ButtonText, .hand = true},
      {.kind = Kind::Label, .name = "Label5", .index = 3, .caption = "Motor Forward",
       .left = 240, .top = 4200, .width = 3015, .height = 495,
       .fore = White, .back = ButtonText, .hand = true},
      {.kind = Kind::Label, .name = "Label5", .index = 4, .caption = "Motor Backward",
       .left = 240, .top = 4680, .width = 3135, .height = 495,
       .fore = HighlightText, .back = ButtonText, .hand = true},
      {.kind = Kind::Label, .name = "Label5", .index = 5, .caption = "Exit",
       .left = 240, .top = 5160, .width = 2415, .height = 495,
       .fore = Red, .back = ButtonText, .hand = true},
  };
  for (const ControlDesign& d : labels) f.add(d, &frame);
  // clang-format on
}

namespace {
// The motor commands: Label5 index, the code sent, the display's colour, acknowledged or not.
struct MotorCommand {
  int index;
  int16_t config::ActiveProfile::*code;
  Colour display;
  bool acknowledged;
};
constexpr MotorCommand kMotorCommands[] = {
    {2, &config::ActiveProfile::StopMotorCode, Yellow, false},
    {3, &config::ActiveProfile::ForwardMotorCode, Purple, true},
    {4, &config::ActiveProfile::BackwardMotorCode, Blue, true},
};
constexpr int kStop = 2;

bool BackwardOffered(const config::ActiveProfile& profile) {
  return config::ReceiveModeOf(profile.ReceiveDataMode).backwardMotor;
}
}  // namespace

BillMotorPanel::BillMotorPanel(PanelContext& context, ReturnToMenu back)
    : TestPanel(context, std::move(back), "Frame3", &replies::TestStages::BillMotorTestOn,
                kMenuItem) {
  for (size_t i = 0; i < label5_.size(); ++i) {
    label5_[i] = &c_.screen.at("Label5", static_cast<int>(i));
  }
  for (const MotorCommand& m : kMotorCommands) {
    label5_[m.index]->onClick = [this, i = m.index] { MotorClick(i); };
  }
  label5_[5]->onClick = [this] { Exit(); };
}

void BillMotorPanel::Open() {
  MarkCommand(kStop);
  frame_.setVisible(true);
  c_.tests.BillMotorTestOn = true;
  label5_[6]->setText("");
  label5_[7]->setText("");
  c_.line.CommandPending = 1;
  if (!BackwardOffered(c_.profile)) label5_[4]->setVisible(false);
}

void BillMotorPanel::MarkCommand(int active) {
  for (const MotorCommand& m : kMotorCommands) {
    label5_[m.index]->setForeColor(m.index == active ? Yellow : HighlightText);
  }
}

void BillMotorPanel::MotorClick(int index) {
  for (const MotorCommand& m : kMotorCommands) {
    if (m.index != index) continue;
    const bool sent = c_.Send(c_.profile.*m.code);
    MarkCommand(index);
    label5_[6]->setForeColor(m.display);
    if (m.acknowledged && sent) c_.line.CommandPending = 1;
  }
}

void BillMotorPanel::Exit() {
  MarkCommand(kStop);
  if (!BackwardOffered(c_.profile)) label5_[4]->setVisible(true);
  Leave();
}

}  // namespace panels
