#include "mapview/PixelCanvas.h"

#include <climits>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <stdexcept>
#include <utility>

namespace kx::mapview {
namespace {

constexpr Colour kInk{10, 20, 30};
constexpr Colour kPaper{200, 200, 200};

using PixelSet = std::set<std::pair<int, int>>;

// The pixels of the colour in the window of w x h pixels at (left, top), relative to it.
PixelSet InkedIn(const PixelCanvas& canvas, int left, int top, int w, int h, Colour colour) {
  PixelSet inked;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (canvas.PixelAt(left + x, top + y) == colour.Rgb32()) inked.insert({x, y});
    }
  }
  return inked;
}

PixelSet Inked(const PixelCanvas& canvas, Colour colour = kInk) {
  return InkedIn(canvas, 0, 0, canvas.Width(), canvas.Height(), colour);
}

// A canvas of paper with the ink pen and no fill.
PixelCanvas Paper(int width, int height) {
  PixelCanvas canvas(width, height);
  canvas.Fill(kPaper);
  canvas.SetPen(kInk);
  canvas.SetNoFill();
  return canvas;
}

PixelSet LineOn(int width, int height, int x0, int y0, int x1, int y1) {
  PixelCanvas canvas = Paper(width, height);
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
  return Inked(canvas);
}

TEST(PixelCanvasLineTest, IncludesBothEndsAndOnePixelPerStepOfTheLongerAxis) {
  const PixelSet line = LineOn(50, 50, 3, 4, 20, 9);
  EXPECT_EQ(line.size(), 18u);
  EXPECT_TRUE(line.count({3, 4}) && line.count({20, 9}));
  const PixelSet steep = LineOn(50, 50, 7, 40, 2, 1);
  EXPECT_EQ(steep.size(), 40u);
  EXPECT_TRUE(steep.count({7, 40}) && steep.count({2, 1}));
  EXPECT_EQ(LineOn(50, 50, 5, 5, 5, 5), (PixelSet{{5, 5}}));
}

TEST(PixelCanvasLineTest, GivesTheSamePixelsInBothDirectionsAndWhenClipped) {
  // Each line is drawn both ways on a small bitmap, and whole on a large one that shows the
  // small one's window.
  std::mt19937 random(11);
  std::uniform_int_distribution<int> coordinate(-900, 1000);
  PixelCanvas whole = Paper(2000, 2000);
  for (int i = 0; i < 300; ++i) {
    const int x0 = coordinate(random), y0 = coordinate(random);
    const int x1 = coordinate(random), y1 = coordinate(random);
    SCOPED_TRACE(testing::Message() << x0 << "," << y0 << " - " << x1 << "," << y1);
    const PixelSet clipped = LineOn(90, 60, x0, y0, x1, y1);
    EXPECT_EQ(LineOn(90, 60, x1, y1, x0, y0), clipped);
    whole.SetPen(kInk);
    whole.MoveTo(x0 + 950, y0 + 950);
    whole.LineTo(x1 + 950, y1 + 950);
    EXPECT_EQ(InkedIn(whole, 950, 950, 90, 60, kInk), clipped);
    whole.SetPen(kPaper);  // the same pixels again, to leave the bitmap clean
    whole.MoveTo(x0 + 950, y0 + 950);
    whole.LineTo(x1 + 950, y1 + 950);
  }
}

TEST(PixelCanvasTest, ShapesReachingFarOutsideDrawOnlyWhatIsOnTheBitmap) {
  PixelCanvas canvas = Paper(100, 100);
  canvas.MoveTo(INT_MIN, 40);
  canvas.LineTo(INT_MAX, 40);
  EXPECT_EQ(Inked(canvas).size(), 100u);
  canvas.MoveTo(INT_MIN, INT_MIN);
  canvas.LineTo(INT_MAX, INT_MAX);  // the diagonal through the bitmap
  EXPECT_EQ(canvas.PixelAt(70, 70), kInk.Rgb32());
  // A circle of radius 10^8 whose leftmost point is pixel (50, 90).
  canvas.Ellipse(50, 90 - 100000000, 50 + 200000000, 90 + 100000000);
  EXPECT_EQ(canvas.PixelAt(50, 90), kInk.Rgb32());
  EXPECT_EQ(canvas.PixelAt(50, 0), kInk.Rgb32());  // nearly vertical there
  EXPECT_EQ(canvas.PixelAt(49, 90), kPaper.Rgb32());
  EXPECT_EQ(canvas.PixelAt(70, 90), kPaper.Rgb32());
  canvas.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // must not hang or overflow
  canvas.SetNoPen();
  canvas.MoveTo(0, 0);
  canvas.LineTo(0, 99);
  EXPECT_EQ(canvas.PixelAt(0, 10), kPaper.Rgb32());
}

TEST(PixelCanvasShapeTest, RectangleCoversBothCornersWithPenOutlineAndFillInside) {
  constexpr Colour kFill{1, 2, 3};
  PixelCanvas canvas = Paper(20, 20);
  canvas.SetFill(kFill);
  canvas.Rectangle(12, 14, 8, 10);  // corners in either order
  EXPECT_EQ(Inked(canvas).size(), 16u);
  EXPECT_TRUE(Inked(canvas).count({8, 10}) && Inked(canvas).count({12, 14}));
  EXPECT_EQ(Inked(canvas, kFill).size(), 9u);
  EXPECT_EQ(canvas.PixelAt(10, 12), kFill.Rgb32());
  canvas.SetNoPen();
  canvas.Rectangle(-5, -5, 1, 1);
  EXPECT_EQ(Inked(canvas, kFill).size(), 9u + 4u);
}

TEST(PixelCanvasShapeTest, EllipseIsAClosedSymmetricRingTouchingEachSideOfItsBox) {
  PixelCanvas canvas = Paper(64, 64);
  canvas.Ellipse(10, 20, 50, 40);
  const PixelSet outline = Inked(canvas);
  EXPECT_EQ(outline.begin()->first, 10);
  EXPECT_EQ(outline.rbegin()->first, 50);
  for (const auto& [x, y] : outline) {
    EXPECT_TRUE(y >= 20 && y <= 40) << x << "," << y;
    EXPECT_TRUE(outline.count({60 - x, y}) && outline.count({x, 60 - y})) << x << "," << y;
    int neighbours = 0;  // a ring without gaps: two neighbours at least
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) neighbours += (dx || dy) && outline.count({x + dx, y + dy});
    }
    EXPECT_GE(neighbours, 2) << x << "," << y;
  }
  EXPECT_TRUE(outline.count({30, 20}) && outline.count({10, 30}));
  EXPECT_EQ(canvas.PixelAt(30, 30), kPaper.Rgb32());  // outline only
}

TEST(PixelCanvasTest, RefusesSizesOutsideItsLimitsAndPixelsOutsideTheBitmap) {
  EXPECT_THROW(PixelCanvas(0, 10), std::invalid_argument);
  EXPECT_THROW(PixelCanvas(10, PixelCanvas::kMaxSide + 1), std::invalid_argument);
  PixelCanvas canvas(3, 2);
  canvas.SetPixel(-1, 0, kInk);
  canvas.SetPixel(3, 1, kInk);
  canvas.SetPixel(2, 1, kInk);
  EXPECT_EQ(Inked(canvas), (PixelSet{{2, 1}}));
  EXPECT_EQ(canvas.PixelAt(5, 5), 0u);
}

}  // namespace
}  // namespace kx::mapview
