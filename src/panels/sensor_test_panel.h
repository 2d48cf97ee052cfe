#pragma once
#include <array>
#include <functional>

#include "panels/panel_context.h"

namespace panels {

// Frame7, the sensor test panel: grid pager, fixed readings and the DAC tool.
void AddSensorTestPanel(form::Form& f);

// The sensor test panel's opening for the test menu and its Exit. The run-time grid is built
// and removed through the two hooks.
class SensorTestPanel : public TestPanel {
 public:
  static constexpr int kMenuItem = 5;

  SensorTestPanel(PanelContext& context, ReturnToMenu back);
  void Open();

  std::function<void()> BuildSensorTestGrid;
  std::function<void()> RemoveSensorTestGrid;

 private:
  void Exit();

  std::array<form::Control*, 4> values_{};  // Label8(2), (4), (6), (8)
  form::Control& level_;                    // Text3
  form::Control& channel_;                  // DAC_Channel
  form::Control& pager_;                    // HScroll1
};

}  // namespace panels
