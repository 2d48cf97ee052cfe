#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/main_screen.h"
#include "form/form.h"
#include "form/virtual_host.h"
#include "serial/loopback_port.h"

namespace support {

// A loopback port that also counts what the program asked of it.
class WatchedPort final : public serial::CommPort {
 public:
  explicit WatchedPort(serial::LoopbackPort& inner) : inner_(inner) {}
  int openAttempts = 0;
  int closeCalls = 0;

  bool setCommPort(int port) override { return inner_.setCommPort(port); }
  int commPort() const override { return inner_.commPort(); }
  bool setPortOpen(bool open) override {
    ++(open ? openAttempts : closeCalls);
    return inner_.setPortOpen(open);
  }
  bool portOpen() const override { return inner_.portOpen(); }
  bool output(const uint8_t* data, size_t size) override { return inner_.output(data, size); }
  int commEvent() override { return inner_.commEvent(); }
  int inBufferCount() override { return inner_.inBufferCount(); }
  std::vector<uint8_t> input() override { return inner_.input(); }
  std::string deviceFor(int port) const override { return inner_.deviceFor(port); }

 private:
  serial::LoopbackPort& inner_;
};

// The whole tool in virtual time over a loopback port, loaded at time 0, with no
// configuration files.
struct Tool {
  form::VirtualHost vh;
  serial::LoopbackPort line{[this] { return vh.now(); }};
  WatchedPort port{line};
  app::Application app{vh.host(), port, "/nonexistent/ba-tool-folder"};
  int messageBoxes = 0;

  Tool() {
    vh.onMessageBox = [this](const form::MessageBoxRequest&, form::MsgResult) { ++messageBoxes; };
    app.load();
  }
  form::Form& screen() { return app.mainForm(); }
  form::Control& at(const char* name, int index = -1) { return screen().at(name, index); }
  replies::MainState& state() { return app.main().state(); }
  void runTo(uint64_t t) { vh.runUntil(t); }
  void run(uint64_t ms) { vh.runUntil(vh.now() + ms); }
  // The bytes written since the last call.
  std::vector<int> sent() {
    std::vector<int> out;
    for (const auto& w : line.takeWritten()) out.push_back(w.byte);
    return out;
  }
  void keys(form::Control& c, std::initializer_list<int> codes, int shift = 0) {
    for (int code : codes) c.form().userKey(c, code, shift);
  }
  // The port is open and the terminal shown.
  void openTerminal() {
    runTo(1100);
    screen().userClick(at("Command4"));
  }
};

}  // namespace support
