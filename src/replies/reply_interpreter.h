#pragma once
#include <cstdint>
#include <functional>

#include "console/terminal.h"
#include "replies/main_state.h"
#include "serial/comm_port.h"

namespace replies {

// The per-byte stages of the chain, in the order they run. A stage left empty consumes
// nothing. The test stages marked below see only bytes that are not acknowledge bytes.
struct ReplyStages {
  std::function<void(uint8_t)> versionMark;     // while AwaitingVersionMark
  std::function<void(uint8_t)> shortVersion;    // while not ShortReplyDone
  std::function<void(uint8_t)> longVersion;     // while not LongReplyDone
  std::function<void(uint8_t)> billMotor;       // acknowledge skipped
  std::function<void(uint8_t)> stackerMotor;    // sees every byte
  std::function<void(uint8_t)> ioTest;          // acknowledge skipped
  std::function<void(uint8_t)> sensorTest;      // acknowledge skipped
  std::function<void(uint8_t)> sensorAdjust;    // acknowledge skipped
  std::function<void(uint8_t)> billLength;      // acknowledge skipped
  std::function<void(uint8_t)> interfaceSetup;  // acknowledge skipped
};

// Reads what the device sent, logs every byte in the terminal and passes each byte through
// the stage chain. Run only from the poll timer, which is off meanwhile.
class ReplyInterpreter {
 public:
  ReplyInterpreter(serial::CommPort& port, console::Terminal& terminal, MainState& state);

  void ReadReplies();
  ReplyStages& stages() { return stages_; }

 private:
  const std::string& ByteTextOf(uint8_t b) const;
  void RunStages(uint8_t b);
  // True when the byte is the device's acknowledge of a command: it is counted off.
  bool SkipAcknowledge();

  serial::CommPort& port_;
  console::Terminal& terminal_;
  MainState& s_;
  ReplyStages stages_;
};

}  // namespace replies
