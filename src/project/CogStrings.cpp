#include "project/CogStrings.h"

#include "level/Words.h"
#include "platform/FileIo.h"

#include <algorithm>
#include <system_error>

namespace kx::project {

std::string LevelNameFromCogStrings(const std::filesystem::path& uniPath,
                                    std::string_view jklName) {
  std::error_code ec;
  if (!std::filesystem::exists(uniPath, ec)) return {};
  const std::string text = platform::ReadFileBytes(uniPath);
  const std::string_view stem =
      jklName.size() >= 4 ? jklName.substr(0, jklName.size() - 4) : std::string_view();
  const std::string key = "\"" + level::ToUpperAscii(stem) + "\"";

  std::string_view rest = text;
  while (!rest.empty()) {
    const auto lineEnd = rest.find('\n');
    std::string_view line = rest.substr(0, lineEnd);
    rest = lineEnd == std::string_view::npos ? std::string_view() : rest.substr(lineEnd + 1);
    line = level::Trim(line);
    // The key is the line's first quoted word: "01abc" 0 "Abc Station".
    if (line.empty() || line.front() != '"' || !level::StartsWithIgnoringCase(line, key)) {
      continue;
    }
    const std::string_view value = line.substr(key.size());
    const auto open = value.find('"');
    if (open == std::string_view::npos) continue;
    const auto close = value.find('"', open + 1);
    if (close == std::string_view::npos) continue;
    return std::string(value.substr(open + 1, close - open - 1));
  }
  return {};
}

std::string FormatCogStrings(std::string_view jklName, std::string_view levelName) {
  const std::string_view stem =
      jklName.size() >= 4 ? jklName.substr(0, jklName.size() - 4) : std::string_view();
  std::string text(levelName);
  std::replace(text.begin(), text.end(), '"', '\'');
  return "MSGS 1\r\n\r\n#  \"<key>\"     <unused number>   \"<string>\"\r\n\r\n\"" +
         level::ToUpperAscii(stem) + "\" 0 \"" + text + "\"\r\n\r\nEND\r\n";
}

}  // namespace kx::project
