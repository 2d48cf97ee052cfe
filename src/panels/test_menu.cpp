#include "panels/test_menu.h"

#include <string>
#include <utility>

#include "config/receive_modes.h"
#include "form/form.h"
#include "form/host.h"
#include "panels/menu_rules.h"

namespace panels {

using namespace form;
using namespace form::colours;

namespace {

struct MenuItem {
  const char* caption;
  int left, top, width, height;
  Colour fore;
};

// Label2 in index order. Items 1..9 start hidden.
constexpr MenuItem kItems[] = {
    {"Test Mode", 120, 120, 1695, 375, Yellow},
    {"IO Test", 360, 480, 975, 375, HighlightText},
    {"Bill Motor Test", 360, 840, 1815, 375, HighlightText},
    {"Stacker Motor Test", 360, 1200, 2295, 375, HighlightText},
    {"Sensor Adjust", 360, 1560, 1815, 375, HighlightText},
    {"Sensor Test", 360, 1920, 1695, 375, HighlightText},
    {"Bill Length Test", 360, 2280, 1815, 375, HighlightText},
    {"Exit", 360, 3000, 1815, 375, Red},
    {"Interface Setup", 360, 2640, 2055, 375, HighlightText},
    {"Erase EEPROM", 360, 3360, 1815, 375, Purple},
};

constexpr int kFirstItem = 1, kLastItem = 9;
constexpr int kSensorAdjustItem = SensorAdjustPanel::kMenuItem;
constexpr int kSensorTestItem = SensorTestPanel::kMenuItem;
// Fixed bytes of the calibration memory commands.
constexpr int kMemoryCommand = 0x16, kAdjustFram = 0x46, kEraseFram = 0x50;
constexpr int kMemoryWait = 500, kInterfaceWait = 300;

// Counts an entry as waiting while it lives.
class Waiting {
 public:
  explicit Waiting(int& count) : count_(count) { ++count_; }
  ~Waiting() { --count_; }
  Waiting(const Waiting&) = delete;
  Waiting& operator=(const Waiting&) = delete;

 private:
  int& count_;
};

}  // namespace

void AddTestMenu(Form& f) {
  Control& frame = f.add(ControlDesign{.kind = Kind::Frame,
                                       .name = "Frame1",
                                       .left = 120,
                                       .top = 600,
                                       .width = 2655,
                                       .height = 3735,
                                       .fore = HighlightText,
                                       .back = ButtonText});
  int index = 0;
  for (const MenuItem& item : kItems) {
    const bool first = index == 0;
    f.add(ControlDesign{.kind = Kind::Label,
                        .name = "Label2",
                        .index = index++,
                        .caption = item.caption,
                        .left = item.left,
                        .top = item.top,
                        .width = item.width,
                        .height = item.height,
                        .fore = item.fore,
                        .back = ButtonText,
                        .fontSize = 12,
                        .visible = first,
                        .enabled = !first,  // a known device's report enables "Test Mode"
                        .hand = true},
          &frame);
  }
}

const std::array<TestMenu::Entry, 10> TestMenu::kEntries = {
    &TestMenu::EnterTestMode,         &TestMenu::EnterIoTest,       &TestMenu::EnterBillMotorTest,
    &TestMenu::EnterStackerMotorTest, &TestMenu::EnterSensorAdjust, &TestMenu::EnterSensorTest,
    &TestMenu::EnterBillLengthTest,   &TestMenu::LeaveTestMode,     &TestMenu::EnterInterfaceSetup,
    &TestMenu::EraseCalibration,
};

TestMenu::TestMenu(PanelContext& context)
    : c_(context),
      terminalLog_(context.screen.at("Text1")),
      clearItem_(context.screen.at("Label4", 18)),
      factories_(context.screen, context.labels),
      io_(context, [this](int item) { ReturnFromPanel(item); }),
      billMotor_(context, [this](int item) { ReturnFromPanel(item); }),
      stacker_(context, [this](int item) { ReturnFromPanel(item); }),
      billLength_(context, [this](int item) { ReturnFromPanel(item); }),
      interface_(context, [this](int item) { ReturnFromPanel(item); }),
      sensorTest_(
          context, [this](int item) { ReturnFromPanel(item); }, factories_),
      sensorAdjust_(
          context, [this](int item) { ReturnFromPanel(item); }, factories_) {
  c_.screen.at("Label1").onClick = [this] { RestartSession(); };
  for (size_t i = 0; i < items_.size(); ++i) {
    items_[i] = &c_.screen.at("Label2", static_cast<int>(i));
    items_[i]->onClick = [this, i] { Label2_Click(static_cast<int>(i)); };
  }
}

void TestMenu::Label2_Click(int index) {
  terminalLog_.setText("");
  if (index < 0 || index >= static_cast<int>(kEntries.size())) return;
  // An entry waiting between its bytes is not entered again, nor any other meanwhile.
  if (waiting_ > 0) return;
  (this->*kEntries[static_cast<size_t>(index)])();
}

void TestMenu::RefreshTestMenu() {
  MenuRuleControls controls;
  controls.items = items_;
  controls.ledMaskTitle = &io_.ledMaskTitle();
  for (size_t i = 0; i < controls.ledMaskButtons.size(); ++i) {
    controls.ledMaskButtons[i] = io_.rows().command2[i + 2];
  }
  panels::RefreshTestMenu(controls, c_.profile, c_.accessMode());
}

void TestMenu::DisableOthers(int item) {
  for (int i = kFirstItem; i <= kLastItem; ++i) items_[static_cast<size_t>(i)]->setEnabled(false);
  items_[static_cast<size_t>(item)]->setEnabled(true);
}

bool TestMenu::IsOpen(int item) const {
  return items_[static_cast<size_t>(item)]->foreColor() == colours::Yellow;
}

void TestMenu::MarkOpen(int item) {
  items_[static_cast<size_t>(item)]->setForeColor(colours::Yellow);
}

void TestMenu::ReturnFromPanel(int item) {
  for (int i = kFirstItem; i <= kLastItem; ++i) items_[static_cast<size_t>(i)]->setEnabled(true);
  items_[static_cast<size_t>(item)]->setForeColor(colours::HighlightText);
  RefreshTestMenu();
}

void TestMenu::ReopenablePanel(int item, int16_t config::ActiveProfile::*code) {
  DisableOthers(item);
  if (IsOpen(item)) return;  // set up again without the mode command
  c_.tests.ShortReplyCount = 0;
  c_.Send(c_.profile.*code);
  MarkOpen(item);
}

bool TestMenu::Wait(int ms) {
  const unsigned restarts = restarts_;
  WaitMs(c_.screen.host(), ms);
  return restarts == restarts_;
}

void TestMenu::EnterTestMode() {
  for (int i = kFirstItem; i <= kLastItem; ++i) {
    items_[static_cast<size_t>(i)]->setVisible(true);
    items_[static_cast<size_t>(i)]->setEnabled(true);
  }
  for (int i : {1, 2, 3, 4, 5, 6, 8}) {
    items_[static_cast<size_t>(i)]->setForeColor(colours::HighlightText);
  }
  items_[0]->setEnabled(false);
  c_.version.AwaitingVersionMark = false;
  clearItem_.setEnabled(false);
  c_.Send(c_.profile.EnterTestModeCode);
  RefreshTestMenu();
  c_.tests.ShortReplyCount = 0;
}

void TestMenu::EnterIoTest() {
  ReopenablePanel(IoTestPanel::kMenuItem, &config::ActiveProfile::EnterIoSensorTestCode);
  io_.Open();
}

void TestMenu::EnterBillMotorTest() {
  ReopenablePanel(BillMotorPanel::kMenuItem, &config::ActiveProfile::EnterBillMotorTestCode);
  billMotor_.Open();
}

void TestMenu::EnterStackerMotorTest() {
  ReopenablePanel(StackerPanel::kMenuItem, &config::ActiveProfile::EnterStackerMotorTestCode);
  stacker_.Open();
}

void TestMenu::EnterSensorAdjust() {
  DisableOthers(kSensorAdjustItem);
  if (IsOpen(kSensorAdjustItem)) return;
  Waiting waiting(waiting_);
  c_.tests.ShortReplyCount = 0;
  if (config::ReceiveModeOf(c_.profile.ReceiveDataMode).memory->fram) {
    c_.Send(kMemoryCommand);
    if (!Wait(kMemoryWait)) return;
    c_.Send(kAdjustFram);
    if (!Wait(kMemoryWait)) return;
  }
  c_.Send(c_.profile.EnterSensorAdjustCode);
  MarkOpen(kSensorAdjustItem);
  sensorAdjust_.Open();
}

void TestMenu::EnterSensorTest() {
  DisableOthers(kSensorTestItem);
  if (IsOpen(kSensorTestItem)) return;
  c_.tests.ShortReplyCount = 0;
  c_.Send(c_.profile.EnterIoSensorTestCode);
  MarkOpen(kSensorTestItem);
  sensorTest_.Open();
}

void TestMenu::EnterBillLengthTest() {
  ReopenablePanel(BillLengthPanel::kMenuItem, &config::ActiveProfile::EnterBillLengthCode);
  billLength_.Open();
}

void TestMenu::LeaveTestMode() {
  for (int i = kFirstItem; i <= kLastItem; ++i) items_[static_cast<size_t>(i)]->setVisible(false);
  items_[0]->setEnabled(true);
  c_.Send(c_.profile.LeaveTestModeCode);
  c_.version.AwaitingVersionMark = true;
  clearItem_.setEnabled(true);
  c_.tests.ShortReplyCount = 0;
}

void TestMenu::EnterInterfaceSetup() {
  DisableOthers(InterfacePanel::kMenuItem);
  if (IsOpen(InterfacePanel::kMenuItem)) return;
  Waiting waiting(waiting_);
  c_.tests.ShortReplyCount = 0;
  c_.tests.InterfaceSetupOn = true;
  c_.line.CommandPending = 2;
  c_.Send(c_.profile.EnterInterfaceSetupCode);
  if (!Wait(kInterfaceWait)) return;
  c_.Send(c_.profile.AskInterfaceModeCode);
  MarkOpen(InterfacePanel::kMenuItem);
  interface_.Open();
}

void TestMenu::EraseCalibration() {
  const config::CalibrationMemory& memory =
      *config::ReceiveModeOf(c_.profile.ReceiveDataMode).memory;
  form::MessageBoxRequest ask;
  ask.text = std::string("To clear all ") + memory.name +
             " data?\r\n(Important\uFF1A Please recalibrate BA with a whitecard after clear.";
  ask.title = form::kToolTitle;
  ask.buttons = form::MsgButtons::OkCancel;
  ask.icon = form::MsgIcon::Exclamation;
  ask.defaultCancel = true;
  form::MessageBoxes* boxes = c_.screen.host().messages;
  if (!boxes || boxes->show(ask) != form::MsgResult::Ok) return;
  Waiting waiting(waiting_);
  c_.Send(kMemoryCommand);
  if (!Wait(kMemoryWait)) return;
  if (memory.fram) {
    c_.Send(kEraseFram);
    if (!Wait(kMemoryWait)) return;
  }
  terminalLog_.setText("");  // as every run of the click handler does
  EnterSensorAdjust();
}

}  // namespace panels
