#include "replies/main_state.h"

namespace replies {

void ForEachField(MainState& s, const std::function<void(std::string_view, StateField)>& visit) {
#define BA_FIELD(part, name) visit(#name, &s.part.name)
  BA_FIELD(line, CommandPending);
  BA_FIELD(line, ReceiveBuffer);
  BA_FIELD(line, ByteText);
  BA_FIELD(version, AwaitingVersionMark);
  BA_FIELD(version, MarkStep);
  BA_FIELD(version, VersionByteIndex);
  BA_FIELD(version, VersionLayout);
  BA_FIELD(version, ShortReplyDone);
  BA_FIELD(version, LongReplyDone);
  BA_FIELD(tests, BillMotorTestOn);
  BA_FIELD(tests, StackerMotorTestOn);
  BA_FIELD(tests, IoTestOn);
  BA_FIELD(tests, SensorTestOn);
  BA_FIELD(tests, SensorAdjustOn);
  BA_FIELD(tests, BillLengthTestOn);
  BA_FIELD(tests, InterfaceSetupOn);
  BA_FIELD(tests, IoByteIndex);
  BA_FIELD(tests, ShortReplyCount);
  BA_FIELD(tests, ChannelIndex);
  BA_FIELD(tests, ReplyValue);
  BA_FIELD(tests, InterfaceSetAwaited);
  BA_FIELD(tests, SensorValueRequested);
  BA_FIELD(tests, ScrollPosition);
#undef BA_FIELD
}

}  // namespace replies
