#pragma once

#include "panels/label_factories.h"
#include "panels/panel_context.h"

namespace panels {

// Frame9, the sensor adjust panel: title, table pager VScroll2 and Exit.
void AddSensorAdjustPanel(form::Form& f);

// The sensor adjust panel: its opening for the test menu with the run-time table, paging by
// VScroll2, and Exit.
class SensorAdjustPanel : public TestPanel {
 public:
  static constexpr int kMenuItem = 4;

  SensorAdjustPanel(PanelContext& context, ReturnToMenu back, LabelFactories& factories);
  void Open();
  // The panel as Restart leaves it: closed, the table removed.
  void Reset();

 private:
  void Exit();
  // One row per channel under the column headings, pages of twelve rows, the two range
  // columns from the profile.
  void BuildSensorAdjustTable();
  void HideUnusedCells();
  // Keeps the table on the page VScroll2 shows.
  void PageTable();
  void RemoveTable();

  LabelFactories& factories_;
  form::Control& pager_;  // VScroll2
};

}  // namespace panels
