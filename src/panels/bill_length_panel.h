#pragma once
#include "panels/panel_context.h"

namespace panels {

// Frame8, the bill length panel: the measured length in millimetres and Exit.
void AddBillLengthPanel(form::Form& f);

// Exit; the panel's opening for the test menu.
class BillLengthPanel : public TestPanel {
 public:
  static constexpr int kMenuItem = 6;

  BillLengthPanel(PanelContext& context, ReturnToMenu back);
  void Open();

 private:
  void Exit();

  form::Control& length_;  // Label10(1)
};

}  // namespace panels
