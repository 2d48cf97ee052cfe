#pragma once

namespace form {
class Form;
}

namespace panels {

// Picture1 below the test menu and ImageList1 holding the profile's LED and sensor pictures.
void AddPictureBox(form::Form& f);

}  // namespace panels
