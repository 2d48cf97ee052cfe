#pragma once

namespace form {
class Form;
}

namespace panels {

// Frame3, the bill motor test panel: raster display, judgement and the motor commands.
void AddBillMotorPanel(form::Form& f);

}  // namespace panels
