#include "serial/entry_value.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "base/text.h"

namespace serial {
namespace {
using base::IsDigit;
}  // namespace

double LeadingDecimal(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  // An exponent counts only when digits follow it.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  const std::string number(text.substr(start, i - start));
  return std::strtod(number.c_str(), nullptr);
}

int64_t LeadingHex(std::string_view text) {
  constexpr int64_t kLimit = INT64_C(0x7FFFFFFFFFFFFFFF);
  int64_t value = 0;
  for (char c : text) {
    const int d = base::HexDigitValue(c);
    if (d < 0) break;
    value = value > (kLimit - d) / 16 ? kLimit : value * 16 + d;
  }
  return value;
}

int64_t RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9.2e18) return INT64_MAX;
  if (value <= -9.2e18) return INT64_MIN;
  const double r = std::nearbyint(value);  // the default rounding mode is to nearest, ties even
  return static_cast<int64_t>(r);
}

bool HexEntry(std::string_view text) {
  return text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

bool DecimalEntryTakes(std::string_view text, int digit) {
  const int length = base::CharCount(text);
  if (length >= 3) return false;
  if (length < 2 || text[0] == '1') return true;
  // A character that is not a digit cannot be compared; the entry is refused.
  if (!base::IsDigit(text[0]) || !base::IsDigit(text[1])) return false;
  return text[0] - '0' <= 2 && text[1] - '0' <= (digit <= 5 ? 5 : 4);
}

int64_t EntryValue(std::string_view text) {
  if (HexEntry(text)) {
    return LeadingHex(text.substr(2));
  }
  return RoundHalfEven(LeadingDecimal(text));
}

}  // namespace serial
