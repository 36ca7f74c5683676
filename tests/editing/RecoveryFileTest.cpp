#include "support/EditorProject.h"
#include "support/FakeUi.h"
#include "support/LevelCompare.h"
#include "support/TempDir.h"

#include "editing/RecoveryFile.h"
#include "level/JklWriter.h"

#include <gtest/gtest.h>

namespace kx::editing {
namespace {

namespace fs = std::filesystem;

class RecoveryFileTest : public ::testing::Test {
 protected:
  RecoveryFileTest() {
    values.ProjectDir = dir.path() / "Level";
    values.JKLName = "01abc.jkl";
    values.LevelName = "Level";
    fs::create_directories(values.ProjectDir / "jkl");
    level::SaveLevel(*test::EditorTestLevel(), values.ProjectDir, values.JKLName, ui);
  }

  fs::path LevelFile() const { return values.ProjectDir / "jkl" / "01abc.jkl"; }

  test::TempDir dir;
  test::FakeUi ui;
  project::ProjectValues values;
};

TEST_F(RecoveryFileTest, KeepsTheLevelAndTheEpisodeBesideTheirFilesAndReadsThemBack) {
  const RecoveryFile recovery(values);
  EXPECT_EQ(recovery.LevelPath(), values.ProjectDir / "jkl" / "01abc.jkl.recover");
  EXPECT_EQ(recovery.EpisodePath(), values.ProjectDir / "episode.jk.recover");
  EXPECT_EQ(recovery.ShownName(), "jkl\\01abc.jkl.recover");

  auto changed = test::EditorTestLevel(7.5f);
  changed->surfaces[1].light = 9;
  changed->episode = {"Recovered Episode", level::kEpisodeDeathmatch};
  recovery.Write(*changed);
  level::Level read;
  recovery.Read(read, ui);
  EXPECT_EQ(test::FirstLevelDifference(read, *changed), "");
  EXPECT_EQ(read.episode, changed->episode);

  // Without its episode file the episode values stay those the level was opened with.
  fs::remove(recovery.EpisodePath());
  level::Level withoutEpisode;
  withoutEpisode.episode = {"Opened", level::kEpisodeSinglePlayer};
  recovery.Read(withoutEpisode, ui);
  EXPECT_EQ(withoutEpisode.episode.title, "Opened");

  recovery.Write(*changed);
  recovery.Remove();
  EXPECT_FALSE(fs::exists(recovery.LevelPath()));
  EXPECT_FALSE(fs::exists(recovery.EpisodePath()));
  recovery.Remove();  // nothing there is no failure
  EXPECT_TRUE(fs::exists(LevelFile()));
}

TEST_F(RecoveryFileTest, IsNewerThanTheLevelOnlyWhenWrittenAfterIt) {
  const RecoveryFile recovery(values);
  EXPECT_FALSE(recovery.NewerThanLevel());  // none there
  recovery.Write(*test::EditorTestLevel());
  const auto saved = fs::last_write_time(LevelFile());
  const struct {
    fs::file_time_type::duration after;
    bool newer;
  } cases[] = {{std::chrono::seconds(-60), false}, {{}, false}, {std::chrono::seconds(1), true}};
  for (const auto& c : cases) {
    fs::last_write_time(recovery.LevelPath(), saved + c.after);
    EXPECT_EQ(recovery.NewerThanLevel(), c.newer) << c.after.count();
  }
  EXPECT_FALSE(RecoveryFile().NewerThanLevel());  // no project
}

}  // namespace
}  // namespace kx::editing
