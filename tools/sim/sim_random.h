#pragma once
#include <cstdint>

namespace sim {

// A small deterministic generator (xorshift32): the same seed gives the same device.
class SimRandom {
 public:
  explicit SimRandom(uint32_t seed) : state_(seed != 0 ? seed : 0x9E3779B9u) {}

  uint32_t next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  // A value in lo..hi (both included); lo when the range is empty.
  int range(int lo, int hi) {
    if (hi <= lo) return lo;
    const auto span = static_cast<uint64_t>(static_cast<int64_t>(hi) - lo) + 1;
    return static_cast<int>(lo + static_cast<int64_t>(next() % span));
  }
  // True about once in `n` calls.
  bool oneIn(int n) { return n <= 1 || next() % static_cast<uint32_t>(n) == 0; }

 private:
  uint32_t state_;
};

}  // namespace sim
