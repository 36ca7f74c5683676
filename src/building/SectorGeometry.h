#pragma once

#include "building/Vec3.h"

#include "level/Level.h"

#include <optional>
#include <utility>
#include <vector>

namespace kx::building {

/// How far a point may lie outside a plane and still count as on it: the level file keeps six
/// decimals, so a value may be off by rounding, no more.
inline constexpr double kPlaneTolerance = 1e-4;

/// The position of a vertex.
Vec3 PositionOf(const level::Level& level, int vertex);

/// The corners of a surface, when it has 3 to 24 of them and each names a vertex in use.
std::optional<std::vector<Vec3>> CornersOf(const level::Level& level, int surface);

/// The unit normal of a surface from its corners' winding (Newell's method): it points to the
/// side from which the corners run counter-clockwise, into the surface's sector. None for a
/// surface without usable corners or without area.
std::optional<Vec3> WindingNormalOf(const level::Level& level, int surface);

/// Whether point lies on the side of the surface its stored normal points to, or on its plane.
/// A surface without usable corners holds every point.
bool InFrontOfSurface(const level::Level& level, int surface, const Vec3& point);

/// Whether the convex volume of a sector (the side its surfaces face) holds point. A sector whose
/// surface range lies outside the surface table, or that has no surfaces, holds nothing.
bool SectorHolds(const level::Level& level, int sector, const Vec3& point);

/// The sectors' boxes around their surfaces' vertices, so that finding the sector of many points
/// tests the planes of only the few sectors whose box holds each.
class SectorLocator {
 public:
  explicit SectorLocator(const level::Level& level);
  /// The sector that holds point: preferred when it does, otherwise the first in table order;
  /// none when no sector does.
  std::optional<int> SectorAt(const Vec3& point, int preferred) const;

 private:
  const level::Level& m_level;
  std::vector<std::pair<Vec3, Vec3>> m_boxes;  // per sector: least and greatest corner
};

/// What the game's quick tests of a sector are made from: the box around its vertices, their
/// mean and the distance from it to the farthest one.
struct SectorBounds {
  Vec3 lo, hi, center;
  double radius = 0;
};

/// The bounds of a sector's vertices (at least one point).
SectorBounds BoundsOf(const std::vector<Vec3>& points);

/// Writes bounds into a sector: its bound box, its collision box (the same box, as for a sector
/// of plain walls), its centre and its radius.
void SetBounds(level::Sector& sector, const SectorBounds& bounds);

/// The vertices of a sector's surfaces, in ascending order, each once; empty when its surface
/// range lies outside the surface table.
std::vector<std::int32_t> SectorVertices(const level::Level& level, int sector);

/// The two directions in a surface's plane that texels run along, each of unit length: u
/// along the floor and to the right as seen from the side the normal points to, v downwards on
/// a wall; on a floor u runs along +x and v along -y, on a ceiling u along -x and v along -y.
std::pair<Vec3, Vec3> TextureAxesOf(const Vec3& normal);

}  // namespace kx::building
