#pragma once
#include <array>

#include "panels/panel_context.h"

namespace panels {

// Frame10, the interface setup panel: one option button per interface byte.
void AddInterfacePanel(form::Form& f);

// The option buttons with their first-click guard, and Exit; the panel's opening for the menu.
class InterfacePanel : public TestPanel {
 public:
  static constexpr int kMenuItem = 8;

  InterfacePanel(PanelContext& context, ReturnToMenu back);
  // Shows the panel with the guard armed and options 0 to 7 cleared.
  void Open();

 private:
  void OptionClick(int index);
  void Exit();

  std::array<form::Control*, 11> options_{};
};

}  // namespace panels
