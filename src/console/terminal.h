#pragma once
#include <cstdint>
#include <string>

#include "console/port_link.h"
#include "form/form.h"

namespace console {

// The byte terminal (Frame4): one-byte entry with its key filter, the receive log, the two
// display options the reply interpreter reads and the capture button.
class Terminal {
 public:
  Terminal(form::Form& screen, PortLink& link, int16_t& commandPending);

  // Frame4 and its controls, hidden at start.
  void addControls();
  // "RS232": shows or hides the terminal.
  void Toggle();
  // "Send" (also Enter in the entry box).
  void Send();

  // Appends one log line "[i]-->text" to the receive log.
  void LogByte(int index, const std::string& byteText);
  bool hexChecked() const { return hex_->value() == 1; }
  bool asciiChecked() const { return ascii_->value() == 1; }

 private:
  void addButtons();
  void wireHandlers();
  void EntryKeyDown(int code);
  void CheckClick(int index);
  void ShowEntryProblem(const std::string& why);
  void ClearEntryProblem();
  void CaptureClick();
  void ShowCaptureState();

  form::Form& screen_;
  PortLink& link_;
  int16_t& commandPending_;
  form::Control* frame_ = nullptr;
  form::Control* log_ = nullptr;
  form::Control* entry_ = nullptr;
  form::Control* hex_ = nullptr;
  form::Control* ascii_ = nullptr;
  form::Control* capture_ = nullptr;  // cmdCapture
  std::string line_;  // the line being logged
};

}  // namespace console
