#include "properties/EpisodeForm.h"

#include "editing/Editor.h"
#include "level/EpisodeFile.h"

#include <algorithm>

namespace kx::properties {

std::optional<int> EpisodeTypeIndex(std::int32_t type) {
  const auto* found = std::find(kEpisodeTypes.begin(), kEpisodeTypes.end(), type);
  if (found == kEpisodeTypes.end()) return std::nullopt;
  return static_cast<int>(found - kEpisodeTypes.begin());
}

std::int32_t EpisodeTypeOfIndex(int index) {
  return kEpisodeTypes.at(static_cast<std::size_t>(index));
}

std::string_view EpisodeTypeItem(int index) {
  return level::EpisodeTypeName(EpisodeTypeOfIndex(index));
}

std::string EpisodeNameProblem(std::string_view name) {
  if (name.find_first_of("\r\n\x1A") == std::string_view::npos) return {};
  return "The episode name cannot hold a line break or the character of code 26: the episode "
         "file keeps the name on its first line.";
}

void StoreEpisode(editing::Editor& editor, const std::string& name, std::optional<int> typeIndex) {
  auto change = editor.Change("Change Episode Info");
  change.Episode().title = name;
  if (typeIndex) change.Episode().type = EpisodeTypeOfIndex(*typeIndex);
  change.Commit();
}

}  // namespace kx::properties
