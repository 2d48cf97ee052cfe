#pragma once

namespace form {
class Form;
}

namespace panels {

// Frame9, the sensor adjust panel: title, table pager VScroll2 and Exit.
void AddSensorAdjustPanel(form::Form& f);

}  // namespace panels
