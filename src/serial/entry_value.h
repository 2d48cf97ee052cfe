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
// Whether a byte entry's text starts with the hexadecimal mark "0x" (either case).
bool HexEntry(std::string_view text);
// The key rule of a decimal byte entry: whether the digit key `digit` may follow `text`. At
// most three characters; a third only after "1" or after two digits that keep the number
// small enough, judged digit by digit.
bool DecimalEntryTakes(std::string_view text, int digit);
// A byte entry: "0x" (either case) followed by hexadecimal digits, or a decimal number.
int64_t EntryValue(std::string_view text);

}  // namespace serial
