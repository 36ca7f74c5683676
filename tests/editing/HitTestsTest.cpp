#include "support/MapTestLevel.h"

#include "editing/HitTests.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kx::editing {
namespace {

TEST(SegmentsIntersectTest, IsClosedAtBothEndsAndFalseForParallelSegments) {
  EXPECT_TRUE(SegmentsIntersect({0, 0}, {2, 2}, {0, 2}, {2, 0}));
  EXPECT_TRUE(SegmentsIntersect({0, 0}, {2, 0}, {1, 0}, {1, 5}));   // probe starts on the edge
  EXPECT_TRUE(SegmentsIntersect({0, 0}, {2, 0}, {2, -1}, {2, 1}));  // edge ends on the probe
  EXPECT_FALSE(SegmentsIntersect({0, 0}, {2, 0}, {2.01f, -1}, {2.01f, 1}));
  EXPECT_FALSE(SegmentsIntersect({0, 0}, {2, 0}, {1, 0.5f}, {1, 5}));
  EXPECT_FALSE(SegmentsIntersect({0, 0}, {2, 2}, {1, 1}, {3, 3}));  // overlapping, but parallel
}

// One surface in the Top view through the given corners.
class Shape {
 public:
  Shape(std::initializer_list<std::pair<float, float>> corners) {
    level::Surface surface;
    for (const auto& [x, y] : corners) {
      surface.vertices[static_cast<std::size_t>(surface.nverts++)].vertex = m_built.Vertex(x, y);
    }
    m_outline = mapview::OutlineOf(m_built.level(), surface);
  }
  bool Contains(float a, float b) {
    return OutlineContains(m_built.level(), m_outline, {mapview::View::Top}, {a, b});
  }

 private:
  test::MapTestLevel m_built;
  mapview::Outline m_outline;
};

TEST(OutlineContainsTest, AProbeThroughACornerCountsOnceWhenItCrossesAndNotWhenItTouches) {
  // From the centre out through the corner (10, 10), in either winding.
  EXPECT_TRUE(Shape({{0, 0}, {10, 0}, {10, 10}, {0, 10}}).Contains(5, 5));
  EXPECT_TRUE(Shape({{0, 0}, {0, 10}, {10, 10}, {10, 0}}).Contains(5, 5));
  EXPECT_FALSE(Shape({{5, 5}, {8, 2}, {9, 4}}).Contains(0, 0));  // touches the corner (5, 5)
  EXPECT_FALSE(Shape({{5, 5}, {2, 8}, {4, 9}}).Contains(0, 0));
  // In at (0, 0) and out at (10, 10), along the diagonal.
  EXPECT_FALSE(Shape({{0, 0}, {10, 0}, {10, 10}, {0, 10}}).Contains(-1, -1));
  EXPECT_FALSE(Shape({{2, 2}, {6, 6}, {2, 6}}).Contains(0, 0));  // along an edge on the probe
}

TEST(OutlineContainsTest, FollowsConcaveOutlinesAndNeedsThreeCorners) {
  Shape l({{0, 0}, {6, 0}, {6, 2}, {2, 2}, {2, 6}, {0, 6}});
  EXPECT_TRUE(l.Contains(1, 5));
  EXPECT_TRUE(l.Contains(5, 1));
  EXPECT_FALSE(l.Contains(4, 4));  // in the notch
  EXPECT_FALSE(Shape({{0, 0}, {10, 10}}).Contains(5, 5));
}

TEST(OutlineContainsTest, AgreesWithTheGeometryOfAHexagonOnAGridOfProbesThroughItsCorners) {
  Shape hexagon({{2, 0}, {6, 0}, {8, 4}, {6, 8}, {2, 8}, {0, 4}});
  for (float x = -1; x <= 9; x += 0.25f) {
    for (float y = -1; y <= 9; y += 0.25f) {
      const float slant = std::abs(y - 4) / 2;
      if (y == 0 || y == 8 || x == slant || x == 8 - slant) continue;  // on the outline
      EXPECT_EQ(hexagon.Contains(x, y), y > 0 && y < 8 && x > slant && x < 8 - slant)
          << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace kx::editing
