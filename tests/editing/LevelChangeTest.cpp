#include "support/MapTestLevel.h"

#include "editing/EditHistory.h"
#include "editing/LevelChange.h"
#include "level/JklWriter.h"
#include "platform/CommandError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace kx::editing {
namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

class LevelChangeTest : public ::testing::Test {
 protected:
  LevelChangeTest() {
    map.Square(0, 0, 1, 1);
    map.Square(2, 0, 3, 1);
    map.Sector(0, 2);
    map.Thing("walkplayer", 0.5f, 0.5f);
    history.SetListener([this](ChangedParts parts) { told.push_back(parts); });
  }

  level::Level& level() { return map.level(); }
  std::string Saved() { return level::FormatLevel(level(), "x.jkl", "2026-01-01 00:00"); }

  test::MapTestLevel map;
  EditHistory history;
  std::vector<ChangedParts> told;
};

TEST_F(LevelChangeTest, AChangeThatChangesNothingOrOnlyTheSelectionMakesNoStep) {
  {
    LevelChange change(level(), history, "Change Light");
    change.Surface(0).light = level().surfaces[0].light;
    change.Thing(0).marks.selected = 1;
    change.Commit();
  }
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.Modified());
  EXPECT_TRUE(told.empty());
  EXPECT_EQ(level().things[0].marks.selected, 1);
}

TEST_F(LevelChangeTest, AChangeLeftWithoutCommitPutsEveryRecordBack) {
  const std::string original = Saved();
  try {
    LevelChange change(level(), history, "Move 1 thing");
    change.Thing(0).x = 9;
    change.Vertex(2).z = 7;
    change.Append(RecordKind::Thing);
    throw std::runtime_error("the command failed half way");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(Saved(), original);
  EXPECT_EQ(level().things[1].marks.empty, 1);
  EXPECT_FALSE(history.CanUndo());
}

TEST_F(LevelChangeTest, AppendedRecordsGoAwayOnUndoAndComeBackInUseOnRedo) {
  const std::string original = Saved();
  {
    LevelChange change(level(), history, "Duplicate 1 thing");
    const int copy = change.Append(RecordKind::Thing);
    change.Thing(copy) = level().things[0];
    change.Thing(copy).x += 0.1f;
    const int surface = change.Append(RecordKind::Surface);
    change.Surface(surface).nverts = 0;
    change.Normal(surface).z = 1;
    change.Commit();
  }
  EXPECT_EQ(level().things.count, 2);
  EXPECT_EQ(level().surfaces.count, 3);
  const std::string appended = Saved();

  history.Undo(level());
  EXPECT_EQ(Saved(), original);
  EXPECT_EQ(level().things[1].marks, level::RecordMarks{});
  history.Redo(level());
  EXPECT_EQ(Saved(), appended);
  EXPECT_EQ(level().things[1].marks, (level::RecordMarks{0, 0, 1}));
}

TEST_F(LevelChangeTest, AFullTableRefusesAnAppendAndNamesTheTable) {
  level().things.count = level().things.Capacity();
  LevelChange change(level(), history, "Duplicate 1 thing");
  EXPECT_THAT([&] { change.Append(RecordKind::Thing); },
              ThrowsMessage<platform::CommandError>(HasSubstr("things table is full (1024)")));
  EXPECT_THROW(change.Vertex(level().vertices.Capacity()), std::out_of_range);
}

TEST_F(LevelChangeTest, TheHistoryKnowsWhetherTheLevelDiffersFromItsLastSave) {
  const auto step = [&](float light) {
    LevelChange change(level(), history, "Change Extralight");
    change.Surface(0).extralight = light;
    change.Commit();
  };
  step(1);
  EXPECT_TRUE(history.Modified());
  history.MarkSaved();
  EXPECT_FALSE(history.Modified());
  step(2);
  history.Undo(level());
  EXPECT_FALSE(history.Modified());  // back at the save
  history.Undo(level());
  EXPECT_TRUE(history.Modified());

  // A new step after undoing past the save drops the saved state and the redo steps for good.
  step(3);
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.StepCount(), 1u);
  history.Undo(level());
  EXPECT_TRUE(history.Modified());  // the level as opened is not the level as saved
  EXPECT_EQ(level().surfaces[0].extralight, 0);
  history.Clear();
  EXPECT_FALSE(history.Modified());
  EXPECT_FALSE(history.CanUndo());
}

TEST_F(LevelChangeTest, AStepOverManySurfacesKeepsOnlyTheWordsThatChanged) {
  for (int s = 2; s < 1002; ++s) map.Square(s, 0, s + 1, 1);
  for (int s = 0; s < level().surfaces.count; s += 3) level().surfaces[s].marks.selected = 1;
  const std::string original = Saved();
  {
    LevelChange change(level(), history, "Change Light");
    for (int s = 0; s < level().surfaces.count; ++s) {
      change.Surface(s).light = s;
      change.Surface(s).marks.visible = 0;  // hiding is no change either
    }
    change.Commit();
  }
  const std::string changed = Saved();
  // The light's word and its place, not two copies of a surface of 300 bytes.
  EXPECT_LT(history.HeldBytes(), 16u * 1002 + 2048);
  level().surfaces[1].marks.selected = 1;
  history.Undo(level());
  EXPECT_EQ(Saved(), original);
  EXPECT_EQ(level().surfaces[1].marks, (level::RecordMarks{0, 1, 0}));
  EXPECT_EQ(level().surfaces[3].marks, (level::RecordMarks{0, 1, 0}));
  history.Redo(level());
  EXPECT_EQ(Saved(), changed);
}

}  // namespace
}  // namespace kx::editing
