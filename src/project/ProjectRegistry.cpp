#include "project/ProjectRegistry.h"

#include "level/Words.h"
#include "project/ProjectNames.h"

#include <algorithm>
#include <charconv>

namespace kx::project {

namespace {

// A hand-edited project count is trusted only this far.
constexpr int kMaxProjects = 65536;

int ProjectCount(const platform::SettingsSnapshot& snapshot) {
  return std::clamp(snapshot.Int("Projects", "NProjects", 0), 0, kMaxProjects);
}

// The number of a section named "Project" + n in any letter case, as lookups find it; 0 for
// every other section.
int SectionNumber(std::string_view section) {
  constexpr std::string_view kPrefix = "PROJECT";
  if (section.size() <= kPrefix.size() ||
      !level::EqualsIgnoringCase(section.substr(0, kPrefix.size()), kPrefix)) {
    return 0;
  }
  const std::string_view digits = section.substr(kPrefix.size());
  int n = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
  if (error != std::errc{} || end != digits.data() + digits.size() || n <= 0 ||
      std::to_string(n) != digits) {
    return 0;
  }
  return n;
}

}  // namespace

std::string ProjectSection(int n) {
  return "Project" + std::to_string(n);
}

std::vector<RegisteredProject> RegisteredProjects(const platform::SettingsSnapshot& snapshot) {
  std::vector<RegisteredProject> projects;
  const int count = ProjectCount(snapshot);
  for (int n = 1; n <= count; ++n) {
    projects.push_back({n, snapshot.Text(ProjectSection(n), "LevelName", "")});
  }
  return projects;
}

std::optional<std::filesystem::path> ProjectFolder(const std::filesystem::path& programDir,
                                                   const std::string& levelName) {
  if (!IsProjectFolderName(levelName)) return std::nullopt;
  return programDir / "Projects" / levelName;
}

int RegisterProject(platform::SettingsFile& settings, const std::string& levelName,
                    const std::string& jklName, const std::string& gob2Name) {
  const int n = ProjectCount(settings.Snapshot()) + 1;
  const std::string section = ProjectSection(n);
  settings.WriteSettingText(section, "LevelName", levelName);
  settings.WriteSettingText(section, "JKLName", jklName);
  settings.WriteSettingText(section, "GOB2Name", gob2Name);
  settings.WriteSettingInt("Projects", "NProjects", n);
  return n;
}

void UnregisterProject(platform::SettingsFile& settings, int n) {
  const int count = ProjectCount(settings.Snapshot());
  if (n < 1 || n > count) return;
  settings.RenameSections([&](std::string_view section) -> std::optional<std::string> {
    const int k = SectionNumber(section);
    if (k == n) return std::nullopt;
    if (k > n && k <= count) return ProjectSection(k - 1);
    return std::string(section);
  });
  // Should this write fail, the last number names no section: it lists as a project whose
  // folder is gone, which the open command offers to take off the list.
  settings.WriteSettingInt("Projects", "NProjects", count - 1);
}

}  // namespace kx::project
