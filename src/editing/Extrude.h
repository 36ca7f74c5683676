#pragma once

#include "building/LevelRules.h"

#include "editing/LevelChange.h"
#include "level/Level.h"

#include <optional>
#include <string>

namespace kx::editing {

/// Why a surface cannot be extruded, or none: it already has an adjoin, it belongs to no
/// sector, its corners do not span an area, or a table has no room for what the extrusion adds.
std::optional<std::string> ExtrudeRefusal(const level::Level& level, int surface);

/// Why a distance is refused, or none: it must be a number greater than 0.
std::optional<std::string> DistanceRefusal(double distance);

/// What an extrusion made: the new sector, its surface over the old one (the other side of the
/// opening) and its far wall; and the records it changed, for the check.
struct Extrusion {
  int sector = -1;
  int opening = -1;
  int farWall = -1;
  building::RuleScope changed;
};

/// Builds a new sector behind a surface (which ExtrudeRefusal accepts), written through change:
/// the surface's outline moved distance (> 0) against its normal becomes the far wall, each edge
/// a side wall, and the surface an opening, a mirrored pair of adjoins between it and a new
/// surface on the same corners. The new sector takes the old one's light, colormap and tint; the
/// new walls the surface's material, flags, modes and mean corner light, with texture vertices
/// laid at 320 texels per unit in their planes. Every record is appended, so no index that
/// other records or cogs hold changes.
Extrusion ExtrudeSurface(LevelChange& change, int surface, double distance);

}  // namespace kx::editing
