#pragma once

namespace form {
class Form;
}

namespace panels {

// Label1 "Restart" at the top left of the main screen, disabled until a known device reports.
void AddRestartLabel(form::Form& f);

}  // namespace panels
