#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

// Captures of the bytes on the line: a text file, written by the tool and read by ba-sim's
// replay. The title line, a comment line, then one line per read or write:
//   # ba-test-tool capture 1; port 3 (/dev/ttyUSB0); started 2024-05-02 14:03:07
//   # ms since the start, R received or S sent, the bytes in hex
//   1234 R 26 41 0A
namespace serial {

enum class CaptureDirection : char { Received = 'R', Sent = 'S' };

inline constexpr std::string_view kCaptureTitle = "# ba-test-tool capture 1";

// The title line (with the port and the start) and the comment line.
std::string CaptureHeader(std::string_view port, std::string_view started);
// One line "MS R|S HH HH ...\n".
std::string CaptureLine(uint64_t ms, CaptureDirection way, const uint8_t* data, size_t size);

// Whether `line` is the title of a capture this format reads.
bool IsCaptureTitle(std::string_view line);
// Blank lines and "#" comments carry no bytes.
bool IsCaptureComment(std::string_view line);

struct CaptureRecord {
  uint64_t ms = 0;
  CaptureDirection way = CaptureDirection::Received;
  std::vector<uint8_t> bytes;
};
// A line with a time, a direction and at least one byte (a CR before the end is allowed);
// nothing for anything else.
std::optional<CaptureRecord> ParseCaptureLine(std::string_view line);

// A capture file open for writing. Each text goes to the system in one write (the tool keeps
// no buffer), so what was written survives the tool stopping.
class CaptureWriter {
 public:
  // Nothing when the file cannot be opened; `why` tells the reason.
  static std::optional<CaptureWriter> Create(const std::string& path, std::string* why);
  bool write(std::string_view text) { return file_.writeAll(text); }
  // Syncs to the disk and closes; false when closing reports a write that failed.
  bool close();

 private:
  explicit CaptureWriter(platform::OutputFile file) : file_(std::move(file)) {}
  platform::OutputFile file_;
};

}  // namespace serial
