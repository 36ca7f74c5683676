#include "editing/SelectionCommands.h"
#include "editing/SelectionFixture.h"

namespace kx::editing::test {
namespace {

using mapview::EditMode;

class SelectionCommandsTest : public SelectionTest {
 protected:
  SelectionCommandsTest() {
    for (int i = 0; i < 4; ++i) built.Square(i * 2.0f, 0, i * 2.0f + 1, 1);
    built.Sector(0, 4);
    Level().surfaces[1].marks.selected = 1;
    Level().surfaces[2].marks.selected = 1;
    Level().vertices[0].marks.selected = 1;
    Level().sectors[0].marks.selected = 1;
  }
};

TEST_F(SelectionCommandsTest, ClearUnselectsTheCurrentTableOnly) {
  ClearSelection(Context());
  EXPECT_EQ(SelectedOf(Level().surfaces), (Indices{}));
  EXPECT_EQ(SelectedOf(Level().vertices), (Indices{0}));
  EXPECT_EQ(SelectedOf(Level().sectors), (Indices{0}));
  EXPECT_EQ(host.calls, (Calls{"count 0", "redraw"}));
}

TEST_F(SelectionCommandsTest, HiddenRecordsStayHiddenAfterAClearAndComeBackUnselected) {
  HideSelected(Context());
  EXPECT_EQ(host.calls, (Calls{"count 0", "redraw"}));
  ClearSelection(Context());
  EXPECT_EQ(Level().surfaces[1].marks.visible, 0);
  EXPECT_EQ(Level().surfaces[2].marks.visible, 0);
  EXPECT_EQ(Level().surfaces[0].marks.visible, 1);
  mode = EditMode::Sector;
  ShowAll(Context());  // shows the sectors' table only
  EXPECT_EQ(Level().surfaces[1].marks.visible, 0);
  mode = EditMode::Surface;
  host.calls.clear();
  ShowAll(Context());
  EXPECT_EQ(Level().surfaces[1].marks.visible, 1);
  EXPECT_EQ(SelectedOf(Level().surfaces), (Indices{}));
  EXPECT_EQ(host.calls, (Calls{"redraw"}));
}

TEST_F(SelectionCommandsTest, ShowSelectionOnlyHidesTheUnselected) {
  ShowSelectionOnly(Context());
  for (int s = 0; s < 4; ++s) {
    EXPECT_EQ(Level().surfaces[s].marks.visible, s == 1 || s == 2 ? 1 : 0) << s;
  }
  EXPECT_EQ(Level().vertices[5].marks.visible, 1);
}

TEST_F(SelectionCommandsTest, KeepFirstAndLastLeaveOneVisibleSelectedSurface) {
  Level().surfaces[3].marks.selected = 1;
  KeepLastSelectedSurface(Context());
  EXPECT_EQ(SelectedOf(Level().surfaces), (Indices{3}));
  EXPECT_EQ(host.calls, (Calls{"redraw", "count 1", "panel"}));
  Level().surfaces[0].marks.selected = 1;
  Level().surfaces[0].marks.visible = 0;  // hidden: neither kept nor unselected
  Level().surfaces[2].marks.selected = 1;
  KeepFirstSelectedSurface(Context());
  EXPECT_EQ(SelectedOf(Level().surfaces), (Indices{0, 2}));
  ClearSelection(Context());
  KeepFirstSelectedSurface(Context());
  EXPECT_EQ(SelectedOf(Level().surfaces), (Indices{}));
}

TEST_F(SelectionCommandsTest, ResetMarksShowsAndUnselectsEveryTableButLeavesEmptySlots) {
  Level().things.count = 0;
  built.Template("t", "");
  built.Thing("t", 0, 0);
  Level().things[0].marks.selected = 1;
  Level().surfaces[3].marks.visible = 0;
  Level().surfaces[200].marks.selected = 1;  // a slot beyond the count
  ResetMarks(Context());
  for (const EditMode m :
       {EditMode::Vertex, EditMode::Surface, EditMode::Sector, EditMode::Thing}) {
    EXPECT_EQ(CountSelected(Level(), m), 0);
  }
  EXPECT_EQ(Level().surfaces[3].marks.visible, 1);
  EXPECT_EQ(Level().surfaces[200].marks, (level::RecordMarks{1, 1, 1}));
  EXPECT_EQ(host.calls, (Calls{"count 0"}));
}

TEST_F(SelectionCommandsTest, TheCountIncludesHiddenSelectedRecordsButNotEmptySlots) {
  Level().surfaces[2].marks.visible = 0;
  Level().surfaces[3].marks.selected = 1;
  Level().surfaces[3].marks.empty = 1;
  EXPECT_EQ(CountSelected(Level(), EditMode::Surface), 2);
}

}  // namespace
}  // namespace kx::editing::test
