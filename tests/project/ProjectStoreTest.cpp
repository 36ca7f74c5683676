#include "support/FakeProjectWindow.h"
#include "support/FakeUi.h"
#include "support/GobBuilder.h"
#include "support/TempDir.h"

#include "platform/CommandError.h"
#include "project/ProjectStore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::project {
namespace {

namespace fs = std::filesystem;
using platform::BoxKind;
using platform::CommandError;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Property;
using ::testing::Throws;

const std::string kCaption = "Orbandel Kelvarix 1.0 Preview Release 1 Build 631 - ";

// A level small enough to read, told apart from others by its gravity.
std::string Level(const std::string& gravity) {
  return "SECTION: JK\r\n\r\nSECTION: HEADER\r\nVersion 1\r\nWorld Gravity " + gravity +
         "\r\n\r\nSECTION: GEORESOURCE\r\nWorld vertices 1\r\n0: 1 2 3\r\nend\r\n";
}

const std::string kEpisode = "\"Abc Episode\"\r\nTYPE 1\r\n";
const std::string kCogStrings =
    "MSGS 2\r\n\"01abc\" 0 \"Abc Station\"\r\n\"02xyz\" 0 \"Xyz Base\"\r\nEND\r\n";

class ProjectStoreTest : public ::testing::Test {
 protected:
  ProjectStoreTest() {
    values.ProgramDir = dir.path() / "prog";
    fs::create_directories(values.ProgramDir);
  }

  fs::path Archive(const std::string& name, const test::GobBuilder& builder) {
    return builder.WriteTo(dir.path() / "downloads" / name);
  }

  // The usual archive: an episode, two levels and the string table.
  fs::path TwoLevelArchive(const std::string& name = "level.gob") {
    return Archive(name, test::GobBuilder{}
                             .Entry("episode.jk", kEpisode)
                             .Entry("jkl\\02xyz.jkl", Level("2.5"))
                             .Entry("jkl\\01abc.jkl", Level("1.5"))
                             .Entry("misc\\cogstrings.uni", kCogStrings)
                             .Entry("mat\\wall.mat", "MAT "));
  }

  void NewProjectThroughTheDialog(const fs::path& archive) {
    platform::NewProjectAnswer answer;
    answer.kind = platform::NewProjectAnswer::Kind::UserGob2;
    answer.userGob2 = archive.string();
    ui.newProjectAnswers.push_back(answer);
    NewProjectCommand(context);
  }

  std::string Setting(const std::string& section, const std::string& key) {
    return settings.ReadSettingText(section, key, "<none>");
  }

  fs::path Projects() const { return values.ProgramDir / "Projects"; }

  test::TempDir dir;
  ProjectValues values;
  platform::SettingsFile settings{dir.path() / "prog" / "Kelvarix.ini"};
  level::Level level;
  test::FakeUi ui;
  test::FakeProjectWindow window;
  ProjectContext context{values, settings, level, ui, window};
};

TEST_F(ProjectStoreTest, NewProjectFromAUserArchiveIsExtractedRegisteredAndOpened) {
  const auto archive = TwoLevelArchive();
  ui.jklChoices.push_back(1);
  NewProjectThroughTheDialog(archive);

  // The chooser lists the levels sorted by name, whatever the archive's order.
  EXPECT_THAT(ui.jklListsShown, ElementsAre(ElementsAre("01abc.jkl", "02xyz.jkl")));
  const auto project = Projects() / "Xyz Base";
  EXPECT_TRUE(fs::exists(project / "jkl" / "02xyz.jkl"));
  EXPECT_TRUE(fs::exists(project / "mat" / "wall.mat"));
  EXPECT_FALSE(fs::exists(Projects() / "tempdir"));

  EXPECT_EQ(settings.ReadSettingInt("Projects", "NProjects", 0), 1);
  EXPECT_EQ(Setting("Project1", "LevelName"), "Xyz Base");
  EXPECT_EQ(Setting("Project1", "JKLName"), "02xyz.jkl");
  EXPECT_EQ(Setting("Project1", "GOB2Name"), "LEVEL.GOB");

  EXPECT_EQ(values.ProjectDir, project);
  EXPECT_EQ(values.JKLName, "02xyz.jkl");
  EXPECT_EQ(values.GOB2Name, "LEVEL.GOB");
  EXPECT_EQ(level.header.worldGravity, 2.5f);
  EXPECT_EQ(level.vertices.count, 1);
  EXPECT_EQ(level.episode.title, "Abc Episode");
  EXPECT_THAT(ui.captions, ElementsAre(kCaption + "Xyz Base"));
  EXPECT_THAT(window.calls, ElementsAre("BeforeProjectLoad", "ProjectOpened"));
  EXPECT_THAT(ui.boxes, IsEmpty());
  EXPECT_EQ(ui.progress.front(), "begin Ungobing " + archive.string() + "...|Extracting file: |5");
  EXPECT_EQ(ui.busyDepth, 0);
}

TEST_F(ProjectStoreTest, ChooserIsShownOnlyForSeveralLevelsAndDefaultsToTheFirst) {
  NewProjectFromGob(context, Archive("one.gob", test::GobBuilder{}
                                                    .Entry("episode.jk", kEpisode)
                                                    .Entry("jkl\\02xyz.JKL", Level("2"))
                                                    .Entry("misc\\cogstrings.uni", kCogStrings))
                                 .string());
  EXPECT_THAT(ui.jklListsShown, IsEmpty());
  EXPECT_EQ(values.JKLName, "02xyz.JKL");
  EXPECT_EQ(values.ProjectDir, Projects() / "Xyz Base");

  // Nothing highlighted when the chooser closes: the first level by name.
  NewProjectFromGob(context, TwoLevelArchive("two.gob").string());
  EXPECT_EQ(ui.jklListsShown.size(), 1u);
  EXPECT_EQ(values.JKLName, "01abc.jkl");
  EXPECT_EQ(values.ProjectDir, Projects() / "Abc Station");
  EXPECT_EQ(settings.ReadSettingInt("Projects", "NProjects", 0), 2);
}

TEST_F(ProjectStoreTest, ArchiveNameAlreadyRegisteredIsRefusedBeforeExtracting) {
  settings.WriteSettingInt("Projects", "NProjects", 1);
  settings.WriteSettingText("Project1", "GOB2Name", "LEVEL.GOB");
  NewProjectFromGob(context, TwoLevelArchive("level.gob").string());
  EXPECT_THAT(ui.boxes,
              ElementsAre(test::FakeUi::Box{BoxKind::Information,
                                            "A project with that GOB2-name does already exist!"}));
  EXPECT_FALSE(fs::exists(Projects()));
  EXPECT_EQ(settings.ReadSettingInt("Projects", "NProjects", 0), 1);
  EXPECT_THAT(window.calls, IsEmpty());
}

TEST_F(ProjectStoreTest, ArchiveNameThatCannotBePackedIsRefused) {
  EXPECT_THAT([&] { NewProjectFromGob(context, TwoLevelArchive("a:b.gob").string()); },
              Throws<CommandError>(AllOf(Property(&CommandError::text, "Invalid filename"),
                                         Property(&CommandError::detail, "a:b.gob"))));
  EXPECT_FALSE(fs::exists(Projects()));
}

TEST_F(ProjectStoreTest, MissingArchiveStopsAfterItsMessage) {
  const auto name = (dir.path() / "nothere.gob").string();
  NewProjectFromGob(context, name);
  EXPECT_THAT(ui.boxes,
              ElementsAre(test::FakeUi::Box{
                  BoxKind::Error, "The file " + name + " doesn't exist!\rProgram halted."}));
  EXPECT_FALSE(fs::exists(Projects() / "tempdir"));
  EXPECT_EQ(Setting("Projects", "NProjects"), "<none>");
}

TEST_F(ProjectStoreTest, LeftoverTemporaryFolderIsRemovedBeforeExtracting) {
  dir.Write("prog/Projects/tempdir/jkl/00stale.jkl", Level("9"));
  dir.Write("prog/Projects/tempdir/stale.txt", "old");
  NewProjectFromGob(context, Archive("one.gob", test::GobBuilder{}
                                                    .Entry("episode.jk", kEpisode)
                                                    .Entry("jkl\\01abc.jkl", Level("1"))
                                                    .Entry("misc\\cogstrings.uni", kCogStrings))
                                 .string());
  EXPECT_THAT(ui.jklListsShown, IsEmpty());
  EXPECT_EQ(values.JKLName, "01abc.jkl");
  EXPECT_FALSE(fs::exists(values.ProjectDir / "stale.txt"));
}

TEST_F(ProjectStoreTest, ArchiveWithoutLevelsIsReportedAndCleanedUp) {
  NewProjectFromGob(
      context,
      Archive("nolevel.gob",
              test::GobBuilder{}.Entry("episode.jk", kEpisode).Entry("jkl\\readme.txt", "no level"))
          .string());
  EXPECT_THAT(ui.boxes,
              ElementsAre(test::FakeUi::Box{BoxKind::Error, "No JKL-files found in GOB2 file!"}));
  EXPECT_TRUE(fs::is_empty(Projects()));
  EXPECT_EQ(Setting("Projects", "NProjects"), "<none>");
}

TEST_F(ProjectStoreTest, LevelNameFallsBackToTheJklFileName) {
  NewProjectFromGob(
      context,
      Archive("nouni.gob",
              test::GobBuilder{}.Entry("episode.jk", kEpisode).Entry("jkl\\03raw.jkl", Level("3")))
          .string());
  EXPECT_EQ(Setting("Project1", "LevelName"), "03raw");
  EXPECT_EQ(values.ProjectDir, Projects() / "03raw");

  NewProjectFromGob(context,
                    Archive("unmatched.gob", test::GobBuilder{}
                                                 .Entry("episode.jk", kEpisode)
                                                 .Entry("JKL\\04odd.jkl", Level("4"))
                                                 .Entry("MISC\\CogStrings.UNI", kCogStrings))
                        .string());
  EXPECT_EQ(Setting("Project2", "LevelName"), "04odd");
  EXPECT_EQ(level.header.worldGravity, 4.0f);
}

TEST_F(ProjectStoreTest, TakenLevelNameGetsANumberAndEachProjectOpensItsOwnFiles) {
  const auto withGravity = [&](const std::string& name, const std::string& gravity) {
    return Archive(name, test::GobBuilder{}
                             .Entry("episode.jk", kEpisode)
                             .Entry("jkl\\01abc.jkl", Level(gravity))
                             .Entry("misc\\cogstrings.uni", kCogStrings));
  };
  NewProjectFromGob(context, withGravity("first.gob", "1").string());
  NewProjectFromGob(context, withGravity("second.gob", "2").string());
  EXPECT_EQ(Setting("Project1", "LevelName"), "Abc Station");
  EXPECT_EQ(Setting("Project2", "LevelName"), "Abc Station (2)");
  EXPECT_EQ(values.ProjectDir, Projects() / "Abc Station (2)");

  OpenProject(context, "Abc Station", 1);
  EXPECT_EQ(level.header.worldGravity, 1.0f);
  EXPECT_EQ(values.GOB2Name, "FIRST.GOB");
  OpenProject(context, "Abc Station (2)", 2);
  EXPECT_EQ(level.header.worldGravity, 2.0f);
  EXPECT_EQ(values.GOB2Name, "SECOND.GOB");
  EXPECT_EQ(ui.captions.back(), kCaption + "Abc Station (2)");
}

TEST_F(ProjectStoreTest, DamagedArchiveEndsInAnErrorAndLeavesNothingBehind) {
  const auto archive =
      Archive("bad.gob", test::GobBuilder{}.Entry("jkl\\01abc.jkl", Level("1")).WithSize(1 << 20));
  EXPECT_THROW(NewProjectFromGob(context, archive.string()), CommandError);
  EXPECT_TRUE(fs::is_empty(Projects()));
  EXPECT_EQ(Setting("Projects", "NProjects"), "<none>");
  EXPECT_THAT(window.calls, IsEmpty());
}

TEST_F(ProjectStoreTest, OpenCommandWithoutProjectsSaysSo) {
  OpenProjectCommand(context);
  settings.WriteSettingInt("Projects", "NProjects", 0);
  OpenProjectCommand(context);
  EXPECT_THAT(ui.boxes, ElementsAre(test::FakeUi::Box{BoxKind::Error, "No projects available!"},
                                    test::FakeUi::Box{BoxKind::Error, "No projects available!"}));
  EXPECT_THAT(ui.projectListsShown, IsEmpty());
}

TEST_F(ProjectStoreTest, OpenCommandListsTheProjectsAndOpensTheChosenOne) {
  NewProjectFromGob(context, TwoLevelArchive("a.gob").string());  // Abc Station, 1.5
  ui.jklChoices.push_back(1);
  NewProjectFromGob(context, TwoLevelArchive("b.gob").string());  // Xyz Base, 2.5
  window.calls.clear();

  ui.projectChoices = {std::nullopt, 0};
  OpenProjectCommand(context);  // Cancel: nothing happens
  EXPECT_THAT(window.calls, IsEmpty());
  EXPECT_EQ(values.ProjectDir, Projects() / "Xyz Base");

  OpenProjectCommand(context);
  EXPECT_THAT(ui.projectListsShown, ElementsAre(ElementsAre("Abc Station", "Xyz Base"),
                                                ElementsAre("Abc Station", "Xyz Base")));
  EXPECT_THAT(window.calls, ElementsAre("BeforeProjectLoad", "ProjectOpened"));
  EXPECT_EQ(values.ProjectDir, Projects() / "Abc Station");
  EXPECT_EQ(values.JKLName, "01abc.jkl");
  EXPECT_EQ(level.header.worldGravity, 1.5f);
}

TEST_F(ProjectStoreTest, FailedOpenLeavesTheOpenProjectAsItWas) {
  NewProjectFromGob(context, TwoLevelArchive("a.gob").string());
  ui.jklChoices.push_back(1);
  NewProjectFromGob(context, TwoLevelArchive("b.gob").string());
  OpenProject(context, "Abc Station", 1);
  const auto captions = ui.captions.size();
  window.calls.clear();

  fs::remove(Projects() / "Xyz Base" / "episode.jk");
  EXPECT_THAT([&] { OpenProject(context, "Xyz Base", 2); },
              Throws<CommandError>(Property(&CommandError::text, "File not found")));
  EXPECT_EQ(values.ProjectDir, Projects() / "Abc Station");
  EXPECT_EQ(values.JKLName, "01abc.jkl");
  EXPECT_EQ(level.header.worldGravity, 1.5f);
  EXPECT_EQ(ui.captions.size(), captions);
  EXPECT_THAT(window.calls, IsEmpty());
}

TEST_F(ProjectStoreTest, HandEditedNamesCannotLeadOutOfTheProjectsFolder) {
  settings.WriteSettingInt("Projects", "NProjects", 2);
  settings.WriteSettingText("Project1", "JKLName", "..\\..\\x.jkl");
  settings.WriteSettingText("Project2", "JKLName", "01abc.jkl");
  for (const auto& [name, n] : std::vector<std::pair<std::string, int>>{
           {"Fine", 1}, {"..", 2}, {"../elsewhere", 2}, {"", 2}}) {
    SCOPED_TRACE(name);
    EXPECT_THAT([&] { OpenProject(context, name, n); },
                Throws<CommandError>(Property(&CommandError::text, "Invalid filename")));
  }
  EXPECT_TRUE(values.ProjectDir.empty());
}

}  // namespace
}  // namespace kx::project
