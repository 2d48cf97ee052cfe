#pragma once
#include <cstdint>

namespace sim {

// What ba-sim does with its line at each turn of its loop: the cable going out and back in,
// and the acceptor powering up a moment after the tool opens the line, then reporting itself.
// A pulled cable keeps the acceptor running: after a replug it goes on where it was. The tool
// closing the line while the cable is in counts as the acceptor switched off.
class LineState {
 public:
  // Time from the tool opening the line to the acceptor's report.
  static constexpr uint64_t kPowerUpMs = 800;

  enum class Cable {
    kSame,
    kPulled,     // drop the line and its link
    kPluggedIn,  // open a new line under the same link
  };
  // Whether the cable is out now (by the fault list or the signal).
  Cable cable(bool out);
  bool unplugged() const { return unplugged_; }

  enum class Step {
    kIdle,      // the cable is out or nobody holds the line open
    kPowerUp,   // the tool just opened the line: the acceptor switches on, nothing answers
    kStarting,  // still powering up: nothing answers
    kReport,    // the report goes out, then bytes come and go
    kRun,       // bytes come and go
  };
  // What to do at `nowMs` while the tool holds the line open (`peerOpen`) or not.
  Step step(uint64_t nowMs, bool peerOpen);

 private:
  bool unplugged_ = false;
  bool connected_ = false;  // the tool has the line open since the last step
  bool replugged_ = false;  // the cable came back; the acceptor did not switch off
  bool reportDue_ = false;
  uint64_t poweredAt_ = 0;
};

}  // namespace sim
