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
  std::optional<uint64_t> first;  // the first received line, the anchor before any send
  uint64_t anchor = 0;
  size_t sent = 0;
  uint64_t last = 0;
  for (size_t number = 2; std::getline(in, text); ++number) {
    if (serial::IsCaptureComment(text)) continue;
    auto record = serial::ParseCaptureLine(text);
    if (!record) {
      script.problems.push_back("line " + std::to_string(number) +
                                ": not \"MS R|S HH HH ...\", skipped");
      continue;
    }
    if (record->way == serial::CaptureDirection::Sent) {
      sent += record->bytes.size();
      anchor = record->ms;
      last = 0;
      continue;
    }
    if (!first) first = record->ms;
    const uint64_t from = sent == 0 ? *first : anchor;
    last = std::max(last, record->ms >= from ? record->ms - from : 0);
    script.lines.push_back({sent, last, std::move(record->bytes)});
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
  sentAt_.clear();
}

void ReplayPlayer::sent(size_t count, uint64_t nowMs) {
  if (!playing()) return;
  const size_t room =
      script_.lines.back().sentBefore - std::min(sentAt_.size(), script_.lines.back().sentBefore);
  sentAt_.insert(sentAt_.end(), std::min(count, room), nowMs);
}

std::vector<uint8_t> ReplayPlayer::due(uint64_t nowMs) {
  std::vector<uint8_t> out;
  while (playing()) {
    const ReplayScript::Line& line = script_.lines[next_];
    if (sentAt_.size() < line.sentBefore) break;  // its command has not come yet
    const uint64_t from = line.sentBefore == 0 ? startMs_ : sentAt_[line.sentBefore - 1];
    if (nowMs < from || nowMs - from < line.atMs) break;
    const auto& bytes = script_.lines[next_++].bytes;
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  return out;
}

}  // namespace sim
