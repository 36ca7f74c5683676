#include "properties/TintColour.h"

#include <algorithm>
#include <cmath>

namespace kx::properties {

namespace {

std::uint32_t Channel(float value) {
  // Keeping only the low 8 bits of a channel above 1 (a bright tint of 1.5 gives 382) would
  // start the dialog near black; a channel is clamped instead.
  const double scaled = std::nearbyint(255.0 * static_cast<double>(value));
  if (std::isnan(scaled)) return 0;
  return static_cast<std::uint32_t>(std::clamp(scaled, 0.0, 255.0));
}

float Fraction(DialogColour colour, int shift) {
  return static_cast<float>(static_cast<double>((colour >> shift) & 255u) * (1.0 / 255.0));
}

}  // namespace

DialogColour TintStartColour(const std::array<float, 3>& tint) {
  return Channel(tint[0]) | Channel(tint[1]) << 8 | Channel(tint[2]) << 16;
}

std::array<float, 3> TintOfColour(DialogColour colour) {
  return {Fraction(colour, 0), Fraction(colour, 8), Fraction(colour, 16)};
}

}  // namespace kx::properties
