// Any content in the four configuration files, then any sequence of user actions on the setup
// screen: the tabs, their lists, boxes, buttons (ADD, Modify, Save, Delete on every tab) and
// the grid's pager, with any text typed. Saves write real files in a folder of their own.
// Nothing may stop the program, saves leave only the four files behind, every line a save
// wrote reads back in full, and the screen opens again on what was saved.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/application.h"
#include "app/main_screen.h"
#include "config/command_setup.h"
#include "config/config_files.h"
#include "config/interface_version.h"
#include "config/number_text.h"
#include "config/parameter_setup.h"
#include "config/system_version.h"
#include "form/virtual_host.h"
#include "serial/loopback_port.h"
#include "setup/setup_window.h"
#include "setup_actions.h"

namespace fs = std::filesystem;

using setup_fuzz::kTargets;
using setup_fuzz::kTexts;
using setup_fuzz::Target;

namespace {

const config::ConfigFile* const kConfigFiles[] = {&config::kSystemVersion, &config::kParameterSetup,
                                                  &config::kCommandSetup,
                                                  &config::kInterfaceVersion};
const std::string_view kFiles[] = {config::kSystemVersionFile, config::kParameterSetupFile,
                                   config::kCommandSetupFile, config::kInterfaceVersionFile};

using Lines = std::vector<std::string>;

// Whether the loader reads a line the setup screen wrote to file `file` back in full: a system
// line has its six fields, a parameter line 11 + 6N fields that are numbers after the four
// names (N from 0 to 85), a command line its names and 21 codes from 0 to 255, an interface
// line its code and text.
bool ReadsBack(size_t file, const std::string& line) {
  const Lines f = config::SplitFields(line);
  const auto number = [&f](size_t i, int low, int high) {
    const std::optional<int16_t> v = config::TextToInt16(f[i]);
    return v && *v >= low && *v <= high;
  };
  switch (file) {
    case 0:
      return f.size() == config::kSystemFieldCount;
    case 1: {
      if (f.size() <= config::kParamLedNumber || !number(config::kParamLedNumber, 0, 85)) {
        return false;
      }
      const int n = *config::TextToInt16(f[config::kParamLedNumber]);
      if (f.size() != static_cast<size_t>(config::ParameterFieldCount(n))) return false;
      for (size_t i = config::kParamBillMotorMin; i < f.size(); ++i) {
        if (!number(i, -32768, 32767)) return false;
      }
      return true;
    }
    case 2:
      if (f.size() != config::kCommandFieldCount) return false;
      for (size_t i = config::kFirstCodeField; i < f.size(); ++i) {
        if (!number(i, 0, 255)) return false;
      }
      return true;
    default:
      return f.size() == config::kInterfaceFieldCount;
  }
}

// Every line of the files that was not there before reads back.
bool SavedLinesReadBack(const std::string& dir, const std::vector<Lines>& before) {
  for (size_t i = 0; i < std::size(kConfigFiles); ++i) {
    const std::optional<Lines> after = config::ReadConfigFile(dir, *kConfigFiles[i]);
    if (!after) {
      std::fprintf(stderr, "%s: unreadable after the actions\n",
                   std::string(kConfigFiles[i]->name).c_str());
      return false;
    }
    for (const std::string& line : *after) {
      const bool old = std::find(before[i].begin(), before[i].end(), line) != before[i].end();
      if (!line.empty() && !old && !ReadsBack(i, line)) {
        std::string shown;
        for (unsigned char ch : line) {
          char hex[8];
          std::snprintf(hex, sizeof hex, ch < 32 || ch > 126 ? "\\x%02X" : "%c", ch);
          shown += hex;
        }
        std::fprintf(stderr, "%s: a saved line does not read back (%zu fields): %s\n",
                     std::string(kConfigFiles[i]->name).c_str(), config::SplitFields(line).size(),
                     shown.c_str());
        return false;
      }
    }
  }
  return true;
}

// The folder holds the four files and nothing else.
bool OnlyTheFiles(const fs::path& dir) {
  for (const auto& entry : fs::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    if (std::find(std::begin(kFiles), std::end(kFiles), name) == std::end(kFiles)) {
      std::fprintf(stderr, "left in the folder: %s\n", name.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Four files and texts to type (one a line) separated by 0xFF, then after a fifth 0xFF
  // three bytes per action: kind, target, argument.
  std::vector<std::string> parts(6);
  size_t part = 0;
  for (size_t i = 0; i < size && part < parts.size(); ++i) {
    if (data[i] == 0xFF && part < 5) {
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
  for (const auto& entry : fs::directory_iterator(dir)) fs::remove_all(entry.path());
  std::vector<Lines> before;
  for (size_t i = 0; i < std::size(kFiles); ++i) {
    std::ofstream(dir / kFiles[i], std::ios::binary) << parts[i];
    before.push_back(config::ReadConfigFile(dir.string(), *kConfigFiles[i]).value_or(Lines{}));
  }
  std::vector<std::string> texts(std::begin(kTexts), std::end(kTexts));
  for (size_t start = 0; start < parts[4].size();) {
    const size_t end = std::min(parts[4].find('\n', start), parts[4].size());
    texts.push_back(parts[4].substr(start, end - start));
    start = end + 1;
  }

  form::VirtualHost vh;
  serial::LoopbackPort port([&vh] { return vh.now(); });
  app::Application app(vh.host(), port, dir.string());
  app.load();
  form::Form& main = app.main().form();
  app.main().setStatusText(8, "Admin Mode");
  main.userClick(main.at("Command5"));
  form::Form& setup = app.setupForm();
  const std::string& actions = parts[5];
  for (size_t at = 0; at + 2 < actions.size(); at += 3) {
    const auto kind = static_cast<uint8_t>(actions[at]);
    const auto target = static_cast<uint8_t>(actions[at + 1]);
    const auto arg = static_cast<uint8_t>(actions[at + 2]);
    form::Control* c = nullptr;
    if (kind & 0x80) {
      const auto& all = setup.controls();
      if (!all.empty()) c = all[(target * 256u + arg) % all.size()];
    } else {
      const Target& t = kTargets[target % std::size(kTargets)];
      c = setup.find(t.name, t.index);
    }
    if (!setup.visible()) main.userClick(main.at("Command5"));  // Enter or Escape closed it
    switch (kind & 0x07) {
      case setup_fuzz::kTab:
        setup.userTab(setup.at("SSTab1"), arg % 5 - 1);
        break;
      case setup_fuzz::kSelect:
        if (c) setup.userSelect(*c, arg % 12 - 1);
        break;
      case setup_fuzz::kClick:
        vh.queueAnswer(arg & 1 ? form::MsgResult::Ok : form::MsgResult::Cancel);
        if (c) setup.userClick(*c);
        break;
      case setup_fuzz::kSetText:
        if (c) setup.userSetText(*c, texts[arg % texts.size()], arg & 0x80 ? 0 : -1);
        break;
      case setup_fuzz::kKey:
        if (c) setup.userKey(*c, arg, (kind >> 3) & 7);
        break;
      case setup_fuzz::kScroll:
        if (c) setup.userScroll(*c, arg % 12);
        break;
      case setup_fuzz::kDblClick:
        if (c) setup.userDblClick(*c);
        break;
      default:
        vh.runUntil(vh.now() + arg);
        break;
    }
  }
  vh.runUntil(vh.now() + 200);
  if (!OnlyTheFiles(dir) || !SavedLinesReadBack(dir.string(), before)) __builtin_trap();
  // A new opening reads what was saved.
  app.setup().Close();
  app.main().setStatusText(8, "Admin Mode");
  main.userClick(main.at("Command5"));
  for (int tab = 1; tab <= 3; ++tab) {
    setup.userTab(setup.at("SSTab1"), tab);
    vh.runUntil(vh.now() + 200);
  }
  app.unload();
  return 0;
}
