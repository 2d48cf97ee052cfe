#include "replies/reply_interpreter.h"

#include <cstdio>

#include "base/codepage.h"

namespace replies {

ReplyInterpreter::ReplyInterpreter(serial::CommPort& port, serial::Terminal& terminal,
                                   MainState& state)
    : port_(port), terminal_(terminal), s_(state) {}

void ReplyInterpreter::ReadReplies() {
  const int event = port_.commEvent();
  const int waiting = port_.inBufferCount();
  if (event != serial::CommPort::kEventReceive || waiting <= 0) return;
  s_.ReceiveBuffer = port_.input();
  for (size_t i = 0; i < s_.ReceiveBuffer.size(); ++i) {
    const uint8_t b = s_.ReceiveBuffer[i];
    s_.ByteText = ByteTextOf(b);
    terminal_.LogByte(static_cast<int>(i), s_.ByteText);
    RunStages(b);
  }
}

std::string ReplyInterpreter::ByteTextOf(uint8_t b) const {
  if (terminal_.asciiChecked()) return base::ByteChar(b);
  char buf[4];
  std::snprintf(buf, sizeof buf, terminal_.hexChecked() ? "%X" : "%u", static_cast<unsigned>(b));
  return buf;
}

bool ReplyInterpreter::SkipAcknowledge() {
  if (s_.CommandPending > 0) {
    --s_.CommandPending;
    return true;
  }
  return false;
}

void ReplyInterpreter::RunStages(uint8_t b) {
  // Each condition is tested when its stage is reached: a stage may switch a later one.
  const auto run = [b](const std::function<void(uint8_t)>& stage) {
    if (stage) stage(b);
  };
  if (s_.AwaitingVersionMark) run(stages_.versionMark);
  if (!s_.ShortReplyDone) run(stages_.shortVersion);
  if (!s_.LongReplyDone) run(stages_.longVersion);
  if (s_.BillMotorTestOn && !SkipAcknowledge()) run(stages_.billMotor);
  if (s_.StackerMotorTestOn) run(stages_.stackerMotor);
  if (s_.IoTestOn && !SkipAcknowledge()) run(stages_.ioTest);
  if (s_.SensorTestOn && !SkipAcknowledge()) run(stages_.sensorTest);
  if (s_.SensorAdjustOn && !SkipAcknowledge()) run(stages_.sensorAdjust);
  if (s_.BillLengthTestOn && !SkipAcknowledge()) run(stages_.billLength);
  if (s_.InterfaceSetupOn && !SkipAcknowledge()) run(stages_.interfaceSetup);
}

}  // namespace replies
