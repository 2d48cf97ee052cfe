#include "base/text.h"

namespace base {
namespace {
bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

size_t CharOffset(std::string_view s, int n) {
  size_t i = 0;
  for (int seen = 0; i < s.size(); ++i) {
    if (!IsContinuation(s[i])) {
      if (seen == n) return i;
      ++seen;
    }
  }
  return s.size();
}

int CharCount(std::string_view s) {
  int n = 0;
  for (char c : s) n += IsContinuation(c) ? 0 : 1;
  return n;
}

std::string CharSlice(std::string_view s, int first, int count) {
  if (first < 0) {
    count += first;
    first = 0;
  }
  if (count <= 0) return {};
  const size_t begin = CharOffset(s, first);
  const size_t end = CharOffset(s.substr(begin), count) + begin;
  return std::string(s.substr(begin, end - begin));
}

std::string DropLastChar(std::string_view s) {
  if (s.empty()) return {};
  size_t end = s.size() - 1;
  while (end > 0 && IsContinuation(s[end])) --end;
  return std::string(s.substr(0, end));
}

std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace base
