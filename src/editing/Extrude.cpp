#include "editing/Extrude.h"

#include "building/BoxBuilder.h"
#include "building/SectorGeometry.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

namespace kx::editing {

using building::Vec3;

namespace {

// The first sector in use whose surface range holds the surface; -1 when none does.
int OwnerOf(const level::Level& level, int surface) {
  for (int s = 0; s < level.sectors.Used(); ++s) {
    const level::Sector& sector = level.sectors[s];
    if (sector.marks.empty == 0 && surface >= sector.firstsurface &&
        static_cast<long long>(surface) <
            static_cast<long long>(sector.firstsurface) + sector.nsurfaces) {
      return s;
    }
  }
  return -1;
}

std::optional<std::string> RoomFor(const char* what, int needed, int count, int capacity) {
  if (count >= 0 && needed <= capacity - count) return std::nullopt;
  return std::string("Extruding needs ") + std::to_string(needed) + " more " + what +
         ", but the level has room for " + std::to_string(std::max(0, capacity - count)) +
         " (it holds " + std::to_string(count) + " of " + std::to_string(capacity) + ").";
}

level::SurfaceNormal Stored(const Vec3& v) {
  return {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)};
}

}  // namespace

std::optional<std::string> ExtrudeRefusal(const level::Level& level, int surface) {
  const std::string name = "Surface " + std::to_string(surface);
  if (!level.surfaces.InUse(surface) || level.surfaces[surface].marks.empty != 0) {
    return name + " is not in the level.";
  }
  const level::Surface& s = level.surfaces[surface];
  if (s.adjoin != -1) {
    return name + " already has an adjoin (" + std::to_string(s.adjoin) +
           "): only a surface without one can be extruded into a new sector.";
  }
  if (OwnerOf(level, surface) < 0) {
    return name + " belongs to no sector, so there is no sector to extrude it from.";
  }
  if (!building::WindingNormalOf(level, surface)) {
    return name + " cannot be extruded: it needs three or more corners, each a vertex of the " +
           "level, that span an area.";
  }
  const int n = s.nverts;
  // Worst case for texture vertices: a new one for each corner of each new surface.
  if (auto full = RoomFor("vertices", n, level.vertices.count, level.vertices.Capacity())) {
    return full;
  }
  if (auto full = RoomFor("texture vertices", 6 * n, level.texturevertices.count,
                          level.texturevertices.Capacity())) {
    return full;
  }
  if (auto full = RoomFor("adjoins", 2, level.adjoins.count, level.adjoins.Capacity())) {
    return full;
  }
  if (auto full = RoomFor("surfaces", n + 2, level.surfaces.count, level.surfaces.Capacity())) {
    return full;
  }
  if (auto full = RoomFor("sectors", 1, level.sectors.count, level.sectors.Capacity())) {
    return full;
  }
  return std::nullopt;
}

std::optional<std::string> DistanceRefusal(double distance) {
  if (std::isfinite(distance) && distance > 0 && distance < 1e6) return std::nullopt;
  return "The distance must be a number greater than 0 (and below 1000000).";
}

Extrusion ExtrudeSurface(LevelChange& change, int surface, double distance) {
  const level::Level& level = change.Level();
  const level::Surface old = level.surfaces[surface];
  const int owner = OwnerOf(level, surface);
  const Vec3 normal = *building::WindingNormalOf(level, surface);
  const int n = old.nverts;
  const Vec3 away = normal * -distance;

  std::vector<int> near(static_cast<std::size_t>(n));
  std::vector<int> far(static_cast<std::size_t>(n));
  for (int c = 0; c < n; ++c) {
    const int v = old.vertices[static_cast<std::size_t>(c)].vertex;
    near[static_cast<std::size_t>(c)] = v;
    const Vec3 moved = building::PositionOf(level, v) + away;
    const int added = change.Append(RecordKind::Vertex);
    auto& vertex = change.Vertex(added);
    vertex.x = static_cast<float>(moved.x);
    vertex.y = static_cast<float>(moved.y);
    vertex.z = static_cast<float>(moved.z);
    far[static_cast<std::size_t>(c)] = added;
  }

  // The surfaces of the new sector, in the order they are appended: the opening's other side on
  // the old corners (reversed, to face into the new sector), the far wall (wound as the old
  // surface, facing back towards it) and one side wall per edge.
  std::vector<std::vector<int>> outlines;
  outlines.emplace_back(near.rbegin(), near.rend());
  outlines.push_back(far);
  for (int c = 0; c < n; ++c) {
    const auto i = static_cast<std::size_t>(c);
    const auto j = static_cast<std::size_t>((c + 1) % n);
    outlines.push_back({near[i], near[j], far[j], far[i]});
  }

  float light = 0;
  for (int c = 0; c < n; ++c) light += old.intensities[static_cast<std::size_t>(c)];
  light /= static_cast<float>(n);

  std::map<std::pair<float, float>, int> texels;
  const int firstSurface = level.surfaces.count;
  for (std::size_t k = 0; k < outlines.size(); ++k) {
    const std::vector<int>& outline = outlines[k];
    std::vector<Vec3> corners;
    for (const int v : outline) corners.push_back(building::PositionOf(level, v));
    const Vec3 facing = building::Normalized(building::NewellNormal(corners));
    const auto [uAxis, vAxis] = building::TextureAxesOf(facing);

    const int index = change.Append(RecordKind::Surface);
    // The old surface's material, flags, modes and extra light, on corners of its own.
    level::Surface made = old;
    made.adjoin = -1;
    made.vertices = {};
    made.intensities = {};
    if (k == 0) building::SetOpeningLook(made);
    made.nverts = static_cast<std::int32_t>(outline.size());
    for (std::size_t c = 0; c < outline.size(); ++c) {
      const std::pair<float, float> uv{
          static_cast<float>(building::kTexelsPerUnit * Dot(corners[c], uAxis)),
          static_cast<float>(building::kTexelsPerUnit * Dot(corners[c], vAxis))};
      auto [found, added] = texels.try_emplace(uv, -1);
      if (added) {
        found->second = change.Append(RecordKind::TextureVertex);
        change.TextureVertex(found->second) = {uv.first, uv.second};
      }
      made.vertices[c] = {outline[c], found->second};
      made.intensities[c] = light;
    }
    made.marks = change.Level().surfaces[index].marks;
    change.Surface(index) = made;
    change.Normal(index) = Stored(facing);
  }

  const int mine = change.Append(RecordKind::Adjoin);
  const int theirs = change.Append(RecordKind::Adjoin);
  change.Adjoin(mine) = {building::kOpenAdjoinFlags, theirs, 0};
  change.Adjoin(theirs) = {building::kOpenAdjoinFlags, mine, 0};
  level::Surface& opened = change.Surface(surface);
  opened.adjoin = mine;
  building::SetOpeningLook(opened);
  change.Surface(firstSurface).adjoin = theirs;

  const int sector = change.Append(RecordKind::Sector);
  const level::Sector& from = level.sectors[owner];
  level::Sector made;
  made.ambientlight = from.ambientlight;
  made.extralight = from.extralight;
  made.colormap = from.colormap;
  made.tint = from.tint;
  made.firstsurface = firstSurface;
  made.nsurfaces = static_cast<std::int32_t>(outlines.size());
  made.marks = change.Level().sectors[sector].marks;
  change.Sector(sector) = std::move(made);
  level::Sector& built = change.Sector(sector);
  built.vertexindices = building::SectorVertices(level, sector);
  built.nverts = static_cast<std::int32_t>(built.vertexindices.size());
  std::vector<Vec3> points;
  for (const int v : built.vertexindices) points.push_back(building::PositionOf(level, v));
  building::SetBounds(built, building::BoundsOf(points));

  Extrusion result;
  result.sector = sector;
  result.opening = firstSurface;
  result.farWall = firstSurface + 1;
  result.changed.surfaces.push_back(surface);
  for (std::size_t k = 0; k < outlines.size(); ++k) {
    result.changed.surfaces.push_back(firstSurface + static_cast<int>(k));
  }
  result.changed.sectors = {owner, sector};
  return result;
}

}  // namespace kx::editing
