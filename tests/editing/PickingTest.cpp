#include "editing/Picking.h"
#include "editing/SelectionCommands.h"
#include "editing/SelectionFixture.h"

namespace kx::editing::test {
namespace {

using mapview::EditMode;

TEST_F(SelectionTest, AClickTakesEveryVertexWithinTwoPixelsIncludingExactlyTwo) {
  mode = EditMode::Vertex;
  built.Vertex(1, 1);              // under the click
  built.Vertex(1.0625f, 1);        // 2 pixels right
  built.Vertex(1, 0.9375f);        // 2 pixels down
  built.Vertex(1.0625f, 1.0625f);  // 2.83 pixels
  built.Vertex(1.09375f, 1);       // 3 pixels
  Click(1, 1);
  EXPECT_EQ(SelectedOf(Level().vertices), (Indices{0, 1, 2}));
  EXPECT_EQ(host.calls, (Calls{"selected", "count 3", "panel"}));
}

TEST_F(SelectionTest, ShiftUnselectsAndCtrlReplacesTheVisibleSelectionBothRepaintingTheMap) {
  mode = EditMode::Vertex;
  built.Vertex(1, 1);
  built.Vertex(5, 5);
  built.Vertex(6, 6);
  for (const int v : {0, 1, 2}) Level().vertices[v].marks.selected = 1;
  Level().vertices[2].marks.visible = 0;
  Click(1, 1, /*select=*/false);
  EXPECT_EQ(SelectedOf(Level().vertices), (Indices{1, 2}));
  EXPECT_EQ(host.calls, (Calls{"redraw", "count 2", "panel"}));
  host.calls.clear();
  Click(1, 1, true, /*ctrl=*/true);  // the hidden selected vertex stays selected
  EXPECT_EQ(SelectedOf(Level().vertices), (Indices{0, 2}));
  EXPECT_EQ(host.calls, (Calls{"redraw", "count 2", "panel"}));
  Click(1, 1, /*select=*/false, /*ctrl=*/true);  // Ctrl and Shift: nothing left selected
  EXPECT_EQ(SelectedOf(Level().vertices), (Indices{2}));
  Level().vertices[0].marks.selected = 1;
  Click(9, 9, true, true);  // in an empty place
  EXPECT_EQ(SelectedOf(Level().vertices), (Indices{2}));
}

TEST_F(SelectionTest, AClickSelectsEverySurfaceItFallsInsideAndShiftUnselectsThemAll) {
  built.Square(0, 0, 2, 2, 0);  // floor
  built.Square(0, 0, 2, 2, 3);  // ceiling above it
  built.Square(1, 1, 3, 3);     // overlapping the corner
  built.Square(4, 4, 6, 6);
  Click(0.5f, 0.5f);
  EXPECT_EQ(SelectedOf(Level().surfaces), (Indices{0, 1}));
  Click(1.5f, 1.5f);  // the probe runs out through the corners (2, 2) and (3, 3)
  EXPECT_EQ(SelectedOf(Level().surfaces), (Indices{0, 1, 2}));
  Click(1.25f, 1.5f, false);
  EXPECT_EQ(SelectedOf(Level().surfaces), (Indices{}));
}

TEST_F(SelectionTest, ABoxTakesSurfacesWithEveryCornerInsideWhicheverWayItWasDragged) {
  built.Square(1, 1, 2, 2);
  built.Square(1, 1, 4, 2);  // cut by the box
  Box(1, 2, 2, 1);
  EXPECT_EQ(SelectedOf(Level().surfaces), (Indices{0}));
  EXPECT_EQ(host.calls, (Calls{"selected", "count 1", "panel"}));
  Box(4, 1, 0.5f, 2.5f, false);  // up and to the left, unselecting
  EXPECT_EQ(SelectedOf(Level().surfaces), (Indices{}));
  Box(0.5f, 2.5f, 4, 1);  // the bounds are inclusive: corners on the box's edge count
  EXPECT_EQ(SelectedOf(Level().surfaces), (Indices{0, 1}));
}

TEST_F(SelectionTest, HiddenRecordsAreNeverPickedInAnyMode) {
  built.Square(1, 1, 2, 2);
  built.Sector(0, 1);
  built.Template("crate", "");
  built.Thing("crate", 1.5f, 1.5f);
  for (int v = 0; v < 4; ++v) Level().vertices[v].marks.visible = 0;
  Level().surfaces[0].marks.visible = 0;
  Level().sectors[0].marks.visible = 0;
  Level().things[0].marks.visible = 0;
  for (const EditMode m :
       {EditMode::Vertex, EditMode::Surface, EditMode::Sector, EditMode::Thing}) {
    mode = m;
    Click(1, 1);
    Click(1.5f, 1.5f);
    Box(0, 0, 3, 3);
    EXPECT_EQ(CountSelected(Level(), m), 0) << static_cast<int>(m);
  }
}

TEST_F(SelectionTest, SectorsArePickedThroughTheirSurfacesWhateverTheSurfacesMarks) {
  mode = EditMode::Sector;
  built.Square(0, 0, 2, 2);     // 0
  built.Square(0, 0, 2, 2, 4);  // 1
  built.Square(4, 0, 6, 2);     // 2
  built.Sector(0, 2);
  built.Sector(1, 2);  // overlaps sector 0 on surface 1
  built.Sector(2, 1);
  built.Sector(50, 7);  // beyond the surface table
  built.Sector(-3, 4);  // starts before it: holds surface 0
  Level().surfaces[0].marks.visible = 0;
  index = SurfaceSectorIndex(Level());
  Click(1, 1);
  EXPECT_EQ(SelectedOf(Level().sectors), (Indices{0, 1, 4}));
  Click(5, 1);
  EXPECT_EQ(SelectedOf(Level().sectors), (Indices{0, 1, 2, 4}));
  // A stale index is noticed: the answer follows the level as it is now.
  Level().sectors[3].firstsurface = 2;
  Level().sectors[3].nsurfaces = 1;
  Click(5, 1);
  EXPECT_EQ(SelectedOf(Level().sectors), (Indices{0, 1, 2, 3, 4}));
  Box(-1, -1, 3, 3, false);
  EXPECT_EQ(SelectedOf(Level().sectors), (Indices{1, 2, 3}));  // 0 and 4 lie inside
}

TEST_F(SelectionTest, ThingsAreHitWithinTheirModelRadiusOrTheirCrossAndBoxedWhole) {
  mode = EditMode::Thing;
  built.Model("barrel.3do", 0.5f);
  built.Template("barrel", "model3d=barrel.3do");
  built.Template("ghostlight", "thingflags=0x1");
  built.Thing("barrel", 1, 1);
  built.Thing("ghostlight", 3, 1);
  Click(1.5f, 1);             // 16 pixels away, on the barrel's circle
  Click(1.53125f, 1, false);  // one pixel further
  Click(1, 1.53125f, false);
  EXPECT_EQ(SelectedOf(Level().things), (Indices{0}));
  Click(1, 1.5f, false);
  // The light has no model and is drawn as a cross: a click within 3 pixels takes it.
  Click(3.09375f, 1);
  EXPECT_EQ(SelectedOf(Level().things), (Indices{1}));
  Click(3.125f, 1, false);         // 4 pixels away
  Click(3.0625f, 1.0625f, false);  // 2.83 pixels away
  EXPECT_EQ(SelectedOf(Level().things), (Indices{}));
  Click(3, 0.90625f);
  EXPECT_EQ(SelectedOf(Level().things), (Indices{1}));
  Box(0.53125f, 0.5f, 3.5f, 1.5f);  // the barrel's circle reaches past the box
  EXPECT_EQ(SelectedOf(Level().things), (Indices{1}));
  Box(0.5f, 0.5f, 3.5f, 1.5f);
  EXPECT_EQ(SelectedOf(Level().things), (Indices{0, 1}));
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SelectionTest, ThingsOfUnknownTemplatesAreReportedOncePerPickAndNotHit) {
  mode = EditMode::Thing;
  built.Template("crate", "");
  built.Thing("nothere", 1, 1);
  built.Thing("crate", 1, 1);
  built.Thing("Lost", 1, 1);
  Click(1, 1);
  EXPECT_EQ(SelectedOf(Level().things), (Indices{1}));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Can't find nothere in SelectThing\rCan't find Lost in SelectThing");
  Box(0, 0, 2, 2);
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[1], (kx::test::FakeUi::Box{platform::BoxKind::Plain,
                                                "Can't find template nothere\r"
                                                "Can't find template Lost"}));
  EXPECT_EQ(SelectedOf(Level().things), (Indices{0, 1, 2}));  // radius 0: inside
}

TEST_F(SelectionTest, EachTableKeepsItsSelectionAcrossModeSwitches) {
  built.Square(1, 1, 2, 2);
  built.Sector(0, 1);
  Click(1.5f, 1.5f);
  mode = EditMode::Sector;
  EXPECT_EQ(UpdateSelectionCount(Context()), 0);
  Box(0, 0, 3, 3, false);
  mode = EditMode::Vertex;
  Click(1, 1);
  EXPECT_EQ(UpdateSelectionCount(Context()), 1);
  mode = EditMode::Surface;
  EXPECT_EQ(UpdateSelectionCount(Context()), 1);
  EXPECT_EQ(host.calls.back(), "count 1");
}

TEST_F(SelectionTest, CornersAndRangesOutsideTheTablesAreLeftOutOfEveryTest) {
  const int a = built.Vertex(1, 1), b = built.Vertex(3, 1), c = built.Vertex(3, 3);
  built.Surface({a, 40000, b, c, -2});  // the triangle a-b-c
  built.Surface({-1, 99999});           // no corners in use
  built.Sector(0, 1 << 30);
  Click(2.5f, 1.5f);
  EXPECT_EQ(SelectedOf(Level().surfaces), (Indices{0}));
  Click(1.5f, 2.5f);  // inside the square the missing corner would have made
  EXPECT_EQ(SelectedOf(Level().surfaces), (Indices{0}));
  Box(0, 0, 4, 4, false);
  EXPECT_EQ(SelectedOf(Level().surfaces), (Indices{}));
  mode = EditMode::Sector;
  index = SurfaceSectorIndex(Level());
  Click(2.5f, 1.5f);
  EXPECT_EQ(SelectedOf(Level().sectors), (Indices{0}));
}

}  // namespace
}  // namespace kx::editing::test
