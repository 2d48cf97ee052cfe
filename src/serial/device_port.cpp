#include "serial/device_port.h"

#include <algorithm>
#include <limits>

#include "serial/port_map.h"

namespace serial {
namespace {

constexpr size_t kMaxBuffered = 64 * 1024;  // read ahead of the tool, or waiting to be written
constexpr size_t kMaxLogged = 1'000'000;

}  // namespace

DevicePort::DevicePort(std::string appFolder, std::function<uint64_t()> clock)
    : folder_(std::move(appFolder)), clock_(std::move(clock)) {}

DevicePort::~DevicePort() {
  closeLine();
}

std::string DevicePort::deviceFor(int port) const {
  if (port < kFirstPort || port > kLastPort) return "";
  if (auto it = pins_.find(port); it != pins_.end()) return it->second;
  if (std::string numbered = platform::NumberedPortDevice(port); !numbered.empty()) {
    return numbered;
  }
  std::map<int, std::string> pinned = pins_;
  pinned.merge(LoadPortMap(folder_));  // keeps the pins for numbers both name
  return PortDevice(port, pinned, platform::SerialDevices()).value_or("");
}

std::vector<DevicePort::Written> DevicePort::takeWritten() {
  std::vector<Written> out(written_.begin(), written_.end());
  written_.clear();
  return out;
}

bool DevicePort::openLine() {
  const std::string device = deviceFor(commPort());
  if (device.empty()) {
    openProblem_ = "port " + std::to_string(commPort()) + " names no serial device";
    return false;
  }
  openProblem_.clear();
  line_ = platform::SerialLine::Open(device, &openProblem_);
  if (!line_) openProblem_ = device + ": " + openProblem_;
  event_ = 0;
  return line_.has_value();
}

void DevicePort::closeLine() {
  line_.reset();
  event_ = 0;
  in_.clear();
  out_.clear();
}

void DevicePort::flush() {
  while (line_ && !out_.empty()) {
    const long long n = line_->write(out_.data(), out_.size());
    if (n < 0) {
      closeLine();
    } else if (n == 0) {
      return;  // the device's buffer is full: later
    } else {
      out_.erase(out_.begin(), out_.begin() + n);
    }
  }
}

void DevicePort::poll() {
  flush();
  uint8_t buf[512];
  while (line_ && in_.size() < kMaxBuffered) {
    const long long n = line_->read(buf, sizeof buf);
    if (n < 0) {
      closeLine();  // hung up, or the device has gone
    } else if (n == 0) {
      return;
    } else {
      in_.insert(in_.end(), buf, buf + n);
      event_ = kEventReceive;
    }
  }
}

bool DevicePort::output(const uint8_t* data, size_t size) {
  if (!portOpen()) return false;
  if (size > kMaxBuffered - std::min(out_.size(), kMaxBuffered)) return false;
  out_.insert(out_.end(), data, data + size);
  flush();
  if (!portOpen()) return false;
  if (!clock_) return true;  // nobody reads the log
  const uint64_t t = clock_();
  for (size_t i = 0; i < size; ++i) written_.push_back({t, data[i]});
  while (written_.size() > kMaxLogged) written_.pop_front();
  return true;
}

int DevicePort::commEvent() {
  poll();
  return event_;
}

int DevicePort::inBufferCount() {
  poll();
  return static_cast<int>(std::min<size_t>(in_.size(), std::numeric_limits<int>::max()));
}

std::vector<uint8_t> DevicePort::input() {
  poll();
  std::vector<uint8_t> out;
  out.swap(in_);
  return out;
}

}  // namespace serial
