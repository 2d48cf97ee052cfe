// The scenario commands and the reading of their arguments.
#include <algorithm>
#include <charconv>
#include <limits>
#include <utility>

#include "base/codepage.h"
#include "base/key_codes.h"
#include "script/runner.h"
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
}  // namespace

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
  registerKeyCommands();
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
  commands_["savefile"] = [this](const Args& a) {
    if (!Count(a, 1, 1)) return;
    if (a[0].quoted && !a[0].text.empty()) return vh_.queueFileName(a[0].text);
    if (!a[0].quoted && a[0].text == "CANCEL") return vh_.queueFileName(std::nullopt);
    Fail("savefile \"PATH\" or savefile CANCEL");
  };
}

// What a user does with the mouse on the screens.
void Runner::registerInputCommands() {
  using form::Control;
  using form::Form;
  // NAME
  const std::pair<const char*, bool (Form::*)(Control&)> clicks[] = {
      {"click", &Form::userClick}, {"dblclick", &Form::userDblClick}};
  for (const auto& [name, click] : clicks) {
    commands_[name] = [this, input = click](const Args& a) {
      if (!Count(a, 1, 1)) return;
      if (Control* c = Resolve(a, 0)) (c->form().*input)(*c);
    };
  }
  // NAME NUMBER: a list item or a scroll bar value.
  const std::pair<const char*, bool (Form::*)(Control&, int)> picks[] = {
      {"select", &Form::userSelect}, {"scroll", &Form::userScroll}};
  for (const auto& [name, pick] : picks) {
    commands_[name] = [this, input = pick](const Args& a) {
      long long value = 0;
      if (!Count(a, 2, 2) || !Integer(a[1], value)) return;
      if (Control* c = Resolve(a, 0)) (c->form().*input)(*c, ClampToInt(value));
    };
  }
  commands_["tab"] = [this](const Args& a) {
    long long tab = 0;
    if (!Count(a, 1, 1) || !Integer(a[0], tab)) return;
    if (Control* c = Resolve({Token{"SetupScreen.SSTab1", false}}, 0)) {
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

// What a user types.
void Runner::registerKeyCommands() {
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
  commands_["settext"] = [this](const Args& a) {
    if (!Count(a, 2, 2)) return;
    if (form::Control* c = Resolve(a, 0)) c->form().userSetText(*c, a[1].text);
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

}  // namespace script
