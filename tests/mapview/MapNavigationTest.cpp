#include "mapview/MapNavigation.h"
#include "mapview/ViewOf.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace kx::mapview {
namespace {

using test::kPanel;
using test::kViews;
using test::ViewOf;

TEST(WheelZoomTest, KeepsTheLevelPointUnderThePointerWithinOnePixelInEveryView) {
  const PixelPoint pointers[] = {{0, 0}, {639, 479}, {123, 301}, {600, 17}, {320, 240}};
  const struct {
    float scale, ox, oy, oz;
  } starts[] = {{50, 0, 0, 0}, {0.37f, -4210.5f, 877.25f, -31.5f}, {3.1f, 1234.5f, -987.6f, 55}};
  for (const View v : kViews) {
    for (const auto& start : starts) {
      for (const PixelPoint at : pointers) {
        for (const bool in : {true, false}) {
          MapView view = ViewOf(v, start.scale, start.ox, start.oy, start.oz);
          const MapView keypad = [&] {
            MapView k = view;
            in ? k.ZoomIn(kPanel) : k.ZoomOut(kPanel);
            return k;
          }();
          const WorldPoint under = view.UnprojectPoint(at.x, at.y, kPanel);
          ASSERT_TRUE(ZoomAboutPixel(view, kPanel, at, in));
          SCOPED_TRACE(testing::Message()
                       << "view " << static_cast<int>(v) << " scale " << start.scale << " at "
                       << at.x << "," << at.y << (in ? " in" : " out"));
          EXPECT_EQ(view.scale, keypad.scale);  // the keypad's step
          const PixelPoint after =
              view.ProjectPoint(static_cast<float>(under.x), static_cast<float>(under.y),
                                static_cast<float>(under.z), kPanel);
          EXPECT_LE(std::abs(after.x - at.x), 1);
          EXPECT_LE(std::abs(after.y - at.y), 1);
          // The hidden axis keeps its centre, as with the keypad.
          const float hidden = v == View::Top     ? view.originZ
                               : v == View::Front ? view.originY
                                                  : view.originX;
          const float keypadHidden = v == View::Top     ? keypad.originZ
                                     : v == View::Front ? keypad.originY
                                                        : keypad.originX;
          EXPECT_EQ(hidden, keypadHidden);
        }
      }
    }
  }
}

TEST(WheelZoomTest, StopsAtTheEndsOfTheScaleAndCountsWholeNotches) {
  MapView view = ViewOf(View::Top, MapView::kMaxScale, 1, 2, 3);
  EXPECT_FALSE(ZoomAboutPixel(view, kPanel, {10, 10}, true));
  EXPECT_EQ(view.scale, MapView::kMaxScale);
  EXPECT_EQ(view.originX, 1);
  EXPECT_TRUE(ZoomAboutPixel(view, kPanel, {10, 10}, false));

  const struct {
    std::vector<int> deltas;
    std::vector<int> notches;
  } turns[] = {
      {{120, -120, 240}, {1, -1, 2}},    // a common wheel
      {{40, 40, 40, 40}, {0, 0, 1, 0}},  // a touchpad's small steps add up
      {{100, -30, -100}, {0, 0, -1}},    // turning back starts afresh
      {{-360}, {-3}},
  };
  for (const auto& turn : turns) {
    WheelNotches wheel;
    std::vector<int> notches;
    for (const int delta : turn.deltas) notches.push_back(wheel.Add(delta));
    EXPECT_EQ(notches, turn.notches);
  }
}

TEST(PanDragTest, MovesTheLevelByExactlyThePointersMoveInEveryView) {
  const float corner[3] = {3, -2, 7};
  for (const View v : kViews) {
    MapView view = ViewOf(v, 50, 1, 2, 3);
    const PixelPoint before = view.ProjectPoint(corner[0], corner[1], corner[2], kPanel);
    PanDrag drag(view, {100, 100});
    // Many small moves, then back and further: only the pointer's place counts.
    for (int step = 1; step <= 37; ++step) drag.MoveTo(view, {100 + step, 100 - step / 2});
    drag.MoveTo(view, {63, 211});
    const PixelPoint after = view.ProjectPoint(corner[0], corner[1], corner[2], kPanel);
    EXPECT_EQ(after.x - before.x, 63 - 100) << static_cast<int>(v);
    EXPECT_EQ(after.y - before.y, 211 - 100) << static_cast<int>(v);
    const float hidden = v == View::Top     ? view.originZ
                         : v == View::Front ? view.originY
                                            : view.originX;
    EXPECT_EQ(hidden, v == View::Top ? 3 : v == View::Front ? 2 : 1);
  }
  // A zoom in the middle of the drag: from then on the drag goes on from where the pointer is.
  MapView view = ViewOf(View::Top, 50, 0, 0, 0);
  PanDrag drag(view, {10, 10});
  drag.MoveTo(view, {20, 10});
  ASSERT_TRUE(ZoomAboutPixel(view, kPanel, {20, 10}, true));
  drag.MoveTo(view, {20, 10});
  const PixelPoint before = view.ProjectPoint(1, 1, 0, kPanel);
  drag.MoveTo(view, {25, 30});
  const PixelPoint after = view.ProjectPoint(1, 1, 0, kPanel);
  EXPECT_EQ(after.x - before.x, 5);
  EXPECT_EQ(after.y - before.y, 20);
}

TEST(StatusTextTest, ThePointerShowsTheViewsTwoAxesAndTheScaleItsPixelsPerUnit) {
  EXPECT_EQ(PointerPositionText(ViewOf(View::Top, 50, 1, 2, 3), kPanel, {25, 455}), "1.500, 2.500");
  EXPECT_EQ(PointerPositionText(ViewOf(View::Front, 8, -100, 2, -0.0625f), kPanel, {4, 480}),
            "-99.500, -0.062");
  EXPECT_EQ(PointerPositionText(ViewOf(View::Right, 1000, 7, -0.0002f, 0), kPanel, {0, 480}),
            "0.000, 0.000");  // no "-0.000"
  EXPECT_EQ(ScaleText(50), "50 px/unit");
  EXPECT_EQ(ScaleText(0.78125f), "0.7812 px/unit");
  EXPECT_EQ(ScaleText(1600), "1600 px/unit");
  EXPECT_EQ(ScaleText(MapView::kMaxScale), "100000 px/unit");
}

}  // namespace
}  // namespace kx::mapview
