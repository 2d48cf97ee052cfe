#include "config/line_file.h"

#include "base/codepage.h"
#include "base/files.h"
#include "base/text.h"
#include "config/file_io.h"

namespace config {
std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += '/';
  path += name;
  return path;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(base::Trim(text.substr(start, i - start), base::kSpaces));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(base::Trim(text.substr(start), base::kSpaces));
  return lines;
}

std::vector<std::string> SplitFields(std::string_view line) {
  std::vector<std::string> fields;
  if (line.empty()) return fields;
  size_t start = 0;
  for (size_t comma; (comma = line.find(',', start)) != std::string_view::npos; start = comma + 1) {
    fields.emplace_back(line.substr(start, comma - start));
  }
  fields.emplace_back(line.substr(start));
  return fields;
}

std::string JoinFields(std::span<const std::string> fields) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += ',';
    line += fields[i];
  }
  return line;
}

std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
  std::optional<std::string> bytes = base::ReadSmallFile(path, kMaxConfigBytes);
  if (!bytes) return std::nullopt;
  return SplitLines(base::DecodeCodePage(*bytes));
}

std::string EncodeLines(const std::vector<std::string>& lines, EmptyLines empty) {
  std::string text;
  for (const std::string& line : lines) {
    if (line.empty() && empty == EmptyLines::Drop) continue;
    text += line;
    text += "\r\n";
  }
  return base::EncodeCodePage(text);
}

bool SaveLines(const std::string& path, const std::vector<std::string>& lines, EmptyLines empty) {
  return ReplaceFile(path, EncodeLines(lines, empty));
}

}  // namespace config
