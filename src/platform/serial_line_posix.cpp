#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/serial_line.h"

#ifdef __linux__
#include <linux/serial.h>
#endif

namespace platform {
namespace {

namespace fs = std::filesystem;

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

// Pseudo-terminals (Unix 98 majors 136 to 143) carry no parity bit and refuse PARENB.
bool IsPseudoTerminal(int fd) {
  struct stat st {};
  return ::fstat(fd, &st) == 0 && S_ISCHR(st.st_mode) && major(st.st_rdev) >= 136 &&
         major(st.st_rdev) <= 143;
}

std::string Failed(const char* call) {
  return std::string(call) + ": " + std::strerror(errno);
}

}  // namespace

std::optional<SerialLine> SerialLine::Open(const std::string& device, std::string* why) {
  std::string failure;
  std::string& problem = why ? *why : failure;
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    problem = Failed("open");
    return std::nullopt;
  }
  // One program at a time on a line; the lock goes with the descriptor, so a killed program
  // leaves none behind.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    problem = errno == EWOULDBLOCK ? "in use by another program" : Failed("flock");
    ::close(fd);
    return std::nullopt;
  }
  termios t{};
  if (!::isatty(fd) || ::tcgetattr(fd, &t) != 0) {
    problem = Failed("tcgetattr");
    ::close(fd);
    return std::nullopt;
  }
  ::cfmakeraw(&t);  // also one byte at least per read, so 0 means the line hung up
  t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARODD | CSTOPB | CRTSCTS);
  t.c_cflag |= CS8 | PARENB | CREAD | CLOCAL;
  bool set = ::cfsetispeed(&t, B9600) == 0 && ::cfsetospeed(&t, B9600) == 0 &&
             ::tcsetattr(fd, TCSANOW, &t) == 0;
  // A pseudo-terminal already set up once reports its dropped parity as a failure.
  if (!set && errno == EINVAL && IsPseudoTerminal(fd)) {
    t.c_cflag &= ~static_cast<tcflag_t>(PARENB);
    set = ::tcsetattr(fd, TCSANOW, &t) == 0;
  }
  if (!set) {
    problem = Failed("tcsetattr");
    ::close(fd);
    return std::nullopt;
  }
  return SerialLine(fd);
}

SerialLine::SerialLine(SerialLine&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

SerialLine::~SerialLine() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

long long SerialLine::write(const uint8_t* data, size_t size) {
  for (;;) {
    const ssize_t n = ::write(static_cast<int>(handle_), data, size);
    if (n > 0) return n;
    if (n == 0 || errno == EAGAIN || errno == EWOULDBLOCK) return 0;  // the device's buffer is full
    if (errno != EINTR) return -1;
  }
}

long long SerialLine::read(uint8_t* buffer, size_t capacity) {
  for (;;) {
    const ssize_t n = ::read(static_cast<int>(handle_), buffer, capacity);
    if (n > 0) return n;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return 0;
    if (n == 0 || errno != EINTR) return -1;  // hung up, or the device has gone (EIO, ENXIO)
  }
}

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

std::string NumberedPortDevice(int) {
  return "";
}

std::string SerialDeviceProblem(const std::string& device) {
  struct stat st {};
  if (::stat(device.c_str(), &st) != 0) return device + ": " + std::strerror(errno);
  if (!S_ISCHR(st.st_mode)) return device + ": not a serial device";
  return "";
}

}  // namespace platform
