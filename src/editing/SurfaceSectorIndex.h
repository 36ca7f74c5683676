#pragma once

#include "level/Level.h"

#include <span>
#include <utility>
#include <vector>

namespace kx::editing {

/// Which sectors' surface ranges hold each surface, so that a sector pick finds the sectors of
/// the surfaces under the point without scanning every sector for each. Build it after each
/// level read. Ranges are taken as the level states them, cut to the surface table.
class SurfaceSectorIndex {
 public:
  /// Entries beyond this (sectors whose ranges overlap far more than a level's do) are not
  /// kept; the index then reports itself unusable and callers scan the sectors.
  static constexpr long long kMaxEntries = 4LL * level::capacity::kSurfaces;

  /// An index of no level: not current for any level that has sectors.
  SurfaceSectorIndex() = default;
  explicit SurfaceSectorIndex(const level::Level& level);

  /// Whether the index can answer for the level: it was built from the same surface count and
  /// sector ranges, and the ranges did not exceed kMaxEntries.
  bool IsUsableFor(const level::Level& level) const;
  /// The sectors whose range holds the surface, in table order; empty outside the table.
  std::span<const int> SectorsOf(int surface) const;

 private:
  int m_surfaceCount = 0;
  bool m_complete = true;
  std::vector<std::pair<int, int>> m_ranges;  // firstsurface, nsurfaces of each sector
  std::vector<int> m_offsets;                 // surface s: m_sectors[m_offsets[s]..m_offsets[s+1])
  std::vector<int> m_sectors;
};

}  // namespace kx::editing
