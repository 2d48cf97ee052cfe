#include "sim/replay.h"

#include <algorithm>
#include <fstream>

#include "base/files.h"
#include "serial/capture_file.h"

namespace sim {

std::optional<ReplayScript> ReadReplay(std::istream& in, std::string* why) {
  std::string text;
  if (!std::getline(in, text) || !serial::IsCaptureTitle(text)) {
    if (why)
      *why = "not a capture of ba-test-tool (its first line is not \"" +
             std::string(serial::kCaptureTitle) + "...\")";
    return std::nullopt;
  }
  ReplayScript script;
  std::optional<uint64_t> first;
  uint64_t last = 0;
  for (size_t number = 2; std::getline(in, text); ++number) {
    if (serial::IsCaptureComment(text)) continue;
    auto record = serial::ParseCaptureLine(text);
    if (!record) {
      script.problems.push_back("line " + std::to_string(number) +
                                ": not \"MS R|S HH HH ...\", skipped");
      continue;
    }
    if (record->way != serial::CaptureDirection::Received) continue;
    if (!first) first = record->ms;
    last = std::max(last, record->ms >= *first ? record->ms - *first : 0);
    script.lines.push_back({last, std::move(record->bytes)});
  }
  return script;
}

std::optional<ReplayScript> LoadReplay(const std::string& path, std::string* why) {
  std::ifstream in(base::FsPath(path), std::ios::binary);
  if (!in) {
    if (why) *why = path + ": cannot be read";
    return std::nullopt;
  }
  auto script = ReadReplay(in, why);
  if (!script && why) *why = path + ": " + *why;
  return script;
}

void ReplayPlayer::start(uint64_t atMs) {
  started_ = true;
  startMs_ = atMs;
  next_ = 0;
}

std::vector<uint8_t> ReplayPlayer::due(uint64_t nowMs) {
  std::vector<uint8_t> out;
  while (playing() && nowMs >= startMs_ && script_.lines[next_].atMs <= nowMs - startMs_) {
    const auto& bytes = script_.lines[next_++].bytes;
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  return out;
}

}  // namespace sim
