#pragma once
#include <memory>
#include <string>
#include <vector>

#include "base/access_mode.h"
#include "form/form.h"
#include "setup/setup_context.h"
#include "setup/system_records.h"

namespace setup {

class SystemTab;
class CommandTab;
class InterfaceTab;

// The "Parameter Setup" window, shown modally over the main screen: the tab control SSTab1
// with its "Login" tab, which sets the access mode shown in the main screen's status panel 8,
// and the editors of the configuration files in `folder`, which open only in "Admin Mode".
class SetupWindow {
 public:
  // `owner` is the main screen; `access` reads and sets the access mode it shows.
  SetupWindow(form::Host& host, form::Form& owner, std::string folder, base::AccessModeSlot access);
  ~SetupWindow();

  void Show();
  void Close();
  form::Form& form() { return form_; }

  // Form-level state for tools: the channels of tab 1's grid, and every field of the system
  // list, six per line, followed by one empty element.
  int GridCount() const;
  std::vector<std::string> SystemFields() const;

 private:
  void Build();
  void addControls();
  void addLoginTab();
  void Login();
  void ClearLogin();
  // The tab guard (only "Admin Mode" gets past the "Login" tab), then the shown tab reloads.
  void RefreshTab();
  void LoadSystemList();

  form::Host& host_;
  form::Form& owner_;
  base::AccessModeSlot access_;
  form::Form form_;
  std::string folder_;
  form::Control* tabs_ = nullptr;      // SSTab1
  form::Control* userName_ = nullptr;  // txtUserName
  form::Control* password_ = nullptr;  // txtPassword
  form::Control* result_ = nullptr;    // Label1
  std::unique_ptr<SetupContext> context_;
  SystemRecords records_;
  std::unique_ptr<SystemTab> systemTab_;
  std::unique_ptr<CommandTab> commandTab_;
  std::unique_ptr<InterfaceTab> interfaceTab_;
};

}  // namespace setup
