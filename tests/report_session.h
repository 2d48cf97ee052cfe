#pragma once
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "config_temp_folder.h"
#include "script/runner.h"

namespace report_test {

using nlohmann::json;

// The folder of the running test program, where the build puts the sample set.
inline std::filesystem::path BuildFolder() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : exe.parent_path();
}

// Copies the sample configuration set (the four files, README.md and Picture/) into `to`.
inline void CopySampleSet(const std::string& to) {
  namespace fs = std::filesystem;
  const fs::path from = BuildFolder();
  for (const char* name : {"SystemVersion.txt", "ParameterSetup.txt", "CommandSetup.txt",
                           "InterfaceVersion.txt", "README.md"}) {
    fs::copy_file(from / name, fs::path(to) / name, fs::copy_options::overwrite_existing);
  }
  fs::copy(from / "Picture", fs::path(to) / "Picture", fs::copy_options::recursive);
}

// One row of the table in data/README.md.
struct SampleRow {
  std::string key, ba, mode, n, stacker, mask, finish, report, interface;
};

inline std::vector<SampleRow> ReadSampleTable(const std::string& readme) {
  std::ifstream in(readme);
  std::vector<SampleRow> rows;
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> cells;
    std::istringstream fields(line);
    for (std::string cell; std::getline(fields, cell, '|');) {
      const size_t first = cell.find_first_not_of(' ');
      cells.push_back(first == std::string::npos
                          ? ""
                          : cell.substr(first, cell.find_last_not_of(' ') - first + 1));
    }
    // | Key | BA | System | Mode | N | Stacker | LED mask | Finish | `Report` | BA Interface |
    if (cells.size() < 11 || cells[9].size() < 2 || cells[9].front() != '`') continue;
    rows.push_back({cells[1], cells[2], cells[4], cells[5], cells[6], cells[7], cells[8],
                    cells[9].substr(1, cells[9].size() - 2), cells[10]});
  }
  return rows;
}

// The tool run by ba-script's runner in a temporary folder of its own. Scenario lines go in,
// the JSON Lines they print come out.
class Session {
 public:
  Session() : runner_(dir_.path(), out_) {}

  const config_test::TempFolder& dir() const { return dir_; }
  script::Runner& runner() { return runner_; }
  uint64_t now() { return runner_.host().now(); }

  // Runs one scenario line; the JSON objects it printed (scheduled commands included).
  std::vector<json> run(const std::string& line) {
    out_.str("");
    EXPECT_TRUE(runner_.Execute(line, ++lineNo_)) << line << "\n" << out_.str();
    std::vector<json> printed;
    std::istringstream lines(out_.str());
    for (std::string l; std::getline(lines, l);) printed.push_back(json::parse(l));
    return printed;
  }
  json show(const std::string& control) { return run("show " + control).at(0); }
  json state(const std::string& field) { return run("state " + field).at(0).at("value"); }
  std::string text(const std::string& control) { return show(control).at("text"); }
  bool enabled(const std::string& control) { return show(control).at("enabled"); }
  // Status bar panel `n`, counted from 1.
  std::string panel(int n) { return show("StatusBar1").at("panels").at(n - 1); }

  // The bytes written since the last call, with their times or without.
  std::vector<std::pair<uint64_t, int>> timedSent() {
    const json list = run("sent").at(0).at("sent");
    std::vector<std::pair<uint64_t, int>> bytes;
    for (const json& w : list) bytes.emplace_back(w.at("t"), w.at("b"));
    return bytes;
  }
  std::vector<int> sent() {
    std::vector<int> bytes;
    for (const auto& [t, b] : timedSent()) bytes.push_back(b);
    return bytes;
  }

  // After the start, the setup screen opened as administrator on tab `tab`.
  void openSetup(int tab) {
    for (const char* line : {"wait 100", "click Command5", "type txtUserName \"mira_tek\"",
                             "type txtPassword \"qpa-xn\"", "key txtPassword 13"}) {
      run(line);
    }
    run("tab " + std::to_string(tab));
  }

  // Bytes arrive and the next poll reads them.
  void feed(const std::string& recvArguments) {
    run("recv " + recvArguments);
    run("wait 100");
  }

 private:
  config_test::TempFolder dir_;
  std::ostringstream out_;
  script::Runner runner_;
  int lineNo_ = 0;
};

}  // namespace report_test
