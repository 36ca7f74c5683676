#pragma once

#include <array>
#include <cstdint>

namespace kx::properties {

/// A colour as the tint dialog takes and gives it: red + 256 x green + 65536 x blue.
using DialogColour = std::uint32_t;

/// The tint dialog's starting colour for a sector's tint (r, g, b, nominally 0..1): each channel
/// is 255 x its value rounded to the nearest integer (ties to even), clamped to 0..255; a
/// channel that is not a number starts at 0.
DialogColour TintStartColour(const std::array<float, 3>& tint);

/// The tint of a chosen colour: each channel's 8 bits times 1/255, as a 32-bit float.
std::array<float, 3> TintOfColour(DialogColour colour);

}  // namespace kx::properties
