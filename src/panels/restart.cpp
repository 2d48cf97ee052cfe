#include "panels/restart.h"

#include "form/form.h"

namespace panels {

using namespace form;
using namespace form::colours;

void AddRestartLabel(Form& f) {
  f.add(ControlDesign{.kind = Kind::Label,
                      .name = "Label1",
                      .caption = "Restart",
                      .left = 120,
                      .top = 120,
                      .width = 1095,
                      .height = 375,
                      .fore = Black,
                      .back = HighlightText,
                      .fontSize = 14.25,
                      .bold = true,
                      .enabled = false,
                      .hand = true});
}

}  // namespace panels
