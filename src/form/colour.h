#pragma once
#include <cstdint>
#include <string>

namespace form {

// A colour as the toolkit keeps it: either an RGB value or a system colour index.
class Colour {
 public:
  constexpr Colour() = default;
  static constexpr Colour Rgb(int r, int g, int b) {
    return Colour(false, static_cast<uint32_t>((r & 255) << 16 | (g & 255) << 8 | (b & 255)));
  }
  static constexpr Colour System(int index) { return Colour(true, static_cast<uint32_t>(index)); }

  constexpr bool isSystem() const { return system_; }
  constexpr uint32_t raw() const { return value_; }
  // The colour to draw: system colours take the classic defaults.
  uint32_t rgb() const;
  // "#RRGGBB" or "sys:N".
  std::string toString() const;

  constexpr bool operator==(const Colour&) const = default;

 private:
  constexpr Colour(bool system, uint32_t value) : system_(system), value_(value) {}
  bool system_ = false;
  uint32_t value_ = 0;
};

namespace colours {
inline constexpr Colour Black = Colour::Rgb(0, 0, 0);
inline constexpr Colour White = Colour::Rgb(255, 255, 255);
inline constexpr Colour Red = Colour::Rgb(255, 0, 0);
inline constexpr Colour Green = Colour::Rgb(0, 255, 0);
inline constexpr Colour Blue = Colour::Rgb(0, 0, 255);
inline constexpr Colour Yellow = Colour::Rgb(255, 255, 0);
inline constexpr Colour Magenta = Colour::Rgb(255, 0, 255);
inline constexpr Colour Purple = Colour::Rgb(205, 32, 230);
inline constexpr Colour WindowBackground = Colour::System(5);
inline constexpr Colour MenuText = Colour::System(7);
inline constexpr Colour WindowText = Colour::System(8);
inline constexpr Colour HighlightText = Colour::System(14);
inline constexpr Colour ButtonText = Colour::System(18);
inline constexpr Colour Highlight3D = Colour::System(20);
inline constexpr Colour ButtonFace = Colour::System(15);
}  // namespace colours

}  // namespace form
