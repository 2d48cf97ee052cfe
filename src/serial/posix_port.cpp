#include "serial/posix_port.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <limits>
#include <system_error>

#include "serial/port_map.h"

#ifdef __linux__
#include <linux/serial.h>
#endif

namespace serial {
namespace {

namespace fs = std::filesystem;

constexpr int kHighestPortNumber = 255;
constexpr size_t kMaxBuffered = 64 * 1024;  // read ahead of the tool, or waiting to be written
constexpr size_t kMaxLogged = 1'000'000;

#ifdef __linux__
// On-board UARTs are listed whether or not a chip answers; only a known chip is a port.
bool Has8250Chip(const std::string& device) {
  const int fd = ::open(device.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  serial_struct info{};
  const bool chip = ::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
  ::close(fd);
  return chip;
}
#endif

}  // namespace

std::vector<std::string> SerialDevices() {
  std::vector<std::string> devices;
  std::error_code ec;
#ifdef __linux__
  // Terminals with a device behind them: serial ports, not consoles or pseudo-terminals.
  for (fs::directory_iterator it("/sys/class/tty", ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path entry = it->path();
    std::error_code entryError;
    if (!fs::exists(entry / "device", entryError)) continue;
    const std::string device = "/dev/" + entry.filename().string();
    const fs::path driver = fs::read_symlink(entry / "device" / "driver", entryError);
    if (!entryError && driver.filename() == "serial8250" && !Has8250Chip(device)) continue;
    devices.push_back(device);
  }
  if (!devices.empty()) return devices;
  ec.clear();
#endif
  for (fs::directory_iterator it("/dev", ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.starts_with("ttyUSB") || name.starts_with("ttyACM")) {
      devices.push_back(it->path().string());
    }
  }
  return devices;
}

PosixPort::PosixPort(std::string appFolder, std::function<uint64_t()> clock)
    : folder_(std::move(appFolder)), clock_(std::move(clock)) {}

PosixPort::~PosixPort() {
  close();
}

std::string PosixPort::deviceFor(int port) const {
  std::map<int, std::string> pinned = pins_;
  pinned.merge(LoadPortMap(folder_));  // keeps the pins for numbers both name
  return PortDevice(port, pinned, SerialDevices()).value_or("");
}

std::vector<PosixPort::Written> PosixPort::takeWritten() {
  std::vector<Written> out(written_.begin(), written_.end());
  written_.clear();
  return out;
}

bool PosixPort::setCommPort(int port) {
  if (portOpen() || port < 1 || port > kHighestPortNumber) return false;
  port_ = port;
  return true;
}

bool PosixPort::setPortOpen(bool open) {
  if (!open) {
    close();
    return true;
  }
  return !portOpen() && this->open();
}

bool PosixPort::open() {
  const std::string device = deviceFor(port_);
  if (device.empty()) return false;
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  termios t{};
  if (!::isatty(fd) || ::tcgetattr(fd, &t) != 0) {
    ::close(fd);
    return false;
  }
  ::cfmakeraw(&t);  // also one byte at least per read, so 0 means the line hung up
  t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARODD | CSTOPB | CRTSCTS);
  t.c_cflag |= CS8 | PARENB | CREAD | CLOCAL;
  if (::cfsetispeed(&t, B9600) != 0 || ::cfsetospeed(&t, B9600) != 0 ||
      ::tcsetattr(fd, TCSANOW, &t) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  event_ = 0;
  return true;
}

void PosixPort::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  event_ = 0;
  in_.clear();
  out_.clear();
}

void PosixPort::flush() {
  while (fd_ >= 0 && !out_.empty()) {
    const ssize_t n = ::write(fd_, out_.data(), out_.size());
    if (n > 0) {
      out_.erase(out_.begin(), out_.begin() + n);
    } else if (n == 0 || errno == EAGAIN || errno == EWOULDBLOCK) {
      return;  // the device's buffer is full: later
    } else if (errno != EINTR) {
      close();
    }
  }
}

void PosixPort::poll() {
  flush();
  uint8_t buf[512];
  while (fd_ >= 0 && in_.size() < kMaxBuffered) {
    const ssize_t n = ::read(fd_, buf, sizeof buf);
    if (n > 0) {
      in_.insert(in_.end(), buf, buf + n);
      event_ = kEventReceive;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      return;
    } else if (n == 0 || errno != EINTR) {
      close();  // hung up, or the device has gone (EIO, ENXIO)
    }
  }
}

bool PosixPort::output(const uint8_t* data, size_t size) {
  if (!portOpen()) return false;
  if (size > kMaxBuffered - std::min(out_.size(), kMaxBuffered)) return false;
  out_.insert(out_.end(), data, data + size);
  flush();
  if (!portOpen()) return false;
  const uint64_t t = clock_ ? clock_() : 0;
  for (size_t i = 0; i < size; ++i) written_.push_back({t, data[i]});
  while (written_.size() > kMaxLogged) written_.pop_front();
  return true;
}

int PosixPort::commEvent() {
  poll();
  return event_;
}

int PosixPort::inBufferCount() {
  poll();
  return static_cast<int>(std::min<size_t>(in_.size(), std::numeric_limits<int>::max()));
}

std::vector<uint8_t> PosixPort::input() {
  poll();
  std::vector<uint8_t> out;
  out.swap(in_);
  return out;
}

}  // namespace serial
