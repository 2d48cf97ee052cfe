#pragma once
#include <array>
#include <cstdint>
#include <functional>

#include "form/form.h"
#include "serial/comm_port.h"

namespace console {

enum class SendResult { Sent, OutOfRange, PortClosed };

// The port list, the one-second port opening, the 100 ms poll and the single send operation.
class PortLink {
 public:
  PortLink(form::Form& screen, serial::CommPort& port);

  // Label3, ComPortList, Timer1 and Timer2, with their handlers. Timers start disabled.
  void addControls();
  // Start-up: fills the list with "1" to "50", selects the first, starts both timers.
  void load();
  // Shutdown: closes the port when it is open.
  void unload();

  // Writes `code` as one byte. Values outside 0..255 and sends on a closed port are refused.
  SendResult SendCommandByte(int64_t code);
  // Timer2's tick: reopens the line with the port chosen in the list.
  void OpenSelectedPort();
  // The work of Timer1's tick; the timer is off while it runs.
  void setReadReplies(std::function<void()> readReplies) { readReplies_ = std::move(readReplies); }
  // Runs after OpenSelectedPort opened the line: what arrived before is gone.
  void setOnOpened(std::function<void()> opened) { opened_ = std::move(opened); }

  serial::CommPort& port() { return port_; }
  std::array<uint8_t, 1> SendBuffer{};

 private:
  void Timer1Tick();

  form::Form& screen_;
  serial::CommPort& port_;
  form::Control* list_ = nullptr;
  form::Control* timer1_ = nullptr;
  form::Control* timer2_ = nullptr;
  std::function<void()> readReplies_;
  std::function<void()> opened_;
  bool loaded_ = false;
};

}  // namespace console
