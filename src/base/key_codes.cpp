#include "base/key_codes.h"

#include <string_view>

namespace base {
namespace {

// Runs of consecutive key codes with the characters they type, plain and with Shift.
struct KeyRun {
  int first;
  std::string_view plain;
  std::string_view shifted;
  bool keypad;
};

// The main block comes first: a character on both is looked up there.
constexpr KeyRun kKeys[] = {
    {32, " ", " ", false},
    {48, "0123456789", ")!@#$%^&*(", false},
    {65, "abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", false},
    {186, ";=,-./`", ":+<_>?~", false},
    {219, "[\\]'", "{|}\"", false},
    {96, "0123456789*+", "0123456789*+", true},
    {109, "-./", "-./", true},
};

}  // namespace

char KeyChar(int code, int shift) {
  if (shift & (kCtrlBit | kAltBit)) return 0;
  for (const KeyRun& run : kKeys) {
    const int offset = code - run.first;
    if (offset < 0 || offset >= static_cast<int>(run.plain.size())) continue;
    return (shift & kShiftBit) ? run.shifted[offset] : run.plain[offset];
  }
  return 0;
}

std::optional<KeyStroke> KeyFor(char c, bool keypad) {
  if (c == '\0') return std::nullopt;
  for (const KeyRun& run : kKeys) {
    if (run.keypad != keypad) continue;
    if (const size_t at = run.plain.find(c); at != std::string_view::npos) {
      return KeyStroke{run.first + static_cast<int>(at), 0};
    }
    if (const size_t at = run.shifted.find(c); at != std::string_view::npos) {
      return KeyStroke{run.first + static_cast<int>(at), kShiftBit};
    }
  }
  return std::nullopt;
}

}  // namespace base
