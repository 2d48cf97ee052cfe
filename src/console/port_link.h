#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "console/capture.h"
#include "form/form.h"
#include "serial/comm_port.h"

namespace console {

enum class SendResult { Sent, OutOfRange, PortClosed };

// The port list, the one-second port opening, the 100 ms poll and the single send operation.
// Every byte read or written through port() goes to the capture while one runs.
class PortLink {
 public:
  PortLink(form::Form& screen, serial::CommPort& port);

  // Label3, ComPortList, Timer1 and Timer2, with their handlers. Timers start disabled.
  void addControls();
  // Start-up: fills the list with "1" to "50", selects the first, starts both timers.
  void load();
  // Shutdown: ends a capture and closes the port when it is open.
  void unload();

  // Writes `code` as one byte. Values outside 0..255 and sends on a closed port are refused.
  SendResult SendCommandByte(int64_t code);
  // Timer2's tick: reopens the line with the port chosen in the list.
  void OpenSelectedPort();
  // The work of Timer1's tick; the timer is off while it runs.
  void setReadReplies(std::function<void()> readReplies) { readReplies_ = std::move(readReplies); }
  // Runs after OpenSelectedPort opened the line: what arrived before is gone.
  void setOnOpened(std::function<void()> opened) { opened_ = std::move(opened); }

  serial::CommPort& port() { return captured_; }
  Capture& capture() { return capture_; }
  // The chosen port and its device, for a capture's title: "3 (/dev/ttyUSB0)".
  std::string portName() const;
  std::array<uint8_t, 1> SendBuffer{};

 private:
  enum class LineNote { Chosen, Opened, Failed, Closed };
  void Timer1Tick();
  // The list's number, or 0 when its text is none.
  int chosenPort() const;
  // The list's tool tip: the chosen port's device (looked up again unless `note` is Closed)
  // and what became of the line.
  void ShowPortTip(LineNote note);

  form::Form& screen_;
  Capture capture_;
  CapturedPort captured_;
  serial::CommPort& port_;  // captured_
  form::Control* list_ = nullptr;
  form::Control* timer1_ = nullptr;
  form::Control* timer2_ = nullptr;
  std::function<void()> readReplies_;
  std::function<void()> opened_;
  std::string device_;       // of the chosen port, at the last look
  std::string description_;  // of the chosen port, at the last look
  bool wasOpen_ = false;     // at the last poll
  bool loaded_ = false;
};

}  // namespace console
