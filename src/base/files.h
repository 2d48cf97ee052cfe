#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace base {

// A UTF-8 path as a std::filesystem path (on Windows the UTF-16 it spells, elsewhere the same
// bytes), and back.
std::filesystem::path FsPath(const std::string& utf8);
std::string Utf8(const std::filesystem::path& path);

// What to do with a file longer than the limit.
enum class Oversize { Refuse, Cut };

// The content of a small regular file: nothing when it is missing, unreadable or not a
// regular file (a named pipe or a device is never waited on). A file longer than `maxBytes`
// gives nothing, or with Oversize::Cut its first `maxBytes` bytes.
std::optional<std::string> ReadSmallFile(const std::string& path, size_t maxBytes,
                                         Oversize oversize = Oversize::Refuse);

}  // namespace base
