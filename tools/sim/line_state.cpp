#include "sim/line_state.h"

namespace sim {

LineState::Cable LineState::cable(bool out) {
  if (out == unplugged_) return Cable::kSame;
  unplugged_ = out;
  connected_ = false;
  if (out) return Cable::kPulled;
  replugged_ = true;
  return Cable::kPluggedIn;
}

LineState::Step LineState::step(uint64_t nowMs, bool peerOpen) {
  if (unplugged_ || !peerOpen) {
    connected_ = false;
    return Step::kIdle;
  }
  if (!connected_ && replugged_) {
    // Only the cable was out: the acceptor goes on where it was.
    connected_ = true;
    replugged_ = false;
  } else if (!connected_) {
    connected_ = true;
    poweredAt_ = nowMs + kPowerUpMs;
    reportDue_ = true;
    return Step::kPowerUp;
  }
  if (nowMs < poweredAt_) return Step::kStarting;
  if (reportDue_) {
    reportDue_ = false;
    return Step::kReport;
  }
  return Step::kRun;
}

}  // namespace sim
