#include "base/codepage.h"

#include <array>

namespace base {
namespace {

// Code points of bytes 0x80..0x9F; the rest of the page is Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

constexpr char32_t CodePoint(unsigned byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char32_t(byte);
}

// A byte's UTF-8 form: up to three bytes and their count.
struct Utf8Char {
  std::array<char, 3> bytes{};
  uint8_t size = 0;
};

constexpr Utf8Char ToUtf8(char32_t cp) {
  Utf8Char u;
  if (cp < 0x80) {
    u.bytes[0] = static_cast<char>(cp);
    u.size = 1;
  } else if (cp < 0x800) {
    u.bytes[0] = static_cast<char>(0xC0 | (cp >> 6));
    u.bytes[1] = static_cast<char>(0x80 | (cp & 0x3F));
    u.size = 2;
  } else {
    u.bytes[0] = static_cast<char>(0xE0 | (cp >> 12));
    u.bytes[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    u.bytes[2] = static_cast<char>(0x80 | (cp & 0x3F));
    u.size = 3;
  }
  return u;
}

constexpr std::array<Utf8Char, 256> MakeDecodeTable() {
  std::array<Utf8Char, 256> table{};
  for (unsigned b = 0; b < 256; ++b) table[b] = ToUtf8(CodePoint(b));
  return table;
}

constexpr std::array<Utf8Char, 256> kDecode = MakeDecodeTable();

// The byte that holds `cp`, or '?'.
char EncodePoint(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (unsigned i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Decodes one UTF-8 sequence at `s[i]`; returns its length, or 0 when it is malformed.
size_t NextPoint(std::string_view s, size_t i, char32_t& cp) {
  const auto lead = static_cast<unsigned char>(s[i]);
  size_t len = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    cp = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    len = 2, cp = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    len = 3, cp = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    len = 4, cp = lead & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (s.size() - i < len) return 0;
  for (size_t k = 1; k < len; ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

}  // namespace

std::string DecodeCodePage(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (char c : bytes) {
    const Utf8Char& u = kDecode[static_cast<unsigned char>(c)];
    out.append(u.bytes.data(), u.size);
  }
  return out;
}

std::string EncodeCodePage(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp = 0;
    const size_t len = NextPoint(utf8, i, cp);
    if (len == 0) {
      out.push_back('?');
      ++i;
    } else {
      out.push_back(EncodePoint(cp));
      i += len;
    }
  }
  return out;
}

std::string ByteChar(uint8_t byte) {
  const Utf8Char& u = kDecode[byte];
  return std::string(u.bytes.data(), u.size);
}

}  // namespace base
