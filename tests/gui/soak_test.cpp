// What soak.sh runs and watches from outside: the tool streams a simulated acceptor at 9600
// baud for BA_SOAK_SECONDS while the user goes round the IO test with the terminal open, the
// sensor test and sensor adjust page by page, and a byte sent from the terminal. Disabled in
// the ordinary runs; soak.sh samples this process's memory and CPU.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <cstdio>
#include <functional>
#include <iterator>

#include "gui_test_app.h"
#include "live_tool.h"

namespace gui {
namespace {

TEST(Soak, DISABLED_PanelsStreamAtLineRate) {
  EnsureTestApp();
  const int seconds = EnvNumber("BA_SOAK_SECONDS", 60);
  SimulatedAcceptor sim("Kilo");  // 60 channels: eight sensor test pages, five adjust pages
  ASSERT_TRUE(sim.ok());
  LiveTool tool(sim.folder());
  ASSERT_TRUE(tool.enterTestMode("Kilo"));

  int sensorPages = 0, adjustPages = 0;
  struct Phase {
    const char* name;
    std::function<bool()> run;  // true when it showed live values
    int runs = 0, live = 0;
  };
  Phase phases[] = {
      {"IO test with the terminal log",
       [&] {
         EXPECT_TRUE(tool.click("Label2", 1));
         EXPECT_TRUE(tool.click("Command4"));
         tool.blank("Label7", 6);
         const bool live = tool.filled({{"Label7", 6}, {"Label7", 10}, {"Text1", -1}}, 5000);
         RunFor(5000);
         EXPECT_TRUE(tool.click("Label7", 21));  // Exit
         return live;
       }},
      {"sensor test, every page",
       [&] {
         EXPECT_TRUE(tool.click("Label2", 5));
         const bool live = tool.filled({{"SensorTestValues", 2}, {"SensorTestValues", 4}}, 5000);
         RunFor(1500);
         while (tool.step("HScroll1")) {
           ++sensorPages;
           RunFor(1000);
         }
         EXPECT_TRUE(tool.click("Label8", 10));  // Exit
         return live;
       }},
      {"sensor adjust, every page",
       [&] {
         EXPECT_TRUE(tool.click("Label2", 4));
         const bool live =
             tool.filled({{"SensorAdjustValues", 1}, {"SensorAdjustValues", 3}}, 5000);
         while (tool.step("VScroll2")) {
           ++adjustPages;
           RunFor(800);
         }
         EXPECT_TRUE(tool.click("Label9", 1));  // Exit
         return live;
       }},
      {"a byte typed in the terminal",
       [&] {
         EXPECT_TRUE(tool.click("Command1", 1));  // Clear
         tool.type("Text2", "0x21");
         const bool live = RunUntil([&] { return tool.text("Text1") == "[0]-->33"; }, 3000);
         EXPECT_TRUE(tool.click("Command4"));  // closes the terminal
         return live;
       }},
  };
  QElapsedTimer clock;
  clock.start();
  for (int round = 0; sim.running(); ++round) {
    Phase& phase = phases[round % std::size(phases)];
    if (clock.elapsed() >= seconds * 1000LL) break;
    ++phase.runs;
    if (phase.run()) ++phase.live;
    RunFor(500);
  }
  std::printf("%lld s:", static_cast<long long>(clock.elapsed() / 1000));
  for (const Phase& phase : phases)
    std::printf(" %s %d/%d live;", phase.name, phase.live, phase.runs);
  std::printf(" page turns: sensor test %d, sensor adjust %d\n", sensorPages, adjustPages);
  std::fflush(stdout);
  EXPECT_TRUE(sim.running());
  for (const Phase& phase : phases) EXPECT_EQ(phase.live, phase.runs) << phase.name;
  EXPECT_GT(sensorPages, 0);
  EXPECT_GT(adjustPages, 0);
}

}  // namespace
}  // namespace gui
