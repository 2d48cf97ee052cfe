#pragma once

namespace form {
class Form;
}

namespace panels {

// Frame7, the sensor test panel: grid pager, fixed readings and the DAC tool.
void AddSensorTestPanel(form::Form& f);

}  // namespace panels
