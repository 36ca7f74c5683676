#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// MAT materials: the game's textures and flat colours.
namespace kx::resources {

inline constexpr std::size_t kMatHeaderSize = 76;
inline constexpr std::int32_t kMatTypeTexture = 2;

/// How a texture's pixels encode colour. 8 bits per pixel are indices into a colormap's palette;
/// 16, 24 and 32 bits hold red, green and blue at the given bit counts and shifts.
struct ColourFormat {
  std::int32_t bitsPerPixel = 8;
  std::int32_t redBits = 0, greenBits = 0, blueBits = 0;
  std::int32_t redShift = 0, greenShift = 0, blueShift = 0;

  bool IsIndexed() const { return BytesPerPixel() == 1; }
  /// 2, 3 or 4 for direct colour; 1 for every other header value, which the game reads as
  /// palette indices.
  int BytesPerPixel() const;
};

/// One cel (animation frame) of a material.
struct Cel {
  std::uint8_t colourIndex = 0;  // the colour of a colour material
  // Texture materials only: level 0's size, the number of mip-map levels and the pixels of all
  // levels, largest first, rows top to bottom.
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t mips = 0;
  std::vector<std::uint8_t> pixels;
};

struct MatFile {
  std::int32_t type = 0;  // 2 texture, anything else a colour material
  ColourFormat format;
  std::vector<Cel> cels;  // one per record of the header, however many there are

  bool IsTexture() const { return type == kMatTypeTexture; }
};

/// The number of pixel bytes of a texture cel: every mip-map level, each half the size of the
/// one before (rounding down), at bytesPerPixel each; the largest uint64 when that overflows.
std::uint64_t CelPixelBytes(std::int32_t width, std::int32_t height, std::int32_t mips,
                            int bytesPerPixel);

/// Decodes a whole MAT file; source names it in errors. nullopt when the bytes are not a
/// material (the first eight bytes are not "MAT " and version 0x32). Throws
/// platform::CommandError "Read beyond end of file" when the data is shorter than its headers
/// say, and "Invalid material" for a negative size or count or an unusable colour format; the
/// detail names the source and the place. Never reads past the data nor allocates more than the
/// data can fill.
std::optional<MatFile> DecodeMat(std::string_view bytes, const std::string& source);

/// The text of `kelvarix-tool mat info`: "texture N" or "color N", then per cel "WxH MIPS" or
/// "colour INDEX"; lines end in LF.
std::string MatInfoText(const MatFile& mat);

}  // namespace kx::resources
