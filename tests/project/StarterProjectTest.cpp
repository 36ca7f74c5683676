#include "building/StarterLevel.h"
#include "support/FakeProjectWindow.h"
#include "support/FakeUi.h"
#include "support/LevelCompare.h"
#include "support/TempDir.h"

#include "archive/GobDirectory.h"
#include "platform/CommandError.h"
#include "project/CogStrings.h"
#include "project/RunInGame.h"
#include "project/StarterProject.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::project {
namespace {

namespace fs = std::filesystem;
using platform::BoxKind;
using platform::CommandError;
using Box = test::FakeUi::Box;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Property;
using ::testing::Throws;
using ::testing::UnorderedElementsAre;

platform::NewProjectAnswer Answer(std::string levelName, std::string jklName,
                                  std::string gob2Name) {
  platform::NewProjectAnswer answer;
  answer.kind = platform::NewProjectAnswer::Kind::NewProject;
  answer.levelName = std::move(levelName);
  answer.jklName = std::move(jklName);
  answer.gob2Name = std::move(gob2Name);
  return answer;
}

// A program folder without the game: JKDir is not set.
class StarterProjectTest : public ::testing::Test {
 protected:
  StarterProjectTest() {
    values.ProgramDir = dir.path() / "prog";
    fs::create_directories(values.ProgramDir);
  }
  fs::path Projects() const { return values.ProgramDir / "Projects"; }
  std::string Setting(const std::string& section, const std::string& key) {
    return settings.ReadSettingText(section, key, "<none>");
  }

  test::TempDir dir;
  ProjectValues values;
  platform::SettingsFile settings{dir.path() / "prog" / "Kelvarix.ini"};
  level::Level level;
  test::FakeUi ui;
  test::FakeProjectWindow window;
  ProjectContext context{values, settings, level, ui, window};
};

TEST_F(StarterProjectTest, TheDialogsNamesMakeAProjectThatIsRegisteredOpenedAndPacked) {
  ui.newProjectAnswers.push_back(Answer("My \"First\" Room", "myroom", "myroom"));
  NewProjectCommand(context);

  const fs::path folder = Projects() / "My 'First' Room";
  EXPECT_EQ(values.ProjectDir, folder);
  EXPECT_EQ(values.JKLName, "myroom.jkl");
  EXPECT_EQ(values.GOB2Name, "MYROOM.GOB");
  EXPECT_EQ(Setting("Projects", "NProjects"), "1");
  EXPECT_EQ(Setting("Project1", "LevelName"), "My 'First' Room");
  EXPECT_EQ(Setting("Project1", "JKLName"), "myroom.jkl");
  EXPECT_EQ(Setting("Project1", "GOB2Name"), "MYROOM.GOB");
  EXPECT_THAT(window.calls, ElementsAre("BeforeProjectLoad", "ProjectOpened"));
  EXPECT_THAT(ui.boxes, IsEmpty()) << "without the game every resource is in the project";
  EXPECT_THAT(ui.notes, IsEmpty());
  EXPECT_FALSE(fs::exists(Projects() / "tempdir"));

  // The opened level is the starter level, its model's radius read from the project.
  const auto built = building::BuildStarterLevel("My 'First' Room");
  EXPECT_EQ(test::FirstLevelDifference(*built, level), "");
  EXPECT_EQ(level.episode.title, "My 'First' Room");
  EXPECT_NEAR(level.models[0].radius, built->models[0].radius, 1e-6);
  EXPECT_EQ(LevelNameFromCogStrings(folder / "misc" / "cogstrings.uni", "myroom.jkl"),
            "My 'First' Room");

  GobProjectCommand(context);
  std::vector<std::string> packed;
  for (const auto& entry : archive::ReadGobDirectory(folder / "gob" / "MYROOM.GOB")) {
    packed.push_back(entry.name);
  }
  EXPECT_THAT(packed, UnorderedElementsAre("jkl\\myroom.jkl", "episode.jk", "misc\\cogstrings.uni",
                                           "mat\\kxfloor.mat", "mat\\kxwall.mat", "mat\\kxceil.mat",
                                           "mat\\kxglow.mat", "misc\\cmp\\kxroom.cmp",
                                           "3do\\kxplayer.3do"));
}

TEST_F(StarterProjectTest, NamesThatCannotMakeAProjectAreRefusedAndLeaveNothing) {
  ui.newProjectAnswers.push_back(Answer("Taken", "taken.JKL", "TAKEN.GOB"));
  NewProjectCommand(context);
  ASSERT_EQ(values.JKLName, "taken.JKL");
  const auto registered = test::ReadAll(settings.Path());
  ui.boxes.clear();

  NewStarterProject(context, Answer("Again", "again", "taken"));
  EXPECT_THAT(ui.boxes, ElementsAre(Box{BoxKind::Information,
                                        "A project with that GOB2-name does already exist!"}));
  for (const auto& [jkl, gob2, refused] : {std::tuple{"my room", "ROOM", "my room.jkl"},
                                           {"a\\b", "ROOM", "a\\b.jkl"},
                                           {".jkl", "ROOM", ".jkl"},
                                           {"room", "../up", "../UP.GOB"},
                                           {"room", "ABCDEFGHI", "ABCDEFGHI.GOB"}}) {
    EXPECT_THAT([&] { NewStarterProject(context, Answer("Other", jkl, gob2)); },
                Throws<CommandError>(AllOf(Property(&CommandError::text, "Invalid filename"),
                                           Property(&CommandError::detail, refused))))
        << jkl << " " << gob2;
  }
  EXPECT_EQ(test::ReadAll(settings.Path()), registered);
  std::vector<std::string> folders;
  for (const auto& entry : fs::directory_iterator(Projects())) {
    folders.push_back(entry.path().filename().string());
  }
  EXPECT_THAT(folders, ElementsAre("Taken"));
  EXPECT_EQ(values.ProjectDir, Projects() / "Taken");
}

TEST(StarterJklNameTest, GetsItsExtensionOnce) {
  for (const auto& [typed, name] : {std::pair{"room", "room.jkl"},
                                    {" room ", "room.jkl"},
                                    {"ROOM.JKL", "ROOM.JKL"},
                                    {"room.jk", "room.jk.jkl"}}) {
    EXPECT_EQ(StarterJklName(typed), name) << typed;
  }
}

}  // namespace
}  // namespace kx::project
