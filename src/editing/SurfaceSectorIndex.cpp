#include "editing/SurfaceSectorIndex.h"

#include "mapview/LevelGeometry.h"

namespace kx::editing {

SurfaceSectorIndex::SurfaceSectorIndex(const level::Level& level)
    : m_surfaceCount(level.surfaces.Used()) {
  const int sectorCount = level.sectors.Used();
  m_ranges.reserve(static_cast<std::size_t>(sectorCount));
  long long entries = 0;
  for (int c = 0; c < sectorCount; ++c) {
    const level::Sector& sector = level.sectors[c];
    m_ranges.emplace_back(sector.firstsurface, sector.nsurfaces);
    const mapview::SurfaceRange range = mapview::SurfacesOf(level, sector);
    entries += range.end - range.first;
  }
  if (entries > kMaxEntries) {
    m_complete = false;
    return;
  }
  // Count the sectors of each surface, turn the counts into offsets, then fill in table order.
  m_offsets.assign(static_cast<std::size_t>(m_surfaceCount) + 1, 0);
  for (int c = 0; c < sectorCount; ++c) {
    const mapview::SurfaceRange range = mapview::SurfacesOf(level, level.sectors[c]);
    for (int s = range.first; s < range.end; ++s) ++m_offsets[static_cast<std::size_t>(s) + 1];
  }
  for (std::size_t s = 1; s < m_offsets.size(); ++s) m_offsets[s] += m_offsets[s - 1];
  m_sectors.resize(static_cast<std::size_t>(entries));
  std::vector<int> next(m_offsets.begin(), m_offsets.end() - 1);
  for (int c = 0; c < sectorCount; ++c) {
    const mapview::SurfaceRange range = mapview::SurfacesOf(level, level.sectors[c]);
    for (int s = range.first; s < range.end; ++s) {
      m_sectors[static_cast<std::size_t>(next[static_cast<std::size_t>(s)]++)] = c;
    }
  }
}

bool SurfaceSectorIndex::IsUsableFor(const level::Level& level) const {
  if (!m_complete || level.surfaces.Used() != m_surfaceCount) return false;
  if (static_cast<std::size_t>(level.sectors.Used()) != m_ranges.size()) return false;
  for (std::size_t c = 0; c < m_ranges.size(); ++c) {
    const level::Sector& sector = level.sectors[static_cast<int>(c)];
    if (m_ranges[c] != std::pair<int, int>(sector.firstsurface, sector.nsurfaces)) return false;
  }
  return true;
}

std::span<const int> SurfaceSectorIndex::SectorsOf(int surface) const {
  if (surface < 0 || surface >= m_surfaceCount || m_offsets.empty()) return {};
  const auto begin = static_cast<std::size_t>(m_offsets[static_cast<std::size_t>(surface)]);
  const auto end = static_cast<std::size_t>(m_offsets[static_cast<std::size_t>(surface) + 1]);
  return std::span<const int>(m_sectors).subspan(begin, end - begin);
}

}  // namespace kx::editing
