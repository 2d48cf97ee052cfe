// The simulated acceptor: how fast it produces a streaming sensor test of the largest sample
// system (85 channels), against the 872 bytes a second of the line it feeds.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "sim/sim_device.h"

namespace {

void BM_SimSensorStream85(benchmark::State& state) {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  std::string why;
  auto profile = sim::LoadSimProfile(ec ? "." : exe.parent_path().string(), "Golf", &why);
  if (!profile) {
    state.SkipWithError(why.c_str());
    return;
  }
  int64_t bytes = 0;
  for (auto _ : state) {
    sim::SimDevice device(*profile);
    device.poll(0);
    device.onReceive({static_cast<uint8_t>(profile->params.EnterTestModeCode)}, 1);
    device.onReceive({static_cast<uint8_t>(profile->params.EnterIoSensorTestCode)}, 2);
    for (uint64_t t = 10; t <= 10000; t += 10) bytes += static_cast<int64_t>(device.poll(t).size());
  }
  state.SetBytesProcessed(bytes);  // ten seconds of the device's stream per iteration
}
BENCHMARK(BM_SimSensorStream85)->Unit(benchmark::kMillisecond);

}  // namespace
