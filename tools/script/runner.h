#pragma once
#include <chrono>
#include <functional>
#include <istream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/application.h"
#include "form/virtual_host.h"
#include "script/expect.h"
#include "script/tokenizer.h"
#include "serial/device_port.h"
#include "serial/loopback_port.h"

namespace script {

// A real serial line for the runner: `path` becomes the tool's port 1; without a path the
// tool uses its own port `number` (1..50).
struct Device {
  std::string path;
  int number = 1;
};

// Runs scenario lines against the real screens and prints JSON Lines: in virtual time over a
// loopback port, or with a device in real time over that device.
class Runner {
 public:
  Runner(std::string folder, std::ostream& out, std::optional<Device> device = std::nullopt);
  ~Runner();

  // Runs every line of `in`; returns the exit status: 2 after an error, else 1 when an
  // expectation failed, else 0.
  int Run(std::istream& in);
  // Runs one line; false after an error (already printed). A failed expectation is no error.
  bool Execute(const std::string& line, int lineNo);
  bool expectationFailed() const { return expectFailed_; }

  app::Application& application() { return app_; }
  form::VirtualHost& host() { return vh_; }
  // The loopback port of virtual time (unused with a device).
  serial::LoopbackPort& port() { return loopback_; }
  // The port the tool uses.
  serial::CommPort& line();

 private:
  using Args = std::vector<Token>;
  using Command = std::function<void(const Args&)>;
  struct Target {
    form::Form* screen = nullptr;
    std::string name;
    int index = -1;
  };

  // runner.cpp
  bool Dispatch(const Args& tokens);
  // Commands that need the loopback port are refused on a device.
  bool Refused(const std::string& command);
  // On a device, lets the time spent reading the scenario pass.
  void CatchUp();
  void Start();
  void Print(const nlohmann::ordered_json& j);
  void Fail(const std::string& message);

  // runner_commands.cpp
  void registerCommands();
  void registerTimeCommands();
  void registerInputCommands();  // the mouse
  void registerKeyCommands();    // typing
  void registerQueryCommands();
  bool Count(const Args& args, size_t min, size_t max);
  bool Integer(const Token& t, long long& value);
  bool Bytes(const Args& args, std::vector<uint8_t>& out);

  // runner_expect.cpp: runs `expect ...` or `at MS expect ...`: false after an error; nothing
  // for other lines.
  std::optional<bool> ExpectLine(const std::string& line);
  void Check(const Expectation& e);

  // runner_targets.cpp
  bool ParseTarget(const std::string& text, Target& target);
  form::Control* Resolve(const Args& args, size_t at);

  // runner_views.cpp: what `show` and `state` print; nothing after an error.
  std::optional<nlohmann::ordered_json> ShowJson(const std::string& text);
  std::optional<nlohmann::ordered_json> StateJson(const std::string& text);

  form::VirtualHost vh_;
  std::optional<Device> device_;
  std::chrono::steady_clock::time_point origin_;  // virtual time 0 on a device
  serial::LoopbackPort loopback_;
  std::unique_ptr<serial::DevicePort> posix_;
  app::Application app_;
  std::ostream& out_;
  std::map<std::string, Command> commands_;
  int line_ = 0;
  bool failed_ = false;
  bool expectFailed_ = false;
  bool started_ = false;
};

}  // namespace script
