#pragma once

#include "mapview/EditMode.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// What the render commands (map render, preview render) read from their arguments alike.
namespace kx::tool {

/// The parts of text between its commas ("1,,2" gives "1", "" and "2").
std::vector<std::string> SplitCommas(const std::string& text);

/// text as a whole number from low to high; otherwise throws std::runtime_error
/// "COMMAND: OPTION wants a whole number from LOW to HIGH, not 'TEXT'".
int WholeNumberArgument(std::string_view command, const std::string& text,
                        const std::string& option, int low, int high);

/// text as a finite number; otherwise throws std::runtime_error
/// "COMMAND: OPTION wants a number, not 'TEXT'" (1e39, inf and nan are no place on a map).
float NumberArgument(std::string_view command, const std::string& text, const std::string& option);

/// The edit mode named vertex, surface, sector or thing; nullopt for any other text.
std::optional<mapview::EditMode> EditModeNamed(std::string_view name);

/// The project of a level: the folder above the level's jkl folder, or the level's own folder
/// when that is not named jkl.
std::filesystem::path ProjectDirOf(const std::filesystem::path& jkl);

/// The middle value of values (the mean of the two middle ones for an even count); values must
/// not be empty.
double Median(std::vector<double> values);

}  // namespace kx::tool
