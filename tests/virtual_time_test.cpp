#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/form.h"
#include "form/virtual_host.h"

namespace {

using form::Control;
using form::Kind;

class VirtualTime : public ::testing::Test {
 protected:
  // A disabled timer that logs "name@time" on each tick.
  Control& timer(const char* name, int interval) {
    Control& t = *f.add(Kind::Timer, name);
    t.setEnabled(false);
    t.setInterval(interval);
    t.onTimer = [this, name] { note(name); };
    return t;
  }
  void note(const std::string& what) { log.push_back(what + "@" + std::to_string(vh.now())); }
  form::VirtualHost vh;
  form::Form f{"Screen", vh.host()};
  std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST_F(VirtualTime, TimersTickAtTheirDueTimesInTheOrderTheyWereEnabled) {
  Control& a = timer("A", 100);
  Control& b = timer("B", 100);
  Control& c = timer("C", 200);
  b.setEnabled(true);
  a.setEnabled(true);
  c.setEnabled(true);
  vh.runUntil(99);
  EXPECT_TRUE(log.empty());
  vh.runUntil(200);  // a tick does not change a timer's place
  EXPECT_EQ(log, (Log{"B@100", "A@100", "B@200", "A@200", "C@200"}));
  log.clear();
  c.setEnabled(false);
  b.setEnabled(true);  // at 200: B was last enabled, and restarts
  a.setEnabled(true);
  b.setEnabled(true);
  vh.runUntil(300);
  EXPECT_EQ(log, (Log{"A@300", "B@300"}));
}

TEST_F(VirtualTime, EnablingRestartsTheCountdown) {
  Control& a = timer("A", 100);
  a.setEnabled(true);
  vh.schedule(60, [&] { a.setEnabled(true); });  // already enabled: still restarts
  vh.schedule(200, [&] { a.setEnabled(false); });
  vh.schedule(230, [&] { a.setEnabled(true); });
  vh.runUntil(400);
  EXPECT_EQ(log, (Log{"A@160", "A@330"}));
}

TEST_F(VirtualTime, RemovedTimersStopAndANewOneOfTheSameNameStartsAfresh) {
  timer("A", 100).setEnabled(true);
  vh.runUntil(150);
  f.remove("A");
  vh.runUntil(180);
  timer("A", 100).setEnabled(true);
  vh.runUntil(300);
  EXPECT_EQ(log, (Log{"A@100", "A@280"}));
}

TEST_F(VirtualTime, WaitLetsTimersAndScheduledActionsRun) {
  Control& a = timer("A", 200);
  vh.schedule(1150, [&] { a.setEnabled(true); });
  vh.schedule(1400, [&] { note("action"); });
  vh.schedule(1200, [&] {
    note("wait");
    form::WaitMs(vh.host(), 500);
    note("back");
  });
  vh.runUntil(1300);  // the handler's wait carries the clock past the end
  EXPECT_EQ(vh.now(), 1701u);
  EXPECT_EQ(log, (Log{"wait@1200", "A@1350", "action@1400", "A@1550", "back@1701"}));
  log.clear();
  vh.runUntil(1800);
  EXPECT_EQ(log, (Log{"A@1750"}));
}

}  // namespace
