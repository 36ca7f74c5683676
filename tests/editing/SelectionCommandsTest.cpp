#include "editing/SelectionCommands.h"
#include "editing/SelectionFixture.h"

namespace kx::editing::test {
namespace {

using mapview::EditMode;

// Four surfaces in one sector; surfaces 1 and 2, vertex 0 and the sector selected.
class SelectionCommandsTest : public SelectionTest {
 protected:
  SelectionCommandsTest() {
    for (int i = 0; i < 4; ++i) built.Square(i * 2.0f, 0, i * 2.0f + 1, 1);
    built.Sector(0, 4);
    Surface(1).selected = 1;
    Surface(2).selected = 1;
    Level().vertices[0].marks.selected = 1;
    Level().sectors[0].marks.selected = 1;
  }
  level::RecordMarks& Surface(int s) { return Level().surfaces[s].marks; }
};

TEST_F(SelectionCommandsTest, HideAndClearActOnTheCurrentTableAndShowAllBringsRecordsBack) {
  HideSelected(Context());
  EXPECT_EQ(host.calls, (Calls{"count 0", "redraw"}));
  EXPECT_EQ(Surface(1).visible + Surface(2).visible, 0);
  EXPECT_EQ(Surface(0).visible, 1);
  Surface(0).selected = 1;
  host.calls.clear();
  ClearSelection(Context());
  EXPECT_EQ(host.calls, (Calls{"count 0", "redraw"}));
  EXPECT_EQ(SelectedOf(Level().surfaces), (Indices{}));
  EXPECT_EQ(SelectedOf(Level().vertices), (Indices{0}));
  EXPECT_EQ(Surface(1).visible, 0);
  mode = EditMode::Sector;
  ShowAll(Context());  // shows the sectors' table only
  EXPECT_EQ(SelectedOf(Level().sectors), (Indices{0}));
  EXPECT_EQ(Surface(1).visible, 0);
  mode = EditMode::Surface;
  host.calls.clear();
  ShowAll(Context());
  EXPECT_EQ(Surface(1).visible, 1);
  EXPECT_EQ(host.calls, (Calls{"redraw"}));
}

TEST_F(SelectionCommandsTest, ShowSelectionOnlyHidesTheUnselectedOfTheCurrentTable) {
  ShowSelectionOnly(Context());
  for (int s = 0; s < 4; ++s) EXPECT_EQ(Surface(s).visible, s == 1 || s == 2 ? 1 : 0) << s;
  EXPECT_EQ(Level().vertices[5].marks.visible, 1);
}

TEST_F(SelectionCommandsTest, KeepFirstAndLastLeaveOneVisibleSelectedSurface) {
  Surface(3).selected = 1;
  KeepLastSelectedSurface(Context());
  EXPECT_EQ(SelectedOf(Level().surfaces), (Indices{3}));
  EXPECT_EQ(host.calls, (Calls{"redraw", "count 1", "panel"}));
  Surface(0).selected = 1;
  Surface(0).visible = 0;  // hidden: neither kept nor unselected
  Surface(2).selected = 1;
  KeepFirstSelectedSurface(Context());
  EXPECT_EQ(SelectedOf(Level().surfaces), (Indices{0, 2}));
}

TEST_F(SelectionCommandsTest, ResetMarksShowsAndUnselectsEveryTableButLeavesEmptySlots) {
  built.Template("t", "");
  Level().things[built.Thing("t", 0, 0)].marks.selected = 1;
  Surface(3).visible = 0;
  Surface(200).selected = 1;  // a slot beyond the count
  ResetMarks(Context());
  for (const EditMode m :
       {EditMode::Vertex, EditMode::Surface, EditMode::Sector, EditMode::Thing}) {
    EXPECT_EQ(CountSelected(Level(), m), 0);
  }
  EXPECT_EQ(Surface(3).visible, 1);
  EXPECT_EQ(Surface(200), (level::RecordMarks{1, 1, 1}));
  EXPECT_EQ(host.calls, (Calls{"count 0"}));
}

}  // namespace
}  // namespace kx::editing::test
