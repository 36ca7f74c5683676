#include "mapview/MapView.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kx::mapview {
namespace {

constexpr PanelSize kPanel{640, 480};

MapView ViewOf(View v, float scale, float ox, float oy, float oz) {
  MapView view;
  view.view = v;
  view.scale = scale;
  view.originX = ox, view.originY = oy, view.originZ = oz;
  return view;
}

TEST(ProjectionTest, EachViewShowsItsOwnAxesWithTheScreenYDownwards) {
  const MapView top = ViewOf(View::Top, 50, 0, 0, 0);
  EXPECT_EQ(top.ProjectPoint(1, 2, 9, kPanel), (PixelPoint{50, 480 - 100}));
  const MapView front = ViewOf(View::Front, 50, 0, 0, 0);
  EXPECT_EQ(front.ProjectPoint(1, 9, 2, kPanel), (PixelPoint{50, 480 - 100}));
  const MapView right = ViewOf(View::Right, 50, 0, 0, 0);
  EXPECT_EQ(right.ProjectPoint(9, 1, 2, kPanel), (PixelPoint{50, 480 - 100}));
  // The origin fields of the shown axes shift the picture; the hidden one does not.
  const MapView shifted = ViewOf(View::Right, 10, 100, -3, 4);
  EXPECT_EQ(shifted.ProjectPoint(-77, 0, 5, kPanel), (PixelPoint{30, 480 - 10}));
}

TEST(ProjectionTest, HalfPixelsRoundToTheEvenNeighbourBeforeBeingTakenFromH) {
  const MapView view = ViewOf(View::Top, 1, 0, 0, 0);
  EXPECT_EQ(view.ProjectPoint(2.5f, 2.5f, 0, kPanel), (PixelPoint{2, 478}));
  EXPECT_EQ(view.ProjectPoint(3.5f, 3.5f, 0, kPanel), (PixelPoint{4, 476}));
  EXPECT_EQ(view.ProjectPoint(-2.5f, -0.5f, 0, kPanel), (PixelPoint{-2, 480}));
}

TEST(ProjectionTest, PointsFarOffTheMapStayFarOffWithoutOverflow) {
  const MapView view = ViewOf(View::Top, 1e5f, 0, 0, 0);
  const PixelPoint far = view.ProjectPoint(1e30f, -1e30f, 0, kPanel);
  EXPECT_GT(far.x, 100000000);
  EXPECT_GT(far.y, 100000000);
  EXPECT_GT(view.ProjectPoint(INFINITY, NAN, 0, kPanel).x, 100000000);
}

TEST(UnprojectionTest, RoundTripsInEveryViewWithinHalfAPixel) {
  const float points[][3] = {{0, 0, 0}, {1.3f, -2.7f, 5.1f}, {-12.25f, 40.5f, -0.01f}, {3, 3, 3}};
  for (const View v : {View::Top, View::Front, View::Right}) {
    for (const float scale : {50.0f, 7.3f, 1234.5f}) {
      const MapView view = ViewOf(v, scale, -20.5f, -30.25f, -10.75f);
      for (const auto& p : points) {
        const PixelPoint pixel = view.ProjectPoint(p[0], p[1], p[2], kPanel);
        const WorldPoint back = view.UnprojectPoint(pixel.x, pixel.y, kPanel);
        const double tolerance = 0.5 / scale + 1e-5;
        const double x = v == View::Right ? 0.0 : p[0];
        const double y = v == View::Front ? 0.0 : p[1];
        const double z = v == View::Top ? 0.0 : p[2];
        EXPECT_NEAR(back.x, x, tolerance) << "view " << static_cast<int>(v);
        EXPECT_NEAR(back.y, y, tolerance) << "view " << static_cast<int>(v);
        EXPECT_NEAR(back.z, z, tolerance) << "view " << static_cast<int>(v);
        // The axis a view does not show is exactly 0.
        EXPECT_EQ(v == View::Right ? back.x : v == View::Front ? back.y : back.z, 0.0);
      }
    }
  }
}

TEST(UnprojectionTest, TheLowerLeftCornerPixelIsTheOrigin) {
  const MapView view = ViewOf(View::Front, 50, 1.5f, 99, -2.25f);
  const WorldPoint corner = view.UnprojectPoint(0, kPanel.height, kPanel);
  EXPECT_DOUBLE_EQ(corner.x, 1.5);
  EXPECT_DOUBLE_EQ(corner.z, -2.25);
}

TEST(VisibleWindowTest, ExtentsFollowThePanelSidesTheAxesRunAlong) {
  MapView top = MapView::AtStart(kPanel);
  EXPECT_FLOAT_EQ(top.visibleWindow.maxX, 640 / 50.0f);
  EXPECT_FLOAT_EQ(top.visibleWindow.maxY, 480 / 50.0f);
  EXPECT_FLOAT_EQ(top.visibleWindow.maxZ, 480 / 50.0f);
  MapView right = ViewOf(View::Right, 10, 1, 2, 3);
  right.ComputeVisibleWindow(kPanel);
  EXPECT_FLOAT_EQ(right.visibleWindow.minY, 2);
  EXPECT_FLOAT_EQ(right.visibleWindow.maxY, 2 + 64.0f);  // Y runs across in the Right view
  EXPECT_FLOAT_EQ(right.visibleWindow.maxZ, 3 + 48.0f);
  EXPECT_FLOAT_EQ(right.visibleWindow.maxX, 1 + 64.0f);
}

TEST(PanTest, EachViewPansItsOwnOriginFields) {
  struct Case {
    View view;
    PanDirection direction;
    bool fast;
    float dx, dy, dz;
  };
  const Case cases[] = {
      {View::Top, PanDirection::Left, false, -0.64f, 0, 0},
      {View::Top, PanDirection::Right, true, 2.56f, 0, 0},
      {View::Top, PanDirection::Up, false, 0, 0.64f, 0},
      {View::Top, PanDirection::Down, false, 0, -0.64f, 0},
      {View::Front, PanDirection::Up, false, 0, 0, 0.64f},
      {View::Front, PanDirection::Left, false, -0.64f, 0, 0},
      {View::Right, PanDirection::Left, false, 0, -0.64f, 0},
      {View::Right, PanDirection::Right, false, 0, 0.64f, 0},
      {View::Right, PanDirection::Down, true, 0, 0, -2.56f},
  };
  for (const Case& c : cases) {
    MapView view = ViewOf(c.view, 50, 1, 2, 3);
    view.PanView(c.direction, c.fast);
    EXPECT_FLOAT_EQ(view.originX, 1 + c.dx);
    EXPECT_FLOAT_EQ(view.originY, 2 + c.dy);
    EXPECT_FLOAT_EQ(view.originZ, 3 + c.dz);
    EXPECT_EQ(view.scale, 50);
  }
}

TEST(ZoomTest, KeepsThePanelCentreFixedOnEveryAxis) {
  for (const View v : {View::Top, View::Front, View::Right}) {
    MapView view = ViewOf(v, 50, -3, 4, 7);
    const WorldPoint before = view.UnprojectPoint(320, 240, kPanel);
    ASSERT_TRUE(view.ZoomIn(kPanel));
    EXPECT_FLOAT_EQ(view.scale, 100);
    const WorldPoint after = view.UnprojectPoint(320, 240, kPanel);
    EXPECT_NEAR(after.x, before.x, 1e-5);
    EXPECT_NEAR(after.y, before.y, 1e-5);
    EXPECT_NEAR(after.z, before.z, 1e-5);
    // The hidden axis moves too, by its own extent, so switching views keeps the centre.
    if (v == View::Top) {
      EXPECT_FLOAT_EQ(view.originZ, 7 + 480 / 50.0f * 0.25f);
    }
  }
}

TEST(ZoomTest, InThenOutRestoresScaleAndOrigin) {
  for (const View v : {View::Top, View::Front, View::Right}) {
    MapView view = ViewOf(v, 37.5f, -12.3f, 45.6f, 0.7f);
    ASSERT_TRUE(view.ZoomIn(kPanel));
    ASSERT_TRUE(view.ZoomOut(kPanel));
    EXPECT_EQ(view.scale, 37.5f);
    EXPECT_NEAR(view.originX, -12.3f, 1e-5);
    EXPECT_NEAR(view.originY, 45.6f, 1e-5);
    EXPECT_NEAR(view.originZ, 0.7f, 1e-5);
  }
}

TEST(ZoomTest, FiveStepsInFromTheStartGive1600AndTheScaleStopsAtItsBounds) {
  MapView view = MapView::AtStart(kPanel);
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(view.ZoomIn(kPanel));
  EXPECT_EQ(view.scale, 1600);
  while (view.ZoomIn(kPanel)) {
  }
  EXPECT_LE(view.scale, MapView::kMaxScale);
  EXPECT_GT(view.scale * 2, MapView::kMaxScale);
  const float originX = view.originX;
  EXPECT_FALSE(view.ZoomIn(kPanel));
  EXPECT_EQ(view.originX, originX);  // a refused zoom changes nothing
  while (view.ZoomOut(kPanel)) {
  }
  EXPECT_GE(view.scale, MapView::kMinScale);
  EXPECT_LT(view.scale * 0.5f, MapView::kMinScale);
  EXPECT_TRUE(std::isfinite(view.originX) && std::isfinite(view.originZ));
}

TEST(SetViewTest, KeepsScaleAndOriginSoTheSharedAxisStays) {
  MapView view = ViewOf(View::Top, 20, 5, 6, 7);
  const PixelPoint inTop = view.ProjectPoint(8, 1, 9, kPanel);
  view.SetView(View::Front);
  EXPECT_EQ(view.ProjectPoint(8, 1, 9, kPanel).x, inTop.x);
  EXPECT_EQ(view.scale, 20);
  EXPECT_FALSE(view.SetScale(0));
  EXPECT_FALSE(view.SetScale(2e5f));
  EXPECT_EQ(view.scale, 20);
}

}  // namespace
}  // namespace kx::mapview
