// Runs the built `kelvarix-tool project import` on the demo archive and compares what it makes
// with the editor's new-project command.
#include "DemoNames.h"
#include "GeneratedDemo.h"
#include "support/FakeProjectWindow.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

#include "level/Level.h"
#include "platform/SettingsFile.h"
#include "project/ProjectStore.h"
#include "project/StartUp.h"

#include <array>
#include <cstdio>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <sys/wait.h>

namespace kx::demo {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct ToolRun {
  int status = -1;
  std::string output;  // stdout
  std::string errors;  // stderr
};

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
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
  static std::string Archive() { return (test::GeneratedDemo() / kLevelArchive).string(); }

  ToolRun Run(const std::string& arguments, const fs::path& tool = KX_TOOL_PATH) {
    const fs::path errors = m_temp.path() / "errors.txt";
    const std::string command =
        Quoted(tool.string()) + " project import " + arguments + " 2>" + Quoted(errors.string());
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 256> buffer;
    while (fgets(buffer.data(), buffer.size(), pipe)) run.output += buffer.data();
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.errors = kx::test::ReadAll(errors);
    return run;
  }

  // File > New project with the demo archive chosen, in DialogDir.
  void NewProjectThroughTheDialog() {
    project::ProjectValues values;
    auto settings = project::StartUp(values, DialogDir(), m_ui);
    auto level = std::make_unique<level::Level>();
    kx::test::FakeProjectWindow window;
    project::ProjectContext context{values, settings, *level, m_ui, window};
    platform::NewProjectAnswer answer;
    answer.kind = platform::NewProjectAnswer::Kind::UserGob2;
    answer.userGob2 = Archive();
    m_ui.newProjectAnswers.push_back(answer);
    project::NewProjectCommand(context);
    EXPECT_THAT(window.calls, ElementsAre("BeforeProjectLoad", "ProjectOpened"));
    EXPECT_EQ(values.ProjectDir, DialogDir() / "Projects" / kLevelTitle);
  }

  kx::test::TempDir m_temp;
  kx::test::FakeUi m_ui;
};

TEST_F(ProjectImportTest, RegistersAndExtractsTheDemoAsTheNewProjectCommandDoes) {
  const ToolRun run = Run(Quoted(Archive()) + " --program-dir " + Quoted(ToolDir().string()));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, "Demo Station\n");
  EXPECT_EQ(run.errors, "") << "every model was found";

  NewProjectThroughTheDialog();
  m_ui.boxes.erase(m_ui.boxes.begin());  // the start-up warning
  EXPECT_THAT(m_ui.boxes, IsEmpty());

  EXPECT_EQ(kx::test::ReadAll(project::SettingsPath(ToolDir())),
            kx::test::ReadAll(project::SettingsPath(DialogDir())));
  const platform::SettingsFile settings(project::SettingsPath(ToolDir()));
  EXPECT_EQ(settings.ReadSettingInt("Projects", "NProjects", 0), 1);
  EXPECT_EQ(settings.ReadSettingText("Project1", "LevelName", ""), kLevelTitle);
  EXPECT_EQ(settings.ReadSettingText("Project1", "JKLName", ""), kJklName);
  EXPECT_EQ(settings.ReadSettingText("Project1", "GOB2Name", ""), "DEMOSTATION.GOB");

  const auto imported = Tree(ToolDir() / "Projects");
  EXPECT_EQ(imported, Tree(DialogDir() / "Projects"));
  std::vector<std::string> names;
  for (const auto& [name, bytes] : imported) names.push_back(name);
  EXPECT_THAT(names, ElementsAre("Demo Station/cog/dm_station.cog", "Demo Station/episode.jk",
                                 "Demo Station/jkl/demo.jkl", "Demo Station/misc/cogstrings.uni"));
}

TEST_F(ProjectImportTest, RefusesTheSameArchiveTwiceAsTheDialogDoes) {
  const std::string arguments = Quoted(Archive()) + " --program-dir " + Quoted(ToolDir().string());
  ASSERT_EQ(Run(arguments).status, 0);
  const std::string settingsBefore = kx::test::ReadAll(project::SettingsPath(ToolDir()));
  const ToolRun again = Run(arguments);
  EXPECT_EQ(again.status, 1);
  EXPECT_EQ(again.output, "");
  EXPECT_EQ(again.errors, "Information: A project with that GOB2-name does already exist!\n");
  EXPECT_EQ(kx::test::ReadAll(project::SettingsPath(ToolDir())), settingsBefore);
}

TEST_F(ProjectImportTest, ReportsAMissingArchiveAndRegistersNothing) {
  const std::string missing = (m_temp.path() / "nowhere.gob").string();
  const ToolRun run = Run(Quoted(missing) + " --program-dir " + Quoted(ToolDir().string()));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output, "");
  EXPECT_EQ(run.errors, "Error: The file " + missing + " doesn't exist!\nProgram halted.\n");
  const platform::SettingsFile settings(project::SettingsPath(ToolDir()));
  EXPECT_EQ(settings.ReadSettingInt("Projects", "NProjects", 0), 0);
}

TEST_F(ProjectImportTest, WithoutAProgramDirUsesTheToolsOwnFolder) {
  const fs::path bin = m_temp.path() / "bin";
  fs::create_directories(bin);
  fs::copy_file(KX_TOOL_PATH, bin / "kelvarix-tool");
  const ToolRun run = Run(Quoted(Archive()), bin / "kelvarix-tool");
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.output, "Demo Station\n");
  EXPECT_TRUE(fs::exists(bin / "Projects" / "Demo Station" / "jkl" / "demo.jkl"));
  EXPECT_EQ(platform::SettingsFile(bin / "Kelvarix.ini").ReadSettingText("Project1", "JKLName", ""),
            "demo.jkl");
}

TEST_F(ProjectImportTest, RefusesBadArguments) {
  ToolRun run = Run("");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors, "Usage: kelvarix-tool project import ARCHIVE [--program-dir DIR]\n");
  run = Run(Quoted(Archive()) + " --program-dir");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors, "project import: --program-dir needs a folder\n");
  run = Run(Quoted(Archive()) + " other.gob");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors, "project import: unexpected argument 'other.gob'\n");
}

}  // namespace
}  // namespace kx::demo
