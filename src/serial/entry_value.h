#pragma once
#include <cstdint>
#include <string_view>

namespace serial {

// The decimal number at the start of `text`: leading blanks skipped, an optional sign, digits,
// a fraction and an exponent (counted only when digits follow the "e"); parsing stops at the
// first character that cannot continue the number; no digits give 0.
double LeadingDecimal(std::string_view text);
// Leading hexadecimal digits of `text`; stops at the first other character; no digits give 0.
// Saturates instead of overflowing.
int64_t LeadingHex(std::string_view text);
// Rounds half to even, saturating at the int64 range (NaN gives 0).
int64_t RoundHalfEven(double value);
// A byte entry: "0x" (either case) followed by hexadecimal digits, or a decimal number.
int64_t EntryValue(std::string_view text);

}  // namespace serial
