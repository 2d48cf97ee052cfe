#pragma once
#include <array>

#include "form/form.h"

namespace setup {

// The "Parameter Setup" window, shown modally over the main screen: the tab control SSTab1
// with its "Login" tab, which sets the access mode shown in the main screen's status panel 8.
// Tabs other than "Login" open only in "Admin Mode".
class SetupWindow {
 public:
  // `owner` is the main screen, which holds StatusBar1.
  SetupWindow(form::Host& host, form::Form& owner);

  void Show();
  void Close();
  form::Form& form() { return form_; }

 private:
  void addControls();
  void addLoginTab();
  void Login();
  void ClearLogin();
  // The tab guard: only "Admin Mode" gets past the "Login" tab.
  void RefreshTab();
  std::string AccessMode() const;

  form::Host& host_;
  form::Form& owner_;
  form::Control& statusBar_;  // the main screen's StatusBar1
  form::Form form_;
  form::Control* tabs_ = nullptr;      // SSTab1
  form::Control* userName_ = nullptr;  // txtUserName
  form::Control* password_ = nullptr;  // txtPassword
  form::Control* result_ = nullptr;    // Label1
};

}  // namespace setup
