#include "replies/test_replies.h"

#include <string>

#include "base/counter.h"
#include "config/receive_modes.h"

namespace replies {

namespace {

constexpr char kMessageTitle[] = "ZRN BA TEST TOOL";  // these boxes spell the name in capitals
constexpr char kInterfaceSetTo[] = "Q48 Interface Setup To: ";

// Whether the system has the bill length and interface setup tests, whose replies are read.
bool LengthAndInterface(const config::ActiveProfile& profile) {
  return config::ReceiveModeOf(profile.ReceiveDataMode).lengthAndInterface;
}

}  // namespace

using namespace form::colours;

TestReplies::TestReplies(form::Form& screen, TestStages& tests,
                         const config::ActiveProfile& profile)
    : host_(screen.host()),
      tests_(tests),
      profile_(profile),
      motorStop_(screen.at("Label5", 2)),
      raster_(screen.at("Label5", 6)),
      judgement_(screen.at("Label5", 7)),
      stackerValue_(screen.at("Label6", 1)),
      stackerStatus_(screen.at("Label6", 2)),
      billLength_(screen.at("Label10", 1)) {
  for (size_t i = 0; i < options_.size(); ++i)
    options_[i] = &screen.at("Option1", static_cast<int>(i));
}

void TestReplies::BillMotor(uint8_t b) {
  raster_.setText(std::to_string(b));
  if (motorStop_.foreColor() == Yellow) return;  // stopped: the number only
  const bool inRange = profile_.BillMotorMinimum <= b && b <= profile_.BillMotorMaximum;
  judgement_.setText(inRange ? "OK" : "ERROR");
  judgement_.setForeColor(inRange ? Green : Red);
}

void TestReplies::StackerMotor(uint8_t b) {
  if (b == 1) {
    stackerValue_.setText("1");
    stackerValue_.setForeColor(Red);
    stackerStatus_.setText("ERROR");
    stackerStatus_.setForeColor(Red);
  } else if (b == 0) {
    stackerValue_.setText("0");
    stackerValue_.setForeColor(Blue);
    stackerStatus_.setText("OK");
    stackerStatus_.setForeColor(Green);
  }
}

void TestReplies::BillLength(uint8_t b) {
  const int count = base::Increment16(tests_.ShortReplyCount);
  if (!LengthAndInterface(profile_)) return;
  if (count == 1) {
    tests_.ReplyValue = b;
  } else if (count == 2) {
    // High byte first, in int: a high byte of 128 or more still shows its length.
    billLength_.setText(std::to_string(int{tests_.ReplyValue} * 256 + b));
    tests_.ShortReplyCount = 0;
  }
}

void TestReplies::InterfaceSetup(uint8_t b) {
  const int count = base::Increment16(tests_.ShortReplyCount);
  if (!LengthAndInterface(profile_) || count != 1) return;
  if (tests_.InterfaceSetAwaited) {
    // The device confirms the interface just sent.
    if (b < kInterfaceCount) ConfirmInterface(*options_[b]);
  } else {
    // The device reports the interface set; selecting it raises the option's Click.
    options_[b < kInterfaceCount ? b : 0]->setValue(1);
  }
  tests_.ShortReplyCount = 0;
}

void TestReplies::ConfirmInterface(const form::Control& option) {
  if (!host_.messages) return;
  form::MessageBoxRequest request;
  request.text = kInterfaceSetTo + option.text();
  request.title = kMessageTitle;
  request.buttons = form::MsgButtons::Ok;
  request.icon = form::MsgIcon::Information;
  host_.messages->show(request);
}

}  // namespace replies
