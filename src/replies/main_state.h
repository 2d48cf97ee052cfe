#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "config/active_profile.h"
#include "replies/run_time_labels.h"

namespace replies {

// Flags are plain booleans; counters are 16-bit as on the wire.

// The serial line's fields: the acknowledge count a send sets, and the bytes of the last read.
struct LineState {
  int16_t CommandPending = 0;
  std::vector<uint8_t> ReceiveBuffer;
  std::string ByteText;
};

// Where the version report stands.
struct VersionStages {
  bool AwaitingVersionMark = true;
  int16_t MarkStep = 1;
  int16_t VersionByteIndex = 0;
  int16_t VersionLayout = 0;
  bool ShortReplyDone = false;
  bool LongReplyDone = false;
};

// Which test is on and where its replies stand.
struct TestStages {
  bool BillMotorTestOn = false;
  bool StackerMotorTestOn = false;
  bool IoTestOn = false;
  bool SensorTestOn = false;
  bool SensorAdjustOn = false;
  bool BillLengthTestOn = false;
  bool InterfaceSetupOn = false;
  int16_t IoByteIndex = 0;
  int16_t ShortReplyCount = 0;
  int16_t ChannelIndex = 0;
  int16_t ReplyValue = 0;
  bool InterfaceSetAwaited = false;
  bool SensorValueRequested = false;
  int16_t ScrollPosition = 0;
};

// The main screen's form-level state: the parts above, the connected system's profile and the
// sensor panels' run-time labels.
struct MainState {
  LineState line;
  VersionStages version;
  TestStages tests;
  config::ActiveProfile profile;
  RunTimeLabels labels;
};

using StateField = std::variant<int16_t*, bool*, std::string*, std::vector<uint8_t>*>;
// Every field of the line, version and test parts by its own name, for tools that print the state.
void ForEachField(MainState& s, const std::function<void(std::string_view, StateField)>& visit);

}  // namespace replies
