// Opening a project reads its models' radii after the level and the episode file.
#include "support/FakeProjectWindow.h"
#include "support/FakeUi.h"
#include "support/GobBuilder.h"
#include "support/TempDir.h"

#include "platform/CommandError.h"
#include "project/ProjectStore.h"

#include <gtest/gtest.h>

namespace kx::project {
namespace {

namespace fs = std::filesystem;

std::string Model(const std::string& radius) {
  return "MATERIALS 1\r\n0: a.mat\r\nRADIUS " + radius + "\r\nGEOSET 0\r\nRADIUS 40\r\n";
}

class ProjectModelRadiiTest : public ::testing::Test {
 protected:
  void NewProject() {
    values.ProgramDir = dir.path() / "prog";
    values.JKDir = dir.path() / "Jedi Knight";
    const auto archive = test::GobBuilder{}
                             .Entry("episode.jk", "\"Abc Episode\"\r\nTYPE 1\r\n")
                             .Entry("jkl\\01abc.jkl",
                                    "SECTION: MODELS\r\nWorld models 3\r\n0: crate.3do\r\n"
                                    "1: barrel.3do\r\n2: ghost.3do\r\nend\r\n")
                             .Entry("misc\\cogstrings.uni", "\"01abc\" 0 \"Abc Station\"\r\n")
                             .Entry("3do\\crate.3do", Model("1.25"))
                             .WriteTo(dir.path() / "abc.gob");
    NewProjectFromGob(context, archive.string());
  }
  // The game's archive, spelt as a Windows installation spells it.
  void GameArchive(const test::GobBuilder& builder) {
    fs::create_directories(dir.path() / "Jedi Knight" / "Resource");
    builder.WriteTo(dir.path() / "Jedi Knight" / "Resource" / "Res2.gob");
  }

  test::TempDir dir;
  ProjectValues values;
  platform::SettingsFile settings{dir.path() / "Kelvarix.ini"};
  level::Level level;
  test::FakeUi ui;
  test::FakeProjectWindow window;
  ProjectContext context{values, settings, level, ui, window};
};

TEST_F(ProjectModelRadiiTest, ModelsComeFromTheProjectFirstAndTheGameSecondAfterTheLevel) {
  GameArchive(test::GobBuilder{}
                  .Entry("3do\\crate.3do", Model("9"))
                  .Entry("3do\\barrel.3do", Model("0.75")));
  NewProject();

  EXPECT_EQ(level.models[0].radius, 1.25f);
  EXPECT_EQ(level.models[1].radius, 0.75f);
  EXPECT_EQ(level.models[2].radius, 0.0f);
  EXPECT_EQ(ui.boxes, (std::vector<test::FakeUi::Box>{
                          {platform::BoxKind::Plain, "Can't find ghost.3do\r in Parse3DOs"}}));
  const auto begins = [&](const std::string& prefix) {
    for (std::size_t i = 0; i < ui.progress.size(); ++i) {
      if (ui.progress[i].rfind(prefix, 0) == 0) return i;
    }
    return ui.progress.size();
  };
  EXPECT_LT(begins("begin Parsing 01abc.jkl..."), begins("begin Parsing 3DO files...|Parsing: |2"));
  EXPECT_LT(begins("begin Parsing 3DO files..."), ui.progress.size());
}

TEST_F(ProjectModelRadiiTest, DamagedGameArchiveFailsTheOpenAndKeepsTheOpenProject) {
  NewProject();
  const fs::path opened = values.ProjectDir;
  level.header.worldGravity = 123;
  GameArchive(test::GobBuilder{}.Entry("3do\\barrel.3do", Model("1")).WithSize(1 << 30));

  EXPECT_THROW(OpenProject(context, "Abc Station", 1), platform::CommandError);
  EXPECT_EQ(values.ProjectDir, opened);
  EXPECT_EQ(level.header.worldGravity, 123);
  EXPECT_FALSE(ui.progressShown);
}

}  // namespace
}  // namespace kx::project
