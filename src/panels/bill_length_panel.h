#pragma once

namespace form {
class Form;
}

namespace panels {

// Frame8, the bill length panel: the measured length in millimetres and Exit.
void AddBillLengthPanel(form::Form& f);

}  // namespace panels
