#include "mapview/MapView.h"
#include "mapview/ViewOf.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kx::mapview {
namespace {

using test::kPanel;
using test::kViews;
using test::ViewOf;

TEST(ProjectionTest, EachViewShowsItsOwnAxesWithTheScreenYDownwards) {
  EXPECT_EQ(ViewOf(View::Top, 50, 0, 0, 0).ProjectPoint(1, 2, 9, kPanel), (PixelPoint{50, 380}));
  EXPECT_EQ(ViewOf(View::Front, 50, 0, 0, 0).ProjectPoint(1, 9, 2, kPanel), (PixelPoint{50, 380}));
  EXPECT_EQ(ViewOf(View::Right, 50, 0, 0, 0).ProjectPoint(9, 1, 2, kPanel), (PixelPoint{50, 380}));
  // The origin fields of the shown axes shift the picture; the hidden one does not.
  EXPECT_EQ(ViewOf(View::Right, 10, 100, -3, 4).ProjectPoint(-77, 0, 5, kPanel),
            (PixelPoint{30, 470}));
}

TEST(ProjectionTest, HalfPixelsRoundToTheEvenNeighbourAndFarPointsStayFarWithoutOverflow) {
  const MapView view = ViewOf(View::Top, 1, 0, 0, 0);
  EXPECT_EQ(view.ProjectPoint(2.5f, 2.5f, 0, kPanel), (PixelPoint{2, 478}));
  EXPECT_EQ(view.ProjectPoint(3.5f, -0.5f, 0, kPanel), (PixelPoint{4, 480}));
  const MapView close = ViewOf(View::Top, 1e5f, 0, 0, 0);
  const PixelPoint far = close.ProjectPoint(1e30f, -1e30f, 0, kPanel);
  EXPECT_TRUE(far.x > 100000000 && far.y > 100000000);
  EXPECT_GT(close.ProjectPoint(INFINITY, NAN, 0, kPanel).x, 100000000);
}

TEST(UnprojectionTest, RoundTripsInEveryViewWithinHalfAPixelAndZeroesTheHiddenAxis) {
  const float points[][3] = {{0, 0, 0}, {1.3f, -2.7f, 5.1f}, {-12.25f, 40.5f, -0.01f}};
  for (const View v : kViews) {
    for (const float scale : {50.0f, 7.3f, 1234.5f}) {
      const MapView view = ViewOf(v, scale, -20.5f, -30.25f, -10.75f);
      for (const auto& p : points) {
        const PixelPoint pixel = view.ProjectPoint(p[0], p[1], p[2], kPanel);
        const WorldPoint back = view.UnprojectPoint(pixel.x, pixel.y, kPanel);
        const double tolerance = 0.5 / scale + 1e-5;
        SCOPED_TRACE(testing::Message() << "view " << static_cast<int>(v) << " scale " << scale);
        EXPECT_NEAR(back.x, v == View::Right ? 0.0 : p[0], tolerance);
        EXPECT_NEAR(back.y, v == View::Front ? 0.0 : p[1], tolerance);
        EXPECT_NEAR(back.z, v == View::Top ? 0.0 : p[2], tolerance);
        EXPECT_EQ(v == View::Right ? back.x : v == View::Front ? back.y : back.z, 0.0);
      }
    }
  }
}

TEST(VisibleWindowTest, ExtentsFollowThePanelSidesTheAxesRunAlong) {
  MapView right = ViewOf(View::Right, 10, 1, 2, 3);
  right.ComputeVisibleWindow(kPanel);
  EXPECT_FLOAT_EQ(right.visibleWindow.minY, 2);
  EXPECT_FLOAT_EQ(right.visibleWindow.maxY, 2 + 64.0f);  // Y runs across in the Right view
  EXPECT_FLOAT_EQ(right.visibleWindow.maxZ, 3 + 48.0f);
  EXPECT_FLOAT_EQ(right.visibleWindow.maxX, 1 + 64.0f);
  EXPECT_FLOAT_EQ(MapView::AtStart(kPanel).visibleWindow.maxY, 480 / 50.0f);
}

TEST(PanTest, EachViewPansItsOwnOriginFields) {
  const struct {
    View view;
    PanDirection direction;
    bool fast;
    float dx, dy, dz;
  } cases[] = {
      {View::Top, PanDirection::Left, false, -0.64f, 0, 0},
      {View::Top, PanDirection::Right, true, 2.56f, 0, 0},
      {View::Top, PanDirection::Down, false, 0, -0.64f, 0},
      {View::Front, PanDirection::Up, false, 0, 0, 0.64f},
      {View::Right, PanDirection::Left, false, 0, -0.64f, 0},
      {View::Right, PanDirection::Down, true, 0, 0, -2.56f},
  };
  for (const auto& c : cases) {
    MapView view = ViewOf(c.view, 50, 1, 2, 3);
    view.PanView(c.direction, c.fast);
    SCOPED_TRACE(testing::Message() << "view " << static_cast<int>(c.view) << " direction "
                                    << static_cast<int>(c.direction));
    EXPECT_FLOAT_EQ(view.originX, 1 + c.dx);
    EXPECT_FLOAT_EQ(view.originY, 2 + c.dy);
    EXPECT_FLOAT_EQ(view.originZ, 3 + c.dz);
  }
}

TEST(ZoomTest, KeepsThePanelCentreFixedOnEveryAxisAndOutUndoesIn) {
  for (const View v : kViews) {
    MapView view = ViewOf(v, 37.5f, -12.3f, 45.6f, 0.7f);
    const WorldPoint before = view.UnprojectPoint(320, 240, kPanel);
    ASSERT_TRUE(view.ZoomIn(kPanel));
    EXPECT_EQ(view.scale, 75);
    const WorldPoint after = view.UnprojectPoint(320, 240, kPanel);
    EXPECT_NEAR(after.x, before.x, 1e-5);
    EXPECT_NEAR(after.y, before.y, 1e-5);
    EXPECT_NEAR(after.z, before.z, 1e-5);
    ASSERT_TRUE(view.ZoomOut(kPanel));
    EXPECT_EQ(view.scale, 37.5f);
    EXPECT_NEAR(view.originX, -12.3f, 1e-5);
    EXPECT_NEAR(view.originY, 45.6f, 1e-5);
    EXPECT_NEAR(view.originZ, 0.7f, 1e-5);
  }
  // The hidden axis moves too, by its own extent, so switching views keeps the centre.
  MapView top = ViewOf(View::Top, 50, 0, 0, 7);
  top.ZoomIn(kPanel);
  EXPECT_FLOAT_EQ(top.originZ, 7 + 480 / 50.0f * 0.25f);
}

TEST(ZoomTest, TheScaleStopsAtItsBoundsAndARefusedZoomChangesNothing) {
  MapView view = MapView::AtStart(kPanel);
  while (view.ZoomIn(kPanel)) {
  }
  EXPECT_LE(view.scale, MapView::kMaxScale);
  EXPECT_GT(view.scale * 2, MapView::kMaxScale);
  const float originX = view.originX;
  EXPECT_FALSE(view.ZoomIn(kPanel));
  EXPECT_EQ(view.originX, originX);
  while (view.ZoomOut(kPanel)) {
  }
  EXPECT_GE(view.scale, MapView::kMinScale);
  EXPECT_LT(view.scale * 0.5f, MapView::kMinScale);
  EXPECT_TRUE(std::isfinite(view.originX) && std::isfinite(view.originZ));
  EXPECT_FALSE(view.SetScale(0));
  EXPECT_FALSE(view.SetScale(2e5f));
}

}  // namespace
}  // namespace kx::mapview
