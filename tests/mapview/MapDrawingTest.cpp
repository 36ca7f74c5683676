#include "support/FakeUi.h"
#include "support/MapTestLevel.h"

#include "mapview/MapDrawing.h"
#include "mapview/PixelCanvas.h"

#include <gtest/gtest.h>

namespace kx::mapview {
namespace {

// The colours of the map, spelled out so that the constants are checked too.
constexpr std::uint32_t kBackground = Colour{192, 192, 192}.Rgb32();
constexpr std::uint32_t kLine = Colour{128, 128, 128}.Rgb32();
constexpr std::uint32_t kWhite = Colour{255, 255, 255}.Rgb32();  // selected, vertex crosses
constexpr std::uint32_t kCyan = Colour{0, 255, 255}.Rgb32();
constexpr std::uint32_t kDim = Colour{160, 160, 160}.Rgb32();
constexpr std::uint32_t kBlack = Colour{0, 0, 0}.Rgb32();

// Scale 10 and origin 0 on a 200 x 150 panel: world (x, y) is pixel (10x, 150 - 10y). The
// square (2,2)-(6,6) spans pixels x 20..60 and y 90..130.
class MapDrawingTest : public ::testing::Test {
 protected:
  MapDrawingTest() : canvas(260, 200) {
    view.scale = 10;
    canvas.Fill(Colour{0, 0, 0});
  }

  level::Level& Level() { return built.level(); }
  void Redraw(EditMode mode) {
    platform::MessageBatch messages(ui);
    RedrawMap(MapFrame{Level(), view, panel, canvas}, mode, messages);
  }
  void Selected(EditMode mode) {
    platform::MessageBatch messages(ui);
    DrawSelected(MapFrame{Level(), view, panel, canvas}, mode, messages);
  }
  std::uint32_t At(int x, int y) const { return canvas.PixelAt(x, y); }

  test::MapTestLevel built;
  MapView view;
  PanelSize panel{200, 150};
  PixelCanvas canvas;
  test::FakeUi ui;
};

TEST_F(MapDrawingTest, ClearsThePanelAndOnePixelBeyondItOnly) {
  Redraw(EditMode::Surface);
  EXPECT_EQ(At(0, 0), kBackground);
  EXPECT_EQ(At(201, 151), kBackground);
  EXPECT_EQ(At(202, 100), kBlack);
  EXPECT_EQ(At(100, 152), kBlack);
}

TEST_F(MapDrawingTest, SurfaceModeDrawsUnselectedGreyThenSelectedWhite) {
  const int plain = built.Square(2, 2, 6, 6);
  const int chosen = built.Square(8, 2, 12, 6);
  const int hidden = built.Square(14, 2, 18, 6);
  (void)plain;
  Level().surfaces[chosen].marks.selected = 1;
  Level().surfaces[hidden].marks.visible = 0;
  Redraw(EditMode::Surface);
  EXPECT_EQ(At(40, 130), kLine);         // bottom edge of the first square
  EXPECT_EQ(At(20, 110), kLine);         // its left edge
  EXPECT_EQ(At(40, 110), kBackground);   // outlines only
  EXPECT_EQ(At(100, 90), kWhite);        // top edge of the selected one
  EXPECT_EQ(At(160, 130), kBackground);  // hidden
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(MapDrawingTest, VertexModeDrawsEdgesGreyAndCrossesWithSquaresForSelectedVertices) {
  const int surface = built.Square(2, 2, 6, 6);
  Level().surfaces[surface].marks.selected = 1;  // ignored in Vertex mode
  Level().vertices[2].marks.selected = 1;        // (6, 6): pixel (60, 90)
  Redraw(EditMode::Vertex);
  EXPECT_EQ(At(40, 130), kLine);
  // The plus at (2, 2) = pixel (20, 130), and nothing on its diagonals.
  for (const auto& [x, y] : {std::pair{20, 130}, {19, 130}, {21, 130}, {20, 129}, {20, 131}}) {
    EXPECT_EQ(At(x, y), kWhite) << x << "," << y;
  }
  EXPECT_EQ(At(19, 129), kBackground);
  EXPECT_EQ(At(18, 128), kBackground);
  // The selected vertex: a 5 x 5 cyan square under the white plus.
  for (const auto& [x, y] : {std::pair{58, 88}, {62, 92}, {58, 92}, {62, 88}, {59, 89}}) {
    EXPECT_EQ(At(x, y), kCyan) << x << "," << y;
  }
  EXPECT_EQ(At(60, 90), kWhite);
  EXPECT_EQ(At(61, 90), kWhite);
  EXPECT_EQ(At(57, 88), kBackground);
  EXPECT_EQ(At(63, 92), kBackground);
}

TEST_F(MapDrawingTest, SectorModeDrawsTheSurfacesOfVisibleSectorsWhateverTheirOwnMarks) {
  built.Square(2, 2, 6, 6);    // 0: in sector 0, itself hidden
  built.Square(8, 2, 12, 6);   // 1: in sector 1, selected
  built.Square(14, 2, 18, 6);  // 2: in hidden sector 2
  built.Square(2, 8, 6, 12);   // 3: in no sector
  built.Sector(0, 1);
  built.Sector(1, 1);
  built.Sector(2, 1);
  Level().surfaces[0].marks.visible = 0;
  Level().sectors[1].marks.selected = 1;
  Level().sectors[2].marks.visible = 0;
  Redraw(EditMode::Sector);
  EXPECT_EQ(At(40, 130), kLine);
  EXPECT_EQ(At(100, 130), kWhite);
  EXPECT_EQ(At(160, 130), kBackground);
  EXPECT_EQ(At(40, 70), kBackground);
}

TEST_F(MapDrawingTest, ThingModeDrawsDimSurfacesAndThingsAsCirclesOfTheirModelRadius) {
  built.Square(2, 2, 6, 6);
  built.Model("rock.3do", 1.0f);
  built.Template("rock", "thingflags=0x400 model3d=ROCK.3DO size=0.1");
  built.Template("marker", "thingflags=0x1");
  built.Thing("Rock", 10, 10);                    // centre pixel (100, 50), radius 10 pixels
  built.Thing("marker", 15, 10);                  // (150, 50): cross only
  const int chosen = built.Thing("rock", 10, 4);  // (100, 110)
  Level().things[chosen].marks.selected = 1;
  Redraw(EditMode::Thing);
  EXPECT_EQ(At(40, 130), kDim);
  for (const auto& [x, y] : {std::pair{110, 50}, {90, 50}, {100, 40}, {100, 60}}) {
    EXPECT_EQ(At(x, y), kLine) << x << "," << y;
  }
  EXPECT_EQ(At(111, 50), kBackground);
  EXPECT_EQ(At(109, 50), kBackground);
  // The diagonal cross at the centre, and nothing straight beside it.
  for (const auto& [x, y] : {std::pair{100, 50}, {99, 49}, {101, 49}, {99, 51}, {101, 51}}) {
    EXPECT_EQ(At(x, y), kLine) << x << "," << y;
  }
  EXPECT_EQ(At(100, 49), kBackground);
  EXPECT_EQ(At(150, 50), kLine);
  EXPECT_EQ(At(151, 51), kLine);
  EXPECT_EQ(At(160, 50), kBackground);  // no circle without a model
  EXPECT_EQ(At(110, 110), kWhite);
  EXPECT_EQ(At(100, 110), kWhite);
  EXPECT_TRUE(ui.boxes.empty());  // a template without a model is no error
}

TEST_F(MapDrawingTest, ThingsOfUnknownTemplatesAreCrossesReportedInOneBoxPerRedraw) {
  built.Template("rock", "");
  built.Thing("ghost", 5, 5);
  built.Thing("rock", 6, 6);
  built.Thing("Phantom", -500, -500);  // off the panel: still reported
  Redraw(EditMode::Thing);
  EXPECT_EQ(At(50, 100), kLine);
  EXPECT_EQ(At(51, 101), kLine);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0], (test::FakeUi::Box{platform::BoxKind::Plain,
                                            "Can't find template for ghost in Draw3DThing\r"
                                            "Can't find template for Phantom in Draw3DThing"}));
  Redraw(EditMode::Surface);
  EXPECT_EQ(ui.boxes.size(), 1u);  // things are drawn in Thing mode only
}

TEST_F(MapDrawingTest, EdgesAreSkippedOnlyWhenBothEndsLieBeyondOneSideOfTheWindow) {
  // The panel is 20 x 15 world units; the canvas reaches further, showing what was skipped.
  const int a = built.Vertex(21, 5), b = built.Vertex(25, 5);  // both beyond the right side
  const int c = built.Vertex(-5, 3), d = built.Vertex(23, 3);  // across the whole window
  const int e = built.Vertex(19, 8), f = built.Vertex(24, 8);  // from inside to outside
  built.Surface({a, b});
  built.Surface({c, d});
  built.Surface({e, f});
  Redraw(EditMode::Surface);
  EXPECT_EQ(At(230, 100), kBlack);
  EXPECT_EQ(At(100, 120), kLine);
  EXPECT_EQ(At(225, 120), kLine);  // beyond the panel, drawn as part of a crossing edge
  EXPECT_EQ(At(230, 70), kLine);
}

TEST_F(MapDrawingTest, VertexMarkersReachTwoWorldUnitsBeyondTheWindow) {
  built.Vertex(21.5f, 5);  // 1.5 units beyond the right side: pixel (215, 100)
  built.Vertex(22.5f, 8);  // 2.5 units beyond: skipped
  Redraw(EditMode::Vertex);
  EXPECT_EQ(At(215, 100), kWhite);
  EXPECT_EQ(At(225, 70), kBlack);
}

TEST_F(MapDrawingTest, DrawSelectedPaintsOnlyTheSelectedLayerOverWhatIsThere) {
  built.Square(2, 2, 6, 6);
  const int chosen = built.Square(8, 2, 12, 6);
  Level().surfaces[chosen].marks.selected = 1;
  Selected(EditMode::Surface);
  EXPECT_EQ(At(100, 130), kWhite);
  EXPECT_EQ(At(40, 130), kBlack);  // unselected: untouched
  EXPECT_EQ(At(5, 5), kBlack);     // no clear
  Level().vertices[0].marks.selected = 1;
  Selected(EditMode::Vertex);
  EXPECT_EQ(At(18, 128), kCyan);
  EXPECT_EQ(At(40, 130), kBlack);  // the surface layer is left alone in Vertex mode
}

TEST_F(MapDrawingTest, CornersAndSurfaceRangesOutsideTheirTablesAreLeftOut) {
  const int a = built.Vertex(2, 2), c = built.Vertex(6, 6), d = built.Vertex(2, 6);
  built.Surface({a, 999, c, -1, d});  // outline a-c-d: a triangle with the diagonal
  built.Sector(0, 1000);
  built.Sector(-5, 3);
  built.Sector(2147483600, 1000);
  Redraw(EditMode::Surface);
  EXPECT_EQ(At(40, 110), kLine);        // the diagonal a-c
  EXPECT_EQ(At(40, 130), kBackground);  // no edge towards the missing corner
  Redraw(EditMode::Sector);
  EXPECT_EQ(At(40, 110), kLine);
  built.Surface({});
  built.Surface({5000, -7});
  Redraw(EditMode::Vertex);
  Redraw(EditMode::Thing);
}

}  // namespace
}  // namespace kx::mapview
