#include "CommandLevel.h"
#include "ConsoleUi.h"
#include "ToolCommand.h"

#include "level/Level.h"
#include "platform/GamePaths.h"
#include "platform/SettingsFile.h"
#include "project/ProgramDir.h"
#include "project/ProjectStore.h"
#include "project/ProjectValues.h"
#include "project/ProjectWindow.h"
#include "project/StartUp.h"

#include <iostream>
#include <memory>
#include <stdexcept>

namespace kx::tool {

namespace {

// Without a window there is nothing to clear, enable or redraw around a project's loading.
class NoProjectWindow : public project::ProjectWindow {
 public:
  void BeforeProjectLoad() override {}
  void ProjectOpened() override {}
};

int Import(const std::vector<std::string>& args) {
  std::string archivePath;
  std::filesystem::path programDir;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--program-dir") {
      if (i + 1 >= args.size())
        throw std::runtime_error("project import: --program-dir needs a folder");
      programDir = args[++i];
    } else if (archivePath.empty() && !args[i].starts_with("--")) {
      archivePath = args[i];
    } else {
      throw std::runtime_error("project import: unexpected argument '" + args[i] + "'");
    }
  }
  if (archivePath.empty()) {
    throw std::runtime_error("Usage: kelvarix-tool project import ARCHIVE [--program-dir DIR]");
  }

  project::ProjectValues values;
  values.ProgramDir = programDir.empty() ? project::RunningProgramDir() : programDir;
  platform::SettingsFile settings(project::SettingsPath(values.ProgramDir));
  // The models' radii are read from the game's resources, as when the editor opens a project.
  values.JKDir = platform::NativeDirectory(settings.ReadSettingText("Directories", "JKDir", ""));
  auto level = std::make_unique<level::Level>();
  ConsoleUi ui;
  NoProjectWindow window;
  project::ProjectContext context{values, settings, *level, ui, window};
  const auto outcome = project::NewProjectFromGob(context, archivePath);
  // A refused archive, or a level that could not be opened, was reported in a box.
  if (!outcome) return 1;
  std::cout << values.ProjectDir.filename().string() << '\n';
  if (*outcome == level::ParseOutcome::Complete) return 0;
  // The project is made, but a script must not take a lossy read for a good one.
  ReportIncompleteRead(project::LevelFilePath(values));
  return 1;
}

}  // namespace

CommandList ProjectCommands() {
  return {
      {"project", "import", "ARCHIVE [--program-dir DIR]",
       "Makes a project of a user's GOB2 archive as File > New project does: extracts it into\n"
       "DIR/Projects under the level's name, registers it in DIR/Kelvarix.ini and opens it,\n"
       "taking the first level file when the archive holds several. Prints the project's level\n"
       "name. DIR is the tool's own folder unless --program-dir names another. Exit status 1\n"
       "when the archive is refused (already registered, missing, or without a level), when\n"
       "its level cannot be opened, or when records of the level were left out.",
       Import},
  };
}

}  // namespace kx::tool
