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

using Pixels = std::initializer_list<std::pair<int, int>>;

// Scale 10 and origin 0 on a 200 x 150 panel of a larger black canvas: world (x, y) is pixel
// (10x, 150 - 10y). The square (2,2)-(6,6) spans pixels x 20..60 and y 90..130.
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
  void ExpectAll(Pixels pixels, std::uint32_t colour) const {
    for (const auto& [x, y] : pixels) EXPECT_EQ(At(x, y), colour) << x << "," << y;
  }

  test::MapTestLevel built;
  MapView view;
  PanelSize panel{200, 150};
  PixelCanvas canvas;
  test::FakeUi ui;
};

TEST_F(MapDrawingTest, ClearsThePanelAndOnePixelBeyondItOnly) {
  Redraw(EditMode::Surface);
  ExpectAll({{0, 0}, {201, 151}}, kBackground);
  ExpectAll({{202, 100}, {100, 152}}, kBlack);
}

TEST_F(MapDrawingTest, SurfaceModeDrawsOutlinesGreySelectedWhiteAndHiddenNot) {
  built.Square(2, 2, 6, 6);
  Level().surfaces[built.Square(8, 2, 12, 6)].marks.selected = 1;
  Level().surfaces[built.Square(14, 2, 18, 6)].marks.visible = 0;
  Redraw(EditMode::Surface);
  ExpectAll({{40, 130}, {20, 110}}, kLine);         // bottom and left edges of the first square
  ExpectAll({{40, 110}, {160, 130}}, kBackground);  // outlines only; hidden
  EXPECT_EQ(At(100, 90), kWhite);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(MapDrawingTest, VertexModeDrawsEdgesGreyAndCrossesWithSquaresForSelectedVertices) {
  Level().surfaces[built.Square(2, 2, 6, 6)].marks.selected = 1;  // ignored in Vertex mode
  Level().vertices[2].marks.selected = 1;                         // (6, 6): pixel (60, 90)
  Redraw(EditMode::Vertex);
  EXPECT_EQ(At(40, 130), kLine);
  // The plus at (2, 2) = pixel (20, 130), and nothing on its diagonals.
  ExpectAll({{20, 130}, {19, 130}, {21, 130}, {20, 129}, {20, 131}}, kWhite);
  ExpectAll({{19, 129}, {18, 128}}, kBackground);
  // The selected vertex: a 5 x 5 cyan square under the white plus.
  ExpectAll({{58, 88}, {62, 92}, {58, 92}, {62, 88}, {59, 89}}, kCyan);
  ExpectAll({{60, 90}, {61, 90}}, kWhite);
  ExpectAll({{57, 88}, {63, 92}}, kBackground);
}

TEST_F(MapDrawingTest, SectorModeDrawsTheSurfacesOfVisibleSectorsWhateverTheirOwnMarks) {
  built.Square(2, 2, 6, 6);    // 0: in sector 0, itself hidden
  built.Square(8, 2, 12, 6);   // 1: in sector 1, selected
  built.Square(14, 2, 18, 6);  // 2: in hidden sector 2
  built.Square(2, 8, 6, 12);   // 3: in no sector
  for (int c = 0; c < 3; ++c) built.Sector(c, 1);
  Level().surfaces[0].marks.visible = 0;
  Level().sectors[1].marks.selected = 1;
  Level().sectors[2].marks.visible = 0;
  Redraw(EditMode::Sector);
  EXPECT_EQ(At(40, 130), kLine);
  EXPECT_EQ(At(100, 130), kWhite);
  ExpectAll({{160, 130}, {40, 70}}, kBackground);
}

TEST_F(MapDrawingTest, ThingModeDrawsDimSurfacesAndThingsAsCirclesOfTheirModelRadius) {
  built.Square(2, 2, 6, 6);
  built.Model("rock.3do", 1.0f);
  built.Template("rock", "thingflags=0x400 model3d=ROCK.3DO size=0.1");
  built.Template("marker", "thingflags=0x1");
  built.Thing("Rock", 10, 10);                                    // (100, 50), radius 10 pixels
  built.Thing("marker", 15, 10);                                  // (150, 50): cross only
  Level().things[built.Thing("rock", 10, 4)].marks.selected = 1;  // (100, 110)
  Redraw(EditMode::Thing);
  EXPECT_EQ(At(40, 130), kDim);
  ExpectAll({{110, 50}, {90, 50}, {100, 40}, {100, 60}}, kLine);  // the circle
  ExpectAll({{111, 50}, {109, 50}}, kBackground);
  // The diagonal cross at the centre, and nothing straight beside it.
  ExpectAll({{100, 50}, {99, 49}, {101, 49}, {99, 51}, {101, 51}, {150, 50}, {151, 51}}, kLine);
  ExpectAll({{100, 49}, {160, 50}}, kBackground);  // no circle without a model
  ExpectAll({{110, 110}, {100, 110}}, kWhite);
  EXPECT_TRUE(ui.boxes.empty());  // a template without a model is no error
}

TEST_F(MapDrawingTest, ThingsOfUnknownTemplatesAreCrossesReportedInOneBoxPerRedraw) {
  built.Template("rock", "");
  built.Thing("ghost", 5, 5);
  built.Thing("rock", 6, 6);
  built.Thing("Phantom", -500, -500);  // off the panel: still reported
  Redraw(EditMode::Thing);
  ExpectAll({{50, 100}, {51, 101}}, kLine);
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
  ExpectAll({{100, 120}, {225, 120}, {230, 70}}, kLine);
  // Vertex markers are kept up to two world units beyond the window.
  Redraw(EditMode::Vertex);
  EXPECT_EQ(At(210, 100), kWhite);  // a, 1 unit beyond
  EXPECT_EQ(At(230, 120), kLine);   // d, 3 units beyond: its edge without a cross
}

TEST_F(MapDrawingTest, DrawSelectedPaintsOnlyTheSelectedLayerOverWhatIsThere) {
  built.Square(2, 2, 6, 6);
  Level().surfaces[built.Square(8, 2, 12, 6)].marks.selected = 1;
  Selected(EditMode::Surface);
  EXPECT_EQ(At(100, 130), kWhite);
  ExpectAll({{40, 130}, {5, 5}}, kBlack);  // unselected untouched, and no clear
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
