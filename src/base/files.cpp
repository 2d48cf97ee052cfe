#include "base/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace base {

UniqueFd::~UniqueFd() {
  if (fd_ >= 0) ::close(fd_);
}

bool UniqueFd::close() {
  const int fd = std::exchange(fd_, -1);
  return ::close(fd) == 0;
}

std::optional<std::string> ReadSmallFile(const std::string& path, size_t maxBytes,
                                         Oversize oversize) {
  // Without O_NONBLOCK a named pipe or a serial device would wait here for its other end.
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  // A file already too long is refused without reading it.
  const auto size = static_cast<unsigned long long>(st.st_size);
  if (oversize == Oversize::Refuse && size > maxBytes) return std::nullopt;
  std::string bytes;
  char buffer[1 << 14];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) return bytes;
    const size_t room = maxBytes - bytes.size();
    if (static_cast<size_t>(n) > room) {
      if (oversize == Oversize::Refuse) return std::nullopt;
      bytes.append(buffer, room);
      return bytes;
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
}

}  // namespace base
