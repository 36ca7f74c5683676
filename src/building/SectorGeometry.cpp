#include "building/SectorGeometry.h"

#include <algorithm>
#include <cmath>

namespace kx::building {

namespace {

bool RangeInTable(const level::Level& level, const level::Sector& sector) {
  return sector.firstsurface >= 0 && sector.nsurfaces >= 0 &&
         static_cast<long long>(sector.firstsurface) + sector.nsurfaces <= level.surfaces.Used();
}

}  // namespace

Vec3 PositionOf(const level::Level& level, int vertex) {
  const level::Vertex& v = level.vertices[vertex];
  return {v.x, v.y, v.z};
}

std::optional<std::vector<Vec3>> CornersOf(const level::Level& level, int surface) {
  const level::Surface& s = level.surfaces[surface];
  if (s.nverts < 3 || s.nverts > level::capacity::kSurfaceMaxVertices) return std::nullopt;
  std::vector<Vec3> corners;
  corners.reserve(static_cast<std::size_t>(s.nverts));
  for (int c = 0; c < s.nverts; ++c) {
    const int vertex = s.vertices[static_cast<std::size_t>(c)].vertex;
    if (!level.vertices.InUse(vertex)) return std::nullopt;
    corners.push_back(PositionOf(level, vertex));
  }
  return corners;
}

std::optional<Vec3> WindingNormalOf(const level::Level& level, int surface) {
  const auto corners = CornersOf(level, surface);
  if (!corners) return std::nullopt;
  const Vec3 winding = NewellNormal(*corners);
  if (Length(winding) < 1e-12) return std::nullopt;
  return Normalized(winding);
}

bool InFrontOfSurface(const level::Level& level, int surface, const Vec3& point) {
  const level::Surface& s = level.surfaces[surface];
  if (s.nverts < 1 || s.nverts > level::capacity::kSurfaceMaxVertices) return true;
  const int first = s.vertices[0].vertex;
  if (!level.vertices.InUse(first)) return true;
  const auto& n = level.normals[static_cast<std::size_t>(surface)];
  return Dot(point - PositionOf(level, first), Vec3{n.x, n.y, n.z}) >= -kPlaneTolerance;
}

bool SectorHolds(const level::Level& level, int sector, const Vec3& point) {
  if (!level.sectors.InUse(sector)) return false;
  const level::Sector& s = level.sectors[sector];
  if (!RangeInTable(level, s) || s.nsurfaces == 0) return false;
  for (int i = s.firstsurface; i < s.firstsurface + s.nsurfaces; ++i) {
    if (!InFrontOfSurface(level, i, point)) return false;
  }
  return true;
}

SectorLocator::SectorLocator(const level::Level& level) : m_level(level) {
  m_boxes.reserve(static_cast<std::size_t>(level.sectors.Used()));
  for (int s = 0; s < level.sectors.Used(); ++s) {
    Vec3 lo{1e30, 1e30, 1e30}, hi{-1e30, -1e30, -1e30};
    const level::Sector& sector = level.sectors[s];
    if (RangeInTable(level, sector)) {
      for (int i = sector.firstsurface; i < sector.firstsurface + sector.nsurfaces; ++i) {
        const level::Surface& surface = level.surfaces[i];
        const int corners = std::clamp(surface.nverts, 0, level::capacity::kSurfaceMaxVertices);
        for (int c = 0; c < corners; ++c) {
          const int v = surface.vertices[static_cast<std::size_t>(c)].vertex;
          if (!level.vertices.InUse(v)) continue;
          const Vec3 p = PositionOf(level, v);
          lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
          hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
        }
      }
    }
    m_boxes.emplace_back(lo, hi);
  }
}

std::optional<int> SectorLocator::SectorAt(const Vec3& point, int preferred) const {
  const auto inBox = [&](int s) {
    const auto& [lo, hi] = m_boxes[static_cast<std::size_t>(s)];
    const double t = kPlaneTolerance;
    return point.x >= lo.x - t && point.x <= hi.x + t && point.y >= lo.y - t &&
           point.y <= hi.y + t && point.z >= lo.z - t && point.z <= hi.z + t;
  };
  const int count = static_cast<int>(m_boxes.size());
  if (preferred >= 0 && preferred < count && inBox(preferred) &&
      SectorHolds(m_level, preferred, point)) {
    return preferred;
  }
  for (int s = 0; s < count; ++s) {
    if (s != preferred && inBox(s) && SectorHolds(m_level, s, point)) return s;
  }
  return std::nullopt;
}

SectorBounds BoundsOf(const std::vector<Vec3>& points) {
  SectorBounds bounds;
  if (points.empty()) return bounds;
  bounds.lo = bounds.hi = points.front();
  Vec3 sum;
  for (const Vec3& p : points) {
    bounds.lo = {std::min(bounds.lo.x, p.x), std::min(bounds.lo.y, p.y),
                 std::min(bounds.lo.z, p.z)};
    bounds.hi = {std::max(bounds.hi.x, p.x), std::max(bounds.hi.y, p.y),
                 std::max(bounds.hi.z, p.z)};
    sum = sum + p;
  }
  bounds.center = sum * (1.0 / static_cast<double>(points.size()));
  for (const Vec3& p : points) bounds.radius = std::max(bounds.radius, Length(p - bounds.center));
  return bounds;
}

void SetBounds(level::Sector& sector, const SectorBounds& bounds) {
  const auto f = [](double value) { return static_cast<float>(value); };
  sector.boundbox = {f(bounds.lo.x), f(bounds.lo.y), f(bounds.lo.z),
                     f(bounds.hi.x), f(bounds.hi.y), f(bounds.hi.z)};
  sector.collidebox = sector.boundbox;
  sector.center = {f(bounds.center.x), f(bounds.center.y), f(bounds.center.z)};
  sector.radius = f(bounds.radius);
}

std::vector<std::int32_t> SectorVertices(const level::Level& level, int sector) {
  std::vector<std::int32_t> used;
  const level::Sector& s = level.sectors[sector];
  if (!RangeInTable(level, s)) return used;
  for (int i = s.firstsurface; i < s.firstsurface + s.nsurfaces; ++i) {
    const level::Surface& surface = level.surfaces[i];
    const int corners = std::clamp(surface.nverts, 0, level::capacity::kSurfaceMaxVertices);
    for (int c = 0; c < corners; ++c) {
      used.push_back(surface.vertices[static_cast<std::size_t>(c)].vertex);
    }
  }
  std::sort(used.begin(), used.end());
  used.erase(std::unique(used.begin(), used.end()), used.end());
  return used;
}

std::pair<Vec3, Vec3> TextureAxesOf(const Vec3& normal) {
  const Vec3 n = Normalized(normal);
  Vec3 u;
  // More floor or ceiling than wall: u follows the x axis as far as the plane lets it, so that
  // a floor's texels continue across a slight slope.
  if (std::abs(n.z) > std::sqrt(0.5)) {
    const Vec3 along{n.z > 0 ? 1.0 : -1.0, 0, 0};
    u = Normalized(along - n * Dot(along, n));
  } else {
    u = Normalized(Cross(Vec3{0, 0, 1}, n));
  }
  return {u, Cross(u, n)};
}

}  // namespace kx::building
