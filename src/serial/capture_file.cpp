#include "serial/capture_file.h"

#include <algorithm>
#include <charconv>

namespace serial {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";
constexpr size_t kLongestTime = 15;  // digits: far beyond any capture, never overflowing

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The next word of `line`, separated by spaces or tabs; empty at the end.
std::string_view NextWord(std::string_view& line) {
  const size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos) {
    line = {};
    return {};
  }
  line.remove_prefix(start);
  const size_t end = std::min(line.find_first_of(" \t"), line.size());
  const std::string_view word = line.substr(0, end);
  line.remove_prefix(end);
  return word;
}

}  // namespace

std::string CaptureHeader(std::string_view port, std::string_view started) {
  std::string header(kCaptureTitle);
  header += "; port ";
  header += port;
  header += "; started ";
  header += started;
  header += "\n# ms since the start, R received or S sent, the bytes in hex\n";
  return header;
}

std::string CaptureLine(uint64_t ms, CaptureDirection way, const uint8_t* data, size_t size) {
  std::string line = std::to_string(ms);
  line.reserve(line.size() + 3 + 3 * size);
  line += ' ';
  line += static_cast<char>(way);
  for (size_t i = 0; i < size; ++i) {
    line += ' ';
    line += kHex[data[i] >> 4];
    line += kHex[data[i] & 0x0F];
  }
  line += '\n';
  return line;
}

bool IsCaptureTitle(std::string_view line) {
  if (!line.starts_with(kCaptureTitle)) return false;
  const std::string_view rest = line.substr(kCaptureTitle.size());
  return rest.empty() || rest[0] == ';' || rest[0] == ' ' || rest[0] == '\r';
}

bool IsCaptureComment(std::string_view line) {
  const size_t start = line.find_first_not_of(" \t\r");
  return start == std::string_view::npos || line[start] == '#';
}

std::optional<CaptureRecord> ParseCaptureLine(std::string_view line) {
  if (line.ends_with('\r')) line.remove_suffix(1);
  CaptureRecord record;
  const std::string_view time = NextWord(line);
  if (time.empty() || time.size() > kLongestTime) return std::nullopt;
  auto [end, ec] = std::from_chars(time.data(), time.data() + time.size(), record.ms);
  if (ec != std::errc() || end != time.data() + time.size()) return std::nullopt;
  const std::string_view way = NextWord(line);
  if (way == "R") {
    record.way = CaptureDirection::Received;
  } else if (way == "S") {
    record.way = CaptureDirection::Sent;
  } else {
    return std::nullopt;
  }
  for (std::string_view byte = NextWord(line); !byte.empty(); byte = NextWord(line)) {
    if (byte.size() != 2 || HexDigit(byte[0]) < 0 || HexDigit(byte[1]) < 0) return std::nullopt;
    record.bytes.push_back(static_cast<uint8_t>(HexDigit(byte[0]) * 16 + HexDigit(byte[1])));
  }
  if (record.bytes.empty()) return std::nullopt;
  return record;
}

std::optional<CaptureWriter> CaptureWriter::Create(const std::string& path, std::string* why) {
  auto file = platform::OutputFile::CreateOrEmpty(path, why);
  if (!file) return std::nullopt;
  return CaptureWriter(std::move(*file));
}

bool CaptureWriter::close() {
  file_.flushToDisk();  // devices and pipes cannot be synced: no failure
  return file_.close();
}

}  // namespace serial
