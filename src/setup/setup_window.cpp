#include "setup/setup_window.h"

namespace setup {

SetupWindow::SetupWindow(form::Host& host, form::Form& owner)
    : host_(host), owner_(owner), form_("SetupScreen", host) {
  form_.setCaption("Parameter Setup");
  form_.setSize(11760, 8280);
}

void SetupWindow::Show() {
  if (form_.visible()) return;
  if (host_.windows) {
    host_.windows->showModal(form_, owner_);
  } else {
    owner_.setModalChild(&form_);
    form_.setVisible(true);
  }
}

void SetupWindow::Close() {
  if (host_.windows) {
    host_.windows->closeWindow(form_);
  } else {
    form_.setVisible(false);
  }
}

}  // namespace setup
