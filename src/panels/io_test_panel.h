#pragma once
#include <array>

#include "panels/menu_rules.h"
#include "panels/panel_context.h"

namespace panels {

// Frame6, the IO test panel: rows Label7(1..20), Exit, LED mask heading and buttons Command2.
void AddIoTestPanel(form::Form& f);

// The IO test panel's buttons and Exit; its opening for the test menu.
class IoTestPanel : public TestPanel {
 public:
  static constexpr int kMenuItem = 1;

  IoTestPanel(PanelContext& context, ReturnToMenu back);

  // Shows the panel with empty value cells and the rows laid out for the system.
  void Open();
  // Hides the panel and gives the main screen back its height (Restart).
  void Hide() override;
  const IoRowControls& rows() const { return rows_; }
  form::Control& ledMaskTitle() const { return *label7_[22]; }

 private:
  // The LED mask heading and buttons at their design place, or below the lowest shown row
  // when they would cover one.
  void PlaceLedMask();
  void ButtonClick(int index);
  void Exit();

  std::array<form::Control*, 23> label7_{};
  IoRowControls rows_;
};

}  // namespace panels
