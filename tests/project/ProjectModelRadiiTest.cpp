// Opening a project reads its models' radii after the level and the episode file.
#include "support/FakeProjectWindow.h"
#include "support/FakeUi.h"
#include "support/GobBuilder.h"
#include "support/TempDir.h"

#include "platform/CommandError.h"
#include "project/ProjectStore.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::project {
namespace {

namespace fs = std::filesystem;
using platform::BoxKind;

std::string Model(const std::string& radius) {
  return "MATERIALS 1\r\n0: a.mat\r\nSECTION: GEOMETRYDEF\r\nRADIUS " + radius +
         "\r\nGEOSET 0\r\nRADIUS 40\r\n";
}

std::string LevelWithModels() {
  return "SECTION: JK\r\n\r\nSECTION: HEADER\r\nVersion 1\r\nWorld Gravity 4\r\n\r\n"
         "SECTION: MODELS\r\nWorld models 3\r\n0: crate.3do\r\n1: barrel.3do\r\n"
         "2: ghost.3do\r\nend\r\n";
}

class ProjectModelRadiiTest : public ::testing::Test {
 protected:
  ProjectModelRadiiTest() {
    values.ProgramDir = dir.path() / "prog";
    values.JKDir = dir.path() / "Jedi Knight";
    fs::create_directories(values.ProgramDir);
  }

  fs::path UserArchive(const std::string& name) {
    return test::GobBuilder{}
        .Entry("episode.jk", "\"Abc Episode\"\r\nTYPE 1\r\n")
        .Entry("jkl\\01abc.jkl", LevelWithModels())
        .Entry("misc\\cogstrings.uni", "MSGS 1\r\n\"01abc\" 0 \"Abc Station\"\r\nEND\r\n")
        .Entry("3do\\crate.3do", Model("1.25"))
        .WriteTo(dir.path() / "downloads" / name);
  }

  // The game's archive, spelt as a Windows installation spells it.
  fs::path GameArchive() const { return values.JKDir / "Resource" / "Res2.gob"; }

  test::TempDir dir;
  ProjectValues values;
  platform::SettingsFile settings{dir.path() / "prog" / "Kelvarix.ini"};
  level::Level level;
  test::FakeUi ui;
  test::FakeProjectWindow window;
  ProjectContext context{values, settings, level, ui, window};
};

TEST_F(ProjectModelRadiiTest, ModelsComeFromTheProjectFirstAndTheGameSecond) {
  fs::create_directories(GameArchive().parent_path());
  test::GobBuilder{}
      .Entry("3do\\crate.3do", Model("9"))
      .Entry("3do\\barrel.3do", Model("0.75"))
      .WriteTo(GameArchive());

  NewProjectFromGob(context, UserArchive("abc.gob").string());

  ASSERT_EQ(level.models.count, 3);
  EXPECT_FLOAT_EQ(level.models[0].radius, 1.25f);
  EXPECT_FLOAT_EQ(level.models[1].radius, 0.75f);
  EXPECT_FLOAT_EQ(level.models[2].radius, 0.0f);
  EXPECT_THAT(ui.boxes, ::testing::ElementsAre(test::FakeUi::Box{
                            BoxKind::Plain, "Can't find ghost.3do\r in Parse3DOs"}));
  // The radii are read after the level, before the project counts as opened.
  const auto radii =
      std::find(ui.progress.begin(), ui.progress.end(), "begin Parsing 3DO files...|Parsing: |2");
  ASSERT_NE(radii, ui.progress.end());
  const auto levelRead = std::find_if(ui.progress.begin(), radii, [](const std::string& line) {
    return line.rfind("begin Parsing 01abc.jkl...|", 0) == 0;
  });
  EXPECT_NE(levelRead, radii);
  EXPECT_THAT(window.calls, ::testing::ElementsAre("ProjectOpened"));
  EXPECT_EQ(level.episode.title, "Abc Episode");
}

TEST_F(ProjectModelRadiiTest, WithoutTheGameEveryModelOutsideTheProjectIsReported) {
  NewProjectFromGob(context, UserArchive("abc.gob").string());
  EXPECT_FLOAT_EQ(level.models[0].radius, 1.25f);
  EXPECT_THAT(ui.boxes,
              ::testing::ElementsAre(
                  test::FakeUi::Box{BoxKind::Plain, "Can't find barrel.3do\r in Parse3DOs"},
                  test::FakeUi::Box{BoxKind::Plain, "Can't find ghost.3do\r in Parse3DOs"}));
}

TEST_F(ProjectModelRadiiTest, DamagedGameArchiveFailsTheOpenAndKeepsTheOpenProject) {
  NewProjectFromGob(context, UserArchive("abc.gob").string());
  const fs::path opened = values.ProjectDir;
  level.header.worldGravity = 123;

  fs::create_directories(GameArchive().parent_path());
  test::GobBuilder{}.Entry("3do\\barrel.3do", Model("1")).WithSize(1 << 30).WriteTo(GameArchive());
  EXPECT_THROW(OpenProject(context, "Abc Station", 1), platform::CommandError);

  EXPECT_EQ(values.ProjectDir, opened);
  EXPECT_EQ(level.header.worldGravity, 123);
  EXPECT_FALSE(ui.progressShown);
}

}  // namespace
}  // namespace kx::project
