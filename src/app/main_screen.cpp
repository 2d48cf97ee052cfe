#include "app/main_screen.h"

#include <filesystem>

#include "app/version_panel.h"
#include "base/files.h"
#include "config/picture_path.h"
#include "config/profile_loader.h"
#include "panels/bill_length_panel.h"
#include "panels/bill_motor_panel.h"
#include "panels/interface_panel.h"
#include "panels/io_test_panel.h"
#include "panels/panel_frame.h"
#include "panels/panel_timers.h"
#include "panels/picture_box.h"
#include "panels/restart.h"
#include "panels/sensor_adjust_panel.h"
#include "panels/sensor_test_panel.h"
#include "panels/stacker_panel.h"
#include "panels/test_menu.h"

namespace app {

using form::ControlDesign;
using form::Kind;

std::string ToolVersion() {
  return std::to_string(BA_VERSION_MAJOR) + "." + std::to_string(BA_VERSION_MINOR) + "." +
         std::to_string(BA_VERSION_PATCH);
}

MainScreen::MainScreen(form::Host& host, serial::CommPort& port, std::string folder)
    : host_(host),
      folder_(std::move(folder)),
      form_("MainScreen", host),
      link_(form_, port),
      terminal_(form_, link_, state_.line.CommandPending),
      interpreter_(link_.port(), terminal_, state_),
      panels_{form_,          state_.line,   state_.version, state_.tests,
              state_.profile, state_.labels, link_,          accessMode().read} {
  addControls();
  menu_ = std::make_unique<panels::TestMenu>(panels_);
  wireStages();
  link_.setReadReplies([this] { interpreter_.ReadReplies(); });
  // A frame cut off when the line closed is not counted on into the next one.
  link_.setOnOpened([this] { state_.tests.IoByteIndex = 0; });
}

void MainScreen::addControls() {
  form_.setCaption(std::string(form::kToolTitle) + " " + kModelTag);
  form_.setBackColor(form::colours::WindowBackground);
  form_.setSize(9375, panels::kScreenHeight);

  panels::AddRestartLabel(form_);
  link_.addControls();
  form::Control& rs232 = form_.add(ControlDesign{.kind = Kind::CommandButton,
                                                 .name = "Command4",
                                                 .caption = "RS232",
                                                 .left = 4920,
                                                 .top = 120,
                                                 .width = 975,
                                                 .height = 375});
  form::Control& setup = form_.add(ControlDesign{.kind = Kind::CommandButton,
                                                 .name = "Command5",
                                                 .caption = "Setup",
                                                 .left = 6000,
                                                 .top = 120,
                                                 .width = 975,
                                                 .height = 375});
  rs232.onClick = [this] { terminal_.Toggle(); };
  setup.onClick = [this] {
    if (onSetup) onSetup();
  };

  // Creation order is drawing order: the wide panels cover the version panel.
  panels::AddTestMenu(form_);
  app::AddVersionPanel(form_);
  panels::AddPictureBox(form_);
  panels::AddBillMotorPanel(form_);
  terminal_.addControls();
  panels::AddStackerPanel(form_);
  panels::AddIoTestPanel(form_);
  panels::AddBillLengthPanel(form_);
  panels::AddSensorTestPanel(form_);
  panels::AddSensorAdjustPanel(form_);
  panels::AddInterfacePanel(form_);
  panels::AddPanelTimers(form_);
  addStatusBar();
  resolveControls();
}

void MainScreen::resolveControls() {
  for (size_t i = 0; i < versionValues_.size(); ++i) {
    versionValues_[i] = &form_.at("Label4", 1 + 2 * static_cast<int>(i));
  }
  images_ = &form_.at("ImageList1");
  picture_ = &form_.at("Picture1");
  for (size_t i = 0; i < timers_.size(); ++i) {
    timers_[i] = &form_.at("Timer" + std::to_string(i + 1));
  }
}

void MainScreen::addStatusBar() {
  statusBar_ = form_.add(Kind::StatusBar, "StatusBar1");
  statusBar_->setBounds(0, panels::kScreenHeight, 9375, 375);
  const char* texts[] = {"Tool Version", "", "BA System", "",
                         "BA Interface", "", "Mode",      base::kUserMode.data()};
  const int widths[] = {1852, 1235, 1676, 2205, 1852, 3351, 1058, 2469};
  for (int i = 0; i < 8; ++i) statusBar_->addPanel(texts[i], widths[i]);
}

void MainScreen::wireStages() {
  replies::ProfileProcedures procedures;
  procedures.LoadActiveProfile = [this] { LoadActiveProfile(); };
  procedures.LoadInterfaceVersion = [this] { LoadInterfaceVersion(); };
  procedures.LoadProfilePictures = [this] { LoadProfilePictures(); };
  procedures.SystemStatus = [this] { return statusText(4); };
  version_ = std::make_unique<replies::VersionReply>(form_, state_.version, state_.profile,
                                                     std::move(procedures));
  replies::ReplyStages& stages = interpreter_.stages();
  stages.versionMark = [this](uint8_t b) { version_->MarkerScan(b); };
  stages.shortVersion = [this](uint8_t b) { version_->ShortLayout(b); };
  stages.longVersion = [this](uint8_t b) { version_->LongLayout(b); };
  testReplies_ = std::make_unique<replies::TestReplies>(form_, state_.tests, state_.profile);
  ioReply_ = std::make_unique<replies::IoReply>(form_, state_.tests, state_.profile);
  stages.billMotor = [this](uint8_t b) { testReplies_->BillMotor(b); };
  stages.stackerMotor = [this](uint8_t b) { testReplies_->StackerMotor(b); };
  stages.ioTest = [this](uint8_t b) { ioReply_->IoTest(b); };
  sensorReplies_ =
      std::make_unique<replies::SensorReplies>(form_, state_.tests, state_.profile, state_.labels);
  stages.sensorTest = [this](uint8_t b) { sensorReplies_->SensorTest(b); };
  stages.sensorAdjust = [this](uint8_t b) { sensorReplies_->SensorAdjust(b); };
  stages.billLength = [this](uint8_t b) { testReplies_->BillLength(b); };
  stages.interfaceSetup = [this](uint8_t b) { testReplies_->InterfaceSetup(b); };
}

config::VersionCaptions MainScreen::versionCaptions() const {
  return {versionValues_[0]->text(), versionValues_[1]->text(), versionValues_[2]->text(),
          versionValues_[3]->text()};
}

void MainScreen::LoadActiveProfile() {
  setStatusText(4, config::LoadActiveProfile(folder_, state_.version.VersionLayout,
                                             versionCaptions(), state_.profile));
}

void MainScreen::LoadInterfaceVersion() {
  setStatusText(
      6, config::LoadInterfaceVersion(folder_, state_.version.VersionLayout, versionCaptions()));
}

void MainScreen::LoadProfilePictures() {
  // Every step runs whatever the previous one did; a missing picture is left out.
  form::Control& images = *images_;
  form::Control& picture = *picture_;
  images.clearImages();
  picture.setImage("");
  if (statusText(4) == config::kUnknowable) {
    picture.setTag("0");
    return;
  }
  for (const std::string* name :
       {&state_.profile.LedPictureName, &state_.profile.SensorPictureName}) {
    const auto path = config::PicturePath(folder_, *name);
    // Only plain files: opening a named pipe or a device would wait for its other end.
    std::error_code ec;
    if (path && std::filesystem::is_regular_file(base::FsPath(*path), ec) && host_.images &&
        host_.images->canLoad(*path))
      images.addImage(*path);
  }
  if (!images.images().empty()) picture.setImage(images.images().front());
  picture.setTag("1");
}

void MainScreen::Load() {
  link_.load();
  setStatusText(2, ToolVersion());
  state_.version.AwaitingVersionMark = true;
  state_.version.MarkStep = 1;
  state_.version.ShortReplyDone = false;
  state_.version.LongReplyDone = false;
  state_.tests.BillMotorTestOn = false;
  state_.tests.StackerMotorTestOn = false;
  state_.tests.IoTestOn = false;
  state_.tests.SensorTestOn = false;
  state_.tests.SensorAdjustOn = false;
  form_.setVisible(true);
}

void MainScreen::Unload() {
  link_.unload();
  for (form::Control* timer : timers_) timer->setEnabled(false);
  form_.setVisible(false);
}

std::string MainScreen::statusText(int panel) const {
  return statusBar_->panelText(panel);
}

void MainScreen::setStatusText(int panel, const std::string& text) {
  statusBar_->setPanelText(panel, text);
}

base::AccessModeSlot MainScreen::accessMode() {
  return {[this] { return statusText(kModePanel); },
          [this](std::string_view mode) { setStatusText(kModePanel, std::string(mode)); }};
}

}  // namespace app
