#include <algorithm>
#include <cstdlib>
#include <random>
#include <utility>

#include "platform/files.h"
#include "platform/windows_text.h"

namespace platform {
namespace {

using windows::AsHandle;
using windows::FromHandle;
using windows::Wide;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A handle for asking about what `path` names (links followed, folders too).
HANDLE QueryHandle(const std::string& path) {
  return ::CreateFileW(Wide(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool IsRegular(HANDLE h, const BY_HANDLE_FILE_INFORMATION& info) {
  return ::GetFileType(h) == FILE_TYPE_DISK &&
         (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

std::string_view PathSeparators() {
  return "/\\";
}

std::optional<InputFile> InputFile::Open(const std::string& path) {
  // Shared for deleting too, so that a save may rename over a file being read.
  HANDLE h = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  LARGE_INTEGER size{};
  if (!::GetFileInformationByHandle(h, &info) || !IsRegular(h, info) ||
      !::GetFileSizeEx(h, &size)) {
    ::CloseHandle(h);
    return std::nullopt;
  }
  return InputFile(FromHandle(h), static_cast<uint64_t>(size.QuadPart));
}

InputFile::InputFile(InputFile&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)), size_(other.size_) {}

InputFile::~InputFile() {
  if (handle_ != -1) ::CloseHandle(AsHandle(handle_));
}

long long InputFile::read(char* buffer, size_t capacity) {
  DWORD n = 0;
  const DWORD want = static_cast<DWORD>(std::min<size_t>(capacity, 1u << 30));
  if (!::ReadFile(AsHandle(handle_), buffer, want, &n, nullptr)) return -1;
  return n;
}

std::optional<OutputFile> OutputFile::CreateNew(const std::string& path, bool& taken) {
  HANDLE h = ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  const DWORD error = ::GetLastError();
  taken =
      h == INVALID_HANDLE_VALUE && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  return OutputFile(FromHandle(h));
}

std::optional<OutputFile> OutputFile::CreateOrEmpty(const std::string& path, std::string* why) {
  HANDLE h = ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    if (why) *why = windows::Failed("CreateFileW");
    return std::nullopt;
  }
  return OutputFile(FromHandle(h));
}

OutputFile::OutputFile(OutputFile&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

OutputFile::~OutputFile() {
  if (handle_ != -1) ::CloseHandle(AsHandle(handle_));
}

// Windows files have no permission bits; a read-only target is refused by the rename.
bool OutputFile::setPermissions(uint32_t) {
  return true;
}

bool OutputFile::writeAll(std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD n = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    if (!::WriteFile(AsHandle(handle_), bytes.data(), want, &n, nullptr) || n == 0) return false;
    bytes.remove_prefix(n);
  }
  return true;
}

bool OutputFile::flushToDisk() {
  return ::FlushFileBuffers(AsHandle(handle_)) != 0;
}

bool OutputFile::close() {
  return ::CloseHandle(AsHandle(std::exchange(handle_, -1))) != 0;
}

std::optional<FileStatus> StatusOf(const std::string& path) {
  HANDLE h = QueryHandle(path);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  std::optional<FileStatus> status;
  if (::GetFileInformationByHandle(h, &info)) {
    const bool readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    status = FileStatus{IsRegular(h, info), readOnly ? 0444u : 0666u};
  }
  ::CloseHandle(h);
  return status;
}

bool IsSymbolicLink(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::optional<std::string> ResolvedPath(const std::string& path) {
  HANDLE h = QueryHandle(path);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::wstring name(MAX_PATH, L'\0');
  DWORD n = ::GetFinalPathNameByHandleW(h, name.data(), static_cast<DWORD>(name.size()), 0);
  if (n >= name.size()) {
    name.resize(n + 1);
    n = ::GetFinalPathNameByHandleW(h, name.data(), static_cast<DWORD>(name.size()), 0);
  }
  ::CloseHandle(h);
  if (n == 0 || n >= name.size()) return std::nullopt;
  name.resize(n);
  // "\\?\C:\x" is "C:\x"; "\\?\UNC\host\x" is "\\host\x".
  if (name.rfind(L"\\\\?\\UNC\\", 0) == 0) {
    name.replace(0, 8, L"\\\\");
  } else if (name.rfind(L"\\\\?\\", 0) == 0) {
    name.erase(0, 4);
  }
  return windows::Narrow(name);
}

bool RenameOver(const std::string& from, const std::string& to) {
  return ::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// MOVEFILE_WRITE_THROUGH already returns once the rename is on the disk.
void SyncFolder(const std::string&) {}

bool RemoveFile(const std::string& path) {
  return ::DeleteFileW(Wide(path).c_str()) != 0;
}

std::optional<std::string> CreateTempFolder(const std::string& prefix) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device device;
  std::mt19937 random(device() ^ ::GetCurrentProcessId() ^ ::GetTickCount());
  std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string path = prefix;
    for (int i = 0; i < 6; ++i) path += kLetters[pick(random)];
    // A new folder under the user's temporary folder inherits an access list for that user.
    if (::CreateDirectoryW(Wide(path).c_str(), nullptr)) return path;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace platform
