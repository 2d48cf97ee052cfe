#pragma once
#include "panels/panel_context.h"

namespace panels {

// Frame8, the bill length panel: the measured length in millimetres and Exit.
void AddBillLengthPanel(form::Form& f);

// Exit; the panel's opening for the test menu.
class BillLengthPanel {
 public:
  static constexpr int kMenuItem = 6;

  BillLengthPanel(PanelContext& context, ReturnToMenu back);
  void Open();

 private:
  void Exit();

  PanelContext& c_;
  ReturnToMenu back_;
  form::Control& frame_;
  form::Control& length_;  // Label10(1)
};

}  // namespace panels
