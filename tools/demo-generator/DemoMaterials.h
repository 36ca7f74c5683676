#pragma once

#include "resources/Colormap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kx::demo {

/// One file of the demo: its archive entry name (mat\dm_brick.mat) and its bytes.
struct DemoFile {
  std::string name;
  std::string bytes;
};

/// A texture material: each cel holds the palette indices of all its mip-map levels, largest
/// first, every level half the size of the one before. Throws std::invalid_argument when a cel
/// holds another number of bytes.
std::string TextureMatBytes(std::int32_t width, std::int32_t height, std::int32_t mips,
                            const std::vector<std::vector<std::uint8_t>>& cels);

/// A colour material with one cel per colour index.
std::string ColourMatBytes(const std::vector<std::uint8_t>& colourIndices);

/// The demo's materials, drawn in code and shaded with palette: bricks, floor tiles, a metal
/// panel, a sky, a light panel whose lamps light up in turn over four cels, a crate's planks
/// (all 64 x 64 with 4 mip-map levels) and a glowing colour. Entries are named mat\NAME.
std::vector<DemoFile> DemoMaterials(const resources::Palette& palette);

}  // namespace kx::demo
