#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace {

class SerialLink : public ::testing::Test, protected support::Tool {
 protected:
  form::Control& list() { return at("ComPortList"); }
  void choose(int index) { screen().userSelect(list(), index); }
};

TEST_F(SerialLink, StartShowsTheStatusBarAndOpensPortOneAfterOneSecond) {
  std::vector<std::string> panels;
  for (int i = 1; i <= 8; ++i) panels.push_back(app.main().statusText(i));
  EXPECT_EQ(panels, (std::vector<std::string>{"Tool Version", "2.6.0", "BA System", "",
                                              "BA Interface", "", "Mode", "User Mode"}));
  ASSERT_EQ(list().listCount(), 50);
  EXPECT_EQ(list().items().front(), "1");
  EXPECT_EQ(list().items().back(), "50");
  EXPECT_EQ(list().text(), "1");
  runTo(999);
  EXPECT_FALSE(port.portOpen());
  EXPECT_EQ(port.openAttempts, 0);
  runTo(1000);
  EXPECT_TRUE(port.portOpen());
  EXPECT_EQ(port.commPort(), 1);
  runTo(5000);
  EXPECT_EQ(port.openAttempts, 1);
  EXPECT_EQ(messageBoxes, 0);
}

TEST_F(SerialLink, QuickChoicesGiveOneReopenWithTheLastOne) {
  runTo(1500);
  choose(6);
  runTo(1800);
  choose(7);
  runTo(2799);
  EXPECT_EQ(port.commPort(), 1);
  EXPECT_EQ(port.openAttempts, 1);
  runTo(2800);
  EXPECT_TRUE(port.portOpen());
  EXPECT_EQ(port.commPort(), 8);
  runTo(6000);
  EXPECT_EQ(port.openAttempts, 2);
}

TEST_F(SerialLink, APortThatFailsStaysClosedAndIsTriedAgainWhenChosenAgain) {
  line.failPort(3);
  runTo(1000);
  choose(2);
  runTo(2000);
  EXPECT_FALSE(port.portOpen());
  EXPECT_EQ(port.openAttempts, 2);
  EXPECT_EQ(messageBoxes, 0);
  choose(2);  // the same item again
  runTo(3000);
  EXPECT_EQ(port.openAttempts, 3);
  EXPECT_FALSE(port.portOpen());
  choose(3);
  runTo(4000);
  EXPECT_TRUE(port.portOpen());
  EXPECT_EQ(port.commPort(), 4);
}

TEST_F(SerialLink, AnUnpluggedPortReopensWhenChosenAgain) {
  runTo(1100);
  line.unplug();
  line.receive({1, 2});
  run(500);
  EXPECT_FALSE(port.portOpen());
  EXPECT_EQ(at("Text1").text(), "");
  choose(0);
  run(1000);
  ASSERT_TRUE(port.portOpen());
  EXPECT_EQ(port.commPort(), 1);
  line.receive({7});
  run(100);
  EXPECT_EQ(at("Text1").text(), "[0]-->7");
}

TEST_F(SerialLink, TwoSendsBackToBackLeaveOneCommandPending) {
  openTerminal();
  screen().userSetText(at("Text2"), "5");
  screen().userClick(at("Command1", 0));
  screen().userClick(at("Command1", 0));
  EXPECT_EQ(state().line.CommandPending, 1);
  EXPECT_EQ(sent(), (std::vector<int>{5, 5}));
  EXPECT_EQ(app.main().portLink().SendBuffer[0], 5);
}

TEST_F(SerialLink, UnloadClosesOnlyAnOpenPort) {
  runTo(500);
  app.unload();
  EXPECT_EQ(port.closeCalls, 0);
  runTo(3000);  // the timers are off after unload
  EXPECT_EQ(port.openAttempts, 0);

  support::Tool other;
  other.runTo(1000);
  const int closes = other.port.closeCalls;
  other.app.unload();
  EXPECT_EQ(other.port.closeCalls, closes + 1);
  EXPECT_FALSE(other.port.portOpen());
}

TEST_F(SerialLink, Rs232TogglesTheTerminalAndExitHidesIt) {
  form::Control& frame = at("Frame4");
  form::Control& rs232 = at("Command4");
  EXPECT_FALSE(frame.visible());
  screen().userClick(rs232);
  EXPECT_TRUE(frame.visible());
  screen().userClick(rs232);
  EXPECT_FALSE(frame.visible());
  screen().userClick(rs232);
  screen().userClick(at("Command1", 2));
  EXPECT_FALSE(frame.visible());
  screen().userClick(rs232);
  EXPECT_TRUE(frame.visible());
}

}  // namespace
