#include "sim/line_shaper.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace sim {

namespace {

bool Number(const std::string& text, int& out) {
  const char* end = text.data() + text.size();
  auto [p, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && p == end && out >= 0;
}

// "A:B" into two numbers.
bool Pair(const std::string& text, int& a, int& b) {
  const size_t colon = text.find(':');
  return colon != std::string::npos && Number(text.substr(0, colon), a) &&
         Number(text.substr(colon + 1), b);
}

}  // namespace

std::optional<FaultList> ParseFaults(const std::string& list, std::string* why) {
  FaultList f;
  std::istringstream items(list);
  for (std::string item; std::getline(items, item, ',');) {
    if (item.empty()) continue;
    const size_t eq = item.find('=');
    const std::string name = item.substr(0, eq);
    const std::string value = eq == std::string::npos ? std::string() : item.substr(eq + 1);
    bool ok = false;
    if (name == "drop") ok = Number(value, f.dropEvery) && f.dropEvery > 0;
    if (name == "insert") ok = Number(value, f.insertEvery) && f.insertEvery > 0;
    if (name == "garbage") ok = Pair(value, f.garbageEveryMs, f.garbageLength);
    if (name == "pause") ok = Pair(value, f.pauseAtMs, f.pauseMs);
    if (name == "unplug") ok = Pair(value, f.unplugAtMs, f.unplugMs);
    if (!ok) {
      if (why) *why = "unreadable fault \"" + item + "\"";
      return std::nullopt;
    }
  }
  return f;
}

LineShaper::LineShaper(int bytesPerSecond, FaultList faults, uint32_t seed)
    : rate_(std::max(0, bytesPerSecond)), faults_(faults), state_(seed ? seed : 1) {
  nextGarbage_ = static_cast<uint64_t>(faults_.garbageEveryMs);
}

uint8_t LineShaper::random() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<uint8_t>(state_);
}

void LineShaper::queue(const std::vector<uint8_t>& bytes) {
  queue_.insert(queue_.end(), bytes.begin(), bytes.end());
}

bool LineShaper::unplugged(uint64_t nowMs) const {
  if (faults_.unplugAtMs < 0) return false;
  const auto at = static_cast<uint64_t>(faults_.unplugAtMs);
  return nowMs >= at && nowMs < at + static_cast<uint64_t>(faults_.unplugMs);
}

std::vector<uint8_t> LineShaper::due(uint64_t nowMs) {
  std::vector<uint8_t> out;
  const uint64_t elapsed = nowMs > last_ ? nowMs - last_ : 0;
  last_ = std::max(last_, nowMs);
  if (faults_.pauseAtMs >= 0) {
    const auto at = static_cast<uint64_t>(faults_.pauseAtMs);
    if (nowMs >= at && nowMs < at + static_cast<uint64_t>(faults_.pauseMs)) return out;
  }
  if (faults_.garbageEveryMs > 0 && nowMs >= nextGarbage_) {
    nextGarbage_ = nowMs + static_cast<uint64_t>(faults_.garbageEveryMs);
    for (int i = 0; i < faults_.garbageLength; ++i) out.push_back(random());
  }
  size_t allowed = queue_.size();
  if (rate_ > 0) {
    // Credit builds up only while bytes wait, a second's worth at most: bytes queued on an
    // idle line leave one by one from now on, as a UART sends them, not as one burst.
    credit_ = idle_ ? 0
                    : std::min(credit_ + static_cast<double>(elapsed) * rate_ / 1000.0,
                               static_cast<double>(rate_));
    allowed = std::min(allowed, static_cast<size_t>(credit_));
    credit_ -= static_cast<double>(allowed);
  }
  for (size_t i = 0; i < allowed; ++i) {
    const uint8_t b = queue_.front();
    queue_.pop_front();
    ++sent_;
    if (faults_.dropEvery > 0 && sent_ % static_cast<uint64_t>(faults_.dropEvery) == 0) continue;
    out.push_back(b);
    if (faults_.insertEvery > 0 && sent_ % static_cast<uint64_t>(faults_.insertEvery) == 0) {
      out.push_back(random());
    }
  }
  idle_ = queue_.empty();
  return out;
}

}  // namespace sim
