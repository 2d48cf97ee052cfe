#pragma once
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// Faults the simulated line can inject, for reliability tests and training:
// "drop=N" loses every Nth byte sent, "insert=N" adds a stray byte after every Nth,
// "garbage=MS:LEN" sends LEN random bytes every MS milliseconds, "pause=AT:MS" sends nothing
// for MS milliseconds from AT, "unplug=AT:MS" closes the line at AT and brings it back MS
// later. A fault list separates them by commas; times count from the simulator's start.
struct FaultList {
  int dropEvery = 0;
  int insertEvery = 0;
  int garbageEveryMs = 0;
  int garbageLength = 0;
  int pauseAtMs = -1;
  int pauseMs = 0;
  int unplugAtMs = -1;
  int unplugMs = 0;
};
// Nothing (and `why`) for a malformed fault list.
std::optional<FaultList> ParseFaults(const std::string& list, std::string* why);

// The device's side of the line: bytes wait in a queue and leave at the line rate
// (`bytesPerSecond`, 0 for as fast as possible), shaped by the faults.
class LineShaper {
 public:
  LineShaper(int bytesPerSecond, FaultList faults, uint32_t seed = 1);

  void queue(const std::vector<uint8_t>& bytes);
  // The bytes that leave by `nowMs` (ms since the line first opened).
  std::vector<uint8_t> due(uint64_t nowMs);
  // Whether the line is unplugged at `nowMs`.
  bool unplugged(uint64_t nowMs) const;
  void clear() {
    queue_.clear();
    idle_ = true;
  }

 private:
  uint8_t random();

  int rate_;
  FaultList faults_;
  uint32_t state_;
  std::deque<uint8_t> queue_;
  double credit_ = 0;  // bytes the line may still send
  bool idle_ = false;  // nothing was waiting after the last call
  uint64_t last_ = 0;
  uint64_t sent_ = 0;  // bytes taken from the queue
  uint64_t nextGarbage_ = 0;
};

// 9600 baud with 8 data bits, even parity and 1 stop bit: 11 bits a byte.
constexpr int BytesPerSecond(int baud) {
  return baud > 0 ? baud / 11 : 0;
}

}  // namespace sim
