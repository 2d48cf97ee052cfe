#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace replies {

// Eight "0"/"1" characters, bit 0 first: 5 gives "10100000".
std::string ByteToBits(uint8_t b);
// Each of the first eight characters flipped: "0" becomes "1", anything else "0".
std::string InvertBits(std::string_view bits);
// Two upper-case hexadecimal digits: 10 gives "0A".
std::string HexPair(uint8_t b);

}  // namespace replies
