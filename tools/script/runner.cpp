// The runner itself: scenario lines to commands, the start of the tool, the output.
#include "script/runner.h"

#include <thread>

namespace script {

using Json = nlohmann::ordered_json;

namespace {

const char* IconName(form::MsgIcon icon) {
  switch (icon) {
    case form::MsgIcon::Information:
      return "Information";
    case form::MsgIcon::Exclamation:
      return "Exclamation";
    case form::MsgIcon::Critical:
      return "Critical";
    case form::MsgIcon::Question:
      return "Question";
  }
  return "Information";
}
}  // namespace

Runner::Runner(std::string folder, std::ostream& out, std::optional<Device> device)
    : device_(std::move(device)),
      origin_(std::chrono::steady_clock::now()),
      loopback_([this] { return vh_.now(); }),
      posix_(device_ ? std::make_unique<serial::DevicePort>(folder, [this] { return vh_.now(); })
                     : nullptr),
      app_(vh_.host(), line(), std::move(folder)),
      out_(out) {
  if (posix_) {
    if (!device_->path.empty()) posix_->pin(1, device_->path);
    // Virtual time runs no faster than the wall clock.
    vh_.setPacer([this](uint64_t now) {
      std::this_thread::sleep_until(origin_ + std::chrono::milliseconds(now));
    });
  }
  vh_.onMessageBox = [this](const form::MessageBoxRequest& r, form::MsgResult answer) {
    Json box;
    box["t"] = vh_.now();
    box["title"] = r.title;
    box["text"] = r.text;
    box["buttons"] = r.buttons == form::MsgButtons::Ok ? "OK" : "OKCancel";
    box["icon"] = IconName(r.icon);
    box["answer"] = answer == form::MsgResult::Ok ? "OK" : "Cancel";
    Json j;
    j["messagebox"] = box;
    Print(j);
  };
  registerCommands();
}

Runner::~Runner() = default;

serial::CommPort& Runner::line() {
  if (posix_) return *posix_;
  return loopback_;
}

int Runner::Run(std::istream& in) {
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    if (!Execute(line, ++lineNo)) return 2;
  }
  return expectFailed_ ? 1 : 0;
}

bool Runner::Execute(const std::string& line, int lineNo) {
  line_ = lineNo;
  CatchUp();
  if (failed_) return false;
  if (const auto ran = ExpectLine(line)) return *ran && !failed_;
  std::string error;
  auto tokens = Tokenize(line, error);
  if (!tokens) {
    Fail(error);
    return false;
  }
  if (tokens->empty()) return true;
  return Dispatch(*tokens) && !failed_;
}

bool Runner::Dispatch(const Args& tokens) {
  const std::string& name = tokens[0].text;
  auto it = commands_.find(tokens[0].quoted ? std::string() : name);
  if (it == commands_.end()) {
    Fail("unknown command \"" + name + "\"");
    return false;
  }
  if (Refused(name)) return false;
  if (name != "answer" && name != "savefile" && name != "portfail" && name != "at") Start();
  it->second(Args(tokens.begin() + 1, tokens.end()));
  return !failed_;
}

bool Runner::Refused(const std::string& command) {
  if (!posix_ || (command != "recv" && command != "portfail" && command != "unplug")) return false;
  Fail("\"" + command + "\" needs the virtual line, not --port");
  return true;
}

void Runner::CatchUp() {
  if (!posix_) return;
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - origin_)
                           .count();
  if (elapsed > 0 && static_cast<uint64_t>(elapsed) > vh_.now()) {
    vh_.runUntil(static_cast<uint64_t>(elapsed));
  }
}

void Runner::Start() {
  if (started_) return;
  started_ = true;
  app_.load();
  // The user's pick of the port; the list's click keeps the one-second open.
  if (device_ && device_->path.empty() && device_->number > 1) {
    app_.mainForm().at("ComPortList").setListIndex(device_->number - 1);
  }
}

void Runner::Print(const Json& j) {
  out_ << j.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
  out_.flush();
}

void Runner::Fail(const std::string& message) {
  failed_ = true;
  Json j;
  j["error"] = "line " + std::to_string(line_) + ": " + message;
  Print(j);
}
}  // namespace script
