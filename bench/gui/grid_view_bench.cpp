// The sensor test grid built and removed with the Qt view drawing it (offscreen).
#include <benchmark/benchmark.h>

#include <QApplication>

#include "../grid_rig.h"
#include "gui/form_view.h"

namespace {

void BM_SensorTestGrid85WithView(benchmark::State& state) {
  bench::GridRig rig(5, 85);
  gui::FormView view(rig.app.mainForm());
  view.show();
  for (auto _ : state) {
    rig.OpenSensorTest();
    view.sync();  // every new label drawn
    state.PauseTiming();
    rig.LeaveSensorTest();
    view.sync();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SensorTestGrid85WithView)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
