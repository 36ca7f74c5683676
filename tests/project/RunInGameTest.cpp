#include "support/FakeProjectWindow.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

#include "platform/CommandError.h"
#include "project/RunInGame.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::project {
namespace {

namespace fs = std::filesystem;
using platform::BoxKind;
using platform::CommandError;
using ::testing::ElementsAre;
using ::testing::Property;
using ::testing::Throws;

class RunInGameTest : public ::testing::Test {
 protected:
  RunInGameTest() {
    values.ProgramDir = dir.path();
    values.ProjectDir = dir.path() / "Projects" / "Abc Station";
    values.JKDir = dir.path() / "JK";
    values.GOB2Name = "ABC.GOB";
    values.JKLName = "01abc.jkl";
    dir.Write("Projects/Abc Station/jkl/01abc.jkl", "level");
    dir.Write("Projects/Abc Station/episode.jk", "episode");
    fs::create_directories(dir.path() / "JK" / "Episode");
  }

  test::TempDir dir;
  ProjectValues values;
  platform::SettingsFile settings{dir.path() / "Kelvarix.ini"};
  level::Level level;
  test::FakeUi ui;
  test::FakeProjectWindow window;
  ProjectContext context{values, settings, level, ui, window};
};

TEST_F(RunInGameTest, GobCommandPacksIntoTheProjectsGobFolder) {
  GobProjectCommand(context);
  EXPECT_TRUE(fs::exists(values.ProjectDir / "gob" / "ABC.GOB"));
  EXPECT_EQ(ui.maxBusyDepth, 1);
  EXPECT_EQ(ui.busyDepth, 0);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(RunInGameTest, RunCopiesTheArchiveIntoTheEpisodeFolderAndTellsTheUser) {
  RunProjectCommand(context);
  const auto packed = test::ReadAll(values.ProjectDir / "gob" / "ABC.GOB");
  EXPECT_EQ(test::ReadAll(dir.path() / "JK" / "Episode" / "ABC.GOB"), packed);
  EXPECT_THAT(ui.boxes,
              ElementsAre(test::FakeUi::Box{
                  BoxKind::Information,
                  "A GOB containing the level is now created in the JK Episode directory.\r"
                  "However, starting JK from Kelvarix is temporary disabled, due to memory "
                  "conflicts between the two programs. Please exit Kelvarix and start JK "
                  "manually to run the level."}));
  EXPECT_EQ(ui.busyDepth, 0);

  // Running again replaces the game's copy with the new archive.
  dir.Write("Projects/Abc Station/jkl/01abc.jkl", "level, edited and longer");
  RunProjectCommand(context);
  const auto repacked = test::ReadAll(values.ProjectDir / "gob" / "ABC.GOB");
  EXPECT_NE(repacked, packed);
  EXPECT_EQ(test::ReadAll(dir.path() / "JK" / "Episode" / "ABC.GOB"), repacked);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "JK" / "Episode"),
                          fs::directory_iterator()),
            1);
}

TEST_F(RunInGameTest, MissingEpisodeFolderEndsInAnErrorWithoutTheBox) {
  fs::remove(dir.path() / "JK" / "Episode");
  EXPECT_THAT([&] { RunProjectCommand(context); },
              Throws<CommandError>(Property(&CommandError::text, "File not found")));
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(ui.busyDepth, 0);
}

TEST_F(RunInGameTest, EmptyGameFolderIsAnErrorAndNothingIsWrittenElsewhere) {
  values.JKDir.clear();
  EXPECT_THAT([&] { RunProjectCommand(context); },
              Throws<CommandError>(AllOf(
                  Property(&CommandError::text, "File not found"),
                  Property(&CommandError::detail,
                           "episode\\ABC.GOB (JKDir is not set in the [Directories] section of " +
                               (dir.path() / "Kelvarix.ini").string() + ")"))));
  EXPECT_FALSE(fs::exists(fs::current_path() / "episode"));
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(RunInGameTest, FailedCopyKeepsTheGamesOldArchive) {
  dir.Write("JK/Episode/ABC.GOB", "old archive");
  // A folder in the temporary file's place makes the copy fail before it starts.
  fs::create_directories(dir.path() / "JK" / "Episode" / "ABC.GOB.kxtmp");
  EXPECT_THROW(RunProjectCommand(context), CommandError);
  EXPECT_EQ(test::ReadAll(dir.path() / "JK" / "Episode" / "ABC.GOB"), "old archive");
}

}  // namespace
}  // namespace kx::project
