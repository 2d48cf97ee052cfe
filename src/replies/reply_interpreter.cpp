#include "replies/reply_interpreter.h"

#include <array>
#include <cstdio>
#include <string>

#include "base/codepage.h"

namespace replies {

namespace {

// The log's text of every byte value in decimal, in hexadecimal and as a character.
struct ByteTexts {
  std::array<std::string, 256> decimal, hex, character;
  ByteTexts() {
    for (int b = 0; b < 256; ++b) {
      char buf[4];
      std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(b));
      decimal[static_cast<size_t>(b)] = std::to_string(b);
      hex[static_cast<size_t>(b)] = buf;
      character[static_cast<size_t>(b)] = base::ByteChar(static_cast<uint8_t>(b));
    }
  }
};

const ByteTexts& Texts() {
  static const ByteTexts texts;
  return texts;
}

}  // namespace

ReplyInterpreter::ReplyInterpreter(serial::CommPort& port, console::Terminal& terminal,
                                   MainState& state)
    : port_(port), terminal_(terminal), s_(state) {}

void ReplyInterpreter::ReadReplies() {
  const int event = port_.commEvent();
  const int waiting = port_.inBufferCount();
  if (event != serial::CommPort::kEventReceive || waiting <= 0) return;
  s_.line.ReceiveBuffer = port_.input();
  for (size_t i = 0; i < s_.line.ReceiveBuffer.size(); ++i) {
    const uint8_t b = s_.line.ReceiveBuffer[i];
    s_.line.ByteText = ByteTextOf(b);
    terminal_.LogByte(static_cast<int>(i), s_.line.ByteText);
    RunStages(b);
  }
}

const std::string& ReplyInterpreter::ByteTextOf(uint8_t b) const {
  const ByteTexts& texts = Texts();
  if (terminal_.asciiChecked()) return texts.character[b];
  return terminal_.hexChecked() ? texts.hex[b] : texts.decimal[b];
}

bool ReplyInterpreter::SkipAcknowledge() {
  if (s_.line.CommandPending > 0) {
    --s_.line.CommandPending;
    return true;
  }
  return false;
}

void ReplyInterpreter::RunStages(uint8_t b) {
  // Each condition is tested when its stage is reached: a stage may switch a later one.
  const auto run = [b](const std::function<void(uint8_t)>& stage) {
    if (stage) stage(b);
  };
  if (s_.version.AwaitingVersionMark) run(stages_.versionMark);
  if (!s_.version.ShortReplyDone) run(stages_.shortVersion);
  if (!s_.version.LongReplyDone) run(stages_.longVersion);
  if (s_.tests.BillMotorTestOn && !SkipAcknowledge()) run(stages_.billMotor);
  if (s_.tests.StackerMotorTestOn) run(stages_.stackerMotor);
  if (s_.tests.IoTestOn && !SkipAcknowledge()) run(stages_.ioTest);
  if (s_.tests.SensorTestOn && !SkipAcknowledge()) run(stages_.sensorTest);
  if (s_.tests.SensorAdjustOn && !SkipAcknowledge()) run(stages_.sensorAdjust);
  if (s_.tests.BillLengthTestOn && !SkipAcknowledge()) run(stages_.billLength);
  if (s_.tests.InterfaceSetupOn && !SkipAcknowledge()) run(stages_.interfaceSetup);
}

}  // namespace replies
