#pragma once

namespace form {
class Form;
}

namespace panels {

// Frame5, the stacker motor test panel: status display, judgement, stacking command.
void AddStackerPanel(form::Form& f);

}  // namespace panels
