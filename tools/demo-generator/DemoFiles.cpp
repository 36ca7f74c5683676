#include "DemoFiles.h"

#include "DemoLevel.h"
#include "DemoMaterials.h"
#include "DemoModels.h"
#include "DemoNames.h"
#include "DemoSound.h"
#include "building/LevelRules.h"
#include "building/RampPalette.h"

#include "archive/GobWriter.h"
#include "level/EpisodeFile.h"
#include "level/JklWriter.h"
#include "platform/CommandError.h"
#include "platform/FileIo.h"
#include "platform/GamePaths.h"
#include "project/CogStrings.h"

#include <stdexcept>
#include <string>
#include <system_error>

namespace kx::demo {

namespace fs = std::filesystem;

namespace {

// Greets the player shortly after the level starts and warns whoever enters the pit. The
// level's cog line fills the symbols that are not local, in order: pit, delay.
constexpr std::string_view kCogText =
    "# Demo Station: greets the player shortly after the level starts, and warns whoever\r\n"
    "# steps into the pit.\r\n"
    "#\r\n"
    "# The level gives the symbols in this order: pit, delay.\r\n"
    "\r\n"
    "symbols\r\n"
    "\r\n"
    "message     startup\r\n"
    "message     timer\r\n"
    "message     entered\r\n"
    "\r\n"
    "sector      pit\r\n"
    "flex        delay=2.0\r\n"
    "\r\n"
    "end\r\n"
    "\r\n"
    "code\r\n"
    "\r\n"
    "startup:\r\n"
    "    SetTimer(delay);\r\n"
    "    Return;\r\n"
    "\r\n"
    "timer:\r\n"
    "    Print(\"Welcome to Demo Station.\");\r\n"
    "    Return;\r\n"
    "\r\n"
    "entered:\r\n"
    "    Print(\"Mind the pit!\");\r\n"
    "    Return;\r\n"
    "\r\n"
    "end\r\n";

// Writes the files into a folder of their own and packs it into archivePath.
void Pack(const std::vector<building::GeneratedFile>& files, const fs::path& folder,
          const fs::path& archivePath) {
  for (const building::GeneratedFile& file : files) {
    const fs::path path = folder / platform::NativeRelativePath(file.name);
    fs::create_directories(path.parent_path());
    platform::WriteFileAtomically(path, file.bytes);
  }
  fs::create_directories(archivePath.parent_path());
  archive::WriteGob(archive::CollectGobFiles(folder), archivePath);
}

// Removes the folder the archives are put together in, also when writing fails.
class StagingFolder {
 public:
  explicit StagingFolder(fs::path path) : m_path(std::move(path)) {
    fs::remove_all(m_path);
    fs::create_directories(m_path);
  }
  ~StagingFolder() {
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
  }
  StagingFolder(const StagingFolder&) = delete;
  StagingFolder& operator=(const StagingFolder&) = delete;
  const fs::path& Path() const { return m_path; }

 private:
  fs::path m_path;
};

}  // namespace

std::vector<building::GeneratedFile> ResourceFiles() {
  const auto palette = building::RampPalette();
  std::vector<building::GeneratedFile> files = DemoMaterials(palette);
  files.push_back({"misc\\cmp\\" + std::string(kColormap), building::ColormapBytes(palette)});
  for (const building::ModelSpec& model : DemoModels()) {
    files.push_back({"3do\\" + model.name, building::Model3doText(model)});
  }
  files.push_back({"sound\\" + std::string(kHumSound), HumWavBytes()});
  return files;
}

std::vector<building::GeneratedFile> LevelArchiveFiles(const level::Level& level) {
  const std::string jkl(kJklName);
  return {
      {"jkl\\" + jkl, level::FormatLevel(level, "jkl\\" + jkl, level::CurrentTimeStamp())},
      {"episode.jk", level::FormatEpisode(level.episode, jkl)},
      {"misc\\cogstrings.uni", project::FormatCogStrings(jkl, kLevelTitle)},
      {"cog\\" + std::string(kCogScript), std::string(kCogText)},
  };
}

void WriteDemo(const fs::path& outputDir) {
  const auto level = BuildDemoLevel();
  const auto problems = building::CheckLevelRules(*level);
  if (!problems.empty()) {
    std::string text = "The demo level breaks the game's rules:";
    for (const auto& problem : problems) text += "\n  " + problem;
    throw std::runtime_error(text);
  }
  fs::create_directories(outputDir);
  const StagingFolder staging(outputDir / ".staging");
  Pack(ResourceFiles(), staging.Path() / "res2", outputDir / "game" / "resource" / "res2.gob");
  Pack(LevelArchiveFiles(*level), staging.Path() / "level", outputDir / std::string(kLevelArchive));
  // The game puts the levels it is given in its episode folder; the demo's starts empty.
  fs::create_directories(outputDir / "game" / "episode");
}

}  // namespace kx::demo
