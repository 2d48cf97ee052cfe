#pragma once
#include <optional>

namespace script {

struct KeyStroke {
  int code;
  int shift;
};

// The US-layout key that types `c`; nothing for characters without a key.
std::optional<KeyStroke> KeyFor(char c);

}  // namespace script
