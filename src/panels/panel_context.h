#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "console/port_link.h"
#include "form/form.h"
#include "replies/main_state.h"

namespace panels {

// What the test menu and the test panels share: the main screen, the parts of its state they
// read or set, the send operation and the access mode (the text of status panel 8).
struct PanelContext {
  form::Form& screen;
  replies::LineState& line;         // CommandPending
  replies::VersionStages& version;  // the menu stops and restarts the version scan
  replies::TestStages& tests;
  const config::ActiveProfile& profile;
  replies::RunTimeLabels& labels;
  console::PortLink& link;
  std::function<std::string()> accessMode;

  // Writes a command byte; false when it did not go out (not a byte, port closed).
  bool Send(int64_t code) { return link.SendCommandByte(code) == console::SendResult::Sent; }
  // Sends a command the device acknowledges: CommandPending is set when the byte went out.
  void SendAcknowledged(int64_t code) {
    if (Send(code)) line.CommandPending = 1;
  }
};

// The item a panel's Exit gives back to the menu: the menu is offered again, the item loses
// its open mark, and the menu rules are applied.
using ReturnToMenu = std::function<void(int item)>;

// The flag of TestStages that says a panel's test is on.
using TestFlag = bool replies::TestStages::*;

// What every test panel has: the shared context, its frame, its test's flag and its menu item.
class TestPanel {
 public:
  TestPanel(const TestPanel&) = delete;
  TestPanel& operator=(const TestPanel&) = delete;
  // Hides the panel's frame (Restart).
  virtual void Hide() { frame_.setVisible(false); }

 protected:
  TestPanel(PanelContext& context, ReturnToMenu back, const char* frame, TestFlag on, int item)
      : c_(context),
        frame_(context.screen.at(frame)),
        back_(std::move(back)),
        on_(on),
        item_(item) {}
  virtual ~TestPanel() = default;
  // The steps every Exit ends with: the leave command (unless `sendLeave` is false), the panel
  // hidden, the test's flag cleared and the menu given back.
  void Leave(bool sendLeave = true) {
    if (sendLeave) c_.Send(c_.profile.LeaveTestModeCode);
    Hide();
    c_.tests.*on_ = false;
    back_(item_);
  }

  PanelContext& c_;
  form::Control& frame_;

 private:
  ReturnToMenu back_;
  TestFlag on_;
  int item_;
};

}  // namespace panels
