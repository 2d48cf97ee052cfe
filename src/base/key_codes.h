#pragma once
#include <optional>

namespace base {

// Virtual key codes (the classic US-layout codes) that rules refer to by name.
inline constexpr int kKeyBack = 8;
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyReturn = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeySpace = 32;
inline constexpr int kKeyPageUp = 33;
inline constexpr int kKeyPageDown = 34;
inline constexpr int kKeyEnd = 35;
inline constexpr int kKeyHome = 36;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyDelete = 46;

// Bits of the shift state passed with a key.
inline constexpr int kShiftBit = 1;
inline constexpr int kCtrlBit = 2;
inline constexpr int kAltBit = 4;

struct KeyStroke {
  int code;
  int shift;
};

// The character a key types in the US layout, or 0: keys that type nothing, and any key
// while Ctrl or Alt is held.
char KeyChar(int code, int shift);

// The key that types `c`: in the main block, or with `keypad` on the numeric keypad.
// Nothing for characters no such key types.
std::optional<KeyStroke> KeyFor(char c, bool keypad = false);

}  // namespace base
