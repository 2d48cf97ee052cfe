#include "serial/loopback_port.h"

namespace serial {

void LoopbackPort::receive(const std::vector<uint8_t>& bytes) {
  if (!open_ || bytes.empty()) return;
  in_.insert(in_.end(), bytes.begin(), bytes.end());
  event_ = kEventReceive;
}

void LoopbackPort::unplug() {
  open_ = false;
  in_.clear();
}

std::vector<LoopbackPort::Written> LoopbackPort::takeWritten() {
  std::vector<Written> out(written_.begin() + static_cast<long>(taken_), written_.end());
  taken_ = written_.size();
  return out;
}

std::string LoopbackPort::deviceFor(int port) const {
  return failing_.count(port) ? "" : "loopback";
}

bool LoopbackPort::openLine() {
  if (failing_.count(commPort())) return false;
  open_ = true;
  ++openCount_;
  return true;
}

void LoopbackPort::closeLine() {
  open_ = false;
  in_.clear();
  event_ = 0;
}

bool LoopbackPort::output(const uint8_t* data, size_t size) {
  if (!open_) return false;
  const uint64_t t = clock_ ? clock_() : 0;
  for (size_t i = 0; i < size; ++i) written_.push_back({t, data[i]});
  return true;
}

int LoopbackPort::inBufferCount() {
  return open_ ? static_cast<int>(in_.size()) : 0;
}

std::vector<uint8_t> LoopbackPort::input() {
  std::vector<uint8_t> out;
  if (open_) out.swap(in_);
  return out;
}

}  // namespace serial
