#include "form/colour.h"

#include <cstdio>

namespace form {

uint32_t Colour::rgb() const {
  if (!system_) return value_;
  switch (value_) {
    case 5:
      return 0xFFFFFF;  // window background
    case 7:
      return 0x000000;  // menu text
    case 8:
      return 0x000000;  // window text
    case 14:
      return 0xFFFFFF;  // highlight text
    case 15:
      return 0xF0F0F0;  // button face
    case 18:
      return 0x000000;  // button text
    case 20:
      return 0xFFFFFF;  // 3-D highlight
    default:
      return 0x808080;
  }
}

std::string Colour::toString() const {
  char buf[16];
  if (system_) {
    std::snprintf(buf, sizeof buf, "sys:%u", static_cast<unsigned>(value_));
  } else {
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", static_cast<unsigned>(value_ >> 16 & 255),
                  static_cast<unsigned>(value_ >> 8 & 255), static_cast<unsigned>(value_ & 255));
  }
  return buf;
}

}  // namespace form
