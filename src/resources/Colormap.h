#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

/// CMP colormaps: the 256-colour palettes that turn a material's colour indices into colours.
namespace kx::resources {

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Rgb&) const = default;
};

using Palette = std::array<Rgb, 256>;

/// The palette sits after a 64-byte header: 256 entries of red, green, blue.
inline constexpr std::size_t kColormapPaletteOffset = 64;
inline constexpr std::size_t kColormapPaletteEnd = kColormapPaletteOffset + 256 * 3;

/// The palette of a CMP file's bytes; the rest of the file is not read. Throws
/// platform::CommandError "Read beyond end of file" naming source when the file is too short.
Palette DecodeColormap(std::string_view bytes, const std::string& source);

}  // namespace kx::resources
