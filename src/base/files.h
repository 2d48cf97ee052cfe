#pragma once
#include <cstddef>
#include <optional>
#include <string>

namespace base {

// Closes a file descriptor on every path out.
class UniqueFd {
 public:
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd();
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  int get() const { return fd_; }
  // Closes now; false when closing reports an error (a write that did not reach the disk).
  bool close();

 private:
  int fd_;
};

// What to do with a file longer than the limit.
enum class Oversize { Refuse, Cut };

// The content of a small regular file: nothing when it is missing, unreadable or not a
// regular file (a named pipe or a device is never waited on). A file longer than `maxBytes`
// gives nothing, or with Oversize::Cut its first `maxBytes` bytes.
std::optional<std::string> ReadSmallFile(const std::string& path, size_t maxBytes,
                                         Oversize oversize = Oversize::Refuse);

}  // namespace base
