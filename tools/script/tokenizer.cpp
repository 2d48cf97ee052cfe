#include "script/tokenizer.h"

namespace script {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view NextWord(std::string_view& text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  size_t end = i;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  const std::string_view word = text.substr(i, end - i);
  text.remove_prefix(end);
  return word;
}

std::optional<std::vector<Token>> Tokenize(const std::string& line, std::string& error) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < line.size()) {
    if (IsBlank(line[i])) {
      ++i;
      continue;
    }
    if (line[i] == '#') break;
    Token t;
    if (line[i] == '"') {
      t.quoted = true;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        const char c = line[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c == '\\') {
          if (i >= line.size() || (line[i] != '"' && line[i] != '\\')) {
            error = "unknown escape in a string";
            return std::nullopt;
          }
          t.text += line[i++];
        } else {
          t.text += c;
        }
      }
      if (!closed) {
        error = "unterminated string";
        return std::nullopt;
      }
      if (i < line.size() && !IsBlank(line[i])) {
        error = "a string must be followed by a blank";
        return std::nullopt;
      }
    } else {
      while (i < line.size() && !IsBlank(line[i])) t.text += line[i++];
    }
    tokens.push_back(std::move(t));
  }
  return tokens;
}

}  // namespace script
