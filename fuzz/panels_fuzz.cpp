// Any byte stream into any open test panel, for any receive data mode and channel count, with
// paging and Restart: the stages and the run-time grids never index past what exists.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/application.h"
#include "app/main_screen.h"
#include "form/virtual_host.h"
#include "serial/loopback_port.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  form::VirtualHost vh;
  serial::LoopbackPort port([&vh] { return vh.now(); });
  app::Application app(vh.host(), port, BA_SAMPLE_DATA);
  app.load();
  vh.runUntil(1100);
  app::MainScreen& main = app.main();
  // The first bytes pick the profile, the access mode and the panel.
  auto& p = main.state().profile;
  p.ReceiveDataMode = static_cast<int16_t>(data[0] % 14) - 1;  // -1 to 12
  p.LedNumber = static_cast<int16_t>(data[1] % 96) - 4;        // -4 to 91
  p.FinishAdjustMode = data[2] & 1;
  p.WithStacker = (data[2] >> 1) & 1;
  p.LedMask = (data[2] >> 2) & 1;
  main.state().tests.SensorValueRequested = (data[2] >> 3) & 1;
  const char* modes[] = {"User Mode", "Production Mode", "Engineer Mode", "Admin Mode"};
  main.setStatusText(8, modes[(data[2] >> 4) & 3]);
  main.testMenu().Label2_Click(0);
  main.testMenu().Label2_Click(1 + data[3] % 8);
  vh.runUntil(vh.now() + 1200);  // entries that wait
  form::Form& screen = main.form();
  const size_t chunk = 1 + (data[3] >> 3);
  for (size_t at = 4; at < size; at += chunk) {
    const size_t n = std::min(chunk, size - at);
    port.receive(std::vector<uint8_t>(data + at, data + at + n));
    vh.runUntil(vh.now() + 100);
    // Every read also pages the grids.
    for (const char* pager : {"HScroll1", "VScroll2"}) {
      screen.userScroll(screen.at(pager), data[at] % 12);
    }
  }
  main.testMenu().RestartSession();
  vh.runUntil(vh.now() + 600);
  app.unload();
  return 0;
}
