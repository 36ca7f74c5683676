#pragma once

#include "resources/Colormap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kx::building {

/// One generated file: its entry name as the game looks it up (mat\kxwall.mat) and its bytes.
struct GeneratedFile {
  std::string name;
  std::string bytes;
};

/// The size of every painted texture, and its mip-map levels.
inline constexpr int kTextureSide = 64;
inline constexpr int kTextureMips = 4;
inline constexpr int kLightPanelCels = 4;

/// A texture material: each cel holds the palette indices of all its mip-map levels, largest
/// first, every level half the size of the one before. Throws std::invalid_argument when a cel
/// holds another number of bytes.
std::string TextureMatBytes(std::int32_t width, std::int32_t height, std::int32_t mips,
                            const std::vector<std::vector<std::uint8_t>>& cels);

/// A colour material with one cel per colour index.
std::string ColourMatBytes(const std::vector<std::uint8_t>& colourIndices);

/// The textures painted in code, each tiling without a seam.
enum class Pattern {
  Brick,       // rows of red bricks in grey mortar
  FloorTile,   // four sandy tiles with dark grout
  MetalPanel,  // brushed steel with a bevelled rim and four rivets
  Sky,         // blue sky with soft white clouds
  Crate,       // wooden planks in a frame with a diagonal brace
};

/// A 64 x 64 texture material of pattern with 4 mip-map levels, shaded with palette.
std::string PatternMatBytes(const resources::Palette& palette, Pattern pattern);

/// A panel of four amber lamps, one burning brightly in each of its four cels, so that the
/// bright one goes round the panel as the game animates it.
std::string LightPanelMatBytes(const resources::Palette& palette);

}  // namespace kx::building
