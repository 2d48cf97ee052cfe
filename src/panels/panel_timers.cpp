#include "panels/panel_timers.h"

#include "form/form.h"

namespace panels {

using namespace form;

void AddPanelTimers(Form& f) {
  Control& timer3 = f.add(ControlDesign{.kind = Kind::Timer, .name = "Timer3", .enabled = false});
  timer3.setInterval(400);
  Control& timer4 = f.add(ControlDesign{.kind = Kind::Timer, .name = "Timer4", .enabled = false});
  timer4.setInterval(400);
  timer4.setTag("1");
}

}  // namespace panels
