// The sensor panels' run-time grids built and removed with the Qt view drawing and painting
// them (offscreen): the sensor test's 85 columns and the adjust table's 60 FRAM rows.
#include <benchmark/benchmark.h>

#include "../grid_rig.h"
#include "view_rig.h"

namespace {

void GridWithView(benchmark::State& state, int mode, int channels, void (bench::GridRig::*open)(),
                  void (bench::GridRig::*leave)(), bool timeRemoval) {
  bench::GridRig rig(mode, channels);
  gui::FormView view(rig.app.mainForm());
  view.show();
  bench::SyncAndPaint(view);
  bench::PaintCounter paints;
  for (auto _ : state) {
    if (timeRemoval) state.PauseTiming();
    (rig.*open)();
    bench::SyncAndPaint(view);
    if (timeRemoval) {
      state.ResumeTiming();
    } else {
      state.PauseTiming();
    }
    (rig.*leave)();
    bench::SyncAndPaint(view);
    if (!timeRemoval) state.ResumeTiming();
  }
  state.counters["paints"] = benchmark::Counter(paints.count, benchmark::Counter::kAvgIterations);
}

void BM_SensorTestGrid85WithView(benchmark::State& state) {
  GridWithView(state, 5, 85, &bench::GridRig::OpenSensorTest, &bench::GridRig::LeaveSensorTest,
               false);
}
BENCHMARK(BM_SensorTestGrid85WithView)->Unit(benchmark::kMillisecond);

void BM_SensorTestGrid85RemoveWithView(benchmark::State& state) {
  GridWithView(state, 5, 85, &bench::GridRig::OpenSensorTest, &bench::GridRig::LeaveSensorTest,
               true);
}
BENCHMARK(BM_SensorTestGrid85RemoveWithView)->Unit(benchmark::kMillisecond);

void BM_SensorAdjustTable60WithView(benchmark::State& state) {
  GridWithView(state, 9, 60, &bench::GridRig::OpenSensorAdjust, &bench::GridRig::LeaveSensorAdjust,
               false);
}
BENCHMARK(BM_SensorAdjustTable60WithView)->Unit(benchmark::kMillisecond);

void BM_SensorAdjustTable60RemoveWithView(benchmark::State& state) {
  GridWithView(state, 9, 60, &bench::GridRig::OpenSensorAdjust, &bench::GridRig::LeaveSensorAdjust,
               true);
}
BENCHMARK(BM_SensorAdjustTable60RemoveWithView)->Unit(benchmark::kMillisecond);

}  // namespace
