#include "support/FakeEditorWindow.h"
#include "support/FakeUi.h"
#include "support/LevelCompare.h"
#include "support/TempDir.h"

#include "editing/Editor.h"
#include "level/JklReader.h"
#include "level/JklWriter.h"
#include "level/Numbers.h"
#include "properties/PageTexts.h"
#include "properties/PropertyPanel.h"
#include "properties/PropertyTestLevel.h"
#include "properties/RowCommit.h"

#include <cmath>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>

namespace kx::properties {
namespace {

using mapview::EditMode;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class PropertyPanelTest : public ::testing::Test {
 protected:
  PropertyPanelTest() {
    window.editor = &editor;
    editor.Level() = *test::PropertyTestLevel();
    original = editor.Level();
  }

  level::Level& Level() { return editor.Level(); }
  /// Selects indices of mode's table, shows mode's page and refills it with count in the
  /// counter, as a pick does.
  void Select(EditMode mode, std::initializer_list<int> indices, int count) {
    test::SelectOnly(Level(), mode, indices);
    editor.SetEditMode(mode);
    panel.Update(count);
  }
  /// The level as a saved file gives it back.
  level::Level SavedAndRead() {
    std::filesystem::create_directories(dir.path() / "jkl");
    level::SaveLevel(Level(), dir.path(), "test.jkl", ui);
    level::Level read;
    level::ReadLevel(read, dir.path() / "jkl" / "test.jkl", "test.jkl", ui);
    return read;
  }
  /// The row of mode's page whose caption is caption.
  static int RowNumber(EditMode mode, std::string_view caption) {
    const PageInfo& page = *PageFor(mode);
    for (int row = 1; row <= page.RowCount(); ++row) {
      if (page.Row(row).caption == caption) return row;
    }
    ADD_FAILURE() << caption;
    return 0;
  }

  test::TempDir dir;
  test::FakeUi ui;
  test::FakeEditorWindow window;
  editing::Editor editor{ui, window};
  PropertyPanel panel{editor};
  level::Level original;
};

TEST_F(PropertyPanelTest, APageShowsItsOneVisiblySelectedRecordAndNothingOtherwise) {
  const std::vector<std::string> none8(8), none10(10);
  const struct {
    EditMode mode;
    std::initializer_list<int> selected;
    int count;
    std::vector<std::string> texts;
  } cases[] = {
      {EditMode::Surface, {}, 0, none8},
      {EditMode::Surface,
       {0},
       1,
       {"Wall.mat", "0x12345", "0x0004", "4", "3", "1", "-1", "0.250000"}},
      {EditMode::Surface,
       {2},
       1,
       {"floor.mat", "0x10000", "0x8000", "0", "0", "0", "1", "0.000000"}},
      {EditMode::Surface, {0, 1}, 2, none8},
      {EditMode::Sector,
       {0},
       1,
       {"0x10004", "0.500000", "0.100000", "dflt.cmp", "", "", "", "amb.wav",
        "2.000000 2.000000 0.500000", "1.500000"}},
      {EditMode::Sector, {0, 1}, 2, none10},
      {EditMode::Thing,
       {1},
       1,
       {"crate", "crate.3do", "10.000000 -90.000000 0.500000", "1", "8.000000", "3.000000",
        "1.000000", "thingflags=0x400"}},
      // A template that is not listed has no model to name.
      {EditMode::Thing,
       {2},
       1,
       {"ghost", "", "0.000000 0.000000 0.000000", "0", "9.000000", "9.000000", "0.000000", ""}},
      {EditMode::Vertex, {0}, 1, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.mode) << " count " << c.count);
    Select(c.mode, c.selected, c.count);
    EXPECT_EQ(PageTexts(Level(), c.mode, c.count), c.texts);
    if (PageFor(c.mode)) {
      EXPECT_EQ(panel.State(c.mode).labels, c.texts);
    }
  }
}

TEST_F(PropertyPanelTest, ACounterOfOneWhoseRecordIsHiddenShowsNothingAndWritesNothing) {
  for (level::Level* l : {&Level(), &original}) {
    l->surfaces[0].marks.visible = 0;
    l->sectors[0].marks.visible = 0;
  }
  Select(EditMode::Surface, {0}, 1);
  EXPECT_THAT(panel.State(EditMode::Surface).labels, Each(IsEmpty()));
  ASSERT_TRUE(panel.Open(EditMode::Surface, RowNumber(EditMode::Surface, "Light:"), 1));
  panel.Commit(EditMode::Surface, "99");
  panel.MaterialChosen(0);
  Select(EditMode::Sector, {0}, 1);
  EXPECT_THAT(panel.State(EditMode::Sector).labels, Each(IsEmpty()));
  EXPECT_EQ(panel.TintStart(1), 0u);
  panel.TintChosen(0xFFFFFF);
  EXPECT_EQ(test::FirstLevelDifference(test::Unselected(Level()), original), "");
  EXPECT_FALSE(editor.History().CanUndo());
}

TEST_F(PropertyPanelTest, ATypedCommitWritesEverySelectedRecordAsOneStepThatASavedFileKeeps) {
  using Read = std::function<std::string(const level::Level&, int)>;
  const auto i = [](auto value) { return std::to_string(value); };
  const auto f = [](float value) { return level::FormatFloat6(value); };
  const struct {
    EditMode mode;
    std::string_view caption;
    std::string text;
    std::string label;  // shown after the commit with the two records selected
    std::string value;  // what each selected record holds, as read
    Read read;
  } cases[] = {
      {EditMode::Surface, "Geo:", "5", "5", "5",
       [&](const level::Level& l, int s) { return i(l.surfaces[s].geo); }},
      {EditMode::Surface, "Light:", " 7", " 7", "7",
       [&](const level::Level& l, int s) { return i(l.surfaces[s].light); }},
      {EditMode::Surface, "Tex:", "$10", "$10", "16",
       [&](const level::Level& l, int s) { return i(l.surfaces[s].tex); }},
      {EditMode::Surface, "Adjoin:", "1", "1", "1",
       [&](const level::Level& l, int s) { return i(l.surfaces[s].adjoin); }},
      {EditMode::Surface, "Extralight:", "2.5", "2.500000", "2.500000",
       [&](const level::Level& l, int s) { return f(l.surfaces[s].extralight); }},
      {EditMode::Sector, "Ambient Light:", "0.75", "0.750000", "0.750000",
       [&](const level::Level& l, int s) { return f(l.sectors[s].ambientlight); }},
      {EditMode::Sector, "Extra Light:", "-1e-1", "-0.100000", "-0.100000",
       [&](const level::Level& l, int s) { return f(l.sectors[s].extralight); }},
      {EditMode::Thing, "Rotation:", " 90 -45.5\t180 ", "90.000000 -45.500000 180.000000",
       "90.000000 -45.500000 180.000000",
       [&](const level::Level& l, int t) {
         return Floats3Text(l.things[t].pitch, l.things[t].yaw, l.things[t].roll);
       }},
      {EditMode::Thing, "Sector:", "$1", "1", "1",
       [&](const level::Level& l, int t) { return i(l.things[t].sector); }},
      {EditMode::Thing, "Sector:", "-1", "-1", "-1",
       [&](const level::Level& l, int t) { return i(l.things[t].sector); }},
      {EditMode::Thing, "X:", "10.5", "10.500000", "10.500000",
       [&](const level::Level& l, int t) { return f(l.things[t].x); }},
      {EditMode::Thing, "Y:", "-3", "-3.000000", "-3.000000",
       [&](const level::Level& l, int t) { return f(l.things[t].y); }},
      {EditMode::Thing, "Z:", ".5", "0.500000", "0.500000",
       [&](const level::Level& l, int t) { return f(l.things[t].z); }},
      {EditMode::Thing, "Params:", "  thingflags=0x4\tlight=0.2  ", "thingflags=0x4\tlight=0.2",
       "thingflags=0x4\tlight=0.2",
       [&](const level::Level& l, int t) { return l.things[t].params; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    editor.Level() = original;
    // Records 0 and 2 selected, 1 not: the one between keeps its value.
    Select(c.mode, {0, 2}, 2);
    const int row = RowNumber(c.mode, c.caption);
    ASSERT_TRUE(panel.Open(c.mode, row, 2));
    EXPECT_EQ(panel.State(c.mode).editor, EditorState::Typed);
    const std::size_t steps = editor.History().PushCount();
    EXPECT_TRUE(panel.Commit(c.mode, c.text));
    EXPECT_EQ(panel.State(c.mode).editor, EditorState::Closed);
    EXPECT_EQ(panel.State(c.mode).labels[static_cast<std::size_t>(row - 1)], c.label);
    EXPECT_EQ(editor.History().PushCount(), steps + 1);
    EXPECT_EQ(editor.History().UndoName(),
              "Change " + std::string(c.caption.substr(0, c.caption.size() - 1)));

    const level::Level saved = SavedAndRead();
    EXPECT_EQ(c.read(saved, 0), c.value);
    EXPECT_EQ(c.read(saved, 2), c.value);
    EXPECT_EQ(c.read(saved, 1), c.read(original, 1));
    // Nothing else changed: the records put back to their old values equal the original.
    editor.Undo();
    EXPECT_EQ(test::FirstLevelDifference(test::Unselected(Level()), original), "");
  }
}

TEST_F(PropertyPanelTest, ARefusedTextKeepsTheLabelAndEveryRecord) {
  const struct {
    EditMode mode;
    std::string_view caption;
    std::string text;
  } cases[] = {
      {EditMode::Surface, "Geo:", "12abc"},
      {EditMode::Surface, "Geo:", ""},
      {EditMode::Surface, "Light:", "-"},
      {EditMode::Surface, "Light:", "2147483648"},
      {EditMode::Surface, "Tex:", "7 "},
      {EditMode::Surface, "Adjoin:", "2"},  // the level has two adjoins
      {EditMode::Surface, "Adjoin:", "-2"},
      {EditMode::Surface, "Extralight:", "1e39"},
      {EditMode::Surface, "Extralight:", "2.5 "},
      {EditMode::Surface, "Extralight:", "nan"},
      {EditMode::Sector, "Ambient Light:", "-1e40"},
      {EditMode::Thing, "Sector:", "3"},  // and three sectors
      {EditMode::Thing, "Rotation:", "1 2"},
      {EditMode::Thing, "Rotation:", "1 2 3 4"},
      {EditMode::Thing, "Rotation:", "1 2 x"},
      {EditMode::Thing, "Rotation:", "1 2 1e39"},
      {EditMode::Thing, "X:", "inf"},
      {EditMode::Thing, "Params:", "light=0.2 # and more"},
      {EditMode::Thing, "Params:", "light=0.2\r\nthings 5"},
  };
  Select(EditMode::Surface, {0}, 1);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    SCOPED_TRACE(c.text);
    Select(c.mode, {0}, 1);
    const int row = RowNumber(c.mode, c.caption);
    const std::vector<std::string> labels = panel.State(c.mode).labels;
    ASSERT_TRUE(panel.Open(c.mode, row, 1));
    panel.Commit(c.mode, c.text);
    EXPECT_EQ(panel.State(c.mode).labels, labels);
    EXPECT_EQ(test::Unselected(Level()), original);
  }
  EXPECT_EQ(editor.History().PushCount(), 0u);
}

TEST_F(PropertyPanelTest, ParamsAreTakenUpToTheLengthOfTheWritersLine) {
  Select(EditMode::Thing, {1}, 1);
  const std::string line = level::ThingLine(Level().things[1], 1);
  const std::size_t room = kMaxThingLine - (line.size() - Level().things[1].params.size());
  const int row = RowNumber(EditMode::Thing, "Params:");
  panel.Open(EditMode::Thing, row, 1);
  panel.Commit(EditMode::Thing, std::string(room + 1, 'q'));
  EXPECT_EQ(Level().things[1].params, "thingflags=0x400");
  panel.Open(EditMode::Thing, row, 1);
  panel.Commit(EditMode::Thing, std::string(room, 'q'));
  EXPECT_EQ(Level().things[1].params, std::string(room, 'q'));
  EXPECT_EQ(level::ThingLine(Level().things[1], 1).size(), kMaxThingLine);
}

TEST_F(PropertyPanelTest, TheEditorOpensOnlyWithASelectionAndLeavingItUnchangedWritesNothing) {
  Select(EditMode::Surface, {}, 0);
  EXPECT_FALSE(panel.Open(EditMode::Surface, 1, 0));
  EXPECT_FALSE(panel.Commit(EditMode::Surface, "5"));

  // A float shown with six decimals is not written back rounded when the box is left as given.
  Level().surfaces[0].extralight = 0.1234567f;
  Select(EditMode::Surface, {0}, 1);
  const int row = RowNumber(EditMode::Surface, "Extralight:");
  ASSERT_TRUE(panel.Open(EditMode::Surface, row, 1));
  EXPECT_EQ(panel.State(EditMode::Surface).editText, "0.123457");
  panel.Commit(EditMode::Surface, "0.123457");
  EXPECT_EQ(Level().surfaces[0].extralight, 0.1234567f);
  EXPECT_EQ(editor.History().PushCount(), 0u);

  // A chosen row's box is read-only: leaving it changes nothing.
  ASSERT_TRUE(panel.Open(EditMode::Surface, 2, 1));
  EXPECT_EQ(panel.State(EditMode::Surface).editor, EditorState::Chosen);
  panel.Commit(EditMode::Surface, "0x0000");
  EXPECT_EQ(Level().surfaces[0].surfflags, 0x12345u);
}

TEST_F(PropertyPanelTest, ANewSelectionPutsItsValueOfTheOpenRowIntoTheBox) {
  Select(EditMode::Surface, {0}, 1);
  panel.Open(EditMode::Surface, RowNumber(EditMode::Surface, "Light:"), 1);
  EXPECT_EQ(panel.State(EditMode::Surface).editText, "3");
  Select(EditMode::Surface, {1}, 1);
  EXPECT_EQ(panel.State(EditMode::Surface).editText, "2");
  Select(EditMode::Surface, {0, 1}, 2);
  EXPECT_EQ(panel.State(EditMode::Surface).editText, "");
  EXPECT_EQ(panel.State(EditMode::Surface).editor, EditorState::Typed);
}

}  // namespace
}  // namespace kx::properties
