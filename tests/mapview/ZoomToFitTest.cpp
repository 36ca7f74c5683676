#include "support/MapTestLevel.h"

#include "mapview/ZoomToFit.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kx::mapview {
namespace {

constexpr PanelSize kPanel{800, 600};

TEST(ZoomToFitTest, PutsEveryVertexOnThePanelWithAFivePercentMarginCentred) {
  test::MapTestLevel built;
  built.Vertex(-120.5f, 40, 3);
  built.Vertex(300, -75.25f, -8);
  built.Vertex(12, 18, 22.5f);
  built.Vertex(-3, 222, 0);
  for (const View v : {View::Top, View::Front, View::Right}) {
    MapView view;
    view.SetView(v);
    ASSERT_TRUE(ZoomToFit(view, built.level(), kPanel));
    int minX = kPanel.width, maxX = -1, minY = kPanel.height, maxY = -1;
    for (int i = 0; i < built.level().vertices.Used(); ++i) {
      const auto& p = built.level().vertices[i];
      const PixelPoint pixel = view.ProjectPoint(p.x, p.y, p.z, kPanel);
      minX = std::min(minX, pixel.x), maxX = std::max(maxX, pixel.x);
      minY = std::min(minY, pixel.y), maxY = std::max(maxY, pixel.y);
    }
    SCOPED_TRACE(testing::Message() << "view " << static_cast<int>(v) << ": " << minX << ".."
                                    << maxX << ", " << minY << ".." << maxY);
    // Inside the margin on every side, touching it on two opposite sides, centred on both axes.
    EXPECT_TRUE(minX >= 39 && maxX <= 760 && minY >= 29 && maxY <= 570);
    EXPECT_TRUE((minX <= 41 && maxX >= 758) || (minY <= 31 && maxY >= 568));
    EXPECT_NEAR(minX + maxX, 799, 2);
    EXPECT_NEAR(minY + maxY, 600, 2);
  }
}

TEST(ZoomToFitTest, NeedsAVertexKeepsTheScaleForOnePointAndKeepsItWithinItsRange) {
  test::MapTestLevel built;
  MapView view;
  view.scale = 20;
  EXPECT_FALSE(ZoomToFit(view, built.level(), kPanel));
  EXPECT_EQ(view.originX, 0);
  built.Vertex(1000, 2000, 5);
  ASSERT_TRUE(ZoomToFit(view, built.level(), kPanel));
  EXPECT_EQ(view.scale, 20);
  const PixelPoint pixel = view.ProjectPoint(1000, 2000, 5, kPanel);
  EXPECT_NEAR(pixel.x, 400, 1);
  EXPECT_NEAR(pixel.y, 300, 1);
  built.level().vertices.count = 0;
  built.Vertex(1e-7f, 1e-7f);
  built.Vertex(0, 0);
  ASSERT_TRUE(ZoomToFit(view, built.level(), kPanel));
  EXPECT_EQ(view.scale, MapView::kMaxScale);
  built.Vertex(-1e30f, 0);
  built.Vertex(1e30f, 1);
  ASSERT_TRUE(ZoomToFit(view, built.level(), kPanel));
  EXPECT_EQ(view.scale, MapView::kMinScale);
}

TEST(ZoomToFitTest, FitsOnlyAViewThatShowsNoVertexAtAll) {
  test::MapTestLevel built;
  built.Vertex(5, 5, 0);      // on the panel's bottom row in the Front view: off it by one
  built.Vertex(900, 5, 100);  // far right
  const struct {
    View view;
    float originZ;
    bool fits;
  } cases[] = {
      {View::Top, 0, false},     // (5, 5) is on the map
      {View::Front, 0, true},    // z 0 lands one row below the panel, z 100 far above it
      {View::Front, -1, false},  // now z 0 is a row on the map
      {View::Right, 0, true},
  };
  for (const auto& c : cases) {
    MapView view;
    view.SetView(c.view);
    view.originZ = c.originZ;
    const MapView before = view;
    EXPECT_EQ(AnyVertexOnMap(view, built.level(), kPanel), !c.fits) << static_cast<int>(c.view);
    EXPECT_EQ(FitWhenNothingOnMap(view, built.level(), kPanel), c.fits);
    EXPECT_EQ(view.scale != before.scale || view.originX != before.originX, c.fits);
    EXPECT_TRUE(AnyVertexOnMap(view, built.level(), kPanel));
  }
  test::MapTestLevel empty;
  MapView view;
  view.originX = 1e6f;
  EXPECT_FALSE(FitWhenNothingOnMap(view, empty.level(), kPanel));
}

}  // namespace
}  // namespace kx::mapview
