#pragma once

#include "mapview/MapView.h"

namespace kx::mapview::test {

/// The panel the view tests project onto, and the three views.
inline constexpr PanelSize kPanel{640, 480};
inline constexpr View kViews[] = {View::Top, View::Front, View::Right};

/// A view with the given scale and origin.
inline MapView ViewOf(View v, float scale, float ox, float oy, float oz) {
  MapView view;
  view.view = v;
  view.scale = scale;
  view.originX = ox, view.originY = oy, view.originZ = oz;
  return view;
}

}  // namespace kx::mapview::test
