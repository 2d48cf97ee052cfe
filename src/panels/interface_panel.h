#pragma once

namespace form {
class Form;
}

namespace panels {

// Frame10, the interface setup panel: one option button per interface byte.
void AddInterfacePanel(form::Form& f);

}  // namespace panels
