#pragma once

#include "building/Vec3.h"

#include "level/Level.h"

#include <array>
#include <cstdint>
#include <vector>

/// Building level geometry in code: boxes joined into sectors, the game's rules for a valid level,
/// baked light, and the materials, colormap and models generated to go with them.
namespace kx::building {

/// The six sides of an axis-aligned box: at its least and greatest x, y and z.
enum class Side { West, East, South, North, Floor, Ceiling };
inline constexpr int kSideCount = 6;

/// Texture vertices are in texels, and the game lays 320 of them on one world unit: a
/// 64-texel material repeats every 0.2 units.
inline constexpr double kTexelsPerUnit = 320;

/// An opening the game draws through and lets things and sound pass.
inline constexpr std::uint32_t kOpenAdjoinFlags = 0x7;

/// Makes a surface look like an opening: not drawn (geometry mode 0) and not colliding, lit and
/// textured as a wall would be. Its material and extra light stay.
inline void SetOpeningLook(level::Surface& surface) {
  surface.surfflags = 0;
  surface.faceflags = 0;
  surface.geo = 0;
  surface.light = 3;
  surface.tex = 1;
}

/// How the surfaces on one side of a box look.
struct SurfaceLook {
  std::int32_t mat = 0;
  std::uint32_t surfflags = 0x4;  // collides
  std::uint32_t faceflags = 0x4;
  std::int32_t geo = 4;    // textured
  std::int32_t light = 3;  // gouraud
  std::int32_t tex = 1;    // perspective-correct
  float extralight = 0;
};

/// One sector: an axis-aligned box in world units, the look of each side (indexed by Side) and
/// the values the box does not decide (flags, light, colormap, tint, sound).
struct BoxSector {
  Vec3 min, max;
  std::array<SurfaceLook, kSideCount> looks{};
  level::Sector values;
};

/// Builds the geometry of a level from boxes joined at openings. Each side of a box becomes
/// convex surfaces facing into the box; where two boxes touch and are joined, the common part of
/// their sides becomes a pair of mirrored adjoins. Corners that lie on another surface's edge
/// are added to that edge, so that every edge of a sector is shared by exactly two surfaces.
/// Coordinates are kept to the micro-unit, the precision the level file holds.
class BoxBuilder {
 public:
  /// Adds a sector; returns its index. Throws std::invalid_argument for a box without volume.
  int AddSector(const BoxSector& sector);

  /// Opens the common part of the touching sides of sectors a and b. Throws
  /// std::invalid_argument when the boxes do not touch over an area or are already joined.
  void Join(int a, int b);

  /// Writes the vertices, texture vertices, adjoins, surfaces, normals and sectors into level,
  /// replacing those tables. Corner intensities are left at 0. Throws std::logic_error when two
  /// openings on one side overlap, or a table would pass its capacity.
  void Build(level::Level& level) const;

 private:
  std::vector<BoxSector> m_sectors;
  std::vector<std::array<int, 2>> m_joins;
};

}  // namespace kx::building
