// The setup screen with the largest system: its deferred display (reading the parameter file
// and building 85 channels of grid) and a Modify + Save that rewrites both files and reloads.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/application.h"
#include "app/main_screen.h"
#include "form/virtual_host.h"
#include "serial/loopback_port.h"
#include "setup/setup_window.h"

namespace {

struct SetupRig {
  std::string folder = MakeFolder();
  form::VirtualHost vh;
  serial::LoopbackPort port{[this] { return vh.now(); }};
  app::Application app{vh.host(), port, folder};
  form::Form& setup = app.setupForm();

  SetupRig() {
    app.load();
    app.main().setStatusText(8, "Admin Mode");
    app.main().form().userClick(app.main().form().at("Command5"));
    setup.userTab(setup.at("SSTab1"), 1);
    vh.runUntil(vh.now() + 100);
  }
  ~SetupRig() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  static std::string MakeFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ba-bench-XXXXXX").string();
    const std::string folder = ::mkdtemp(pattern.data()) ? pattern : std::string(".");
    std::ofstream(folder + "/SystemVersion.txt") << "A,0,,,Small,Alpha\r\nB,0,,,Wide,Alpha\r\n";
    std::string wide = "Alpha,Wide,w.png,s.png,1200,1800,1,5,85,0";
    for (int e = 1; e <= 6 * 85; ++e) wide += "," + std::to_string(e % 1000);
    std::ofstream(folder + "/ParameterSetup.txt")
        << "Alpha,Small,a.png,s.png,1,2,0,0,1,0,1,2,3,4,5,6,0\r\n"
        << wide << ",1\r\n";
    return folder;
  }
  // Picks the system of row `row` and lets the deferred display run.
  void Show(int row) {
    setup.userSelect(setup.at("Combo2"), row);
    vh.runUntil(vh.now() + 100);
  }
};

void BM_SetupDisplay85(benchmark::State& state) {
  SetupRig rig;
  for (auto _ : state) {
    rig.Show(1);
    state.PauseTiming();
    rig.Show(0);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SetupDisplay85)->Unit(benchmark::kMillisecond);

void BM_SetupSave85(benchmark::State& state) {
  SetupRig rig;
  for (auto _ : state) {
    state.PauseTiming();
    rig.Show(1);
    rig.setup.userClick(rig.setup.at("Command3", 2));
    state.ResumeTiming();
    rig.setup.userClick(rig.setup.at("Command3", 3));
    rig.vh.runUntil(rig.vh.now() + 100);
  }
}
BENCHMARK(BM_SetupSave85)->Unit(benchmark::kMillisecond);

}  // namespace
