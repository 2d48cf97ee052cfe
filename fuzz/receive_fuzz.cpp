// Any byte stream, in reads of any size, through the reply interpreter: any receive data mode
// (0 to 10 and beyond), any channel count 0 to 255, any open test and any mix of stage flags.
// Version reports in the stream load the sample profiles.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "app/application.h"
#include "app/main_screen.h"
#include "form/virtual_host.h"
#include "serial/loopback_port.h"

namespace {

constexpr size_t kHeader = 5;
// Receive data modes: the known ones, then values beyond them.
constexpr int16_t kModes[] = {0,
                              1,
                              2,
                              3,
                              4,
                              5,
                              6,
                              7,
                              8,
                              9,
                              10,
                              -1,
                              11,
                              255,
                              std::numeric_limits<int16_t>::min(),
                              std::numeric_limits<int16_t>::max()};
const char* const kAccessModes[] = {"User Mode", "Production Mode", "Engineer Mode", "Admin Mode"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kHeader) return 0;
  form::VirtualHost vh;
  serial::LoopbackPort port([&vh] { return vh.now(); });
  app::Application app(vh.host(), port, BA_SAMPLE_DATA);
  app.load();
  vh.runUntil(1100);
  app::MainScreen& main = app.main();
  form::Form& screen = main.form();
  replies::MainState& s = main.state();

  // Header: mode, channel count, the menu item with log format and access mode, the stage
  // flags, the read size and pending acknowledges.
  s.profile.ReceiveDataMode = kModes[data[0] % std::size(kModes)];
  s.profile.LedNumber = data[1];
  s.profile.WithStacker = (data[0] >> 4) & 1;
  s.profile.LedMask = (data[0] >> 5) & 1;
  s.profile.FinishAdjustMode = (data[0] >> 6) & 1;
  s.profile.BillMotorMaximum = 255;
  if (data[2] & 0x10) screen.at("Check1", 0).setValue(1);
  if (data[2] & 0x20) screen.at("Check1", 1).setValue(1);
  main.setStatusText(8, kAccessModes[data[2] >> 6]);
  const int item = data[2] & 0x0F;  // 0: no test, 1..9: that menu item
  if (item > 0) {
    vh.queueAnswer(form::MsgResult::Ok);  // the erase item asks first
    main.testMenu().Label2_Click(0);
    main.testMenu().Label2_Click(item > 9 ? 5 : item);
    vh.runUntil(vh.now() + 1200);  // entries that wait
  }
  const uint8_t flags = data[3];
  s.tests.BillMotorTestOn |= (flags & 0x01) != 0;
  s.tests.StackerMotorTestOn |= (flags & 0x02) != 0;
  s.tests.IoTestOn |= (flags & 0x04) != 0;
  s.tests.SensorTestOn |= (flags & 0x08) != 0;
  s.tests.SensorAdjustOn |= (flags & 0x10) != 0;
  s.tests.BillLengthTestOn |= (flags & 0x20) != 0;
  s.tests.InterfaceSetupOn |= (flags & 0x40) != 0;
  s.tests.SensorValueRequested |= (flags & 0x80) != 0;
  s.line.CommandPending = static_cast<int16_t>(data[4] >> 6);
  const size_t chunk = 1 + (data[4] & 0x3F) * 4;

  for (size_t at = kHeader; at < size; at += chunk) {
    const size_t n = std::min(chunk, size - at);
    port.receive(std::vector<uint8_t>(data + at, data + at + n));
    vh.runUntil(vh.now() + 100);
  }
  // The screen still answers: the version panel's Clear, the menu and Restart.
  screen.userClick(screen.at("Label4", 18));
  for (int i = 0; i <= 9; ++i) screen.userClick(screen.at("Label2", i));
  vh.runUntil(vh.now() + 1200);
  main.testMenu().RestartSession();
  vh.runUntil(vh.now() + 600);
  app.unload();
  return 0;
}
