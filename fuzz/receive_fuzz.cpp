// Any byte stream, in reads of any size, through the receive path with the sample profiles.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/application.h"
#include "app/main_screen.h"
#include "form/virtual_host.h"
#include "serial/loopback_port.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  form::VirtualHost vh;
  serial::LoopbackPort port([&vh] { return vh.now(); });
  app::Application app(vh.host(), port, BA_SAMPLE_DATA);
  app.load();
  vh.runUntil(1000);
  form::Form& screen = app.mainForm();
  // The first byte picks the log format and how the stream is cut into reads.
  if (data[0] & 1) screen.at("Check1", 0).setValue(1);
  if (data[0] & 2) screen.at("Check1", 1).setValue(1);
  const size_t chunk = 1 + (data[0] >> 2);
  for (size_t at = 1; at < size; at += chunk) {
    const size_t n = std::min(chunk, size - at);
    port.receive(std::vector<uint8_t>(data + at, data + at + n));
    vh.runUntil(vh.now() + 100);
  }
  // The screen still answers: clicks on whatever the stream unlocked.
  for (const char* name : {"Label4", "Label2", "Picture1"}) {
    if (form::Control* c = screen.find(name, name[5] == '4' ? 18 : 0)) screen.userClick(*c);
    if (form::Control* c = screen.find(name)) screen.userClick(*c);
  }
  app.unload();
  return 0;
}
