#pragma once
#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// The received lines of a ba-test-tool capture, to be played back as the device's bytes.
struct ReplayScript {
  struct Line {
    size_t sentBefore = 0;  // bytes the tool had sent before this line
    uint64_t atMs = 0;      // after the last of those bytes, or after the first received line
    std::vector<uint8_t> bytes;
  };
  std::vector<Line> lines;
  // One text per malformed line, skipped: "line N: ...".
  std::vector<std::string> problems;
};

// Reads a capture: the title line first, then its received (R) lines, each timed from the
// sent (S) line before it (an answer follows its command); comments are left out, a line that
// goes back in time plays right after the one before it.
// Nothing (and `why`) when the text is no capture.
std::optional<ReplayScript> ReadReplay(std::istream& in, std::string* why);
// The same from a file.
std::optional<ReplayScript> LoadReplay(const std::string& path, std::string* why);

// Plays a script from a start time: a line becomes due once the tool has sent as many bytes as
// before it in the capture, at its time after the last of them (after the start when none).
class ReplayPlayer {
 public:
  // The script must outlive the player.
  explicit ReplayPlayer(const ReplayScript& script) : script_(script) {}

  // Starts over: the first line is due at `atMs`.
  void start(uint64_t atMs);
  // Before the first start, or after the last line: nothing more to play.
  bool playing() const { return started_ && next_ < script_.lines.size(); }
  // The tool sent `count` bytes at `nowMs`.
  void sent(size_t count, uint64_t nowMs);
  // The bytes of the lines due by `nowMs`, in order.
  std::vector<uint8_t> due(uint64_t nowMs);

 private:
  const ReplayScript& script_;
  bool started_ = false;
  uint64_t startMs_ = 0;
  size_t next_ = 0;
  std::vector<uint64_t> sentAt_;  // when the tool sent each byte since the start
};

}  // namespace sim
