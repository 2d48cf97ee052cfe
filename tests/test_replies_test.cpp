// The short test-panel replies and the IO test frames, fed byte by byte to the stages as the
// chain passes them on.
#include "replies/test_replies.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "form/form.h"
#include "form/virtual_host.h"
#include "panels/bill_length_panel.h"
#include "panels/bill_motor_panel.h"
#include "panels/interface_panel.h"
#include "panels/io_test_panel.h"
#include "panels/sensor_test_panel.h"
#include "panels/stacker_panel.h"
#include "replies/io_reply.h"

namespace {

using namespace form::colours;

constexpr int kMany = 70000;  // more bytes than a 16-bit counter holds

bool AddPanels(form::Form& f) {
  panels::AddBillMotorPanel(f);
  panels::AddStackerPanel(f);
  panels::AddIoTestPanel(f);
  panels::AddSensorTestPanel(f);
  panels::AddBillLengthPanel(f);
  panels::AddInterfacePanel(f);
  return true;
}

class Bench : public ::testing::Test {
 protected:
  Bench() {
    vh.onMessageBox = [this](const form::MessageBoxRequest& r, form::MsgResult) {
      boxes.push_back(r);
    };
  }
  std::string text(const char* name, int index) const { return f.at(name, index).text(); }
  std::string L7(int index) const { return text("Label7", index); }
  // Every cell the IO stage may write, emptied, or joined with "|".
  std::string ioCells(bool clear = false) {
    std::string all;
    for (int i = 2; i <= 24; i += 2) {
      form::Control& c = i <= 20 ? f.at("Label7", i) : f.at("Label8", i - 16);
      all += c.text() + "|";
      if (clear) c.setText("");
    }
    return all;
  }
  // Feeds the IO stage a frame whose byte at position p is p, with some bytes replaced.
  void feedFrame(int mode, int length, std::vector<std::pair<int, uint8_t>> changes = {}) {
    s.profile.ReceiveDataMode = static_cast<int16_t>(mode);
    std::vector<uint8_t> bytes;
    for (int p = 1; p <= length; ++p) bytes.push_back(static_cast<uint8_t>(p));
    for (const auto& [p, b] : changes) bytes[static_cast<size_t>(p - 1)] = b;
    for (uint8_t b : bytes) io.IoTest(b);
  }

  form::VirtualHost vh;
  form::Form f{"MainScreen", vh.host()};
  bool panelsAdded = AddPanels(f);
  replies::MainState s;
  replies::TestReplies test{f, s.tests, s.profile};
  replies::IoReply io{f, s.tests, s.profile};
  std::vector<form::MessageBoxRequest> boxes;
};

using IoReplyFrames = Bench;

TEST_F(IoReplyFrames, EachModePlacesItsBytes) {
  feedFrame(0, 29, {{13, 0x81}, {14, 0x02}});
  EXPECT_EQ(ioCells(true), "1|2|01000000|10000001|19|||16|15||||");
  EXPECT_EQ(s.tests.IoByteIndex, 0);
  io.IoTest(77);  // position 1 of the next frame
  EXPECT_EQ(L7(2), "77");

  s.tests.IoByteIndex = 0;
  feedFrame(1, 2);  // the inputs swapped
  EXPECT_EQ(L7(2) + L7(4), "21");

  s.tests.IoByteIndex = 0;
  s.profile.LedNumber = 16;
  ioCells(true);
  feedFrame(5, 44, {{3, 0x01}, {4, 0xFE}});
  EXPECT_EQ(ioCells(true), "1|2|01111111|10000000|5|6|7|8|9||||");
  EXPECT_EQ(s.tests.IoByteIndex, 44);
  io.IoTest(45);
  EXPECT_EQ(s.tests.IoByteIndex, 0);

  feedFrame(6, 39);
  EXPECT_EQ(ioCells(), "||11000000|00100000|5|6|7|8|39||9|10|");
  io.IoTest(40);
  EXPECT_EQ(L7(20), "40");
  EXPECT_EQ(s.tests.IoByteIndex, 0);
}

TEST_F(IoReplyFrames, ACounterWithoutFrameEndSaturates) {
  for (auto [mode, channels] :
       {std::pair{11, 16}, {-1, 16}, {5, 0}, {5, 1}, {5, -100}, {5, 32767}}) {
    s.profile.LedNumber = static_cast<int16_t>(channels);
    s.tests.IoByteIndex = 0;
    feedFrame(mode, kMany);
    EXPECT_EQ(s.tests.IoByteIndex, 32767) << "mode " << mode << " N " << channels;
  }
  ioCells(true);
  const std::string blank = ioCells();
  s.tests.IoByteIndex = 0;
  feedFrame(11, 40);  // an unknown mode only counts
  EXPECT_EQ(ioCells(), blank);
}

using TestRepliesMotors = Bench;

TEST_F(TestRepliesMotors, BillMotorJudgesOnlyWhileTheMotorRuns) {
  s.profile.BillMotorMinimum = 100;
  s.profile.BillMotorMaximum = 140;
  form::Control& stop = f.at("Label5", 2);
  form::Control& judgement = f.at("Label5", 7);
  test.BillMotor(120);  // "Motor Stop" is yellow at start
  EXPECT_EQ(text("Label5", 6) + "/" + judgement.text(), "120/");

  stop.setForeColor(White);
  for (int b : {100, 140, 99, 141}) {
    test.BillMotor(static_cast<uint8_t>(b));
    const bool ok = b >= 100 && b <= 140;
    EXPECT_EQ(judgement.text(), ok ? "OK" : "ERROR") << b;
    EXPECT_EQ(judgement.foreColor(), ok ? Green : Red) << b;
  }
  stop.setForeColor(Yellow);
  test.BillMotor(130);
  EXPECT_EQ(text("Label5", 6) + "/" + judgement.text(), "130/ERROR");
}

TEST_F(TestRepliesMotors, StackerShowsZeroAndOneAndIgnoresTheRest) {
  form::Control& value = f.at("Label6", 1);
  form::Control& status = f.at("Label6", 2);
  test.StackerMotor(1);
  EXPECT_EQ(value.text() + status.text(), "1ERROR");
  EXPECT_TRUE(value.foreColor() == Red && status.foreColor() == Red);
  test.StackerMotor(0);
  test.StackerMotor(2);
  EXPECT_EQ(value.text() + status.text(), "0OK");
  EXPECT_TRUE(value.foreColor() == Blue && status.foreColor() == Green);
}

TEST_F(TestRepliesMotors, BillLengthShowsOnlyInMode6) {
  s.profile.ReceiveDataMode = 6;
  for (auto [high, low, shown] : {std::tuple{0x00, 0x9C, "156"}, {0x9C, 0x40, "40000"}}) {
    test.BillLength(static_cast<uint8_t>(high));
    test.BillLength(static_cast<uint8_t>(low));
    EXPECT_EQ(text("Label10", 1), shown);
    EXPECT_EQ(s.tests.ShortReplyCount, 0);
  }
  s.profile.ReceiveDataMode = 3;
  f.at("Label10", 1).setText("");
  for (int i = 0; i < kMany; ++i) test.BillLength(0x9C);
  EXPECT_EQ(text("Label10", 1), "");
  EXPECT_EQ(s.tests.ShortReplyCount, 32767);
}

using TestRepliesInterface = Bench;

TEST_F(TestRepliesInterface, ConfirmsAnAwaitedSettingOrSelectsTheReportedOne) {
  std::vector<int> clicks;
  for (int i = 0; i <= 10; ++i) f.at("Option1", i).onClick = [&clicks, i] { clicks.push_back(i); };
  s.profile.ReceiveDataMode = 6;
  s.tests.InterfaceSetAwaited = true;
  for (uint8_t b : {7, 10, 11}) test.InterfaceSetup(b);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "Q48 Interface Setup To: Pulse");
  EXPECT_EQ(boxes[0].title, "ZRN BA TEST TOOL");
  EXPECT_TRUE(boxes[0].icon == form::MsgIcon::Information &&
              boxes[0].buttons == form::MsgButtons::Ok);
  EXPECT_EQ(boxes[1].text, "Q48 Interface Setup To: $4 PANASONIC (Coupling) (EX-2500)");
  EXPECT_TRUE(clicks.empty());
  vh.host().messages = nullptr;  // no message boxes: nothing is shown
  test.InterfaceSetup(7);

  s.tests.InterfaceSetAwaited = false;
  test.InterfaceSetup(7);
  test.InterfaceSetup(12);  // unknown: "No Interface"
  EXPECT_EQ(clicks, (std::vector<int>{7, 0}));
  EXPECT_EQ(f.at("Option1", 0).value() + f.at("Option1", 7).value(), 1);
  EXPECT_EQ(s.tests.ShortReplyCount, 0);
}

}  // namespace
