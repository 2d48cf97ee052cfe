#pragma once
#include <array>
#include <memory>
#include <string>

#include "base/access_mode.h"
#include "config/profile_loader.h"
#include "console/port_link.h"
#include "console/terminal.h"
#include "form/form.h"
#include "panels/panel_context.h"
#include "panels/test_menu.h"
#include "replies/io_reply.h"
#include "replies/main_state.h"
#include "replies/reply_interpreter.h"
#include "replies/sensor_replies.h"
#include "replies/test_replies.h"
#include "replies/version_reply.h"
#include "serial/comm_port.h"

namespace app {

// The start-up window: owns the port, the terminal, the reply interpreter, the test menu and
// panels, the status bar and the form-level state.
class MainScreen {
 public:
  static constexpr const char* kModelTag = "SVC-2600";
  static constexpr int kModePanel = 8;  // the status panel that shows the access mode

  MainScreen(form::Host& host, serial::CommPort& port, std::string folder);

  void Load();
  void Unload();

  form::Form& form() { return form_; }
  replies::MainState& state() { return state_; }
  console::PortLink& portLink() { return link_; }
  console::Terminal& terminal() { return terminal_; }
  replies::ReplyInterpreter& interpreter() { return interpreter_; }
  panels::TestMenu& testMenu() { return *menu_; }
  const std::string& folder() const { return folder_; }

  // Status bar panel texts (panels numbered from 1).
  std::string statusText(int panel) const;
  void setStatusText(int panel, const std::string& text);
  // The access mode, kept in status panel 8.
  base::AccessModeSlot accessMode();

  // Procedures of a finished version report.
  void LoadActiveProfile();
  void LoadInterfaceVersion();
  void LoadProfilePictures();

  // Raised by "Setup".
  std::function<void()> onSetup;

 private:
  void addControls();
  void addStatusBar();
  void resolveControls();
  void wireStages();
  config::VersionCaptions versionCaptions() const;

  form::Host& host_;
  std::string folder_;
  form::Form form_;
  replies::MainState state_;
  console::PortLink link_;
  console::Terminal terminal_;
  replies::ReplyInterpreter interpreter_;
  std::unique_ptr<replies::VersionReply> version_;
  std::unique_ptr<replies::TestReplies> testReplies_;
  std::unique_ptr<replies::IoReply> ioReply_;
  std::unique_ptr<replies::SensorReplies> sensorReplies_;
  panels::PanelContext panels_;
  std::unique_ptr<panels::TestMenu> menu_;
  form::Control* statusBar_ = nullptr;
  std::array<form::Control*, 4> versionValues_{};  // Label4(1), (3), (5) and (7)
  form::Control* images_ = nullptr;                // ImageList1
  form::Control* picture_ = nullptr;               // Picture1
  std::array<form::Control*, 4> timers_{};         // Timer1 to Timer4
};

// "major.minor.revision" of this build.
std::string ToolVersion();

}  // namespace app
