#pragma once

namespace form {
class Form;
}

namespace panels {

// Frame1 with the test menu items Label2(0..9), as the window first shows them.
void AddTestMenu(form::Form& f);

}  // namespace panels
