#include "config/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <utility>

#include "base/files.h"

namespace config {
namespace {

using Fd = base::UniqueFd;

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Makes the rename itself durable; a folder that cannot be synced is not an error.
void SyncFolder(const std::string& path) {
  Fd dir(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
}

std::string TempName(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

StagedFile::StagedFile(std::string target, std::string temp)
    : target_(std::move(target)), temp_(std::move(temp)) {}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : target_(std::move(other.target_)), temp_(std::exchange(other.temp_, {})) {}

StagedFile::~StagedFile() {
  if (!temp_.empty()) ::unlink(temp_.c_str());
}

std::optional<StagedFile> StagedFile::stage(const std::string& path, std::string_view bytes) {
  struct stat old {};
  const bool hasOld = ::stat(path.c_str(), &old) == 0;
  if (hasOld && !S_ISREG(old.st_mode)) return std::nullopt;

  std::string temp;
  int raw = -1;
  for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
    temp = TempName(path);
    raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (raw < 0 && errno != EEXIST) return std::nullopt;
  }
  if (raw < 0) return std::nullopt;
  Fd fd(raw);
  StagedFile staged(path, temp);  // removes the file again on failure below
  if (hasOld && ::fchmod(fd.get(), old.st_mode & 07777) != 0) return std::nullopt;
  if (!WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0 || !fd.close()) return std::nullopt;
  return staged;
}

bool StagedFile::commit() {
  if (temp_.empty()) return false;
  if (::rename(temp_.c_str(), target_.c_str()) != 0) return false;
  temp_.clear();
  SyncFolder(target_);
  return true;
}

bool ReplaceFile(const std::string& path, std::string_view bytes) {
  std::optional<StagedFile> staged = StagedFile::stage(path, bytes);
  return staged && staged->commit();
}

}  // namespace config
