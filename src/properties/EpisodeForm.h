#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kx::editing {
class Editor;
}

/// The rules of the episode dialog: its list of episode types and the name it accepts.
namespace kx::properties {

/// The episode types in the order of the dialog's list.
inline constexpr std::array<std::int32_t, 3> kEpisodeTypes{1, 2, 8};

/// The list item of an episode type; nullopt for a type the list does not hold.
std::optional<int> EpisodeTypeIndex(std::int32_t type);

/// The episode type of list item index (0 to 2).
std::int32_t EpisodeTypeOfIndex(int index);

/// The text of list item index: "Single-player", "Deathmatch", "Special/CTF".
std::string_view EpisodeTypeItem(int index);

/// Why the episode file could not keep name as its first line (a line break, or the character
/// that ends a text file, would cut it and what follows); empty when it can.
std::string EpisodeNameProblem(std::string_view name);

/// Writes the name and, when an item is chosen, its type as one step "Change Episode Info"
/// (none when nothing differs). Without a chosen item the type stays as it is.
void StoreEpisode(editing::Editor& editor, const std::string& name, std::optional<int> typeIndex);

}  // namespace kx::properties
