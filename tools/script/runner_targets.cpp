// Control names in scenarios: "Name", "Name(index)", optionally after "MainScreen." or
// "SetupScreen.".
#include <charconv>

#include "script/runner.h"

namespace script {

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

}  // namespace script
