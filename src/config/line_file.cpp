#include "config/line_file.h"

#include "config/file_io.h"
#include "form/codepage.h"

namespace config {
std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += '/';
  path += name;
  return path;
}

std::string_view TrimSpaces(std::string_view s) {
  const size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(TrimSpaces(text.substr(start, i - start)));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(TrimSpaces(text.substr(start)));
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
  std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return SplitLines(form::DecodeCodePage(*bytes));
}

std::string EncodeLines(const std::vector<std::string>& lines, EmptyLines empty) {
  std::string text;
  for (const std::string& line : lines) {
    if (line.empty() && empty == EmptyLines::Drop) continue;
    text += line;
    text += "\r\n";
  }
  return form::EncodeCodePage(text);
}

bool SaveLines(const std::string& path, const std::vector<std::string>& lines, EmptyLines empty) {
  return ReplaceFile(path, EncodeLines(lines, empty));
}

}  // namespace config
