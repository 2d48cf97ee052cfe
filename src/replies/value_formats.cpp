#include "replies/value_formats.h"

namespace replies {

std::string ByteToBits(uint8_t b) {
  std::string bits(8, '0');
  for (int i = 0; i < 8; ++i) {
    if (b & (1u << i)) bits[static_cast<size_t>(i)] = '1';
  }
  return bits;
}

std::string InvertBits(std::string_view bits) {
  std::string out;
  for (size_t i = 0; i < bits.size() && i < 8; ++i) out += bits[i] == '0' ? '1' : '0';
  return out;
}

std::string HexPair(uint8_t b) {
  static const char kDigits[] = "0123456789ABCDEF";
  return {kDigits[b >> 4], kDigits[b & 15]};
}

}  // namespace replies
