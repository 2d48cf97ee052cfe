#include "script/expect.h"

#include "script/tokenizer.h"

namespace script {
namespace {

using Json = nlohmann::ordered_json;

constexpr int kMaxDepth = 64;  // deeper values would only strain the printing

bool AtEnd(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i == text.size() || text[i] == '#';
}

// The length of the string or bracketed value at the start of `text`; 0 when it is open or
// nested too deep.
size_t EnclosedLength(std::string_view text) {
  int depth = 0;
  bool inString = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        inString = false;
        if (depth == 0) return i + 1;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxDepth) return 0;
    } else if ((c == ']' || c == '}') && --depth == 0) {
      return i + 1;
    }
  }
  return 0;
}

// Cuts one value from the start of `text`.
std::optional<Json> CutValue(std::string_view& text, std::string& error) {
  const bool enclosed = !text.empty() && (text[0] == '"' || text[0] == '[' || text[0] == '{');
  size_t end = 0;
  if (enclosed) {
    end = EnclosedLength(text);
    if (end == 0) {
      error = "unterminated or too deeply nested value";
      return std::nullopt;
    }
    if (end < text.size() && !IsBlank(text[end])) {
      error = "a value must be followed by a blank";
      return std::nullopt;
    }
  } else {
    while (end < text.size() && !IsBlank(text[end])) ++end;
  }
  const std::string literal(text.substr(0, end));
  text.remove_prefix(end);
  Json value = Json::parse(literal, nullptr, false);
  if (!value.is_discarded()) return value;
  if (!enclosed) return Json(literal);
  error = "malformed value " + literal;
  return std::nullopt;
}

}  // namespace

std::optional<Expectation> ParseExpectation(std::string_view text, std::string& error) {
  Expectation e;
  const std::string_view name = AtEnd(text) ? std::string_view() : NextWord(text);
  if (name.empty() || name[0] == '"') {
    error = "expect needs a control or \"state\"";
    return std::nullopt;
  }
  if (name == "state") {
    e.state = true;
    const std::string_view field = AtEnd(text) ? std::string_view() : NextWord(text);
    if (field.empty() || AtEnd(text)) {
      error = "expect state NAME VALUE";
      return std::nullopt;
    }
    e.name = field;
    while (IsBlank(text.front())) text.remove_prefix(1);
    auto value = CutValue(text, error);
    if (!value) return std::nullopt;
    if (!AtEnd(text)) {
      error = "expect state takes one value";
      return std::nullopt;
    }
    e.values["value"] = std::move(*value);
    return e;
  }
  e.name = name;
  while (!AtEnd(text)) {
    while (IsBlank(text.front())) text.remove_prefix(1);
    size_t eq = 0;
    while (eq < text.size() && text[eq] != '=' && !IsBlank(text[eq])) ++eq;
    if (eq == 0 || eq == text.size() || text[eq] != '=') {
      error = "expect takes key=value, not \"" + std::string(NextWord(text)) + "\"";
      return std::nullopt;
    }
    std::string key(text.substr(0, eq));
    text.remove_prefix(eq + 1);
    const bool differs = key.size() > 1 && key.back() == '!';
    if (differs) key.pop_back();
    if (e.values.contains(key) || e.differs.contains(key)) {
      error = "key \"" + key + "\" given twice";
      return std::nullopt;
    }
    auto value = CutValue(text, error);
    if (!value) return std::nullopt;
    (differs ? e.differs : e.values)[key] = std::move(*value);
  }
  if (e.values.empty() && e.differs.empty()) {
    error = "expect needs at least one key=value";
    return std::nullopt;
  }
  return e;
}

}  // namespace script
