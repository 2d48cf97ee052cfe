#include "replies/version_reply.h"

#include "base/codepage.h"
#include "base/counter.h"
#include "base/text.h"
#include "config/profile_loader.h"
#include "replies/value_formats.h"

namespace replies {

VersionReply::VersionReply(form::Form& screen, VersionStages& stages,
                           config::ActiveProfile& profile, ProfileProcedures procedures)
    : screen_(screen),
      stages_(stages),
      profile_(profile),
      procedures_(std::move(procedures)),
      restart_(screen.at("Label1")),
      testMode_(screen.at("Label2", 0)) {
  for (size_t i = 0; i < label4_.size(); ++i)
    label4_[i] = &screen.at("Label4", static_cast<int>(i));
  Label4(18).onClick = [this] { ClearVersionPanel(); };
}

void VersionReply::ClearVersionPanel() {
  for (int i = 1; i <= 17; i += 2) Label4(i).setText("");
  stages_.VersionByteIndex = 0;
  if (testMode_.enabled()) {
    testMode_.setEnabled(false);
    restart_.setEnabled(false);
  }
}

void VersionReply::StartReport(int layout) {
  ClearVersionPanel();
  stages_.AwaitingVersionMark = false;
  stages_.VersionByteIndex = 0;
  stages_.ShortReplyDone = layout != 1;
  stages_.LongReplyDone = layout != 2;
  restart_.setEnabled(false);
  testMode_.setEnabled(false);
  Label4(1).setFontSize(layout == 1 ? 12 : 10);
  Label4(4).setText(layout == 1 ? "Device" : "Device1");
  Label4(6).setText(layout == 1 ? "Judge" : "Device2");
  Label4(8).setText(layout == 1 ? "Option" : "Judge");
  stages_.VersionLayout = static_cast<int16_t>(layout);
}

void VersionReply::MarkerScan(uint8_t b) {
  switch (stages_.MarkStep) {
    case 1:
      if (b == kShortMarker) StartReport(1);
      if (b == static_cast<uint8_t>(kDeviceMark[0])) stages_.MarkStep = 2;
      break;
    case 2:
      stages_.MarkStep = b == static_cast<uint8_t>(kDeviceMark[1]) ? 3 : 1;
      break;
    case 3:
      stages_.MarkStep = 1;
      if (b == static_cast<uint8_t>(kDeviceMark[2])) StartReport(2);
      break;
    default:
      stages_.MarkStep = 1;
      break;
  }
}

void VersionReply::ShortLayout(uint8_t b) {
  const int p = stages_.VersionByteIndex;
  const auto setHex = [&](int label, bool append) {
    Label4(label).setText(append ? Label4(label).text() + HexPair(b) : HexPair(b));
  };
  if (p == 1) {
    Label4(1).setText(base::ByteChar(b));
  } else if (p >= 2 && p <= 9) {
    Label4(1).setText(Label4(1).text() + base::ByteChar(b));
  } else if (p >= 10 && p <= 21) {
    // Pairs of positions fill System, Device, Judge, Option, All ROM, User.
    setHex(3 + 2 * ((p - 10) / 2), (p - 10) % 2 == 1);
  } else if (p == 22) {
    Label4(17).setText(ByteToBits(b));
  } else if (p == 23) {
    Label4(15).setText(ByteToBits(b));
    stages_.AwaitingVersionMark = true;
    stages_.ShortReplyDone = true;
    FinishReport(-1);
  }
  base::Increment16(stages_.VersionByteIndex);
}

void VersionReply::LongLayout(uint8_t b) {
  const int p = stages_.VersionByteIndex;
  if (p >= 1 && p <= 20) {
    Label4(1).setText(Label4(1).text() + base::ByteChar(b));
  } else if (p >= 21 && p <= 24) {
    const int label = p <= 22 ? 11 : 13;  // All ROM, User
    const bool append = (p - 21) % 2 == 1;
    Label4(label).setText(append ? Label4(label).text() + HexPair(b) : HexPair(b));
  } else if (p == 25) {
    Label4(17).setText(ByteToBits(b));
  } else if (p == 26) {
    Label4(15).setText(ByteToBits(b));
  } else if (p == 27) {
    const std::string t = Label4(1).text();
    Label4(3).setText(base::CharSlice(t, 0, 7));
    Label4(5).setText(base::CharSlice(t, 7, 4));
    Label4(7).setText(base::CharSlice(t, 11, 4));
    Label4(9).setText(base::CharSlice(t, 15, 5));
    stages_.AwaitingVersionMark = true;
    stages_.LongReplyDone = true;
    FinishReport(b);
  }
  base::Increment16(stages_.VersionByteIndex);
}

void VersionReply::FinishReport(int stackerByte) {
  if (procedures_.LoadActiveProfile) procedures_.LoadActiveProfile();
  // The long report's last byte tells whether a stacker is fitted.
  if (stackerByte == 'P') profile_.WithStacker = 1;
  if (stackerByte == 'N') profile_.WithStacker = 0;
  if (procedures_.LoadInterfaceVersion) procedures_.LoadInterfaceVersion();
  if (procedures_.LoadProfilePictures) procedures_.LoadProfilePictures();
  Unlock();
}

void VersionReply::Unlock() {
  if (!procedures_.SystemStatus || procedures_.SystemStatus() == config::kUnknowable) return;
  form::WaitMs(screen_.host(), 1500);
  restart_.setEnabled(true);
  testMode_.setEnabled(true);
  Label4(18).setEnabled(true);
}

}  // namespace replies
