// A 1024-byte burst (the line after a stall of more than a second) read in one tick of the
// 100 ms poll, interpreted and painted: the sensor test of 85 channels streaming, the terminal
// open logging every byte in hexadecimal.
#include <benchmark/benchmark.h>

#include "../grid_rig.h"
#include "sim/sim_frames.h"
#include "view_rig.h"

namespace {

constexpr size_t kBurstBytes = 1024;

// Sensor test frames of 85 channels back to back, readings changing from frame to frame.
std::vector<uint8_t> Frames(size_t atLeast) {
  std::vector<uint8_t> bytes;
  uint32_t seed = 11;
  while (bytes.size() < atLeast) {
    sim::Readings r;
    for (size_t c = 1; c < r.sensor.size(); ++c) {
      seed = seed * 1103515245u + 12345u;
      r.sensor[c] = static_cast<uint8_t>(seed >> 16);
      r.level[c] = static_cast<uint8_t>(seed >> 24);
    }
    const std::vector<uint8_t> frame = sim::BuildTestFrame(5, 85, r);
    bytes.insert(bytes.end(), frame.begin(), frame.end());
  }
  return bytes;
}

void BM_Burst1024WithView(benchmark::State& state) {
  bench::GridRig rig(5, 85);
  gui::FormView view(rig.app.mainForm());
  view.show();
  rig.OpenSensorTest();
  rig.Feed({0xAA});  // the acknowledge
  form::Form& screen = rig.app.mainForm();
  screen.userClick(screen.at("Command4"));   // the terminal
  screen.userClick(screen.at("Check1", 0));  // Hex
  bench::SyncAndPaint(view);
  // Whole frames per burst would repeat the same cells; an odd stride moves through them.
  const std::vector<uint8_t> stream = Frames(16 * kBurstBytes);
  size_t at = 0;
  bench::PaintCounter paints;
  for (auto _ : state) {
    std::vector<uint8_t> burst(kBurstBytes);
    for (uint8_t& b : burst) b = stream[at++ % stream.size()];
    rig.port.receive(burst);
    rig.app.main().interpreter().ReadReplies();
    bench::SyncAndPaint(view);
  }
  state.counters["paints"] = benchmark::Counter(paints.count, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Burst1024WithView)->Unit(benchmark::kMillisecond);

}  // namespace
