#pragma once
#include <functional>

#include "panels/panel_context.h"

namespace panels {

// Frame9, the sensor adjust panel: title, table pager VScroll2 and Exit.
void AddSensorAdjustPanel(form::Form& f);

// The sensor adjust panel's opening for the test menu and its Exit. The run-time table is
// built and removed through the two hooks.
class SensorAdjustPanel : public TestPanel {
 public:
  static constexpr int kMenuItem = 4;

  SensorAdjustPanel(PanelContext& context, ReturnToMenu back);
  void Open();

  std::function<void()> BuildSensorAdjustTable;
  std::function<void()> RemoveSensorAdjustTable;

 private:
  void Exit();

  form::Control& pager_;  // VScroll2
};

}  // namespace panels
