#include "sim/pty_line.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace sim {

PtyLine::PtyLine() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (master_ < 0) return;
  if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
    ::close(master_);
    master_ = -1;
    return;
  }
  if (const char* name = ptsname(master_)) path_ = name;
  // Opening and closing the far end once puts the line in its hung-up state, which it
  // leaves when the tool opens the port.
  const int peer = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
  if (peer >= 0) ::close(peer);
  termios t{};
  if (tcgetattr(master_, &t) == 0) {
    cfmakeraw(&t);
    tcsetattr(master_, TCSANOW, &t);
  }
}

PtyLine::~PtyLine() {
  if (master_ >= 0) ::close(master_);
}

bool PtyLine::peerOpen() {
  // Without a peer the master side polls as hung up.
  pollfd p{master_, POLLIN, 0};
  if (::poll(&p, 1, 0) < 0) return false;
  return (p.revents & POLLHUP) == 0;
}

std::vector<uint8_t> PtyLine::read(int timeoutMs) {
  std::vector<uint8_t> out;
  pollfd p{master_, POLLIN, 0};
  if (::poll(&p, 1, timeoutMs) <= 0 || !(p.revents & POLLIN)) {
    if (p.revents & POLLHUP) ::usleep(static_cast<useconds_t>(timeoutMs) * 1000);
    return out;
  }
  uint8_t buf[512];
  const ssize_t n = ::read(master_, buf, sizeof buf);
  if (n > 0) out.assign(buf, buf + n);
  return out;
}

bool PtyLine::write(const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EAGAIN || errno == EINTR) {
        ::usleep(1000);
        continue;
      }
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace sim
