#pragma once

namespace form {
class Form;
}

namespace panels {

// Timer3 (second half of the DAC send) and Timer4 (LED sequence), both idle at start.
void AddPanelTimers(form::Form& f);

}  // namespace panels
