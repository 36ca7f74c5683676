#pragma once

#include "resources/Colormap.h"

#include <cstdint>
#include <string>

namespace kx::building {

/// The ramp palette is eight ramps of 32 colours, each running from near black to a highlight,
/// so that every generated material can be shaded in its own hue. Entry 0 is black.
enum class Ramp { Grey, Brick, Sand, Steel, Sky, Wood, Amber, Ember };
inline constexpr int kRampCount = 8;
inline constexpr int kRampSize = 32;

/// The palette index of a ramp's shade (0 darkest, 31 lightest).
std::uint8_t RampIndex(Ramp ramp, int shade);

/// The 256 colours of the generated colormap.
resources::Palette RampPalette();

/// A colour with red, green and blue from 0 to 255 (may lie outside while it is worked out).
struct Colour {
  double r = 0, g = 0, b = 0;
};

/// The palette index whose colour is nearest to colour.
std::uint8_t NearestIndex(const resources::Palette& palette, const Colour& colour);

/// The bytes of a CMP colormap holding palette: the 64-byte header, the palette, the game's 64
/// light levels (each colour darkened towards black, level 63 the colour itself) and its table
/// of half-transparent blends.
std::string ColormapBytes(const resources::Palette& palette);

}  // namespace kx::building
