// Throughput of the receive path: every byte is logged in the terminal and passes the stage
// chain. The line delivers 872 bytes a second (9600 baud, 11 bits a byte with even parity);
// the "xline" counter is the throughput as a multiple of that.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/application.h"
#include "app/main_screen.h"
#include "base/codepage.h"
#include "config/receive_modes.h"
#include "form/virtual_host.h"
#include "grid_rig.h"
#include "serial/loopback_port.h"
#include "sim/sim_frames.h"

namespace {

constexpr double kLineBytesPerSecond = 9600.0 / 11;
constexpr size_t kTickBytes = 88;  // what the line brings in one 100 ms poll

struct Rig {
  form::VirtualHost vh;
  serial::LoopbackPort port{[this] { return vh.now(); }};
  app::Application app{vh.host(), port, std::filesystem::temp_directory_path().string()};
  Rig() {
    app.load();
    vh.runUntil(1100);  // the port is open
  }
};

void SetLineRate(benchmark::State& state, int64_t bytes) {
  state.SetBytesProcessed(bytes);
  state.counters["xline"] = benchmark::Counter(static_cast<double>(bytes) / kLineBytesPerSecond,
                                               benchmark::Counter::kIsRate);
}

void BM_ReadReplies(benchmark::State& state) {
  Rig rig;
  const int hex = static_cast<int>(state.range(1));
  if (hex) rig.app.mainForm().at("Check1", 0).setValue(1);
  std::vector<uint8_t> bytes(static_cast<size_t>(state.range(0)));
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 1);
  for (auto _ : state) {
    rig.port.receive(bytes);
    rig.app.main().interpreter().ReadReplies();
  }
  SetLineRate(state, state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadReplies)->Args({1, 0})->Args({100, 0})->Args({1000, 0})->Args({1000, 1});

void BM_DecodeCodePage(benchmark::State& state) {
  std::string bytes(4096, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i);
  for (auto _ : state) benchmark::DoNotOptimize(base::DecodeCodePage(bytes));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeCodePage);

// A key stroke through the model's rules into the terminal's entry box (KeyDown filter,
// typing at the caret, KeyUp), as the window and ba-script run it.
void BM_KeyStroke(benchmark::State& state) {
  Rig rig;
  form::Form& screen = rig.app.mainForm();
  screen.userClick(screen.at("Command4"));
  form::Control& entry = screen.at("Text2");
  for (auto _ : state) {
    screen.userKey(entry, 49, 0);  // "1"
    screen.userKey(entry, 8, 0);   // Backspace
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_KeyStroke);

// ---- Per receive data mode, test and channel count -----------------------------------------

enum class Test { Io, Sensor, Adjust };
constexpr std::array<std::pair<Test, const char*>, 3> kTests = {
    {{Test::Io, "io"}, {Test::Sensor, "sensor"}, {Test::Adjust, "adjust"}}};
constexpr std::array<int, 3> kChannelCounts = {8, 16, 85};

// Small steps of a fixed generator: readings and adjustments that change from frame to frame,
// some of them beyond the channel limits of the rig (128).
uint8_t Next(uint32_t& seed) {
  seed = seed * 1103515245u + 12345u;
  return static_cast<uint8_t>(seed >> 16);
}

// Eight replies of the device in the test, back to back.
std::vector<uint8_t> Stream(Test test, int mode, int channels) {
  uint32_t seed = 7;
  std::vector<uint8_t> bytes;
  for (int k = 0; k < 8; ++k) {
    std::vector<uint8_t> reply;
    if (test == Test::Adjust) {
      std::vector<sim::ChannelAdjustment> adjustments(
          static_cast<size_t>(config::ReceiveModeOf(mode).adjustChannelsFor(channels)));
      for (auto& a : adjustments) {
        a.vr = Next(seed);
        a.adjust = Next(seed);
        a.stored = {a.adjust, Next(seed), a.adjust};
      }
      reply = sim::BuildAdjustReply(mode, adjustments);
    } else {
      sim::Readings r;
      r.leftInput = Next(seed);
      r.dipSw1 = Next(seed);
      r.adSensorMode = 1;
      for (size_t c = 1; c < r.sensor.size(); ++c) {
        r.sensor[c] = Next(seed);
        r.level[c] = Next(seed);
      }
      reply = sim::BuildTestFrame(mode, channels, r);
    }
    bytes.insert(bytes.end(), reply.begin(), reply.end());
  }
  return bytes;
}

// The test's panel open on a system of `mode` and `channels`, the stream fed tick by tick.
void BM_Receive(benchmark::State& state, Test test, int mode, int channels) {
  bench::GridRig rig(mode, channels);
  if (test == Test::Io) rig.app.main().testMenu().Label2_Click(1);
  if (test == Test::Sensor) rig.OpenSensorTest();
  if (test == Test::Adjust) rig.OpenSensorAdjust();
  rig.Feed({0xAA});  // the acknowledge
  const std::vector<uint8_t> stream = Stream(test, mode, channels);
  std::vector<std::vector<uint8_t>> ticks;
  for (size_t at = 0; at < stream.size(); at += kTickBytes) {
    ticks.emplace_back(
        stream.begin() + static_cast<ptrdiff_t>(at),
        stream.begin() + static_cast<ptrdiff_t>(std::min(at + kTickBytes, stream.size())));
  }
  int64_t bytes = 0;
  for (auto _ : state) {
    for (const auto& tick : ticks) rig.Feed(tick);
    bytes += static_cast<int64_t>(stream.size());
  }
  SetLineRate(state, bytes);
}

// BA_BENCH_ITERATIONS=N runs each case exactly N times (for counting instructions).
const bool kRegistered = [] {
  const char* fixed = std::getenv("BA_BENCH_ITERATIONS");
  const int iterations = fixed ? std::atoi(fixed) : 0;
  for (const config::ReceiveMode& mode : config::kReceiveModes) {
    for (const auto& [test, name] : kTests) {
      for (int n : kChannelCounts) {
        const std::string label = std::string("BM_Receive/") + name +
                                  "/mode:" + std::to_string(mode.number) +
                                  "/N:" + std::to_string(n);
        auto* b =
            benchmark::RegisterBenchmark(label.c_str(), BM_Receive, test, int{mode.number}, n);
        if (iterations > 0) {
          b->Iterations(iterations);
        } else {
          b->MinTime(0.05);
        }
      }
    }
  }
  return true;
}();

}  // namespace
