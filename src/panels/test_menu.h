#pragma once
#include <array>
#include <functional>

#include "panels/bill_length_panel.h"
#include "panels/bill_motor_panel.h"
#include "panels/interface_panel.h"
#include "panels/io_test_panel.h"
#include "panels/label_factories.h"
#include "panels/panel_context.h"
#include "panels/sensor_adjust_panel.h"
#include "panels/sensor_test_panel.h"
#include "panels/stacker_panel.h"

namespace panels {

// Frame1 with the test menu items Label2(0..9), as the window first shows them.
void AddTestMenu(form::Form& f);

// The test menu: "Test Mode", the entries of the test panels, "Exit" and the erase item, with
// the open mark (the item of the open panel is yellow) and the menu rules. Owns the panels it
// opens. The screen must hold the menu, the panels, the version panel and the terminal.
class TestMenu {
 public:
  explicit TestMenu(PanelContext& context);
  TestMenu(const TestMenu&) = delete;
  TestMenu& operator=(const TestMenu&) = delete;

  // A click on Label2(index); the erase item also runs it for index 4.
  void Label2_Click(int index);
  void RefreshTestMenu();
  // "Restart" (Label1): every panel closed, the grids removed, the menu locked, the device told
  // twice to leave its test mode.
  void RestartSession();

  SensorTestPanel& sensorTest() { return sensorTest_; }
  SensorAdjustPanel& sensorAdjust() { return sensorAdjust_; }

 private:
  using Entry = void (TestMenu::*)();
  static const std::array<Entry, 10> kEntries;

  void EnterTestMode();
  void EnterIoTest();
  void EnterBillMotorTest();
  void EnterStackerMotorTest();
  void EnterSensorAdjust();
  void EnterSensorTest();
  void EnterBillLengthTest();
  void LeaveTestMode();
  void EnterInterfaceSetup();
  void EraseCalibration();

  void DisableOthers(int item);
  bool IsOpen(int item) const;
  void MarkOpen(int item);
  // The common start of the panels that a second click sets up again: only the first sends
  // the mode command `code` and marks the item open.
  void ReopenablePanel(int item, int16_t config::ActiveProfile::*code);
  // A panel's Exit: the menu is offered again without the panel's open mark.
  void ReturnFromPanel(int item);
  // Waits; false when a Restart ran meanwhile, and the entry must stop.
  bool Wait(int ms);

  PanelContext& c_;
  std::array<form::Control*, 10> items_{};
  form::Control& terminalLog_;  // Text1
  form::Control& clearItem_;    // Label4(18), "Clear" of the version panel
  LabelFactories factories_;
  IoTestPanel io_;
  BillMotorPanel billMotor_;
  StackerPanel stacker_;
  BillLengthPanel billLength_;
  InterfacePanel interface_;
  SensorTestPanel sensorTest_;
  SensorAdjustPanel sensorAdjust_;
  int waiting_ = 0;  // entries inside their waits
  unsigned restarts_ = 0;
};

}  // namespace panels
