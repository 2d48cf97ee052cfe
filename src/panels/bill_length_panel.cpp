#include "panels/bill_length_panel.h"

#include <utility>

#include "form/form.h"
#include "panels/panel_frame.h"

namespace panels {

using namespace form;
using namespace form::colours;

void AddBillLengthPanel(Form& f) {
  Control& frame =
      f.add(PanelFrame("Frame8", kNarrowPanelLeft, kNarrowPanelWidth, ButtonText, HighlightText));
  // clang-format off
  const ControlDesign labels[] = {
      {.kind = Kind::Label, .name = "Label10", .index = 0, .caption = "Bill Length",
       .left = 240, .top = 240, .width = 1815, .height = 375,
       .fore = HighlightText, .back = ButtonText, .fontSize = 12},
      {.kind = Kind::Label, .name = "Label10", .index = 1, .caption = "",
       .left = 120, .top = 720, .width = 2775, .height = 2295,
       .fore = HighlightText, .back = Black, .fontSize = 75, .bold = true,
       .align = Align::Center, .border = true},
      {.kind = Kind::Label, .name = "Label10", .index = 2, .caption = "mm",
       .left = 2160, .top = 3000, .width = 615, .height = 375,
       .fore = HighlightText, .back = ButtonText, .fontSize = 15.75},
      {.kind = Kind::Label, .name = "Label10", .index = 3, .caption = "Exit",
       .left = 1080, .top = 3480, .width = 855, .height = 495,
       .fore = Red, .back = ButtonText, .hand = true},
  };
  for (const ControlDesign& d : labels) f.add(d, &frame);
  // clang-format on
}

BillLengthPanel::BillLengthPanel(PanelContext& context, ReturnToMenu back)
    : TestPanel(context, std::move(back), "Frame8", &replies::TestStages::BillLengthTestOn,
                kMenuItem),
      length_(context.screen.at("Label10", 1)) {
  c_.screen.at("Label10", 3).onClick = [this] { Exit(); };
}

void BillLengthPanel::Open() {
  length_.setText("");
  frame_.setVisible(true);
  c_.tests.BillLengthTestOn = true;
  c_.line.CommandPending = 1;
}

void BillLengthPanel::Exit() {
  Leave();
}

}  // namespace panels
