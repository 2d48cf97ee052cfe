// Opening the setup screen in Admin Mode with the view drawing and painting it (offscreen),
// the first system of the files having 85 channels: the screen built and shown on its Login
// tab, then the "System Parameter" tab with the system's 85-channel grid.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/main_screen.h"
#include "form/virtual_host.h"
#include "serial/loopback_port.h"
#include "setup/setup_window.h"
#include "view_rig.h"

namespace {

std::string WideSystemFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ba-bench-XXXXXX").string();
  const std::string folder = ::mkdtemp(pattern.data()) ? pattern : std::string(".");
  std::ofstream(folder + "/SystemVersion.txt") << "B,0,,,Wide,Alpha\r\nA,0,,,Small,Alpha\r\n";
  std::string wide = "Alpha,Wide,w.png,s.png,1200,1800,1,5,85,0";
  for (int e = 1; e <= 6 * 85; ++e) wide += "," + std::to_string(e % 1000);
  std::ofstream(folder + "/ParameterSetup.txt")
      << wide << ",1\r\n"
      << "Alpha,Small,a.png,s.png,1,2,0,0,1,0,1,2,3,4,5,6,0\r\n";
  return folder;
}

struct SetupViewRig {
  std::string folder = WideSystemFolder();
  form::VirtualHost vh;
  serial::LoopbackPort port{[this] { return vh.now(); }};
  app::Application app{vh.host(), port, folder};
  gui::FormView mainView{app.mainForm()};

  SetupViewRig() {
    app.load();
    app.main().setStatusText(8, "Admin Mode");
    mainView.show();
    bench::SyncAndPaint(mainView);
  }
  ~SetupViewRig() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  // The click on "Setup" and the modal window it opens, as the Qt host makes it.
  std::unique_ptr<gui::FormView> Open() {
    form::Form& main = app.mainForm();
    main.userClick(main.at("Command5"));
    auto view = std::make_unique<gui::FormView>(app.setupForm(), &mainView, Qt::Dialog);
    view->setFollowVisible(true);
    bench::SyncAndPaint(*view);
    return view;
  }
  // The "System Parameter" tab, its deferred display run.
  void ShowSystem(gui::FormView& view) {
    form::Form& setup = app.setupForm();
    setup.userTab(setup.at("SSTab1"), 1);
    vh.runUntil(vh.now() + 100);
    bench::SyncAndPaint(view);
  }
  void Close(std::unique_ptr<gui::FormView> view) {
    app.setup().Close();
    view->detach();
    view.reset();
    bench::SyncAndPaint(mainView);
  }
};

void BM_SetupOpen85WithView(benchmark::State& state) {
  SetupViewRig rig;
  for (auto _ : state) {
    auto view = rig.Open();
    rig.ShowSystem(*view);
    state.PauseTiming();
    rig.Close(std::move(view));
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SetupOpen85WithView)->Unit(benchmark::kMillisecond);

void BM_SetupOpenLoginWithView(benchmark::State& state) {
  SetupViewRig rig;
  for (auto _ : state) {
    auto view = rig.Open();
    state.PauseTiming();
    rig.Close(std::move(view));
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SetupOpenLoginWithView)->Unit(benchmark::kMillisecond);

}  // namespace
