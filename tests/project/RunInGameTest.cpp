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
using platform::CommandError;
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
    fs::create_directories(dir.path() / "JK" / "Episode");
  }
  std::string Packed() const { return test::ReadAll(values.ProjectDir / "gob" / "ABC.GOB"); }
  std::string InGame() const { return test::ReadAll(dir.path() / "JK" / "Episode" / "ABC.GOB"); }

  test::TempDir dir;
  ProjectValues values;
  platform::SettingsFile settings{dir.path() / "Kelvarix.ini"};
  level::Level level;
  test::FakeUi ui;
  test::FakeProjectWindow window;
  ProjectContext context{values, settings, level, ui, window};
};

TEST_F(RunInGameTest, RunPacksTheProjectReplacesTheGamesCopyAndTellsTheUser) {
  GobProjectCommand(context);
  EXPECT_THAT(Packed(), ::testing::HasSubstr("jkl\\01abc.jkl"));
  EXPECT_TRUE(ui.boxes.empty());

  dir.Write("JK/Episode/ABC.GOB", "old archive");
  dir.Write("Projects/Abc Station/jkl/01abc.jkl", "level, edited and longer");
  RunProjectCommand(context);
  EXPECT_THAT(Packed(), ::testing::HasSubstr("level, edited and longer"));
  EXPECT_EQ(InGame(), Packed());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "JK" / "Episode"), {}), 1);
  EXPECT_EQ(ui.boxes, (std::vector<test::FakeUi::Box>{
                          {platform::BoxKind::Information,
                           "A GOB containing the level is now created in the JK Episode "
                           "directory.\rHowever, starting JK from Kelvarix is temporary disabled, "
                           "due to memory conflicts between the two programs. Please exit "
                           "Kelvarix and start JK manually to run the level."}}));
  EXPECT_EQ(ui.maxBusyDepth, 1);
  EXPECT_EQ(ui.busyDepth, 0);
}

TEST_F(RunInGameTest, MissingGameFoldersEndInAnErrorWithoutTheBox) {
  fs::remove(dir.path() / "JK" / "Episode");
  EXPECT_THAT([&] { RunProjectCommand(context); },
              Throws<CommandError>(Property(&CommandError::text, "File not found")));

  // Without a game folder nothing is written relative to wherever the program runs.
  values.JKDir.clear();
  EXPECT_THAT([&] { RunProjectCommand(context); },
              Throws<CommandError>(AllOf(
                  Property(&CommandError::text, "File not found"),
                  Property(&CommandError::detail,
                           "episode\\ABC.GOB (JKDir is not set in the [Directories] section of " +
                               (dir.path() / "Kelvarix.ini").string() + ")"))));
  EXPECT_FALSE(fs::exists(fs::current_path() / "episode"));
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(ui.busyDepth, 0);
}

TEST_F(RunInGameTest, FailedCopyKeepsTheGamesOldArchive) {
  dir.Write("JK/Episode/ABC.GOB", "old archive");
  // A folder in the temporary file's place makes the copy fail before it starts.
  fs::create_directories(dir.path() / "JK" / "Episode" / "ABC.GOB.kxtmp");
  EXPECT_THROW(RunProjectCommand(context), CommandError);
  EXPECT_EQ(InGame(), "old archive");
}

}  // namespace
}  // namespace kx::project
