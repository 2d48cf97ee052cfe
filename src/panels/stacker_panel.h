#pragma once
#include <array>

#include "panels/panel_context.h"

namespace panels {

// Frame5, the stacker motor test panel: status display, judgement, stacking command.
void AddStackerPanel(form::Form& f);

// "Stacking Active" and Exit; the panel's opening for the test menu.
class StackerPanel : public TestPanel {
 public:
  static constexpr int kMenuItem = 3;

  StackerPanel(PanelContext& context, ReturnToMenu back);
  void Open();

 private:
  void Exit();

  std::array<form::Control*, 5> label6_{};
};

}  // namespace panels
