#include "panels/restart.h"

#include "form/form.h"
#include "form/host.h"
#include "panels/test_menu.h"

namespace panels {

using namespace form;
using namespace form::colours;

namespace {
constexpr int kFirstItem = 1, kLastItem = 9;
constexpr int kRestartWait = 500;
}  // namespace

void AddRestartLabel(Form& f) {
  f.add(ControlDesign{.kind = Kind::Label,
                      .name = "Label1",
                      .caption = "Restart",
                      .left = 120,
                      .top = 120,
                      .width = 1095,
                      .height = 375,
                      .fore = Black,
                      .back = HighlightText,
                      .fontSize = 14.25,
                      .bold = true,
                      .enabled = false,
                      .hand = true});
}

void TestMenu::RestartSession() {
  ++restarts_;  // an entry waiting between its bytes stops
  for (int i = kFirstItem; i <= kLastItem; ++i) items_[static_cast<size_t>(i)]->setVisible(false);
  c_.version.AwaitingVersionMark = true;
  items_[0]->setEnabled(true);
  clearItem_.setEnabled(true);
  billMotor_.Hide();
  c_.tests.BillMotorTestOn = false;
  stacker_.Hide();
  c_.tests.StackerMotorTestOn = false;
  io_.Hide();
  c_.tests.IoTestOn = false;
  sensorTest_.Reset();
  sensorAdjust_.Reset();
  billLength_.Hide();
  c_.tests.BillLengthTestOn = false;
  interface_.Hide();
  c_.tests.InterfaceSetupOn = false;
  c_.tests.InterfaceSetAwaited = false;
  c_.Send(c_.profile.LeaveTestModeCode);
  WaitMs(c_.screen.host(), kRestartWait);
  c_.Send(c_.profile.LeaveTestModeCode);
}

}  // namespace panels
