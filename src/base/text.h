#pragma once
#include <string>
#include <string_view>

namespace base {

// Captions are UTF-8; these count and cut them in characters, not bytes.
int CharCount(std::string_view s);
// Characters [first, first + count) counted from 0; clipped to the text.
std::string CharSlice(std::string_view s, int first, int count);
// The text without its last character.
std::string DropLastChar(std::string_view s);
// Byte offset of character `n` (counted from 0), or the text's size when it has fewer.
size_t CharOffset(std::string_view s, int n);
// Lower-cases ASCII letters only.
std::string AsciiLower(std::string_view s);

constexpr bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
// The value of a hexadecimal digit (either case), or -1.
constexpr int HexDigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Character sets for Trim.
inline constexpr std::string_view kSpaces = " ";
inline constexpr std::string_view kBlanks = " \t";
inline constexpr std::string_view kWhitespace = " \t\r\n\v\f";

// `s` without the leading and trailing characters that are in `set`.
constexpr std::string_view Trim(std::string_view s, std::string_view set) {
  const size_t first = s.find_first_not_of(set);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(set) - first + 1);
}

}  // namespace base
