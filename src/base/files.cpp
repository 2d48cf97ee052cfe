#include "base/files.h"

#include "platform/files.h"

namespace base {

std::filesystem::path FsPath(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::optional<std::string> ReadSmallFile(const std::string& path, size_t maxBytes,
                                         Oversize oversize) {
  std::optional<platform::InputFile> file = platform::InputFile::Open(path);
  if (!file) return std::nullopt;
  // A file already too long is refused without reading it.
  if (oversize == Oversize::Refuse && file->size() > maxBytes) return std::nullopt;
  std::string bytes;
  char buffer[1 << 14];
  for (;;) {
    const long long n = file->read(buffer, sizeof buffer);
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
