#pragma once

#include "level/Level.h"
#include "mapview/MapView.h"

namespace kx::mapview {

/// Chooses the scale and the origin of the current view's two axes so that every vertex in use
/// lies on a panel of that size, centred, with a margin of 5% of each side. A level whose
/// vertices are all in one point keeps the scale and is centred. The scale stays within the
/// view's range. Returns false, changing nothing, when the level has no vertices.
bool ZoomToFit(MapView& view, const level::Level& level, PanelSize size);

/// Whether some vertex in use lands on a pixel of a panel of that size in the current view.
bool AnyVertexOnMap(const MapView& view, const level::Level& level, PanelSize size);

/// ZoomToFit when no vertex is on the map; a view that shows part of the level stays as it is.
/// Returns whether the view changed.
bool FitWhenNothingOnMap(MapView& view, const level::Level& level, PanelSize size);

}  // namespace kx::mapview
