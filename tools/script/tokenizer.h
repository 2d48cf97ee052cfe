#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace script {

struct Token {
  std::string text;
  bool quoted = false;
};

// Splits a scenario line into blank-separated tokens; "strings" may hold blanks and the
// escapes \" and \\. A '#' outside a string starts a comment. Returns nothing, with `error`
// set, for an unterminated string or an unknown escape.
std::optional<std::vector<Token>> Tokenize(const std::string& line, std::string& error);

bool IsBlank(char c);
// The next word of `text` as written (quotes kept), cut from `text` with the blanks before it.
std::string_view NextWord(std::string_view& text);

}  // namespace script
