#pragma once

#include <cstdint>

namespace kx::mapview {

/// An opaque RGB colour.
struct Colour {
  std::uint8_t r = 0, g = 0, b = 0;

  /// The 32-bit pixel 0xFFRRGGBB (the layout of a QImage in Format_RGB32).
  constexpr std::uint32_t Rgb32() const {
    return 0xFF000000u | (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | std::uint32_t{b};
  }
  constexpr bool operator==(const Colour&) const = default;
};

/// The map's colours, fixed for the whole run.
namespace colours {
inline constexpr Colour kBackground{192, 192, 192};
inline constexpr Colour kLine{128, 128, 128};
inline constexpr Colour kSelected{255, 255, 255};
inline constexpr Colour kVertex{255, 255, 255};
inline constexpr Colour kSelectedVertex{0, 255, 255};
inline constexpr Colour kDimLine{160, 160, 160};
// The grid lies under the level, a little darker than the background.
inline constexpr Colour kGrid{176, 176, 176};
inline constexpr Colour kFaintGrid{184, 184, 184};
}  // namespace colours

}  // namespace kx::mapview
