#pragma once
#include <memory>
#include <string>

#include "form/form.h"
#include "form/host.h"
#include "serial/comm_port.h"

namespace setup {
class SetupWindow;
}

namespace app {

class MainScreen;
using setup::SetupWindow;

// Both screens of the tool over one host and one serial port.
class Application {
 public:
  Application(form::Host& host, serial::CommPort& port, std::string appFolder);
  ~Application();

  // The main screen's load event: fills the screen and starts its timers.
  void load();
  // The main screen's unload event: closes the port. Nothing is saved.
  void unload();
  bool loaded() const { return loaded_; }

  form::Form& mainForm();
  form::Form& setupForm();
  MainScreen& main() { return *main_; }
  SetupWindow& setup() { return *setup_; }
  const std::string& folder() const { return folder_; }

 private:
  form::Host& host_;
  serial::CommPort& port_;
  std::string folder_;
  std::unique_ptr<MainScreen> main_;
  std::unique_ptr<SetupWindow> setup_;
  bool loaded_ = false;
};

}  // namespace app
