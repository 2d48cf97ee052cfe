#pragma once
#include <functional>
#include <istream>
#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "app/application.h"
#include "form/virtual_host.h"
#include "script/tokenizer.h"
#include "serial/loopback_port.h"

namespace script {

// Runs scenario lines against the real screens in virtual time over a loopback port and
// prints JSON Lines.
class Runner {
 public:
  Runner(std::string folder, std::ostream& out);
  ~Runner();

  // Runs every line of `in`; returns the exit status (0, or 2 after an error).
  int Run(std::istream& in);
  // Runs one line; false after an error (already printed).
  bool Execute(const std::string& line, int lineNo);

  app::Application& application() { return app_; }
  form::VirtualHost& host() { return vh_; }
  serial::LoopbackPort& port() { return port_; }

 private:
  using Args = std::vector<Token>;
  using Command = std::function<void(const Args&)>;
  struct Target {
    form::Form* screen = nullptr;
    std::string name;
    int index = -1;
  };

  void registerCommands();
  void registerTimeCommands();
  void registerInputCommands();
  void registerQueryCommands();
  bool Dispatch(const Args& tokens);
  void Start();
  void Print(const nlohmann::ordered_json& j);
  void Fail(const std::string& message);
  bool ParseTarget(const std::string& text, Target& target);
  form::Control* Resolve(const Args& args, size_t at);
  bool Count(const Args& args, size_t min, size_t max);
  bool Integer(const Token& t, long long& value);
  bool Bytes(const Args& args, std::vector<uint8_t>& out);
  void Show(const Args& args);
  void State(const Args& args);

  form::VirtualHost vh_;
  serial::LoopbackPort port_;
  app::Application app_;
  std::ostream& out_;
  std::map<std::string, Command> commands_;
  int line_ = 0;
  bool failed_ = false;
  bool started_ = false;
};

}  // namespace script
