#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kx::project {

/// The level's display name from the string table misc\cogstrings.uni: on the first line whose
/// first quoted word is the JKL file's name without ".jkl" (case ignored), the text in the next
/// pair of double quotes. Empty when the file is missing or has no such line. Throws
/// CommandError with the runtime's text when the file exists but cannot be read.
std::string LevelNameFromCogStrings(const std::filesystem::path& uniPath, std::string_view jklName);

/// A string table misc\cogstrings.uni that names one level: the key is the JKL file's name
/// without ".jkl" in capitals, the text levelName (its double quotes, which would end it, become
/// single ones). Lines end in CR LF.
std::string FormatCogStrings(std::string_view jklName, std::string_view levelName);

}  // namespace kx::project
