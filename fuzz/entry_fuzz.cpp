// Any text and any key strokes in the terminal's byte entry (Text2) and the DAC level entry of
// the sensor test (Text3), with Send, SEND and Enter. The terminal sends exactly the byte its
// entry names, or nothing and marks the entry; SEND sends a channel only with its level.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/main_screen.h"
#include "form/virtual_host.h"
#include "serial/entry_value.h"
#include "serial/loopback_port.h"

namespace {

const char* const kTexts[] = {"",   "31",  "0x1F", "0X1f", "0x1FF",  "255",  "256",
                              "-1", "2.5", "3.5",  "1e2",  "1e400",  "-0.4", " 7",
                              "0x", "abc", "0x0",  "0xFF", "000255", "1.e1", "\xE2\x82\xAC"};

// The entry parsers on their own: none may overflow, and a hex entry is its hex digits.
void Parse(const std::string& text) {
  const int64_t hex = serial::LeadingHex(text);
  if (hex < 0 || serial::EntryValue("0x" + text) != hex) __builtin_trap();
  serial::EntryValue(text);
  serial::RoundHalfEven(serial::LeadingDecimal(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // Two bytes of profile, texts (one a line) up to 0xFF, then three bytes per action.
  size_t at = 2;
  std::vector<std::string> texts(std::begin(kTexts), std::end(kTexts));
  std::string own;
  for (; at < size && data[at] != 0xFF; ++at) {
    if (data[at] == '\n') {
      texts.push_back(own);
      own.clear();
    } else {
      own += static_cast<char>(data[at]);
    }
  }
  texts.push_back(own);
  ++at;
  for (const std::string& t : texts) Parse(t);

  form::VirtualHost vh;
  serial::LoopbackPort port([&vh] { return vh.now(); });
  app::Application app(vh.host(), port, "/nonexistent/ba-entry-fuzz");
  app.load();
  vh.runUntil(1100);
  app::MainScreen& main = app.main();
  form::Form& screen = main.form();
  main.state().profile.ReceiveDataMode = static_cast<int16_t>(data[0] % 12);  // 11: unknown
  main.state().profile.LedNumber = static_cast<int16_t>(data[1] % 90);
  main.state().profile.EnterTestModeCode = 1;
  main.setStatusText(8, "Engineer Mode");   // shows the DAC tool
  screen.userClick(screen.at("Command4"));  // the terminal
  main.testMenu().Label2_Click(0);
  main.testMenu().Label2_Click(5);  // the sensor test with its DAC tool
  form::Control& entry = screen.at("Text2");
  form::Control& level = screen.at("Text3");
  form::Control& channel = screen.at("DAC_Channel");
  const form::Colour normal = entry.backColor();
  bool sequence = false;  // All LED Light may run its own sequence of bytes

  for (; at + 2 < size; at += 3) {
    const uint8_t kind = data[at], a = data[at + 1], b = data[at + 2];
    const std::string& text = texts[b % texts.size()];
    const size_t before = port.written().size();
    switch (kind % 8) {
      case 0:
        screen.userKey(entry, a, b & 7);
        break;
      case 1:
        screen.userKey(level, a, b & 7);
        break;
      case 2:
        screen.userSetText(entry, text, a & 1 ? 0 : -1);
        break;
      case 3:
        screen.userSetText(level, text, a & 1 ? 0 : -1);
        break;
      case 4: {
        const int64_t value = serial::EntryValue(entry.text());
        if (!screen.userClick(screen.at("Command1", 0))) break;
        const size_t sent = port.written().size() - before;
        const bool byte = port.portOpen() && value >= 0 && value <= 255;
        if (sent != (byte ? 1u : 0u)) __builtin_trap();
        if (byte && port.written().back().byte != value) __builtin_trap();
        if (byte != (entry.backColor() == normal)) __builtin_trap();
        break;
      }
      case 5: {
        const bool due = screen.at("Timer3").enabled();
        const int expected = std::max(channel.listIndex(), -1) + 1;
        screen.userClick(screen.at("Command3", 1));
        vh.runUntil(vh.now() + 500);
        const size_t sent = port.written().size() - before;
        if (due || sequence) break;
        if (sent != 0 && sent != 2) __builtin_trap();
        if (sent == 2 && port.written()[before].byte != expected) __builtin_trap();
        break;
      }
      case 6:
        if (a & 1) {
          screen.userSelect(channel, b % 12 - 1);
        } else {
          sequence = sequence || screen.userClick(screen.at("Command3", 0));
        }
        break;
      default:
        switch (b % 4) {
          case 0:
            vh.runUntil(vh.now() + a * 4);
            break;
          case 1:
            screen.userDblClick(entry);
            break;
          case 2:
            screen.userDblClick(level);
            break;
          default:
            port.unplug();
            break;
        }
        break;
    }
  }
  vh.runUntil(vh.now() + 1000);
  app.unload();
  return 0;
}
