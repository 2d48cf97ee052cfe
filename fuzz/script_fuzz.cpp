// Any scenario for ba-script: the tokenizer, the expectation parser and every command of the
// runner on the real screens in virtual time, over a copy of the sample set. Every line the
// runner prints is JSON.
#include <unistd.h>

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>

#include "script/runner.h"

namespace fs = std::filesystem;

namespace {
constexpr uint64_t kVirtualBudgetMs = 3'600'000;

// A file dialog's answer (`savefile "PATH"`, also scheduled with `at`) names a file in `dir`, so
// that a capture never writes elsewhere on the machine.
void KeepFilesIn(std::string& line, const fs::path& dir) {
  std::string_view rest = line;
  std::string_view word = script::NextWord(rest);
  std::string at;
  if (word == "at") {
    at = "at " + std::string(script::NextWord(rest)) + " ";
    word = script::NextWord(rest);
  }
  if (word != "savefile" || script::NextWord(rest) == "CANCEL") return;
  line = at + "savefile \"" + (dir / "capture.txt").string() + "\"";
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const fs::path dir = [] {
    fs::path d = fs::temp_directory_path() / ("ba-script-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(d);
    std::error_code ec;
    fs::create_directory_symlink(fs::path(BA_SAMPLE_DATA) / "Picture", d / "Picture", ec);
    return d;
  }();
  // The sample set afresh: a scenario may have saved over it or left files beside it.
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().filename() != "Picture") fs::remove_all(entry.path());
  }
  for (const char* name :
       {"SystemVersion.txt", "ParameterSetup.txt", "CommandSetup.txt", "InterfaceVersion.txt"}) {
    fs::copy_file(fs::path(BA_SAMPLE_DATA) / name, dir / name);
  }

  std::ostringstream out;
  {
    script::Runner runner(dir.string(), out);
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
      // Waits are allowed up to a day each; an input gets an hour in all, which keeps it quick.
      std::string_view rest = line;
      if (script::NextWord(rest) == "wait") {
        const std::string_view word = script::NextWord(rest);
        long long ms = 0;
        std::from_chars(word.data(), word.data() + word.size(), ms);
        if (ms > 0 && runner.host().now() + static_cast<uint64_t>(ms) > kVirtualBudgetMs) break;
      }
      KeepFilesIn(line, dir);
      if (!runner.Execute(line, ++lineNo) || runner.host().now() > kVirtualBudgetMs) break;
    }
  }
  std::istringstream printed(out.str());
  for (std::string line; std::getline(printed, line);) {
    if (nlohmann::json::parse(line, nullptr, false).is_discarded()) __builtin_trap();
  }
  return 0;
}
