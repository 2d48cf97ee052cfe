#pragma once
#include "panels/panel_context.h"

namespace panels {

// The DAC tool of the sensor test panel: "All LED Light" (Command3(0)) with its LED sequence
// (Timer4, step number in its tag), SEND (Command3(1), or Enter in Text3) whose level byte
// Timer3 sends 400 ms after the channel byte, and the level entry Text3.
class DacTool {
 public:
  explicit DacTool(PanelContext& context);
  DacTool(const DacTool&) = delete;
  DacTool& operator=(const DacTool&) = delete;

  // Ends a pending SEND or a running LED sequence without sending anything more.
  void Stop();

 private:
  void AllLedLight();
  void SequenceStep();
  void Send();
  void SendLevel();
  void LevelKeyDown(int code, int shift);

  PanelContext& c_;
  form::Control& allLed_;         // Command3(0)
  form::Control& send_;           // Command3(1)
  form::Control& level_;          // Text3
  form::Control& channel_;        // DAC_Channel
  form::Control& levelTimer_;     // Timer3
  form::Control& sequenceTimer_;  // Timer4
  int dueLevel_ = 0;              // the level byte Timer3 sends, checked at SEND
};

}  // namespace panels
