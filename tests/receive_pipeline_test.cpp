#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "test_support.h"

namespace {

using replies::MainState;
using replies::ReplyStages;
using Stage = std::function<void(uint8_t)> ReplyStages::*;

// The terminal open on an open port, with the stages replaced by probes.
class ReceivePipeline : public ::testing::Test, protected support::Tool {
 protected:
  void SetUp() override {
    openTerminal();
    state().version.AwaitingVersionMark = false;
    state().version.ShortReplyDone = true;
    state().version.LongReplyDone = true;
    stages() = ReplyStages{};
  }
  ReplyStages& stages() { return app.main().interpreter().stages(); }
  std::string log() { return at("Text1").text(); }
  void read(std::vector<uint8_t> bytes) {
    line.receive(bytes);
    run(100);
  }
  void probe(Stage stage, const std::string& name) {
    stages().*stage = [this, name](uint8_t b) { seen.push_back(name + ":" + std::to_string(b)); };
  }
  std::vector<std::string> seen;
};

using Lines = std::vector<std::string>;

TEST_F(ReceivePipeline, EveryByteIsLoggedWithItsIndexInTheRead) {
  read({10, 255});
  EXPECT_EQ(log(), "[0]-->10\r\n[1]-->255");
  EXPECT_EQ(at("Text1").selStart(), 19);  // the caret follows the last line
  screen().userDblClick(at("Text1"));
  screen().userClick(at("Check1", 0));
  read({1, 2});
  read({255});
  EXPECT_EQ(log(), "[0]-->1\r\n[1]-->2\r\n[0]-->FF");
  run(1000);  // polls with nothing waiting change nothing
  EXPECT_EQ(state().line.ByteText, "FF");
  EXPECT_EQ(state().line.ReceiveBuffer, std::vector<uint8_t>{255});

  screen().userClick(at("Check1", 0));
  screen().userClick(at("Check1", 1));
  screen().userDblClick(at("Text1"));
  read({65, 0x80, 0x81});
  EXPECT_EQ(log(), "[0]-->A\r\n[1]-->\u20AC\r\n[2]-->\u0081");
}

TEST(ReceivePipelineClosed, BytesArrivingWhileThePortIsClosedAreLost) {
  support::Tool tool;
  tool.runTo(500);
  tool.line.receive({1, 2});
  tool.runTo(1000);
  tool.line.receive({3});
  tool.runTo(1100);
  EXPECT_EQ(tool.at("Text1").text(), "[0]-->3");
}

TEST_F(ReceivePipeline, StagesRunInChainOrderEachTestedWhenReached) {
  const std::pair<Stage, const char*> chain[] = {
      {&ReplyStages::versionMark, "mark"},     {&ReplyStages::shortVersion, "short"},
      {&ReplyStages::longVersion, "long"},     {&ReplyStages::billMotor, "motor"},
      {&ReplyStages::stackerMotor, "stacker"}, {&ReplyStages::ioTest, "io"},
      {&ReplyStages::sensorTest, "sensor"},    {&ReplyStages::sensorAdjust, "adjust"},
      {&ReplyStages::billLength, "length"},    {&ReplyStages::interfaceSetup, "interface"}};
  for (const auto& [stage, name] : chain) probe(stage, name);
  MainState& s = state();
  s.version.AwaitingVersionMark = true;
  s.version.ShortReplyDone = s.version.LongReplyDone = false;
  s.tests.BillMotorTestOn = s.tests.StackerMotorTestOn = s.tests.IoTestOn = s.tests.SensorTestOn =
      true;
  s.tests.SensorAdjustOn = s.tests.BillLengthTestOn = s.tests.InterfaceSetupOn = true;
  read({7});
  EXPECT_EQ(seen, (Lines{"mark:7", "short:7", "long:7", "motor:7", "stacker:7", "io:7", "sensor:7",
                         "adjust:7", "length:7", "interface:7"}));

  // A stage switches later ones for the same byte.
  s = MainState{};
  s.version.AwaitingVersionMark = false;
  s.version.ShortReplyDone = s.version.LongReplyDone = true;
  s.tests.StackerMotorTestOn = s.tests.SensorTestOn = true;
  seen.clear();
  stages().stackerMotor = [&](uint8_t b) {
    s.tests.IoTestOn = b == 1;
    s.tests.SensorTestOn = b != 1;
  };
  read({1, 2});
  EXPECT_EQ(seen, (Lines{"io:1", "sensor:2"}));
}

TEST_F(ReceivePipeline, CountedStagesSkipOneAcknowledgePerPendingCommand) {
  const std::pair<bool replies::TestStages::*, Stage> counted[] = {
      {&replies::TestStages::BillMotorTestOn, &ReplyStages::billMotor},
      {&replies::TestStages::IoTestOn, &ReplyStages::ioTest},
      {&replies::TestStages::SensorTestOn, &ReplyStages::sensorTest},
      {&replies::TestStages::SensorAdjustOn, &ReplyStages::sensorAdjust},
      {&replies::TestStages::BillLengthTestOn, &ReplyStages::billLength},
      {&replies::TestStages::InterfaceSetupOn, &ReplyStages::interfaceSetup}};
  for (const auto& [flag, stage] : counted) {
    stages() = ReplyStages{};
    probe(stage, "test");
    seen.clear();
    state().tests.*flag = true;
    state().line.CommandPending = 2;
    read({10, 11, 12, 13});
    EXPECT_EQ(seen, (Lines{"test:12", "test:13"}));
    EXPECT_EQ(state().line.CommandPending, 0);
    state().tests.*flag = false;
  }
  const std::string text = log();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6 * 4 - 1);

  stages() = ReplyStages{};
  probe(&ReplyStages::stackerMotor, "stacker");
  seen.clear();
  state().tests.StackerMotorTestOn = true;
  state().line.CommandPending = 1;
  read({20, 21});
  EXPECT_EQ(seen, (Lines{"stacker:20", "stacker:21"}));
  EXPECT_EQ(state().line.CommandPending, 1);
}

TEST_F(ReceivePipeline, AWaitingStageIsNotEnteredAgainAndLaterBytesComeAtALaterTick) {
  int depth = 0, deepest = 0;
  std::vector<std::pair<int, uint64_t>> handled;
  stages().ioTest = [&](uint8_t b) {
    deepest = std::max(deepest, ++depth);
    handled.emplace_back(b, vh.now());
    if (b == 1) form::WaitMs(vh.host(), 1500);
    --depth;
  };
  state().tests.IoTestOn = true;
  line.receive({1, 2});
  vh.schedule(1500, [&] { line.receive({20, 21}); });
  runTo(3000);
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(handled,
            (std::vector<std::pair<int, uint64_t>>{{1, 1200}, {2, 2701}, {20, 2801}, {21, 2801}}));
  EXPECT_EQ(log(), "[0]-->1\r\n[1]-->2\r\n[0]-->20\r\n[1]-->21");
}

}  // namespace
