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
using Box = test::FakeUi::Box;
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
    values.JKDir = dir.path() / "Jedi Knight";
    fs::create_directories(values.ProgramDir);
  }

  // The entries given and an episode file.
  std::string Archive(const std::string& name, test::GobBuilder entries) {
    return entries.Entry("episode.jk", kEpisode).WriteTo(dir.path() / "downloads" / name).string();
  }
  // The string table and one level per JKL entry, told apart by its gravity.
  std::string Levels(const std::string& name,
                     const std::vector<std::pair<std::string, std::string>>& jkls) {
    test::GobBuilder entries;
    for (const auto& [jkl, gravity] : jkls) entries.Entry(jkl, Level(gravity));
    return Archive(name, entries.Entry("misc\\cogstrings.uni", kCogStrings));
  }
  std::string TwoLevels(const std::string& name) {
    return Levels(name, {{"jkl\\02xyz.jkl", "2.5"}, {"jkl\\01abc.jkl", "1.5"}});
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
  const auto archive = TwoLevels("level.gob");
  platform::NewProjectAnswer answer;
  answer.kind = platform::NewProjectAnswer::Kind::UserGob2;
  answer.userGob2 = archive;
  ui.newProjectAnswers.push_back(answer);
  ui.jklChoices.push_back(1);
  NewProjectCommand(context);

  // The chooser lists the levels sorted by name, whatever the archive's order.
  EXPECT_THAT(ui.jklListsShown, ElementsAre(ElementsAre("01abc.jkl", "02xyz.jkl")));
  EXPECT_FALSE(fs::exists(Projects() / "tempdir"));
  EXPECT_EQ(values.ProjectDir, Projects() / "Xyz Base");
  EXPECT_EQ(level.header.worldGravity, 2.5f);
  EXPECT_EQ(level.episode.title, "Abc Episode");
  EXPECT_THAT(ui.captions, ElementsAre(kCaption + "Xyz Base"));
  EXPECT_THAT(window.calls, ElementsAre("BeforeProjectLoad", "ProjectOpened"));
  EXPECT_THAT(ui.boxes, IsEmpty());
}

TEST_F(ProjectStoreTest, ChooserIsShownOnlyForSeveralLevelsAndDefaultsToTheFirst) {
  // A stale level left in tempdir by an earlier failure would make a second choice.
  dir.Write("prog/Projects/tempdir/jkl/00stale.jkl", Level("9"));
  dir.Write("prog/Projects/tempdir/stale.txt", "old");
  NewProjectFromGob(context, Levels("one.gob", {{"jkl\\02xyz.JKL", "2"}}));
  EXPECT_THAT(ui.jklListsShown, IsEmpty());
  EXPECT_EQ(values.JKLName, "02xyz.JKL");
  EXPECT_EQ(values.ProjectDir, Projects() / "Xyz Base");
  EXPECT_FALSE(fs::exists(values.ProjectDir / "stale.txt"));

  // Nothing highlighted when the chooser closes: the first level by name.
  NewProjectFromGob(context, TwoLevels("two.gob"));
  EXPECT_EQ(ui.jklListsShown.size(), 1u);
  EXPECT_EQ(values.JKLName, "01abc.jkl");
  EXPECT_EQ(values.ProjectDir, Projects() / "Abc Station");
}

TEST_F(ProjectStoreTest, ArchiveNamesAlreadyRegisteredOrThatCannotBePackedAreRefused) {
  settings.WriteSettingInt("Projects", "NProjects", 1);
  settings.WriteSettingText("Project1", "GOB2Name", "LEVEL.GOB");
  NewProjectFromGob(context, TwoLevels("level.gob"));
  EXPECT_THAT(ui.boxes, ElementsAre(Box{BoxKind::Information,
                                        "A project with that GOB2-name does already exist!"}));
  EXPECT_THAT([&] { NewProjectFromGob(context, TwoLevels("a:b.gob")); },
              Throws<CommandError>(AllOf(Property(&CommandError::text, "Invalid filename"),
                                         Property(&CommandError::detail, "a:b.gob"))));
  EXPECT_FALSE(fs::exists(Projects()));
  EXPECT_EQ(settings.ReadSettingInt("Projects", "NProjects", 0), 1);
  EXPECT_THAT(window.calls, IsEmpty());
}

TEST_F(ProjectStoreTest, MissingEmptyOrDamagedArchivesAreCleanedUpAndNotRegistered) {
  const auto name = (dir.path() / "nothere.gob").string();
  NewProjectFromGob(context, name);
  NewProjectFromGob(context, Levels("nolevel.gob", {{"jkl\\readme.txt", "0"}}));
  EXPECT_THAT(ui.boxes,
              ElementsAre(Box{BoxKind::Error,
                              "The file " + name + " doesn't exist!\rProgram halted."},
                          Box{BoxKind::Error, "No JKL-files found in GOB2 file!"}));
  EXPECT_TRUE(fs::is_empty(Projects()));

  const auto damaged =
      Archive("bad.gob", test::GobBuilder{}.Entry("jkl\\01abc.jkl", Level("1")).WithSize(1 << 20));
  EXPECT_THROW(NewProjectFromGob(context, damaged), CommandError);
  EXPECT_TRUE(fs::is_empty(Projects()));
  EXPECT_EQ(Setting("Projects", "NProjects"), "<none>");
  EXPECT_THAT(window.calls, IsEmpty());
}

TEST_F(ProjectStoreTest, AnImportThatCannotBeOpenedIsShownThenLeavesNothingBehind) {
  NewProjectFromGob(context, TwoLevels("first.gob"));  // stays as it is
  const auto registered = test::ReadAll(settings.Path());
  window.calls.clear();

  // A resource-only archive: its one level file has no episode file beside it.
  const auto archive = test::GobBuilder{}
                           .Entry("jkl\\static.jkl", Level("1"))
                           .WriteTo(dir.path() / "downloads" / "static.gob");
  struct WatchingUi : test::FakeUi {
    std::vector<bool> folderThere;  // at each box
    fs::path folder;
    void ShowMessage(BoxKind kind, const std::string& text) override {
      folderThere.push_back(fs::exists(folder));
      FakeUi::ShowMessage(kind, text);
    }
  } watching;
  watching.folder = Projects() / "static";
  ProjectContext watched{values, settings, level, watching, window};
  NewProjectFromGob(watched, archive.string());

  const auto episode = Projects() / "static" / "episode.jk";
  EXPECT_THAT(watching.boxes,
              ElementsAre(Box{BoxKind::Error, "File not found\n" + episode.string()}));
  EXPECT_THAT(watching.folderThere, ElementsAre(true)) << "the error comes before the clean-up";
  EXPECT_FALSE(fs::exists(Projects() / "static"));
  EXPECT_FALSE(fs::exists(Projects() / "tempdir"));
  EXPECT_EQ(test::ReadAll(settings.Path()), registered);
  EXPECT_EQ(values.ProjectDir, Projects() / "Abc Station");
  EXPECT_THAT(window.calls, IsEmpty());
}

TEST_F(ProjectStoreTest, AnImportThatCannotBeRegisteredLeavesNoFolder) {
  fs::create_directories(settings.Path());  // a settings file that cannot be written
  EXPECT_THAT([&] { NewProjectFromGob(context, TwoLevels("level.gob")); },
              Throws<CommandError>(
                  Property(&CommandError::text, "Unable to write to " + settings.Path().string())));
  EXPECT_TRUE(fs::is_empty(Projects()));
  EXPECT_TRUE(values.ProjectDir.empty());
}

TEST_F(ProjectStoreTest, LevelNameIsLookedUpIgnoringCaseOrIsTheJklFilesName) {
  NewProjectFromGob(context,
                    Archive("nouni.gob", test::GobBuilder{}.Entry("jkl\\03raw.jkl", Level("3"))));
  EXPECT_EQ(Setting("Project1", "LevelName"), "03raw");
  EXPECT_EQ(values.ProjectDir, Projects() / "03raw");

  NewProjectFromGob(context, Archive("upper.gob", test::GobBuilder{}
                                                      .Entry("JKL\\02xyz.jkl", Level("4"))
                                                      .Entry("MISC\\CogStrings.UNI", kCogStrings)));
  EXPECT_EQ(Setting("Project2", "LevelName"), "Xyz Base");
  EXPECT_EQ(level.header.worldGravity, 4.0f);
}

TEST_F(ProjectStoreTest, TakenLevelNameGetsANumberAndEachProjectOpensItsOwnFiles) {
  NewProjectFromGob(context, Levels("first.gob", {{"jkl\\01abc.jkl", "1"}}));
  NewProjectFromGob(context, Levels("second.gob", {{"jkl\\01abc.jkl", "2"}}));
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

std::string Model(const std::string& radius) {
  return "MATERIALS 1\r\n0: a.mat\r\nRADIUS " + radius + "\r\nGEOSET 0\r\nRADIUS 40\r\n";
}

TEST_F(ProjectStoreTest, OpeningReadsModelRadiiFromTheProjectThenTheGameOrFailsAsAWhole) {
  const auto res2 = dir.path() / "Jedi Knight" / "Resource" / "Res2.gob";
  test::GobBuilder{}
      .Entry("3do\\crate.3do", Model("9"))
      .Entry("3do\\barrel.3do", Model("0.75"))
      .WriteTo(res2);
  const std::string models =
      "SECTION: MODELS\r\nWorld models 2\r\n0: crate.3do\r\n1: barrel.3do\r\nend\r\n";
  NewProjectFromGob(context, Archive("abc.gob", test::GobBuilder{}
                                                    .Entry("jkl\\01abc.jkl", models)
                                                    .Entry("3do\\crate.3do", Model("1.25"))));
  EXPECT_EQ(level.models[0].radius, 1.25f);
  EXPECT_EQ(level.models[1].radius, 0.75f);

  // A damaged game archive fails the open after the level was read: the level stays as it was.
  level.header.worldGravity = 123;
  test::GobBuilder{}.Entry("3do\\barrel.3do", Model("1")).WithSize(1 << 30).WriteTo(res2);
  EXPECT_THROW(OpenProject(context, "01abc", 1), CommandError);
  EXPECT_EQ(level.header.worldGravity, 123);
  EXPECT_FALSE(ui.progressShown);
}

TEST_F(ProjectStoreTest, OpenCommandListsTheProjectsAndOpensTheChosenOne) {
  NewProjectFromGob(context, TwoLevels("a.gob"));  // Abc Station, 1.5
  ui.jklChoices.push_back(1);
  NewProjectFromGob(context, TwoLevels("b.gob"));  // Xyz Base, 2.5
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

  // A project that fails to open leaves the open one as it was.
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

// Four registered projects A to D whose folders hold a level each, told apart by gravity.
class ProjectListTest : public ProjectStoreTest {
 protected:
  ProjectListTest() {
    int n = 0;
    for (const std::string name : {"A", "B", "C", "D"}) {
      ++n;
      dir.Write("prog/Projects/" + name + "/jkl/" + name + ".jkl", Level(std::to_string(n)));
      dir.Write("prog/Projects/" + name + "/episode.jk", kEpisode);
      settings.WriteSettingText("Project" + std::to_string(n), "LevelName", name);
      settings.WriteSettingText("Project" + std::to_string(n), "JKLName", name + ".jkl");
      settings.WriteSettingText("Project" + std::to_string(n), "GOB2Name", name + ".GOB");
    }
    settings.WriteSettingInt("Projects", "NProjects", 4);
  }

  std::vector<std::string> Listed() {
    std::vector<std::string> names;
    const int count = settings.ReadSettingInt("Projects", "NProjects", 0);
    for (int n = 1; n <= count; ++n) {
      const std::string section = "Project" + std::to_string(n);
      names.push_back(Setting(section, "LevelName") + " " + Setting(section, "JKLName") + " " +
                      Setting(section, "GOB2Name"));
    }
    return names;
  }
  static platform::ProjectChoice Remove(int index) {
    return {platform::ProjectChoice::Action::Remove, index};
  }
};

TEST_F(ProjectListTest, AProjectWhoseFolderIsGoneIsNotListedAndIsTakenOffWhenTheUserAgrees) {
  fs::remove_all(Projects() / "B");
  const std::string question = "The folder of the project \"B\" is gone:\r" +
                               (Projects() / "B").string() +
                               "\r\rRemove the project from the list?";
  ui.yesNoAnswers = {false};
  ui.projectChoices = {std::nullopt, 1};
  OpenProjectCommand(context);
  EXPECT_THAT(ui.projectListsShown, ElementsAre(ElementsAre("A", "C", "D")));
  EXPECT_EQ(Listed().size(), 4u) << "No keeps it listed in the settings";

  ui.yesNoAnswers = {true};
  OpenProjectCommand(context);  // opens the second entry: C, now project 2
  EXPECT_THAT(ui.boxes,
              ElementsAre(Box{BoxKind::Confirm, question}, Box{BoxKind::Confirm, question}));
  EXPECT_THAT(Listed(), ElementsAre("A A.jkl A.GOB", "C C.jkl C.GOB", "D D.jkl D.GOB"));
  EXPECT_EQ(level.header.worldGravity, 3.0f);
  EXPECT_EQ(values.GOB2Name, "C.GOB");

  // With every folder gone there is nothing to open.
  ui.boxes.clear();
  for (const char* name : {"A", "C", "D"}) fs::remove_all(Projects() / name);
  OpenProjectCommand(context);
  EXPECT_EQ(ui.boxes.size(), 4u);
  EXPECT_EQ(ui.boxes.back(), (Box{BoxKind::Error, "No projects available!"}));
  EXPECT_EQ(ui.projectListsShown.size(), 2u) << "no list without a project";
  EXPECT_EQ(Listed().size(), 3u);
}

TEST_F(ProjectListTest, RemoveTakesAProjectOffTheListAndDeletesItsFolderOnlyAfterYes) {
  OpenProject(context, "D", 4);
  dir.Write("prog/Projects/B/notes.txt", "mine");
  // Remove C, answered No; then B, answered Yes; then D, which is open; then open A.
  ui.yesNoAnswers = {false, true};
  ui.projectChoices = {Remove(2), Remove(1), Remove(2), 0};
  OpenProjectCommand(context);

  EXPECT_THAT(ui.projectListsShown,
              ElementsAre(ElementsAre("A", "B", "C", "D"), ElementsAre("A", "B", "C", "D"),
                          ElementsAre("A", "C", "D"), ElementsAre("A", "C", "D")));
  const auto folder = [&](const char* name) { return (Projects() / name).string(); };
  EXPECT_THAT(ui.boxes, ElementsAre(Box{BoxKind::Confirm,
                                        "Remove the project \"C\" from the list and delete "
                                        "its folder with all its files?\r" +
                                            folder("C")},
                                    Box{BoxKind::Confirm,
                                        "Remove the project \"B\" from the list and delete "
                                        "its folder with all its files?\r" +
                                            folder("B")},
                                    Box{BoxKind::Information,
                                        "The project \"D\" is open. Open another "
                                        "project before removing this one."}));
  EXPECT_THAT(Listed(), ElementsAre("A A.jkl A.GOB", "C C.jkl C.GOB", "D D.jkl D.GOB"));
  EXPECT_FALSE(fs::exists(Projects() / "B"));
  EXPECT_TRUE(fs::exists(Projects() / "C" / "jkl" / "C.jkl"));
  EXPECT_TRUE(fs::exists(Projects() / "D"));
  EXPECT_EQ(values.ProjectDir, Projects() / "A");
  EXPECT_EQ(level.header.worldGravity, 1.0f);
}

TEST_F(ProjectListTest, RemovingTheLastProjectOrOneSharingItsFolderKeepsWhatIsStillListed) {
  // A hand-edited list where two projects name one folder: removing one keeps the folder.
  settings.WriteSettingText("Project4", "LevelName", "C");
  ui.yesNoAnswers = {true, true, true, true};
  ui.projectChoices = {Remove(3), std::nullopt};
  OpenProjectCommand(context);
  EXPECT_THAT(Listed(), ElementsAre("A A.jkl A.GOB", "B B.jkl B.GOB", "C C.jkl C.GOB"));
  EXPECT_TRUE(fs::exists(Projects() / "C" / "jkl" / "C.jkl"));

  // A, B and C one by one; the empty list ends the command without a box.
  ui.projectChoices = {Remove(0), Remove(0), Remove(0)};
  OpenProjectCommand(context);
  EXPECT_THAT(Listed(), IsEmpty());
  EXPECT_FALSE(fs::exists(Projects() / "C"));
  EXPECT_TRUE(fs::exists(Projects() / "D")) << "unlisted since the edit: never touched";
  EXPECT_EQ(ui.boxes.size(), 4u);
  EXPECT_EQ(ui.projectListsShown.size(), 5u);
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
