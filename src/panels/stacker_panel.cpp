#include "panels/stacker_panel.h"

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

}  // namespace panels
