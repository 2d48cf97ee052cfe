#pragma once
#include "form/form.h"

namespace setup {

// The "Parameter Setup" window, shown modally over the main screen.
class SetupWindow {
 public:
  SetupWindow(form::Host& host, form::Form& owner);

  void Show();
  void Close();
  form::Form& form() { return form_; }

 private:
  form::Host& host_;
  form::Form& owner_;
  form::Form form_;
};

}  // namespace setup
