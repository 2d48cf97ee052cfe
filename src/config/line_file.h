#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace config {

// The shared shape of the configuration files: lines of comma-separated fields, stored in
// the system code page, each line ended by CR LF.

// `folder` + "/" + `name`.
std::string JoinPath(std::string_view folder, std::string_view name);

// Splits decoded text at CR LF, lone LF or lone CR and trims every line. Empty lines stay;
// a final line end does not open another line.
std::vector<std::string> SplitLines(std::string_view text);

// Splits a line at every ","; fields are not trimmed. An empty line has no fields.
std::vector<std::string> SplitFields(std::string_view line);

// The fields joined with "," between every two, none at the end.
std::string JoinFields(std::span<const std::string> fields);

// Configuration files larger than this are not read.
inline constexpr size_t kMaxConfigBytes = 64u << 20;

// Every trimmed line of a file (UTF-8), empty ones included; nothing when the file cannot
// be read.
std::optional<std::vector<std::string>> ReadLines(const std::string& path);

enum class EmptyLines { Drop, Keep };

// The file's bytes: every line (or every non-empty one) followed by CR LF, in the code page.
std::string EncodeLines(const std::vector<std::string>& lines, EmptyLines empty);

// Replaces the file with `lines` atomically; false when it fails (the old file stays).
bool SaveLines(const std::string& path, const std::vector<std::string>& lines, EmptyLines empty);

}  // namespace config
