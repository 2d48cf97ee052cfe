#pragma once
#include <array>

#include "panels/dac_tool.h"
#include "panels/label_factories.h"
#include "panels/panel_context.h"

namespace panels {

// Frame7, the sensor test panel: grid pager, fixed readings and the DAC tool.
void AddSensorTestPanel(form::Form& f);

// The sensor test panel: its opening for the test menu with the run-time grid, paging by
// HScroll1, and Exit.
class SensorTestPanel : public TestPanel {
 public:
  static constexpr int kMenuItem = 5;

  SensorTestPanel(PanelContext& context, ReturnToMenu back, LabelFactories& factories);
  void Open();
  // The panel as Restart leaves it: closed, the grid removed.
  void Reset();

 private:
  void Exit();
  // One column per channel (after the leading columns of modes 6 to 10) with its heading and
  // two value cells, the channel list, and the fixed readings for the access mode and system.
  void BuildSensorTestGrid();
  void ShowFixedReadings(bool expert);
  void ApplyModeToGrid();
  // Keeps the grid on the page HScroll1 shows.
  void PageGrid();
  void RemoveGrid();

  LabelFactories& factories_;
  DacTool dac_;
  std::array<form::Control*, 10> label8_{};  // Label8(0..9)
  std::array<form::Control*, 2> buttons_{};  // Command3(0), Command3(1)
  form::Control& divider_;                   // Shape1
  form::Control& level_;                     // Text3
  form::Control& channel_;                   // DAC_Channel
  form::Control& pager_;                     // HScroll1
};

}  // namespace panels
