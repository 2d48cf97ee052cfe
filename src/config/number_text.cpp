#include "config/number_text.h"

#include <string>

#include "base/text.h"

namespace config {
namespace {

using base::IsDigit;

std::optional<int16_t> FromHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  long value = 0;
  for (char c : digits) {
    const int v = base::HexDigitValue(c);
    if (v < 0) return std::nullopt;
    value = value * 16 + v;
    if (value > 0xFFFF) return std::nullopt;
  }
  return static_cast<int16_t>(static_cast<uint16_t>(value));
}

// Reads the digits of `s` from `i` on into `digits`; returns how many there were.
size_t TakeDigits(std::string_view s, size_t& i, std::string& digits) {
  const size_t start = i;
  while (i < s.size() && IsDigit(s[i])) digits += s[i++];
  return i - start;
}

}  // namespace

std::optional<int16_t> TextToInt16(std::string_view text) {
  std::string_view s = base::Trim(text, base::kBlanks);
  if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h')) return FromHex(s.substr(2));

  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

  // The number is 0.<digits> x 10^point once leading zeros are gone.
  std::string digits;
  size_t intDigits = TakeDigits(s, i, digits);
  size_t fracDigits = 0;
  if (i < s.size() && s[i] == '.') {
    ++i;
    fracDigits = TakeDigits(s, i, digits);
  }
  if (intDigits + fracDigits == 0) return std::nullopt;

  long exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool expNegative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) expNegative = s[i++] == '-';
    if (i == s.size() || !IsDigit(s[i])) return std::nullopt;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
      if (exponent < 100000) exponent = exponent * 10 + (s[i] - '0');  // saturates
    }
    if (expNegative) exponent = -exponent;
  }
  if (i != s.size()) return std::nullopt;

  const size_t zeros = digits.find_first_not_of('0');
  if (zeros == std::string::npos) return int16_t{0};
  digits.erase(0, zeros);
  const long point = static_cast<long>(intDigits) - static_cast<long>(zeros) + exponent;
  if (point > 5) return std::nullopt;  // at least 100000

  // Integer part, then round half to even on the first dropped digit and the rest.
  long value = 0;
  for (long k = 0; k < point; ++k) {
    value = value * 10 + (k < static_cast<long>(digits.size()) ? digits[k] - '0' : 0);
  }
  if (point >= 0 && point < static_cast<long>(digits.size())) {
    const char first = digits[point];
    const bool restZero = digits.find_first_not_of('0', point + 1) == std::string::npos;
    if (first > '5' || (first == '5' && (!restZero || value % 2 == 1))) ++value;
  }
  if (negative) value = -value;
  if (value < -32768 || value > 32767) return std::nullopt;
  return static_cast<int16_t>(value);
}

}  // namespace config
