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

// The main screen's form-level state: the acknowledge count the terminal's send sets, the
// reply interpreter's buffer, stage flags and byte counters, and the active profile. Flags
// are plain booleans; counters are 16-bit as on the wire.
struct MainState {
  // Serial link and terminal.
  int16_t CommandPending = 0;
  std::vector<uint8_t> ReceiveBuffer;
  std::string ByteText;

  // Version replies.
  bool AwaitingVersionMark = true;
  int16_t MarkStep = 1;
  int16_t VersionByteIndex = 0;
  int16_t VersionLayout = 0;
  bool ShortReplyDone = false;
  bool LongReplyDone = false;

  // Test stages.
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

  // The connected system's profile.
  config::ActiveProfile profile;

  // The sensor panels' run-time labels.
  RunTimeLabels labels;
};

using StateField = std::variant<int16_t*, bool*, std::string*, std::vector<uint8_t>*>;
// Every field of MainState with its name, for tools that print the state.
void ForEachField(MainState& s, const std::function<void(std::string_view, StateField)>& visit);

}  // namespace replies
