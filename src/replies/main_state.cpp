#include "replies/main_state.h"

namespace replies {

void ForEachField(MainState& s, const std::function<void(std::string_view, StateField)>& visit) {
#define BA_FIELD(name) visit(#name, &s.name)
  BA_FIELD(CommandPending);
  BA_FIELD(ReceiveBuffer);
  BA_FIELD(ByteText);
  BA_FIELD(AwaitingVersionMark);
  BA_FIELD(MarkStep);
  BA_FIELD(VersionByteIndex);
  BA_FIELD(VersionLayout);
  BA_FIELD(ShortReplyDone);
  BA_FIELD(LongReplyDone);
  BA_FIELD(BillMotorTestOn);
  BA_FIELD(StackerMotorTestOn);
  BA_FIELD(IoTestOn);
  BA_FIELD(SensorTestOn);
  BA_FIELD(SensorAdjustOn);
  BA_FIELD(BillLengthTestOn);
  BA_FIELD(InterfaceSetupOn);
  BA_FIELD(IoByteIndex);
  BA_FIELD(ShortReplyCount);
  BA_FIELD(ChannelIndex);
  BA_FIELD(ReplyValue);
  BA_FIELD(InterfaceSetAwaited);
  BA_FIELD(SensorValueRequested);
  BA_FIELD(ScrollPosition);
#undef BA_FIELD
}

}  // namespace replies
