#include "support/MapTestLevel.h"

#include "mapview/ZoomToFit.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kx::mapview {
namespace {

TEST(ZoomToFitTest, PutsEveryVertexOnThePanelWithAFivePercentMargin) {
  test::MapTestLevel built;
  built.Vertex(-120.5f, 40, 3);
  built.Vertex(300, -75.25f, -8);
  built.Vertex(12, 18, 22.5f);
  built.Vertex(-3, 222, 0);
  const PanelSize panel{800, 600};
  for (const View v : {View::Top, View::Front, View::Right}) {
    MapView view;
    view.SetView(v);
    ASSERT_TRUE(ZoomToFit(view, built.level(), panel));
    int minX = panel.width, maxX = -1, minY = panel.height, maxY = -1;
    for (int i = 0; i < built.level().vertices.Used(); ++i) {
      const auto& p = built.level().vertices[i];
      const PixelPoint pixel = view.ProjectPoint(p.x, p.y, p.z, panel);
      minX = std::min(minX, pixel.x), maxX = std::max(maxX, pixel.x);
      minY = std::min(minY, pixel.y), maxY = std::max(maxY, pixel.y);
    }
    // Inside the margin on every side, and touching it on two opposite sides.
    EXPECT_GE(minX, 39);
    EXPECT_LE(maxX, 760);
    EXPECT_GE(minY, 29);
    EXPECT_LE(maxY, 570);
    EXPECT_TRUE((minX <= 41 && maxX >= 758) || (minY <= 31 && maxY >= 568))
        << "view " << static_cast<int>(v) << ": " << minX << ".." << maxX << ", " << minY << ".."
        << maxY;
    // Centred on the other axis.
    EXPECT_NEAR(minX + maxX, 799, 2);
    EXPECT_NEAR(minY + maxY, 600, 2);
  }
}

TEST(ZoomToFitTest, LeavesTheViewAloneWithoutVerticesAndKeepsTheScaleForOnePoint) {
  test::MapTestLevel built;
  MapView view;
  view.scale = 20;
  EXPECT_FALSE(ZoomToFit(view, built.level(), {800, 600}));
  EXPECT_EQ(view.scale, 20);
  EXPECT_EQ(view.originX, 0);
  built.Vertex(1000, 2000, 5);
  ASSERT_TRUE(ZoomToFit(view, built.level(), {800, 600}));
  EXPECT_EQ(view.scale, 20);
  const PixelPoint pixel = view.ProjectPoint(1000, 2000, 5, {800, 600});
  EXPECT_NEAR(pixel.x, 400, 1);
  EXPECT_NEAR(pixel.y, 300, 1);
}

TEST(ZoomToFitTest, KeepsTheScaleWithinItsRange) {
  test::MapTestLevel built;
  built.Vertex(-1e30f, 0);
  built.Vertex(1e30f, 1);
  MapView view;
  ASSERT_TRUE(ZoomToFit(view, built.level(), {800, 600}));
  EXPECT_EQ(view.scale, MapView::kMinScale);
  built.level().vertices.count = 0;
  built.Vertex(0, 0);
  built.Vertex(1e-7f, 1e-7f);
  ASSERT_TRUE(ZoomToFit(view, built.level(), {800, 600}));
  EXPECT_EQ(view.scale, MapView::kMaxScale);
}

}  // namespace
}  // namespace kx::mapview
