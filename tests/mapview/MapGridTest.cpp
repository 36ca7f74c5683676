#include "mapview/MapGrid.h"

#include "ViewOf.h"
#include "mapview/Colour.h"
#include "mapview/PixelCanvas.h"

#include <gtest/gtest.h>

namespace kx::mapview {
namespace {

using test::kPanel;
using test::ViewOf;

TEST(MapGridTest, TheStepHalvesAndDoublesWithinItsRangeFromATenth) {
  GridStep grid;
  EXPECT_EQ(grid.Text(), "0.1");
  int halvings = 0;
  while (grid.Finer()) ++halvings;
  EXPECT_EQ(halvings, 6);
  EXPECT_EQ(grid.Step(), 0.0015625);
  EXPECT_EQ(grid.Text(), "0.0015625");
  int doublings = 0;
  while (grid.Coarser()) ++doublings;
  EXPECT_EQ(doublings, 12);
  EXPECT_EQ(grid.Text(), "6.4");
  EXPECT_FALSE(grid.Coarser());
  EXPECT_EQ(grid.Step(), 6.4);
}

TEST(MapGridTest, SnapsToTheNearestWholeStep) {
  const struct {
    double delta, step, snapped;
  } cases[] = {
      {0.26, 0.1, 0.3}, {-0.26, 0.1, -0.3}, {0.04, 0.1, 0},     {0.05, 0.1, 0.1},
      {-0.05, 0.1, -0.1}, {1.3, 0.5, 1.5},  {0.7, 0.0, 0.7},    {0.0037, 0.0015625, 0.003125},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(SnapToGrid(c.delta, c.step), c.snapped, 1e-12) << c.delta << " by " << c.step;
  }
}

TEST(MapGridTest, NeverMoreThanAboutTwoHundredLinesAcrossAtAnyScale) {
  const struct {
    float scale;
    double step;
    int least, most;  // lines across the 640-pixel width
    bool faint;
  } cases[] = {
      {MapView::kMinScale, 0.0015625, 100, 201, true},  // the whole world, the finest step
      {MapView::kMaxScale, 6.4, 0, 1, false},           // a speck of it, the coarsest step
      {50, 0.2, 64, 65, false},                         // every step, 10 pixels apart
      {50, 0.1, 128, 129, true},                        // every step, 5 pixels apart: faint
      {10, 0.1, 160, 161, true},                        // thinned to every 4th step
  };
  for (const auto& c : cases) {
    const MapView view = ViewOf(View::Top, c.scale, -3.3f, 1.7f, 0);
    const GridAxisLines lines = GridLinesOn(view, kPanel, c.step, true);
    EXPECT_GE(lines.count, c.least) << c.scale << " " << c.step;
    EXPECT_LE(lines.count, c.most) << c.scale << " " << c.step;
    if (lines.count == 0) continue;
    EXPECT_EQ(lines.spacing, c.step * static_cast<double>(lines.every));
    EXPECT_GE(lines.first, view.OriginA());
    EXPECT_LT(lines.first - lines.spacing, view.OriginA());
    EXPECT_LE(lines.first + (lines.count - 1) * lines.spacing,
              view.OriginA() + kPanel.width / c.scale + 1e-9);
    EXPECT_EQ(lines.spacing * c.scale < kFaintGridSpacing, c.faint) << c.scale << " " << c.step;
  }
}

TEST(MapGridTest, AVertexOnAGridValueSitsOnItsLineInEveryView) {
  for (const View v : test::kViews) {
    const MapView view = ViewOf(v, 50, -1.05f, -1.05f, -1.05f);
    PixelCanvas canvas(kPanel.width, kPanel.height);
    canvas.Fill(colours::kBackground);
    DrawGrid(canvas, view, kPanel, 0.2);
    // World 1.0 on both axes: 2.05 units from the origin, 102.5 pixels, rounded to the even 102.
    const int x = 102;
    const int y = kPanel.height - 102;
    EXPECT_EQ(canvas.PixelAt(x, 5), colours::kGrid.Rgb32()) << static_cast<int>(v);
    EXPECT_EQ(canvas.PixelAt(5, y), colours::kGrid.Rgb32()) << static_cast<int>(v);
    EXPECT_EQ(canvas.PixelAt(x + 3, y + 3), colours::kBackground.Rgb32()) << static_cast<int>(v);
  }
}

}  // namespace
}  // namespace kx::mapview
