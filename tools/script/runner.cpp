#include "script/runner.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <thread>

#include "app/main_screen.h"
#include "base/codepage.h"
#include "base/key_codes.h"
#include "config/active_profile.h"
#include "script/control_json.h"
#include "setup/setup_window.h"

namespace script {

using Json = nlohmann::ordered_json;

namespace {
// Longer waits would only run the 100 ms poll for a very long time.
constexpr long long kLongestWait = 86'400'000;

// A scenario number as an int argument: values beyond the range stay beyond it instead of
// wrapping round to a valid index or port.
int ClampToInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

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
      posix_(device_ ? std::make_unique<serial::PosixPort>(folder, [this] { return vh_.now(); })
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
  if (name != "answer" && name != "portfail" && name != "at") Start();
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

std::optional<bool> Runner::ExpectLine(const std::string& line) {
  std::string_view rest = line;
  const std::string_view first = NextWord(rest);
  std::string_view when;
  if (first == "at") {
    std::string_view tail = rest;
    when = NextWord(tail);
    if (NextWord(tail) != "expect") return std::nullopt;
    rest = tail;
  } else if (first != "expect") {
    return std::nullopt;
  }
  long long ms = 0;
  if (!when.empty()) {
    if (!Integer(Token{std::string(when), false}, ms)) return false;
    if (ms < 0) {
      Fail("a time cannot be negative");
      return false;
    }
  }
  std::string error;
  auto e = ParseExpectation(rest, error);
  if (!e) {
    Fail(error);
    return false;
  }
  if (when.empty()) {
    Start();
    Check(*e);
    return true;
  }
  const int at = line_;
  vh_.schedule(static_cast<uint64_t>(ms), [this, e = std::move(*e), at] {
    if (failed_) return;
    const int outer = line_;
    line_ = at;
    Start();
    Check(e);
    line_ = outer;
  });
  return true;
}

// The value `show` printed under `key`; "key[i]" is element i of an array (a status bar's
// panels). Null when there is none.
static const Json* ShownValue(const Json& shown, const std::string& key) {
  const size_t open = key.find('[');
  const auto it = shown.find(key.substr(0, open));
  if (it == shown.end()) return nullptr;
  if (open == std::string::npos) return &*it;
  size_t index = 0;
  const std::string digits = key.substr(open + 1, key.size() - open - 2);
  if (key.back() != ']' || digits.empty() || digits.size() > 6 ||
      digits.find_first_not_of("0123456789") != std::string::npos) {
    return nullptr;
  }
  index = std::stoul(digits);
  return it->is_array() && index < it->size() ? &(*it)[index] : nullptr;
}

// Prints nothing on a match.
void Runner::Check(const Expectation& e) {
  Json expected, got;
  bool ok = true;
  if (e.state) {
    auto shown = StateJson(e.name);
    if (!shown) return;
    expected = Json{{"state", shown->at("state")}, {"value", e.values.at("value")}};
    ok = shown->at("value") == e.values.at("value");
    got = std::move(*shown);
  } else {
    auto shown = ShowJson(e.name);
    if (!shown) return;
    expected["control"] = e.name;
    got["control"] = shown->at("control");
    if (shown->contains("exists")) got["exists"] = shown->at("exists");
    for (const auto& [key, value] : e.values.items()) {
      expected[key] = value;
      const Json* seen = ShownValue(*shown, key);
      if (seen) got[key] = *seen;
      ok = ok && seen && *seen == value;
    }
    for (const auto& [key, value] : e.differs.items()) {
      expected[key + "!"] = value;
      const Json* seen = ShownValue(*shown, key);
      if (seen) got[key] = *seen;
      ok = ok && seen && *seen != value;
    }
  }
  if (ok) return;
  expectFailed_ = true;
  Print(Json{{"expect", expected}, {"got", got}, {"line", line_}});
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

bool Runner::Count(const Args& args, size_t min, size_t max) {
  if (args.size() >= min && args.size() <= max) return true;
  Fail("wrong number of arguments");
  return false;
}

bool Runner::Integer(const Token& t, long long& value) {
  const std::string& s = t.text;
  if (!t.quoted && !s.empty()) {
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec == std::errc() && end == s.data() + s.size()) return true;
  }
  Fail("\"" + s + "\" is not a whole number");
  return false;
}

bool Runner::ParseTarget(const std::string& text, Target& target) {
  std::string rest = text;
  target.screen = nullptr;
  for (form::Form* screen : {&app_.mainForm(), &app_.setupForm()}) {
    const std::string prefix = screen->name() + ".";
    if (rest.rfind(prefix, 0) == 0) {
      target.screen = screen;
      rest = rest.substr(prefix.size());
      break;
    }
  }
  if (!target.screen) {
    target.screen = app_.setupForm().visible() ? &app_.setupForm() : &app_.mainForm();
  }
  target.index = -1;
  const size_t open = rest.find('(');
  if (open != std::string::npos) {
    if (rest.back() != ')' || open == 0) return false;
    const std::string digits = rest.substr(open + 1, rest.size() - open - 2);
    int index = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (ec != std::errc() || end != digits.data() + digits.size() || digits.empty() || index < 0) {
      return false;
    }
    target.index = index;
    rest = rest.substr(0, open);
  }
  target.name = rest;
  return !rest.empty();
}

form::Control* Runner::Resolve(const Args& args, size_t at) {
  if (at >= args.size()) {
    Fail("a control name is missing");
    return nullptr;
  }
  Target t;
  if (!ParseTarget(args[at].text, t)) {
    Fail("malformed control name \"" + args[at].text + "\"");
    return nullptr;
  }
  form::Control* c = t.screen->find(t.name, t.index);
  if (!c && t.index >= 0) c = t.screen->slot(t.name, t.index);  // a run-time slot
  if (!c) Fail("unknown control \"" + args[at].text + "\"");
  return c;
}

bool Runner::Bytes(const Args& args, std::vector<uint8_t>& out) {
  for (const Token& t : args) {
    if (t.quoted) {
      const std::string bytes = base::EncodeCodePage(t.text);
      out.insert(out.end(), bytes.begin(), bytes.end());
      continue;
    }
    long long v = -1;
    const std::string& s = t.text;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
      auto [end, ec] = std::from_chars(s.data() + 2, s.data() + s.size(), v, 16);
      if (ec != std::errc() || end != s.data() + s.size()) v = -1;
    } else {
      auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
      if (ec != std::errc() || end != s.data() + s.size()) v = -1;
    }
    if (v < 0 || v > 255) {
      Fail("\"" + s + "\" is not a byte");
      return false;
    }
    out.push_back(static_cast<uint8_t>(v));
  }
  return true;
}

void Runner::registerCommands() {
  registerTimeCommands();
  registerInputCommands();
  registerQueryCommands();
}

// Time and the line: waits, scheduled commands, bytes arriving, port faults.
void Runner::registerTimeCommands() {
  commands_["start"] = [this](const Args& a) { Count(a, 0, 0); };
  commands_["wait"] = [this](const Args& a) {
    long long ms = 0;
    if (!Count(a, 1, 1) || !Integer(a[0], ms)) return;
    if (ms < 0) return Fail("a wait cannot be negative");
    if (ms > kLongestWait) return Fail("a wait lasts at most a day (86400000 ms)");
    vh_.runUntil(vh_.now() + static_cast<uint64_t>(ms));
  };
  commands_["at"] = [this](const Args& a) {
    long long ms = 0;
    if (!Count(a, 2, SIZE_MAX) || !Integer(a[0], ms)) return;
    const std::string& name = a[1].text;
    if (a[1].quoted || !commands_.count(name) || name == "start" || name == "wait" ||
        name == "at") {
      return Fail("\"" + name + "\" cannot be scheduled");
    }
    if (Refused(name)) return;
    if (ms < 0) return Fail("a time cannot be negative");
    Args rest(a.begin() + 1, a.end());
    const int line = line_;
    vh_.schedule(static_cast<uint64_t>(ms), [this, rest, line] {
      if (failed_) return;
      const int outer = line_;
      line_ = line;
      Dispatch(rest);
      line_ = outer;
    });
  };
  commands_["recv"] = [this](const Args& a) {
    std::vector<uint8_t> bytes;
    if (Count(a, 1, SIZE_MAX) && Bytes(a, bytes)) loopback_.receive(bytes);
  };
  commands_["portfail"] = [this](const Args& a) {
    long long n = 0;
    if (Count(a, 1, 1) && Integer(a[0], n)) loopback_.failPort(ClampToInt(n));
  };
  commands_["unplug"] = [this](const Args& a) {
    if (Count(a, 0, 0)) loopback_.unplug();
  };
  commands_["answer"] = [this](const Args& a) {
    if (!Count(a, 1, 1)) return;
    if (a[0].text == "OK") return vh_.queueAnswer(form::MsgResult::Ok);
    if (a[0].text == "CANCEL") return vh_.queueAnswer(form::MsgResult::Cancel);
    Fail("answer OK or CANCEL");
  };
}

// What a user does on the screens.
void Runner::registerInputCommands() {
  commands_["click"] = [this](const Args& a) {
    if (!Count(a, 1, 1)) return;
    if (form::Control* c = Resolve(a, 0)) c->form().userClick(*c);
  };
  commands_["dblclick"] = [this](const Args& a) {
    if (!Count(a, 1, 1)) return;
    if (form::Control* c = Resolve(a, 0)) c->form().userDblClick(*c);
  };
  commands_["key"] = [this](const Args& a) {
    long long code = 0, shift = 0;
    if (!Count(a, 2, 3) || !Integer(a[1], code)) return;
    if (a.size() == 3 && !Integer(a[2], shift)) return;
    if (code < 0 || code > 255) return Fail("a key code lies in 0..255");
    if (form::Control* c = Resolve(a, 0)) {
      c->form().userKey(*c, static_cast<int>(code), ClampToInt(shift));
    }
  };
  commands_["type"] = [this](const Args& a) {
    if (!Count(a, 2, 2)) return;
    form::Control* c = Resolve(a, 0);
    if (!c) return;
    std::vector<base::KeyStroke> keys;
    for (char ch : a[1].text) {
      auto key = base::KeyFor(ch);
      if (!key) return Fail("no key types \"" + std::string(1, ch) + "\"");
      keys.push_back(*key);
    }
    for (const base::KeyStroke& k : keys) c->form().userKey(*c, k.code, k.shift);
  };
  commands_["select"] = [this](const Args& a) {
    long long index = 0;
    if (!Count(a, 2, 2) || !Integer(a[1], index)) return;
    if (form::Control* c = Resolve(a, 0)) c->form().userSelect(*c, ClampToInt(index));
  };
  commands_["settext"] = [this](const Args& a) {
    if (!Count(a, 2, 2)) return;
    if (form::Control* c = Resolve(a, 0)) c->form().userSetText(*c, a[1].text);
  };
  commands_["scroll"] = [this](const Args& a) {
    long long value = 0;
    if (!Count(a, 2, 2) || !Integer(a[1], value)) return;
    if (form::Control* c = Resolve(a, 0)) c->form().userScroll(*c, ClampToInt(value));
  };
  commands_["tab"] = [this](const Args& a) {
    long long tab = 0;
    if (!Count(a, 1, 1) || !Integer(a[0], tab)) return;
    if (form::Control* c = Resolve({Token{"SetupScreen.SSTab1", false}}, 0)) {
      c->form().userTab(*c, ClampToInt(tab));
    }
  };
  commands_["close"] = [this](const Args& a) {
    if (!Count(a, 0, 0)) return;
    if (app_.setupForm().visible()) {
      app_.setup().Close();
    } else {
      app_.unload();
    }
  };
}

// What the screens show and what was sent.
void Runner::registerQueryCommands() {
  commands_["show"] = [this](const Args& a) {
    if (!Count(a, 1, 1)) return;
    if (auto j = ShowJson(a[0].text)) Print(*j);
  };
  commands_["state"] = [this](const Args& a) {
    if (!Count(a, 1, 1)) return;
    if (auto j = StateJson(a[0].text)) Print(*j);
  };
  commands_["sent"] = [this](const Args& a) {
    if (!Count(a, 0, 0)) return;
    Json list = Json::array();
    const auto add = [&list](const auto& written) {
      for (const auto& w : written) list.push_back(Json{{"t", w.time}, {"b", w.byte}});
    };
    if (posix_) {
      add(posix_->takeWritten());
    } else {
      add(loopback_.takeWritten());
    }
    Print(Json{{"sent", list}});
  };
}

std::optional<Json> Runner::ShowJson(const std::string& text) {
  for (form::Form* screen : {&app_.mainForm(), &app_.setupForm()}) {
    if (text == screen->name()) return ScreenJson(*screen);
  }
  if (text == "MSComm1" || text == "MainScreen.MSComm1") {
    Json j;
    j["control"] = "MSComm1";
    j["kind"] = "MSComm";
    j["commPort"] = line().commPort();
    j["portOpen"] = line().portOpen();
    return j;
  }
  Target t;
  if (!ParseTarget(text, t)) {
    Fail("malformed control name \"" + text + "\"");
    return std::nullopt;
  }
  form::Control* c = t.screen->find(t.name, t.index);
  // A slot array shows the control in the slot under its own name.
  if (!c && t.index >= 0) c = t.screen->slot(t.name, t.index);
  if (c) return ControlJson(*c);
  Json j;
  j["control"] = t.index < 0 ? t.name : t.name + "(" + std::to_string(t.index) + ")";
  j["exists"] = false;
  return j;
}

std::optional<Json> Runner::StateJson(const std::string& text) {
  std::string name = text;
  if (name == "SetupScreen.GridCount") {
    return Json{{"state", name}, {"value", app_.setup().GridCount()}};
  }
  if (name == "SetupScreen.SystemFields") {
    return Json{{"state", name}, {"value", app_.setup().SystemFields()}};
  }
  if (name.rfind("MainScreen.", 0) == 0) name = name.substr(11);
  if (name == "SendBuffer") {  // kept by the port link
    const auto& buffer = app_.main().portLink().SendBuffer;
    return Json{{"state", name}, {"value", Json(buffer)}};
  }
  std::optional<Json> found;
  replies::ForEachField(app_.main().state(), [&](std::string_view field, replies::StateField v) {
    if (found || field != name) return;
    const Json value = std::visit([](auto* p) { return Json(*p); }, v);
    found = Json{{"state", name}, {"value", value}};
  });
  config::VisitProfile(app_.main().state().profile, [&](std::string_view field, auto& value) {
    if (found || field != name) return;
    using T = std::decay_t<decltype(value)>;
    Json j;
    if constexpr (std::is_same_v<T, config::ChannelTable>) {
      j = Json(std::vector<int16_t>(value.begin() + 1, value.end()));  // channel 1 first
    } else {
      j = Json(value);
    }
    found = Json{{"state", name}, {"value", j}};
  });
  if (!found) Fail("unknown state \"" + text + "\"");
  return found;
}

}  // namespace script
