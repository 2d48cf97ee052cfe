#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "form/form.h"
#include "replies/main_state.h"
#include "serial/port_link.h"

namespace panels {

// What the test menu and the test panels share: the main screen, its form-level state, the
// send operation and the access mode (the text of status panel 8).
struct PanelContext {
  form::Form& screen;
  replies::MainState& state;
  serial::PortLink& link;
  std::function<std::string()> accessMode;

  // Writes a command byte; false when it did not go out (not a byte, port closed).
  bool Send(int64_t code) { return link.SendCommandByte(code) == serial::SendResult::Sent; }
  // Sends a command the device acknowledges: CommandPending is set when the byte went out.
  void SendAcknowledged(int64_t code) {
    if (Send(code)) state.CommandPending = 1;
  }
};

// The item a panel's Exit gives back to the menu: the menu is offered again, the item loses
// its open mark, and the menu rules are applied.
using ReturnToMenu = std::function<void(int item)>;

}  // namespace panels
