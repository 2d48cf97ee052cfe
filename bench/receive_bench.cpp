// Throughput of the receive path: every byte is logged in the terminal and passes the stage
// chain. The line delivers at most 960 bytes a second (9600 baud, 10 bits a byte).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/application.h"
#include "app/main_screen.h"
#include "base/codepage.h"
#include "form/virtual_host.h"
#include "serial/loopback_port.h"

namespace {

struct Rig {
  form::VirtualHost vh;
  serial::LoopbackPort port{[this] { return vh.now(); }};
  app::Application app{vh.host(), port, std::filesystem::temp_directory_path().string()};
  Rig() {
    app.load();
    vh.runUntil(1100);  // the port is open
  }
};

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
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadReplies)->Args({1, 0})->Args({100, 0})->Args({1000, 0})->Args({1000, 1});

void BM_DecodeCodePage(benchmark::State& state) {
  std::string bytes(4096, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i);
  for (auto _ : state) benchmark::DoNotOptimize(base::DecodeCodePage(bytes));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeCodePage);

}  // namespace

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

// The IO test stream (mode 6, 40-byte frames) through the whole receive path: log, chain,
// frame table, value cells.
void BM_IoFrames(benchmark::State& state) {
  Rig rig;
  replies::MainState& s = rig.app.main().state();
  s.profile.ReceiveDataMode = 6;
  s.tests.IoTestOn = true;
  std::vector<uint8_t> bytes(400);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i % 3);
  for (auto _ : state) {
    rig.port.receive(bytes);
    rig.app.main().interpreter().ReadReplies();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_IoFrames);
