#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/files.h"

namespace platform {

std::string_view PathSeparators() {
  return "/";
}

std::optional<InputFile> InputFile::Open(const std::string& path) {
  // Without O_NONBLOCK a named pipe or a serial device would wait here for its other end.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  return InputFile(fd, static_cast<uint64_t>(st.st_size));
}

InputFile::InputFile(InputFile&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)), size_(other.size_) {}

InputFile::~InputFile() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

long long InputFile::read(char* buffer, size_t capacity) {
  for (;;) {
    const ssize_t n = ::read(static_cast<int>(handle_), buffer, capacity);
    if (n < 0 && errno == EINTR) continue;
    return n < 0 ? -1 : n;
  }
}

std::optional<OutputFile> OutputFile::CreateNew(const std::string& path, bool& taken) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  taken = fd < 0 && errno == EEXIST;
  if (fd < 0) return std::nullopt;
  return OutputFile(fd);
}

std::optional<OutputFile> OutputFile::CreateOrEmpty(const std::string& path, std::string* why) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (why) *why = std::strerror(errno);
    return std::nullopt;
  }
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::ftruncate(fd, 0) != 0) {
    if (why) *why = std::strerror(errno);
    ::close(fd);
    return std::nullopt;
  }
  return OutputFile(fd);
}

OutputFile::OutputFile(OutputFile&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

OutputFile::~OutputFile() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

bool OutputFile::setPermissions(uint32_t permissions) {
  return ::fchmod(static_cast<int>(handle_), permissions & 07777) == 0;
}

bool OutputFile::writeAll(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool OutputFile::flushToDisk() {
  return ::fsync(static_cast<int>(handle_)) == 0;
}

bool OutputFile::close() {
  const int fd = static_cast<int>(std::exchange(handle_, -1));
  return ::close(fd) == 0;
}

std::optional<FileStatus> StatusOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileStatus{S_ISREG(st.st_mode), static_cast<uint32_t>(st.st_mode & 07777)};
}

bool IsSymbolicLink(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

std::optional<std::string> ResolvedPath(const std::string& path) {
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return std::nullopt;
  std::string resolved = real;
  ::free(real);
  return resolved;
}

bool RenameOver(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool RemoveFile(const std::string& path) {
  return ::unlink(path.c_str()) == 0;
}

std::optional<std::string> CreateTempFolder(const std::string& prefix) {
  std::string pattern = prefix + "XXXXXX";
  if (!::mkdtemp(pattern.data())) return std::nullopt;
  return pattern;
}

}  // namespace platform
