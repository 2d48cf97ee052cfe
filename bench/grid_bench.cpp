// The sensor panels' run-time grids: building and removing the largest ones, and a full
// sensor test frame through the receive path with its recolouring.
#include <benchmark/benchmark.h>

#include "grid_rig.h"

namespace {

void BM_SensorTestGrid85(benchmark::State& state) {
  bench::GridRig rig(5, 85);
  for (auto _ : state) {
    rig.OpenSensorTest();
    state.PauseTiming();
    rig.LeaveSensorTest();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SensorTestGrid85)->Unit(benchmark::kMillisecond);

void BM_SensorAdjustTable60(benchmark::State& state) {
  bench::GridRig rig(9, 60);  // a FRAM system: eight labels a row
  for (auto _ : state) {
    rig.OpenSensorAdjust();
    state.PauseTiming();
    rig.LeaveSensorAdjust();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SensorAdjustTable60)->Unit(benchmark::kMillisecond);

// One mode-5 frame for 85 channels (183 bytes), every byte followed by the recolouring.
void BM_SensorFrame85(benchmark::State& state) {
  bench::GridRig rig(5, 85);
  rig.OpenSensorTest();
  rig.Feed({0xAA});  // the acknowledge
  std::vector<uint8_t> frame(2 * 85 + 13);
  for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<uint8_t>(i * 37);
  for (auto _ : state) rig.Feed(frame);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(frame.size()));
}
BENCHMARK(BM_SensorFrame85);

}  // namespace
