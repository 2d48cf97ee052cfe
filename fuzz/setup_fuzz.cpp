// Any content in the four configuration files, then any sequence of an administrator's
// actions on the setup screen: the tabs, their lists, buttons, boxes and the grid's pager.
// Nothing may stop the program; what is saved is read again by the next reload.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/main_screen.h"
#include "form/virtual_host.h"
#include "serial/loopback_port.h"

namespace fs = std::filesystem;

namespace {

struct Target {
  const char* name;
  int index;
};
// Controls an action byte may touch.
constexpr Target kTargets[] = {
    {"Combo1", -1},  {"Combo2", -1},  {"Combo7", -1},   {"Combo8", -1},       {"Combo9", -1},
    {"Combo10", -1}, {"Command3", 0}, {"Command3", 1},  {"Command3", 2},      {"Command3", 3},
    {"Command2", 0}, {"Command2", 1}, {"Command1", 0},  {"Command1", 1},      {"Command1", 2},
    {"Command1", 3}, {"Text2", 4},    {"Text2", 0},     {"Text1", 0},         {"Text3", 0},
    {"Text4", 0},    {"Text4", 1},    {"HScroll1", -1}, {"Sensor_Test1", -1},
};
const char* const kTexts[] = {"", "0", "1", "9", "12", "85", "86", "99", "a,b", "7x"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Four files separated by 0xFF, then after a fifth 0xFF two bytes per action.
  std::vector<std::string> parts(5);
  size_t part = 0;
  for (size_t i = 0; i < size && part < parts.size(); ++i) {
    if (data[i] == 0xFF && part < 4) {
      ++part;
    } else {
      parts[part] += static_cast<char>(data[i]);
    }
  }
  static const fs::path dir = [] {
    fs::path d = fs::temp_directory_path() / ("ba-setup-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(d);
    return d;
  }();
  const char* names[] = {"SystemVersion.txt", "ParameterSetup.txt", "CommandSetup.txt",
                         "InterfaceVersion.txt"};
  for (int i = 0; i < 4; ++i) std::ofstream(dir / names[i], std::ios::binary) << parts[i];

  form::VirtualHost vh;
  serial::LoopbackPort port([&vh] { return vh.now(); });
  app::Application app(vh.host(), port, dir.string());
  app.load();
  app.main().setStatusText(8, "Admin Mode");
  app.main().form().userClick(app.main().form().at("Command5"));
  form::Form& setup = app.setupForm();
  const std::string& actions = parts[4];
  for (size_t at = 0; at + 1 < actions.size(); at += 2) {
    const auto op = static_cast<uint8_t>(actions[at]);
    const auto arg = static_cast<uint8_t>(actions[at + 1]);
    const Target& t = kTargets[op % std::size(kTargets)];
    form::Control* c = setup.find(t.name, t.index);
    switch (op / std::size(kTargets) % 6) {
      case 0:
        setup.userTab(setup.at("SSTab1"), arg % 4);
        break;
      case 1:
        if (c) setup.userSelect(*c, arg % 8 - 1);
        break;
      case 2:
        vh.queueAnswer(arg & 1 ? form::MsgResult::Ok : form::MsgResult::Cancel);
        if (c) setup.userClick(*c);
        break;
      case 3:
        if (c) setup.userSetText(*c, kTexts[arg % std::size(kTexts)]);
        break;
      case 4:
        if (c) setup.userKey(*c, arg, 0);
        break;
      default:
        if (c) setup.userScroll(*c, arg % 12);
        vh.runUntil(vh.now() + arg);
        break;
    }
  }
  app.unload();
  return 0;
}
