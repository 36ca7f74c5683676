#include "editing/RecordMove.h"

#include "building/SectorGeometry.h"

#include "mapview/MapGrid.h"

#include <algorithm>

namespace kx::editing {

using building::Vec3;
using mapview::EditMode;

namespace {

std::array<float, 3> PlaceOf(const level::Level& level, EditMode mode, int index) {
  if (mode == EditMode::Vertex) {
    const level::Vertex& v = level.vertices[index];
    return {v.x, v.y, v.z};
  }
  const level::Thing& t = level.things[index];
  return {t.x, t.y, t.z};
}

}  // namespace

MoveSelection SelectedForMove(const level::Level& level, EditMode mode) {
  MoveSelection selection{mode, {}};
  const auto collect = [&](const auto& table) {
    for (int i = 0; i < table.Used(); ++i) {
      if (table[i].marks.IsVisiblySelected()) selection.indices.push_back(i);
    }
  };
  if (mode == EditMode::Vertex) collect(level.vertices);
  if (mode == EditMode::Thing) collect(level.things);
  return selection;
}

std::string MoveStepName(const MoveSelection& selection) {
  const std::size_t count = selection.indices.size();
  const bool vertices = selection.mode == EditMode::Vertex;
  const char* noun =
      vertices ? (count == 1 ? "vertex" : "vertices") : (count == 1 ? "thing" : "things");
  return "Move " + std::to_string(count) + " " + noun;
}

MoveOffset DragOffset(const mapview::MapView& view, mapview::PixelPoint from,
                      mapview::PixelPoint to, double step, bool free) {
  // The screen's y grows downwards, the view's vertical axis upwards.
  MoveOffset offset{(static_cast<double>(to.x) - from.x) / view.scale,
                    (static_cast<double>(from.y) - to.y) / view.scale};
  if (!free) {
    offset.a = mapview::SnapToGrid(offset.a, step);
    offset.b = mapview::SnapToGrid(offset.b, step);
  }
  return offset;
}

MoveOffset NudgeOffset(mapview::PanDirection direction, double step) {
  switch (direction) {
    case mapview::PanDirection::Left:
      return {-step, 0};
    case mapview::PanDirection::Right:
      return {step, 0};
    case mapview::PanDirection::Up:
      return {0, step};
    case mapview::PanDirection::Down:
      break;
  }
  return {0, -step};
}

RecordMove::RecordMove(level::Level& level, EditHistory& history, MoveSelection selection,
                       mapview::View view)
    : m_change(level, history, MoveStepName(selection)),
      m_selection(std::move(selection)),
      m_axes{view} {
  m_from.reserve(m_selection.indices.size());
  for (const int i : m_selection.indices) m_from.push_back(PlaceOf(level, m_selection.mode, i));
}

void RecordMove::Place(const MoveOffset& offset) {
  for (std::size_t k = 0; k < m_selection.indices.size(); ++k) {
    const int index = m_selection.indices[k];
    std::array<double, 3> place{m_from[k][0], m_from[k][1], m_from[k][2]};
    // The horizontal axis is x, or y in the Right view; the vertical one y in the Top view,
    // otherwise z.
    place[m_axes.view == mapview::View::Right ? 1 : 0] += offset.a;
    place[m_axes.view == mapview::View::Top ? 1 : 2] += offset.b;
    const auto x = static_cast<float>(place[0]);
    const auto y = static_cast<float>(place[1]);
    const auto z = static_cast<float>(place[2]);
    const auto current = PlaceOf(m_change.Level(), m_selection.mode, index);
    if (current == std::array<float, 3>{x, y, z}) continue;
    if (m_selection.mode == EditMode::Vertex) {
      auto& v = m_change.Vertex(index);
      v.x = x, v.y = y, v.z = z;
    } else {
      auto& t = m_change.Thing(index);
      t.x = x, t.y = y, t.z = z;
    }
  }
}

building::RuleScope RecordMove::Finish() {
  std::vector<int> moved;
  for (std::size_t k = 0; k < m_selection.indices.size(); ++k) {
    const int index = m_selection.indices[k];
    if (PlaceOf(m_change.Level(), m_selection.mode, index) != m_from[k]) moved.push_back(index);
  }
  building::RuleScope scope;
  if (moved.empty()) {
    m_change.Commit();  // whatever the drag showed is back where it was: no step
    return scope;
  }
  if (m_selection.mode == EditMode::Vertex) {
    scope = FollowVertices(m_change, moved);
  } else {
    FollowThings(m_change, moved);
    scope.things = moved;
  }
  m_change.Commit();
  return scope;
}

building::RuleScope FollowVertices(LevelChange& change, const std::vector<int>& vertices) {
  const level::Level& level = change.Level();
  std::vector<bool> moved(static_cast<std::size_t>(level.vertices.Used()), false);
  for (const int v : vertices) {
    if (level.vertices.InUse(v)) moved[static_cast<std::size_t>(v)] = true;
  }
  building::RuleScope scope;
  std::vector<bool> surfaceMoved(static_cast<std::size_t>(level.surfaces.Used()), false);
  for (int s = 0; s < level.surfaces.Used(); ++s) {
    const level::Surface& surface = level.surfaces[s];
    const int corners = std::clamp(surface.nverts, 0, level::capacity::kSurfaceMaxVertices);
    bool hit = false;
    for (int c = 0; c < corners && !hit; ++c) {
      const int v = surface.vertices[static_cast<std::size_t>(c)].vertex;
      hit = v >= 0 && v < level.vertices.Used() && moved[static_cast<std::size_t>(v)];
    }
    if (!hit) continue;
    surfaceMoved[static_cast<std::size_t>(s)] = true;
    scope.surfaces.push_back(s);
    // A surface whose corners no longer span an area keeps its normal; the check names it.
    const auto normal = building::WindingNormalOf(level, s);
    if (!normal) continue;
    const level::SurfaceNormal wanted{static_cast<float>(normal->x), static_cast<float>(normal->y),
                                      static_cast<float>(normal->z)};
    if (level.normals[static_cast<std::size_t>(s)] != wanted) change.Normal(s) = wanted;
  }

  for (int c = 0; c < level.sectors.Used(); ++c) {
    const level::Sector& sector = level.sectors[c];
    const long long end = static_cast<long long>(sector.firstsurface) + sector.nsurfaces;
    if (sector.firstsurface < 0 || sector.nsurfaces <= 0 || end > level.surfaces.Used()) continue;
    const auto first = surfaceMoved.begin() + sector.firstsurface;
    if (std::none_of(first, first + sector.nsurfaces, [](bool hit) { return hit; })) continue;
    scope.sectors.push_back(c);

    level::Sector wanted = sector;
    const std::vector<std::int32_t> used = building::SectorVertices(level, c);
    std::vector<std::int32_t> listed = sector.vertexindices;
    std::sort(listed.begin(), listed.end());
    // A list that already names its surfaces' vertices keeps its order.
    if (listed != used || sector.nverts != static_cast<std::int32_t>(listed.size())) {
      wanted.vertexindices = used;
      wanted.nverts = static_cast<std::int32_t>(used.size());
    }
    std::vector<Vec3> points;
    points.reserve(used.size());
    for (const int v : used) {
      if (level.vertices.InUse(v)) points.push_back(building::PositionOf(level, v));
    }
    if (!points.empty()) building::SetBounds(wanted, building::BoundsOf(points));
    if (wanted != sector) change.Sector(c) = std::move(wanted);
  }
  return scope;
}

void FollowThings(LevelChange& change, const std::vector<int>& things) {
  const level::Level& level = change.Level();
  const building::SectorLocator locator(level);
  for (const int t : things) {
    const level::Thing& thing = level.things[t];
    const auto sector = locator.SectorAt({thing.x, thing.y, thing.z}, thing.sector);
    if (sector && *sector != thing.sector) change.Thing(t).sector = *sector;
  }
}

}  // namespace kx::editing
