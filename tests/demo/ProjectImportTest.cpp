// Runs the built `kelvarix-tool project import` on the demo archive and compares what it makes
// with the editor's new-project command.
#include "DemoNames.h"
#include "GeneratedDemo.h"
#include "support/FakeProjectWindow.h"
#include "support/FakeUi.h"
#include "support/GobBuilder.h"
#include "support/TempDir.h"

#include "level/Level.h"
#include "platform/SettingsFile.h"
#include "project/ProjectStore.h"
#include "project/StartUp.h"

#include <cstdlib>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <sys/wait.h>

namespace kx::demo {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
  int status = -1;
  std::string output;  // stdout
  std::string errors;  // stderr
};

// The temporary folders hold no quotes.
std::string Quoted(const fs::path& path) {
  return "'" + path.string() + "'";
}

// Every file below dir, by its path relative to dir, with its bytes.
std::map<std::string, std::string> Tree(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    if (entry.is_regular_file()) {
      files[fs::relative(entry.path(), dir).generic_string()] = kx::test::ReadAll(entry.path());
    }
  }
  return files;
}

// Two program folders whose settings point at the demo's game folder: one for the tool, one for
// the editor's dialog.
class ProjectImportTest : public ::testing::Test {
 protected:
  ProjectImportTest() {
    for (const auto& dir : {ToolDir(), DialogDir()}) {
      fs::create_directories(dir);
      platform::SettingsFile(project::SettingsPath(dir))
          .WriteSettingText("Directories", "JKDir", (test::GeneratedDemo() / "game").string());
    }
  }

  fs::path ToolDir() const { return m_temp.path() / "tool"; }
  fs::path DialogDir() const { return m_temp.path() / "dialog"; }
  std::string Settings() const { return kx::test::ReadAll(project::SettingsPath(ToolDir())); }
  static fs::path Archive() { return test::GeneratedDemo() / kLevelArchive; }
  std::string IntoToolDir() const {
    return Quoted(Archive()) + " --program-dir " + Quoted(ToolDir());
  }

  ToolRun Run(const std::string& arguments, const fs::path& tool = KX_TOOL_PATH) const {
    const fs::path output = m_temp.path() / "output.txt", errors = m_temp.path() / "errors.txt";
    const int status = std::system((Quoted(tool) + " project import " + arguments + " >" +
                                    Quoted(output) + " 2>" + Quoted(errors))
                                       .c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, kx::test::ReadAll(output),
            kx::test::ReadAll(errors)};
  }

  kx::test::TempDir m_temp;
};

TEST_F(ProjectImportTest, RegistersAndExtractsTheDemoAsTheNewProjectCommandDoes) {
  const ToolRun run = Run(IntoToolDir());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, "Demo Station\n");
  EXPECT_EQ(run.errors, "") << "every model was found";

  // File > New project with the demo archive chosen.
  kx::test::FakeUi ui;
  project::ProjectValues values;
  auto settings = project::StartUp(values, DialogDir(), ui);
  auto level = std::make_unique<level::Level>();
  kx::test::FakeProjectWindow window;
  project::ProjectContext context{values, settings, *level, ui, window};
  platform::NewProjectAnswer answer;
  answer.kind = platform::NewProjectAnswer::Kind::UserGob2;
  answer.userGob2 = Archive().string();
  ui.newProjectAnswers.push_back(answer);
  project::NewProjectCommand(context);

  EXPECT_EQ(Settings(), kx::test::ReadAll(project::SettingsPath(DialogDir())));
  EXPECT_EQ(platform::SettingsFile(project::SettingsPath(ToolDir()))
                .ReadSettingText("Project1", "LevelName", ""),
            kLevelTitle);
  const auto imported = Tree(ToolDir() / "Projects");
  EXPECT_EQ(imported, Tree(DialogDir() / "Projects"));
  EXPECT_TRUE(imported.contains("Demo Station/jkl/demo.jkl"));
}

TEST_F(ProjectImportTest, WithoutAProgramDirUsesTheToolsOwnFolder) {
  const fs::path bin = m_temp.path() / "bin";
  fs::create_directories(bin);
  fs::copy_file(KX_TOOL_PATH, bin / "kelvarix-tool");
  const ToolRun run = Run(Quoted(Archive()), bin / "kelvarix-tool");
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_TRUE(fs::exists(bin / "Projects" / "Demo Station" / "jkl" / "demo.jkl"));
  EXPECT_TRUE(fs::exists(bin / "Kelvarix.ini"));
}

TEST_F(ProjectImportTest, ALevelReadWithRecordsLeftOutIsImportedButFailsTheCommand) {
  // SECTOR 1 lies beyond "World sectors 1": the read leaves it out and says so.
  const fs::path archive = m_temp.path() / "lossy.gob";
  kx::test::GobBuilder{}
      .Entry("jkl\\lossy.jkl", kx::test::ReadAll(fs::path(KX_FUZZ_DIR) / "regressions" /
                                                 "jkl-sector-beyond-count-dropped.jkl"))
      .Entry("episode.jk", "\"Lossy\"\r\nTYPE 1\r\n")
      .WriteTo(archive);
  const ToolRun run = Run(Quoted(archive) + " --program-dir " + Quoted(ToolDir()));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output, "lossy\n");
  EXPECT_THAT(run.errors, ::testing::HasSubstr("lossy.jkl was not read completely"));
}

TEST_F(ProjectImportTest, RefusesBadArgumentsAndAnArchiveRegisteredBeforeChangingNothing) {
  ASSERT_EQ(Run(IntoToolDir()).status, 0);
  const std::string registered = Settings();
  const std::pair<std::string, std::string> refused[] = {
      {IntoToolDir(), "Information: A project with that GOB2-name does already exist!\n"},
      {"", "Usage: kelvarix-tool project import ARCHIVE [--program-dir DIR]\n"},
      {IntoToolDir() + " other.gob", "project import: unexpected argument 'other.gob'\n"},
      {IntoToolDir() + " --program-dir", "project import: --program-dir needs a folder\n"},
  };
  for (const auto& [arguments, errors] : refused) {
    const ToolRun run = Run(arguments);
    EXPECT_EQ(run.status, 1) << arguments;
    EXPECT_EQ(run.output, "") << arguments;
    EXPECT_EQ(run.errors, errors);
  }
  EXPECT_EQ(Settings(), registered);
}

}  // namespace
}  // namespace kx::demo
