#pragma once

#include "resources/Colormap.h"
#include "resources/MatFile.h"

#include <cstdint>
#include <span>
#include <vector>

/// Turning material cels into true-colour images for the material preview.
namespace kx::resources {

/// A true-colour image: width x height pixels of red, green, blue bytes, rows top to bottom.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;

  Rgb At(int x, int y) const;
  bool operator==(const RgbImage&) const = default;
};

/// The side of the preview area a colour material fills; textures are shown at their own size.
inline constexpr int kPreviewSide = 256;
/// The preview's background where no texture covers it.
inline constexpr Rgb kSilver{0xC0, 0xC0, 0xC0};

/// width x height colour indices, row after row with the first byte of a row its leftmost pixel,
/// through palette. Reads exactly width*height bytes; throws std::invalid_argument when pixels
/// holds fewer or a side is negative.
RgbImage DrawIndexedImage(int width, int height, std::span<const std::uint8_t> pixels,
                          const Palette& palette);

/// width x height little-endian pixels of format's direct colour, each channel widened to 8 bits.
/// Throws std::invalid_argument when pixels holds fewer bytes than that or a side is negative.
RgbImage DrawDirectColourImage(int width, int height, std::span<const std::uint8_t> pixels,
                               const ColourFormat& format);

/// Cel index of mat as the preview shows it: a texture's largest mip-map level at its own size,
/// a colour material as a kPreviewSide square of its palette colour. Throws std::out_of_range
/// for an index outside the cels.
RgbImage DrawCel(const MatFile& mat, std::size_t index, const Palette& palette);

}  // namespace kx::resources
