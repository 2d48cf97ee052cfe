// CPU of the tool's window while ba-sim streams at 9600 baud on a pseudo-terminal: the
// whole tool in this process (Qt host, device port, the main window shown), driven into
// a test panel through its widgets as the soak test does. Run from the build folder (it
// starts ./ba-sim and copies the sample set from there), under X or offscreen.
//   ba_stream_bench [SECONDS] [SYSTEM] [PANEL]   a line per panel: name, CPU s per minute, live
// The measured stretch is StreamFor, for valgrind --toggle-collect=*StreamFor*.
#include <time.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "../../tests/gui/live_tool.h"

namespace {

using gui::LiveTool;
using gui::RunFor;

double ProcessCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double WallSeconds() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

struct Panel {
  const char* name;
  // Opens the panel from the test menu; true once it shows live values.
  std::function<bool(LiveTool&)> open;
};

const Panel kPanels[] = {
    {"io",
     [](LiveTool& t) {
       t.click("Label2", 1);
       return t.filled({{"Label7", 2}, {"Label7", 4}}, 5000);
     }},
    {"sensor",
     [](LiveTool& t) {
       t.click("Label2", 5);
       return t.filled({{"SensorTestValues", 2}, {"SensorTestValues", 4}}, 5000);
     }},
    {"adjust",
     [](LiveTool& t) {
       t.click("Label2", 4);
       return t.filled({{"SensorAdjustValues", 1}, {"SensorAdjustValues", 3}}, 5000);
     }},
    {"terminal-hex",
     [](LiveTool& t) {
       t.click("Label2", 1);
       t.click("Command4");   // the terminal
       t.click("Check1", 0);  // Hex
       return t.filled({{"Label7", 2}, {"Text1", -1}}, 5000);
     }},
};

// Lets the tool stream for `ms`.
[[gnu::noinline]] void StreamFor(int ms) {
  RunFor(ms);
}

// One panel of a fresh tool against a fresh simulator: CPU seconds per minute over `seconds`.
void Measure(const Panel& panel, const std::string& system, int seconds) {
  gui::SimulatedAcceptor sim(system);
  if (!sim.ok()) {
    std::printf("%s error no-simulator\n", panel.name);
    return;
  }
  LiveTool tool(sim.folder());
  const bool known = gui::RunUntil([&] { return tool.screen().at("Label2", 0).enabled(); }, 10000);
  tool.click("Label2", 0);  // Test Mode
  RunFor(500);
  const bool live = known && panel.open(tool);
  RunFor(2000);  // settled
  const double cpu0 = ProcessCpuSeconds(), wall0 = WallSeconds();
  StreamFor(seconds * 1000);
  const double cpu = ProcessCpuSeconds() - cpu0, wall = WallSeconds() - wall0;
  std::printf("%s %.4f %s\n", panel.name, cpu / wall * 60, live ? "live" : "not-live");
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
  const std::string system = argc > 2 ? argv[2] : "Golf";
  const std::string only = argc > 3 ? argv[3] : "";
  for (const Panel& panel : kPanels) {
    if (only.empty() || only == panel.name) Measure(panel, system, seconds > 0 ? seconds : 30);
  }
  return 0;
}
