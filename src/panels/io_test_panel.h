#pragma once

namespace form {
class Form;
}

namespace panels {

// Frame6, the IO test panel: rows Label7(1..20), Exit, LED mask heading and buttons Command2.
void AddIoTestPanel(form::Form& f);

}  // namespace panels
