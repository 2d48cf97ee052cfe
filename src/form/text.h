#pragma once
#include <string>
#include <string_view>

namespace form {

// Captions are UTF-8; these count and cut them in characters, not bytes.
int CharCount(std::string_view s);
// Characters [first, first + count) counted from 0; clipped to the text.
std::string CharSlice(std::string_view s, int first, int count);
// The text without its last character.
std::string DropLastChar(std::string_view s);
// Lower-cases ASCII letters only.
std::string AsciiLower(std::string_view s);

}  // namespace form
