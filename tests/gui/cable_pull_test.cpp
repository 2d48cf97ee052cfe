// Cables pulled while the acceptor streams into an open test panel: the window keeps running,
// spends no CPU while its port is gone (also after choosing it again too early), and choosing
// the port once the line is back reopens it and brings the terminal log and the panel's
// values back. BA_REPLUG_CYCLES sets the number of
// pulls (5 unless told).
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "gui_test_app.h"
#include "live_tool.h"

namespace gui {
namespace {

struct StreamingPanel {
  const char* title;
  int menuItem;  // Label2 index
  Cells values;  // cells the stream fills
};

// The AD sensor mode and DAC bet bytes: every frame of the IO and sensor tests carries them
// and the device keeps them, so a frame counted from a wrong byte shows other values there.
const Cells kSteady = {{"Label8", 6}, {"Label8", 8}};

void PrintTo(const StreamingPanel& panel, std::ostream* out) {
  *out << panel.title;
}

class CablePull : public ::testing::TestWithParam<StreamingPanel> {};

TEST_P(CablePull, ThePortClosesStaysIdleAndReopensWhenChosenAgain) {
  EnsureTestApp();
  const StreamingPanel& panel = GetParam();
  const int cycles = EnvNumber("BA_REPLUG_CYCLES", 5);
  constexpr int kIdleMs = 2000;  // unplugged, after the early open failed
  SimulatedAcceptor sim("Hotel");
  if (!sim.ok()) GTEST_SKIP() << "no pseudo-terminal";
  LiveTool tool(sim.folder());
  ASSERT_TRUE(tool.enterTestMode("Hotel"));
  ASSERT_TRUE(tool.click("Label2", panel.menuItem));
  ASSERT_TRUE(tool.click("Command4"));  // the terminal
  Cells watched = panel.values;
  watched.insert(watched.end(), kSteady.begin(), kSteady.end());
  const Cells blanked = watched;
  watched.emplace_back("Text1", -1);
  ASSERT_TRUE(tool.filled(watched, 5000));

  const auto anyShown = [&] {
    return std::any_of(watched.begin(), watched.end(),
                       [&](const auto& c) { return !tool.text(c.first, c.second).empty(); });
  };
  QElapsedTimer total;
  total.start();
  int closed = 0, reopened = 0, resumed = 0, quietWhileOut = 0, sameValues = 0;
  double unpluggedSeconds = 0, unpluggedCpu = 0, idleSeconds = 0, idleCpu = 0;
  qint64 slowestReopenMs = 0;
  for (int cycle = 1; cycle <= cycles && sim.running(); ++cycle) {
    std::vector<std::string> before;
    for (const auto& [name, index] : kSteady) before.push_back(tool.text(name, index));
    RunFor(cycle * 37 % 250);  // pulled at varying points of a frame
    sim.pull();
    if (!RunUntil([&] { return !tool.port().portOpen(); }, 3000)) continue;
    ++closed;
    tool.click("Command1", 1);  // Clear: the log fills only with what arrives from now on
    for (const auto& [name, index] : blanked) tool.blank(name, index);

    const double cpuAtPull = CpuSeconds();
    QElapsedTimer out;
    out.start();
    // Chosen again at once, the port finds no device a second later and stays closed.
    EXPECT_TRUE(tool.pick("ComPortList", 0));
    const form::Control& opener = tool.screen().at("Timer2");
    EXPECT_TRUE(RunUntil([&] { return !opener.enabled(); }, 5000));  // the open was tried
    RunFor(200);
    const double cpuIdle = CpuSeconds();
    QElapsedTimer idle;
    idle.start();
    RunFor(kIdleMs);
    idleCpu += CpuSeconds() - cpuIdle;
    idleSeconds += static_cast<double>(idle.elapsed()) / 1000;
    unpluggedCpu += CpuSeconds() - cpuAtPull;
    unpluggedSeconds += static_cast<double>(out.elapsed()) / 1000;
    if (!tool.port().portOpen() && !anyShown()) ++quietWhileOut;

    if (!sim.plugIn()) continue;
    QElapsedTimer reopen;
    reopen.start();
    if (!tool.pick("ComPortList", 0)) continue;  // port 1 again
    if (RunUntil([&] { return tool.port().portOpen(); }, 5000)) {
      ++reopened;
      slowestReopenMs = std::max(slowestReopenMs, reopen.elapsed());
    }
    if (!tool.filled(watched, 5000)) continue;
    ++resumed;
    RunFor(600);  // two more frames
    std::vector<std::string> after;
    for (const auto& [name, index] : kSteady) after.push_back(tool.text(name, index));
    if (after == before) {
      ++sameValues;
    } else {
      ADD_FAILURE() << "cycle " << cycle << ": " << after[0] << " " << after[1] << " instead of "
                    << before[0] << " " << before[1];
    }
  }
  const double seconds = static_cast<double>(total.elapsed()) / 1000;
  const auto perMinute = [](double cpu, double s) { return s > 0 ? cpu / s * 60 : 0; };
  std::printf(
      "%s: %d pulls in %.0f s: closed %d, quiet while out %d, reopened %d (slowest %lld "
      "ms after the pick), resumed %d, AD sensor mode and DAC bet as before %d; unplugged "
      "%.0f s using %.2f CPU s (%.3f s per minute; %.3f after the early open failed)\n",
      panel.title, cycles, seconds, closed, quietWhileOut, reopened,
      static_cast<long long>(slowestReopenMs), resumed, sameValues, unpluggedSeconds, unpluggedCpu,
      perMinute(unpluggedCpu, unpluggedSeconds), perMinute(idleCpu, idleSeconds));
  EXPECT_TRUE(sim.running());
  EXPECT_EQ(closed, cycles);
  EXPECT_EQ(quietWhileOut, cycles);
  EXPECT_EQ(reopened, cycles);
  EXPECT_EQ(resumed, cycles);
  EXPECT_EQ(sameValues, cycles);
  // A busy loop would take a whole core; the poll timer alone takes next to nothing.
  EXPECT_LT(perMinute(idleCpu, idleSeconds), 0.05 * 60);
}

INSTANTIATE_TEST_SUITE_P(
    Streaming, CablePull,
    ::testing::Values(StreamingPanel{"IO Test", 1, {{"Label7", 6}, {"Label7", 10}}},
                      StreamingPanel{
                          "Sensor Test", 5, {{"SensorTestValues", 2}, {"SensorTestValues", 4}}}),
    [](const auto& info) {
      return std::string(info.param.menuItem == 1 ? "IoTest" : "SensorTest");
    });

}  // namespace
}  // namespace gui
