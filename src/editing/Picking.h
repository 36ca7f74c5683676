#pragma once

#include "editing/SelectionHost.h"
#include "editing/SurfaceSectorIndex.h"
#include "level/Level.h"
#include "mapview/EditMode.h"
#include "mapview/MapView.h"
#include "platform/MessageBatch.h"
#include "platform/Ui.h"

namespace kx::editing {

/// What a pick or selection command works on; the map's owner builds it for each call.
struct SelectionContext {
  level::Level& level;
  const mapview::MapView& view;
  mapview::PanelSize size;
  mapview::EditMode mode;
  /// Built from the level after it was read; a stale one is noticed and not used.
  const SurfaceSectorIndex& sectorIndex;
  platform::Ui& ui;
  SelectionHost& host;
};

/// A click at map pixel (px, py): select adds what lies under it to the selection of the
/// current mode's table, !select removes it (Shift); ctrl first unselects every visible record
/// of that table. Then repaints (the selected layer only, when records were just added without
/// ctrl), shows the count and refreshes the property panel. "Can't find ..." messages of one
/// pick are shown in one box.
void PickAt(const SelectionContext& context, int px, int py, bool select, bool ctrl);

/// A drag: the records wholly inside the box of inclusive pixel bounds are selected (select)
/// or unselected. Ctrl has no effect on a box.
void PickInBox(const SelectionContext& context, int left, int top, int right, int bottom,
               bool select);

// The routines of the four modes. Each sets `selected` to select on every record in use and
// visible that passes its test, leaves the others alone, and returns how many passed; they do
// not repaint. Tests use the view's two axes.

/// Vertices within 2 pixels of the point.
int SelectVertexAt(level::Level& level, const mapview::MapView& view, bool select,
                   const mapview::WorldPoint& point);
/// Surfaces whose outline holds the point; overlapping surfaces are all hit.
int SelectSurfaceAt(level::Level& level, const mapview::MapView& view, bool select,
                    const mapview::WorldPoint& point);
/// Sectors whose range holds a surface (of any marks) that holds the point.
int SelectSectorAt(level::Level& level, const mapview::MapView& view,
                   const SurfaceSectorIndex& index, bool select, const mapview::WorldPoint& point);
/// Things within their model's radius of the point, or within 3 pixels when their template
/// names no listed model (they are drawn as a cross). A template not in the table adds "Can't find
/// NAME in SelectThing".
int SelectThing(level::Level& level, const mapview::MapView& view, bool select,
                const mapview::WorldPoint& point, platform::MessageBatch& messages);

/// Vertices inside the box of the two corners (bounds included).
int SelectVerticesInBox(level::Level& level, mapview::ViewAxes axes, bool select,
                        const mapview::WorldPoint& corner1, const mapview::WorldPoint& corner2);
/// Surfaces with every corner inside; a surface with no corners is always inside.
int SelectSurfacesInBox(level::Level& level, mapview::ViewAxes axes, bool select,
                        const mapview::WorldPoint& corner1, const mapview::WorldPoint& corner2);
/// Sectors with every corner of every surface in their range inside.
int SelectSectorsInBox(level::Level& level, mapview::ViewAxes axes, bool select,
                       const mapview::WorldPoint& corner1, const mapview::WorldPoint& corner2);
/// Things whose whole circle (model radius, or 0) lies inside. A template not in the table
/// adds "Can't find template NAME" and counts as radius 0.
int SelectThingsInBox(level::Level& level, mapview::ViewAxes axes, bool select,
                      const mapview::WorldPoint& corner1, const mapview::WorldPoint& corner2,
                      platform::MessageBatch& messages);

}  // namespace kx::editing
