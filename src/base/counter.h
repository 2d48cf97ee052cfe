#pragma once
#include <cstdint>
#include <limits>

namespace base {

// Adds one to a 16-bit counter, stopping at the largest value instead of overflowing.
inline int16_t Increment16(int16_t& counter) {
  if (counter < std::numeric_limits<int16_t>::max()) ++counter;
  return counter;
}

}  // namespace base
