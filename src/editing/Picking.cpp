#include "editing/Picking.h"

#include "editing/HitTests.h"
#include "editing/SelectionCommands.h"
#include "editing/TableMarks.h"
#include "mapview/LevelGeometry.h"
#include "mapview/TemplateLookup.h"

#include <algorithm>
#include <cmath>

namespace kx::editing {

using mapview::WorldPoint;

namespace {

constexpr double kCrossPickPixels = 3.0;

void Mark(level::RecordMarks& marks, bool select) {
  marks.selected = select ? 1 : 0;
}

double DistanceOnAxes(mapview::ViewAxes axes, float x, float y, float z, const WorldPoint& p) {
  const double da =
      static_cast<double>(axes.A(x, y)) - (axes.view == mapview::View::Right ? p.y : p.x);
  const double db =
      static_cast<double>(axes.B(y, z)) - (axes.view == mapview::View::Top ? p.y : p.z);
  return std::sqrt(da * da + db * db);
}

// The box of two corners on the view's axes, bounds included.
struct AxisBox {
  double minA, maxA, minB, maxB;

  AxisBox(mapview::ViewAxes axes, const WorldPoint& c1, const WorldPoint& c2) {
    const double a1 = axes.view == mapview::View::Right ? c1.y : c1.x;
    const double a2 = axes.view == mapview::View::Right ? c2.y : c2.x;
    const double b1 = axes.view == mapview::View::Top ? c1.y : c1.z;
    const double b2 = axes.view == mapview::View::Top ? c2.y : c2.z;
    minA = std::min(a1, a2), maxA = std::max(a1, a2);
    minB = std::min(b1, b2), maxB = std::max(b1, b2);
  }
  bool Holds(double a, double b) const { return minA <= a && a <= maxA && minB <= b && b <= maxB; }
  bool Holds(mapview::ViewAxes axes, const level::Vertex& v) const {
    return Holds(axes.A(v.x, v.y), axes.B(v.y, v.z));
  }
};

bool OutlineInside(const level::Level& level, const level::Surface& surface, mapview::ViewAxes axes,
                   const AxisBox& box) {
  const mapview::Outline outline = mapview::OutlineOf(level, surface);
  for (int k = 0; k < outline.count; ++k) {
    if (!box.Holds(axes, level.vertices[outline.vertices[static_cast<std::size_t>(k)]]))
      return false;
  }
  return true;
}

}  // namespace

int SelectVertexAt(level::Level& level, const mapview::MapView& view, bool select,
                   const WorldPoint& point) {
  const mapview::ViewAxes axes = view.Axes();
  int hits = 0;
  for (int i = 0; i < level.vertices.Used(); ++i) {
    level::Vertex& v = level.vertices[i];
    if (!v.marks.IsCandidate()) continue;
    if (DistanceOnAxes(axes, v.x, v.y, v.z, point) * view.scale <= 2.0) {
      Mark(v.marks, select);
      ++hits;
    }
  }
  return hits;
}

int SelectSurfaceAt(level::Level& level, const mapview::MapView& view, bool select,
                    const WorldPoint& point) {
  const mapview::ViewAxes axes = view.Axes();
  const ViewPoint at = OnAxes(axes, point);
  int hits = 0;
  for (int s = 0; s < level.surfaces.Used(); ++s) {
    level::Surface& surface = level.surfaces[s];
    if (!surface.marks.IsCandidate()) continue;
    if (OutlineContains(level, mapview::OutlineOf(level, surface), axes, at)) {
      Mark(surface.marks, select);
      ++hits;
    }
  }
  return hits;
}

int SelectSectorAt(level::Level& level, const mapview::MapView& view,
                   const SurfaceSectorIndex& index, bool select, const WorldPoint& point) {
  const mapview::ViewAxes axes = view.Axes();
  const ViewPoint at = OnAxes(axes, point);
  const bool indexed = index.IsUsableFor(level);
  int hits = 0;
  const auto markSector = [&](int c) {
    level::Sector& sector = level.sectors[c];
    if (!sector.marks.IsCandidate()) return;
    Mark(sector.marks, select);
    ++hits;
  };
  // Any surface in use counts, hidden or not: a sector is picked through its own marks only.
  for (int s = 0; s < level.surfaces.Used(); ++s) {
    const level::Surface& surface = level.surfaces[s];
    if (surface.marks.empty != 0) continue;
    if (!OutlineContains(level, mapview::OutlineOf(level, surface), axes, at)) continue;
    if (indexed) {
      for (const int c : index.SectorsOf(s)) markSector(c);
    } else {
      for (int c = 0; c < level.sectors.Used(); ++c) {
        if (mapview::SectorHoldsSurface(level.sectors[c], s)) markSector(c);
      }
    }
  }
  return hits;
}

int SelectThing(level::Level& level, const mapview::MapView& view, bool select,
                const WorldPoint& point, platform::MessageBatch& messages) {
  const mapview::ViewAxes axes = view.Axes();
  const mapview::TemplateModelIndex templates(level);
  int hits = 0;
  for (int i = 0; i < level.things.Used(); ++i) {
    level::Thing& thing = level.things[i];
    if (!thing.marks.IsCandidate()) continue;
    const double d = DistanceOnAxes(axes, thing.x, thing.y, thing.z, point);
    const auto found = templates.Lookup(thing.templateName);
    if (found.templateIndex < 0) {
      messages.Add("Can't find " + thing.templateName + " in SelectThing");
      continue;
    }
    // Without a model the thing is drawn as a small cross only; a click on it, within the
    // cross and a pixel round it, takes it.
    const bool hit = found.modelIndex >= 0 ? d <= level.models[found.modelIndex].radius
                                           : d * view.scale <= kCrossPickPixels;
    if (hit) {
      Mark(thing.marks, select);
      ++hits;
    }
  }
  return hits;
}

int SelectVerticesInBox(level::Level& level, mapview::ViewAxes axes, bool select,
                        const WorldPoint& corner1, const WorldPoint& corner2) {
  const AxisBox box(axes, corner1, corner2);
  int hits = 0;
  for (int i = 0; i < level.vertices.Used(); ++i) {
    level::Vertex& v = level.vertices[i];
    if (v.marks.IsCandidate() && box.Holds(axes, v)) {
      Mark(v.marks, select);
      ++hits;
    }
  }
  return hits;
}

int SelectSurfacesInBox(level::Level& level, mapview::ViewAxes axes, bool select,
                        const WorldPoint& corner1, const WorldPoint& corner2) {
  const AxisBox box(axes, corner1, corner2);
  int hits = 0;
  for (int s = 0; s < level.surfaces.Used(); ++s) {
    level::Surface& surface = level.surfaces[s];
    if (surface.marks.IsCandidate() && OutlineInside(level, surface, axes, box)) {
      Mark(surface.marks, select);
      ++hits;
    }
  }
  return hits;
}

int SelectSectorsInBox(level::Level& level, mapview::ViewAxes axes, bool select,
                       const WorldPoint& corner1, const WorldPoint& corner2) {
  const AxisBox box(axes, corner1, corner2);
  int hits = 0;
  for (int c = 0; c < level.sectors.Used(); ++c) {
    level::Sector& sector = level.sectors[c];
    if (!sector.marks.IsCandidate()) continue;
    const mapview::SurfaceRange range = mapview::SurfacesOf(level, sector);
    bool inside = true;
    for (int s = range.first; s < range.end && inside; ++s) {
      inside = OutlineInside(level, level.surfaces[s], axes, box);
    }
    if (inside) {
      Mark(sector.marks, select);
      ++hits;
    }
  }
  return hits;
}

int SelectThingsInBox(level::Level& level, mapview::ViewAxes axes, bool select,
                      const WorldPoint& corner1, const WorldPoint& corner2,
                      platform::MessageBatch& messages) {
  const AxisBox box(axes, corner1, corner2);
  const mapview::TemplateModelIndex templates(level);
  int hits = 0;
  for (int i = 0; i < level.things.Used(); ++i) {
    level::Thing& thing = level.things[i];
    if (!thing.marks.IsCandidate()) continue;
    const auto found = templates.Lookup(thing.templateName);
    if (found.templateIndex < 0) messages.Add("Can't find template " + thing.templateName);
    const double r = found.modelIndex >= 0 ? level.models[found.modelIndex].radius : 0.0;
    const double a = axes.A(thing.x, thing.y);
    const double b = axes.B(thing.y, thing.z);
    // The whole circle must lie in the box.
    if (box.Holds(a - r, b - r) && box.Holds(a + r, b + r)) {
      Mark(thing.marks, select);
      ++hits;
    }
  }
  return hits;
}

void PickAt(const SelectionContext& context, int px, int py, bool select, bool ctrl) {
  const WorldPoint point = context.view.UnprojectPoint(px, py, context.size);
  if (ctrl) {
    ForEachMarks(context.level, context.mode, [](level::RecordMarks& marks) {
      if (marks.visible == 1) marks.selected = 0;
    });
  }
  {
    platform::MessageBatch messages(context.ui);
    switch (context.mode) {
      case mapview::EditMode::Vertex:
        SelectVertexAt(context.level, context.view, select, point);
        break;
      case mapview::EditMode::Surface:
        SelectSurfaceAt(context.level, context.view, select, point);
        break;
      case mapview::EditMode::Sector:
        SelectSectorAt(context.level, context.view, context.sectorIndex, select, point);
        break;
      case mapview::EditMode::Thing:
        SelectThing(context.level, context.view, select, point, messages);
        break;
    }
  }
  // Added records only need their highlight painted; anything unselected needs the map afresh.
  // A Ctrl click repaints once, after its clear and its pick.
  if (select && !ctrl) {
    context.host.DrawSelected();
  } else {
    context.host.RedrawMap();
  }
  UpdateSelectionCount(context);
  context.host.UpdatePropertyPanel();
}

void PickInBox(const SelectionContext& context, int left, int top, int right, int bottom,
               bool select) {
  const WorldPoint corner1 = context.view.UnprojectPoint(left, top, context.size);
  const WorldPoint corner2 = context.view.UnprojectPoint(right, bottom, context.size);
  const mapview::ViewAxes axes = context.view.Axes();
  {
    platform::MessageBatch messages(context.ui);
    switch (context.mode) {
      case mapview::EditMode::Vertex:
        SelectVerticesInBox(context.level, axes, select, corner1, corner2);
        break;
      case mapview::EditMode::Surface:
        SelectSurfacesInBox(context.level, axes, select, corner1, corner2);
        break;
      case mapview::EditMode::Sector:
        SelectSectorsInBox(context.level, axes, select, corner1, corner2);
        break;
      case mapview::EditMode::Thing:
        SelectThingsInBox(context.level, axes, select, corner1, corner2, messages);
        break;
    }
  }
  if (select) {
    context.host.DrawSelected();
  } else {
    context.host.RedrawMap();
  }
  UpdateSelectionCount(context);
  context.host.UpdatePropertyPanel();
}

}  // namespace kx::editing
