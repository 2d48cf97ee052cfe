// `expect` lines: parsed, run now or scheduled, and checked against what `show` and `state`
// print.
#include "script/runner.h"

namespace script {

using Json = nlohmann::ordered_json;

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

namespace {
// The value `show` printed under `key`; "key[i]" is element i of an array (a status bar's
// panels). Null when there is none.
const Json* ShownValue(const Json& shown, const std::string& key) {
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
}  // namespace

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

}  // namespace script
