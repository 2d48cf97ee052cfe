#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace config {

// The text-to-integer conversion of every number in the configuration files. It takes:
// - blanks (spaces, tabs) around the number, an optional sign, leading zeros ("007" is 7);
// - a decimal fraction and an exponent ("2.5", ".5", "5.", "1e2", "12E-1"); the value is
//   rounded half to even ("2.5" -> 2, "3.5" -> 4, "-2.5" -> -2);
// - the hexadecimal form "&H1F" (1 to 4 significant digits, no sign; like a 16-bit literal,
//   "&HFFFF" is -1);
// Nothing for empty text, any other character ("12abc", "1 2"), or a value outside
// -32768..32767 after rounding.
std::optional<int16_t> TextToInt16(std::string_view text);

}  // namespace config
