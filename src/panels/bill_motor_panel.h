#pragma once
#include <array>

#include "panels/panel_context.h"

namespace panels {

// Frame3, the bill motor test panel: raster display, judgement and the motor commands.
void AddBillMotorPanel(form::Form& f);

// The motor commands, their colour marks and Exit; the panel's opening for the test menu.
class BillMotorPanel : public TestPanel {
 public:
  static constexpr int kMenuItem = 2;

  BillMotorPanel(PanelContext& context, ReturnToMenu back);
  void Open();

 private:
  // Marks the motor command `active` (2 stop, 3 forward, 4 backward) yellow.
  void MarkCommand(int active);
  void MotorClick(int index);
  void Exit();

  std::array<form::Control*, 8> label5_{};
};

}  // namespace panels
