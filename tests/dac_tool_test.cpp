#include "panels/dac_tool.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "base/key_codes.h"
#include "test_support.h"

namespace {

using Bytes = std::vector<int>;

class DacTool : public ::testing::Test, protected support::Tool {
 protected:
  void SetUp() override {
    runTo(1100);
    at("Frame7").setVisible(true);
    for (const char* item : {"1", "2", "3", "4", "5"}) channel().addItem(item);
    channel().setListIndex(3);
    state().profile.AllLedLightCode = 0x40;
    sent();
  }
  form::Control& allLed() { return at("Command3", 0); }
  form::Control& sendButton() { return at("Command3", 1); }
  form::Control& level() { return at("Text3"); }
  form::Control& channel() { return at("DAC_Channel"); }
  bool buttonsEnabled() { return allLed().enabled() && sendButton().enabled(); }
  // The bytes of each of `ticks` 400 ms steps.
  std::vector<Bytes> steps(int ticks) {
    std::vector<Bytes> out;
    for (int i = 0; i < ticks; ++i) {
      run(400);
      out.push_back(sent());
    }
    return out;
  }
  std::string typed(std::initializer_list<int> codes, int shift = 0) {
    screen().userDblClick(level());
    keys(level(), codes, shift);
    EXPECT_FALSE(level().locked());
    return level().text();
  }

  panels::PanelContext ctx{screen(),
                           state().line,
                           state().version,
                           state().tests,
                           state().profile,
                           state().labels,
                           app.main().portLink(),
                           [] { return std::string("Engineer Mode"); }};
  panels::DacTool dac{ctx};
};

TEST_F(DacTool, SendGivesChannelThenLevelWithButtonsHeld) {
  const struct {
    const char* text;
    int level;
  } cases[] = {{"200", 200}, {"255", 255}, {"0xff", 255}, {"0x1f", 31},
               {"0X5", 5},   {"0x", 0},    {"", 0},       {"007", 7}};
  for (const auto& c : cases) {
    level().setText(c.text);
    state().line.CommandPending = 0;
    EXPECT_TRUE(screen().userClick(sendButton()));
    EXPECT_EQ(sent(), Bytes{4}) << c.text;
    EXPECT_EQ(state().line.CommandPending, 1);
    EXPECT_FALSE(allLed().enabled());
    EXPECT_FALSE(sendButton().enabled());
    run(399);
    EXPECT_TRUE(sent().empty()) << c.text;
    run(1);
    EXPECT_EQ(sent(), Bytes{c.level}) << c.text;
    EXPECT_TRUE(buttonsEnabled());
    run(2000);
    EXPECT_TRUE(sent().empty()) << "Timer3 fires once";
  }
  channel().clear();
  screen().userClick(sendButton());
  EXPECT_EQ(sent(), Bytes{0});
}

TEST_F(DacTool, LevelThatIsNotAByteSendsNothing) {
  for (const char* text : {"300", "256", "0x1g", "-1", "12a", "1.5", "99999999999"}) {
    level().setText(text);
    screen().userClick(sendButton());
    run(1000);
    EXPECT_TRUE(sent().empty()) << text;
    EXPECT_TRUE(buttonsEnabled()) << text;
    EXPECT_EQ(state().line.CommandPending, 0) << text;
  }
  // Edited while the level is due, even to no byte at all: the level checked at SEND goes.
  for (const char* edit : {"26", "300", "0x1g"}) {
    level().setText("25");
    screen().userClick(sendButton());
    screen().userSetText(level(), edit);
    run(400);
    EXPECT_EQ(sent(), (Bytes{4, 25})) << edit;
    EXPECT_TRUE(buttonsEnabled());
  }
  // No channel goes out on a closed port, so no level follows it.
  port.setPortOpen(false);
  screen().userClick(sendButton());
  EXPECT_FALSE(at("Timer3").enabled());
  EXPECT_TRUE(buttonsEnabled());
}

TEST_F(DacTool, EnterSendsOnceWhileALevelIsDue) {
  level().setText("9");
  keys(level(), {13});
  keys(level(), {13});
  EXPECT_EQ(sent(), Bytes{4});
  run(400);
  EXPECT_EQ(sent(), Bytes{9});
  keys(level(), {13});
  EXPECT_EQ(sent(), Bytes{4});
  EXPECT_EQ(level().text(), "9");
}

TEST_F(DacTool, AllLedLightSendsItsCodeOutsideModesOneAndTwo) {
  screen().userClick(allLed());
  EXPECT_EQ(sent(), Bytes{0x40});
  EXPECT_TRUE(state().tests.SensorValueRequested);
  EXPECT_EQ(state().line.CommandPending, 1);
  EXPECT_TRUE(allLed().enabled());
  EXPECT_TRUE(steps(3) == std::vector<Bytes>(3));
}

TEST_F(DacTool, LedSequenceLightsChannelsOneToFive) {
  state().profile.ReceiveDataMode = 2;
  for (int round = 0; round < 2; ++round) {
    screen().userClick(allLed());
    EXPECT_FALSE(allLed().enabled());
    EXPECT_TRUE(sent().empty());
    const std::vector<Bytes> expected = {{1}, {255}, {2}, {255}, {3}, {255},
                                         {4}, {255}, {5}, {255}, {},  {}};
    EXPECT_EQ(steps(12), expected) << "round " << round;
    EXPECT_TRUE(allLed().enabled());
    EXPECT_TRUE(state().tests.SensorValueRequested);
    EXPECT_EQ(at("Timer4").tag(), "1");
    state().tests.SensorValueRequested = false;
  }
}

TEST_F(DacTool, StopSilencesSequenceAndPendingSend) {
  state().profile.ReceiveDataMode = 2;
  screen().userClick(allLed());
  EXPECT_EQ(steps(2), (std::vector<Bytes>{{1}, {255}}));
  screen().userClick(sendButton());
  sent();
  dac.Stop();
  run(5000);
  EXPECT_TRUE(sent().empty());
  EXPECT_TRUE(buttonsEnabled());
  EXPECT_EQ(at("Timer4").tag(), "1");
  screen().userClick(allLed());
  EXPECT_EQ(steps(1), std::vector<Bytes>{{1}});
}

TEST_F(DacTool, KeyFilterAdmitsDecimalBytes) {
  EXPECT_EQ(typed({50, 53, 53}), "255");
  EXPECT_EQ(typed({50, 53, 54}), "25");
  EXPECT_EQ(typed({50, 52, 57}), "249");
  EXPECT_EQ(typed({50, 54, 48}), "26");
  EXPECT_EQ(typed({49, 57, 57}), "199");
  EXPECT_EQ(typed({51, 48, 48}), "30");
  EXPECT_EQ(typed({49, 50, 51, 52}), "123");
  EXPECT_EQ(typed({98, 101, 102}), "25");  // keypad
  EXPECT_EQ(typed({49, 8, 50}), "2");
  EXPECT_EQ(typed({49, 32, 189, 190, 37}), "1");  // Space, minus, point, arrow
  EXPECT_EQ(typed({53}, base::kShiftBit), "");    // Shift+5 types "%"
}

TEST_F(DacTool, KeyFilterAdmitsHexOnlyAfterZeroX) {
  EXPECT_EQ(typed({88}), "");
  EXPECT_EQ(typed({49, 88}), "1");
  EXPECT_EQ(typed({65, 70}), "");
  EXPECT_EQ(typed({48, 88, 70, 70}), "0xff");
  EXPECT_EQ(typed({48, 88, 49, 70}, base::kShiftBit), "");  // Shift+0 types ")"
  typed({48, 88});
  keys(level(), {65, 57});
  EXPECT_EQ(level().text(), "0xa9");
  screen().userDblClick(level());
  EXPECT_EQ(level().text(), "");
}

}  // namespace
