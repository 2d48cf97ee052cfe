#include "script/key_codes.h"

#include <cstring>

namespace script {

std::optional<KeyStroke> KeyFor(char c) {
  if (c >= 'a' && c <= 'z') return KeyStroke{c - 'a' + 65, 0};
  if (c >= 'A' && c <= 'Z') return KeyStroke{c - 'A' + 65, 1};
  if (c >= '0' && c <= '9') return KeyStroke{c - '0' + 48, 0};
  if (c == ' ') return KeyStroke{32, 0};
  static const char kShiftedDigits[] = ")!@#$%^&*(";
  if (const char* p = c ? std::strchr(kShiftedDigits, c) : nullptr) {
    return KeyStroke{static_cast<int>(p - kShiftedDigits) + 48, 1};
  }
  struct Punct {
    char plain, shifted;
    int code;
  };
  static const Punct kPunct[] = {{';', ':', 186}, {'=', '+', 187}, {',', '<', 188},
                                 {'-', '_', 189}, {'.', '>', 190}, {'/', '?', 191},
                                 {'`', '~', 192}, {'[', '{', 219}, {'\\', '|', 220},
                                 {']', '}', 221}, {'\'', '"', 222}};
  for (const Punct& p : kPunct) {
    if (c == p.plain) return KeyStroke{p.code, 0};
    if (c == p.shifted) return KeyStroke{p.code, 1};
  }
  return std::nullopt;
}

}  // namespace script
