#pragma once

#include "building/PaintedMaterials.h"

#include "resources/Colormap.h"

#include <vector>

namespace kx::demo {

/// The demo's materials, painted in code and shaded with palette: bricks, floor tiles, a metal
/// panel, a sky, a light panel whose lamps light up in turn, a crate's planks and a glowing
/// colour. Entries are named mat\NAME.
std::vector<building::GeneratedFile> DemoMaterials(const resources::Palette& palette);

}  // namespace kx::demo
