#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// File calls that differ by system. Paths are UTF-8.
namespace platform {

// The characters that end a folder name in a path ("/", and "\" too on Windows).
std::string_view PathSeparators();

// A regular file open for reading. Opening never waits (a named pipe or a device is refused at
// once). On POSIX an open file can still be replaced; on Windows (Wine at least) a rename over
// it fails while it is open.
class InputFile {
 public:
  // Nothing when `path` is missing, unreadable or no regular file.
  static std::optional<InputFile> Open(const std::string& path);
  InputFile(InputFile&& other) noexcept;
  // The file this held is closed when `other` goes.
  InputFile& operator=(InputFile&& other) noexcept {
    std::swap(handle_, other.handle_);
    std::swap(size_, other.size_);
    return *this;
  }
  InputFile(const InputFile&) = delete;
  ~InputFile();

  // The size when it was opened.
  uint64_t size() const { return size_; }
  // Up to `capacity` bytes: how many were read, 0 at the end, -1 on an error.
  long long read(char* buffer, size_t capacity);

 private:
  InputFile(intptr_t handle, uint64_t size) : handle_(handle), size_(size) {}
  intptr_t handle_;  // closed when -1
  uint64_t size_;
};

// A file created for writing under a name no file had.
class OutputFile {
 public:
  // Nothing when it cannot be created; `taken` tells whether a file of that name was there.
  static std::optional<OutputFile> CreateNew(const std::string& path, bool& taken);
  // A file written from its start: created, or emptied when it is a regular file. Opening and
  // writing never wait (a named pipe without a reader is refused); `why` says what failed.
  static std::optional<OutputFile> CreateOrEmpty(const std::string& path, std::string* why);
  OutputFile(OutputFile&& other) noexcept;
  // The file this held is closed when `other` goes.
  OutputFile& operator=(OutputFile&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  OutputFile(const OutputFile&) = delete;
  ~OutputFile();

  // Gives the file the permission bits of `FileStatus::permissions` (kept where files have
  // none).
  bool setPermissions(uint32_t permissions);
  bool writeAll(std::string_view bytes);
  // Waits until the content is on the disk.
  bool flushToDisk();
  // Closes now; false when closing reports an error (a write that did not reach the disk).
  bool close();

 private:
  explicit OutputFile(intptr_t handle) : handle_(handle) {}
  intptr_t handle_;  // closed when -1
};

struct FileStatus {
  bool regular = false;
  uint32_t permissions = 0;  // POSIX mode bits (07777); on Windows 0444 or 0666
};
// What `path` names, following symbolic links; nothing when it names nothing reachable.
std::optional<FileStatus> StatusOf(const std::string& path);
// Whether `path` itself is a symbolic link.
bool IsSymbolicLink(const std::string& path);
// `path` with every symbolic link resolved; nothing when it names nothing.
std::optional<std::string> ResolvedPath(const std::string& path);

// Puts `from` in the place of `to` in one step, replacing any file there.
bool RenameOver(const std::string& from, const std::string& to);
// Makes the renames in `folder` durable; a folder that cannot be synced is no error.
void SyncFolder(const std::string& folder);
bool RemoveFile(const std::string& path);

// A new folder only this user can use: `prefix` followed by six random characters.
std::optional<std::string> CreateTempFolder(const std::string& prefix);

}  // namespace platform
