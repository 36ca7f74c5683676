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
  EXPECT_FALSE(SegmentsIntersect({0, 0}, {2, 0}, {0, 1}, {2, 1}));
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

class OutlineContainsTest : public ::testing::Test {
 protected:
  bool Contains(std::initializer_list<std::pair<float, float>> corners, float a, float b) {
    return Shape(corners).Contains(a, b);
  }
};

TEST_F(OutlineContainsTest, APointWhoseProbeLeavesThroughACornerIsInside) {
  // The probe from the centre runs out through the corner (10, 10), meeting both edges there.
  EXPECT_TRUE(Contains({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 5, 5));
  EXPECT_TRUE(Contains({{0, 0}, {0, 10}, {10, 10}, {10, 0}}, 5, 5));  // either winding
  EXPECT_TRUE(Contains({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 2, 2));
}

TEST_F(OutlineContainsTest, AProbeThatOnlyTouchesOrRunsThroughCornersFromOutsideStaysOutside) {
  EXPECT_FALSE(Contains({{5, 5}, {8, 2}, {9, 4}}, 0, 0));  // touches the corner (5, 5)
  EXPECT_FALSE(Contains({{5, 5}, {2, 8}, {4, 9}}, 0, 0));
  // In at (0, 0) and out at (10, 10), along the diagonal.
  EXPECT_FALSE(Contains({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, -1, -1));
  // Along an edge that lies on the probe's line.
  EXPECT_FALSE(Contains({{2, 2}, {6, 6}, {2, 6}}, 0, 0));
}

TEST_F(OutlineContainsTest, FollowsConcaveOutlinesAndNeedsThreeCorners) {
  const auto l = {std::pair{0.f, 0.f}, {6.f, 0.f}, {6.f, 2.f}, {2.f, 2.f}, {2.f, 6.f}, {0.f, 6.f}};
  EXPECT_TRUE(Contains(l, 1, 5));
  EXPECT_TRUE(Contains(l, 5, 1));
  EXPECT_FALSE(Contains(l, 4, 4));  // in the notch
  EXPECT_FALSE(Contains(l, 7, 1));
  EXPECT_FALSE(Contains({{0, 0}, {10, 10}}, 5, 5));
  EXPECT_FALSE(Contains({}, 0, 0));
}

TEST_F(OutlineContainsTest, AgreesWithTheGeometryOfAConvexOutlineOnAGrid) {
  // A hexagon, and points on a grid of quarter units (many probes pass through its corners).
  Shape hexagon({{2, 0}, {6, 0}, {8, 4}, {6, 8}, {2, 8}, {0, 4}});
  const auto inside = [](float x, float y) {
    const float slant = std::abs(y - 4) / 2;
    return y > 0 && y < 8 && x > slant && x < 8 - slant;
  };
  for (float x = -1; x <= 9; x += 0.25f) {
    for (float y = -1; y <= 9; y += 0.25f) {
      const bool onBoundary =
          y == 0 || y == 8 || x == 8 - std::abs(y - 4) / 2 || x == std::abs(y - 4) / 2;
      if (onBoundary) continue;
      EXPECT_EQ(hexagon.Contains(x, y), inside(x, y)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace kx::editing
