// ba-sim's line over time: the tool opening and closing it, the cable pulled and put back,
// and the acceptor's power-up and report.
#include <gtest/gtest.h>

#include "sim/line_state.h"

namespace {

using sim::LineState;
using Cable = LineState::Cable;
using Step = LineState::Step;

TEST(SimLineState, PowersUpWhenTheToolOpensTheLineAndReportsOnce) {
  LineState s;
  EXPECT_EQ(s.cable(false), Cable::kSame);
  EXPECT_EQ(s.step(0, false), Step::kIdle);
  EXPECT_EQ(s.step(1000, true), Step::kPowerUp);
  EXPECT_EQ(s.step(1010, true), Step::kStarting);
  EXPECT_EQ(s.step(1000 + LineState::kPowerUpMs - 1, true), Step::kStarting);
  EXPECT_EQ(s.step(1000 + LineState::kPowerUpMs, true), Step::kReport);
  EXPECT_EQ(s.step(1900, true), Step::kRun);
  EXPECT_EQ(s.step(5000, true), Step::kRun);

  // The tool closes the line and opens it again: the acceptor switches on anew.
  EXPECT_EQ(s.step(6000, false), Step::kIdle);
  EXPECT_EQ(s.step(7000, true), Step::kPowerUp);
  EXPECT_EQ(s.step(7500, true), Step::kStarting);
  EXPECT_EQ(s.step(7800, true), Step::kReport);
}

TEST(SimLineState, AReplugKeepsTheAcceptorRunning) {
  LineState s;
  s.step(0, true);
  s.step(800, true);
  ASSERT_EQ(s.step(900, true), Step::kRun);

  EXPECT_EQ(s.cable(true), Cable::kPulled);
  EXPECT_TRUE(s.unplugged());
  EXPECT_EQ(s.cable(true), Cable::kSame);
  EXPECT_EQ(s.step(1000, true), Step::kIdle);  // no line while the cable is out
  EXPECT_EQ(s.cable(false), Cable::kPluggedIn);
  EXPECT_FALSE(s.unplugged());
  EXPECT_EQ(s.cable(false), Cable::kSame);
  EXPECT_EQ(s.step(1100, false), Step::kIdle);  // the tool has not reopened yet
  EXPECT_EQ(s.step(2000, true), Step::kRun);    // no power-up, no second report

  // Only the first opening after a replug skips the power-up.
  EXPECT_EQ(s.step(3000, false), Step::kIdle);
  EXPECT_EQ(s.step(3100, true), Step::kPowerUp);
}

TEST(SimLineState, ACablePulledWhilePoweringUpStillEndsInTheReport) {
  LineState s;
  ASSERT_EQ(s.step(0, true), Step::kPowerUp);
  s.cable(true);
  s.cable(false);
  EXPECT_EQ(s.step(300, true), Step::kStarting);
  EXPECT_EQ(s.step(800, true), Step::kReport);
  EXPECT_EQ(s.step(810, true), Step::kRun);

  // Out and back in before any step: the acceptor still just goes on, once.
  s.cable(true);
  s.cable(false);
  EXPECT_EQ(s.step(900, true), Step::kRun);
  EXPECT_EQ(s.step(950, false), Step::kIdle);
  EXPECT_EQ(s.step(1000, true), Step::kPowerUp);
}

}  // namespace
