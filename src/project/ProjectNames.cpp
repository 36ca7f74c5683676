#include "project/ProjectNames.h"

#include "level/Words.h"
#include "platform/CommandError.h"
#include "platform/FileIo.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace kx::project {

namespace {

// Longer names are cut; a project folder's name also appears in captions and lists.
constexpr std::size_t kMaxFolderName = 120;

bool IsForbidden(char c) {
  return static_cast<unsigned char>(c) < 32 ||
         std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
}

std::string Cleaned(std::string_view text) {
  std::string name(text.substr(0, kMaxFolderName));
  std::replace_if(name.begin(), name.end(), IsForbidden, '_');
  // Windows drops blanks and dots at the end of a file name; a name of dots only is no name.
  const auto first = name.find_first_not_of(" .");
  if (first == std::string::npos) return {};
  const auto last = name.find_last_not_of(" .");
  name = name.substr(first, last - first + 1);
  if (level::EqualsIgnoringCase(name, kTempDirName)) name += "_";
  return name;
}

}  // namespace

bool IsProjectFolderName(std::string_view name) {
  return !name.empty() && name.size() <= kMaxFolderName && Cleaned(name) == name;
}

std::string ProjectFolderName(std::string_view levelName, std::string_view jklName) {
  std::string name = Cleaned(levelName);
  if (name.empty()) {
    const auto dot = jklName.rfind('.');
    name = Cleaned(jklName.substr(0, dot));
  }
  return name.empty() ? "Level" : name;
}

std::string FreeProjectName(const std::filesystem::path& projectsDir, const std::string& name,
                            const std::vector<std::string>& takenNames) {
  std::set<std::string> taken;
  taken.insert(level::ToUpperAscii(kTempDirName));
  for (const auto& taken_name : takenNames) taken.insert(level::ToUpperAscii(taken_name));
  std::error_code ec;
  for (std::filesystem::directory_iterator it(projectsDir, ec), end; !ec && it != end;
       it.increment(ec)) {
    taken.insert(level::ToUpperAscii(it->path().filename().string()));
  }
  if (!taken.contains(level::ToUpperAscii(name))) return name;
  for (int n = 2; n < 100000; ++n) {
    const std::string candidate = name + " (" + std::to_string(n) + ")";
    if (!taken.contains(level::ToUpperAscii(candidate))) return candidate;
  }
  throw platform::CommandError::InvalidFilename(platform::DisplayPath(projectsDir / name));
}

}  // namespace kx::project
