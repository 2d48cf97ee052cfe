#pragma once

namespace form {
class Form;
}

namespace panels {

// Timer3 and Timer4: 400 ms, disabled and without a handler; Timer4's tag starts at "1".
void AddPanelTimers(form::Form& f);

}  // namespace panels
