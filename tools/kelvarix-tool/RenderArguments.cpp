#include "RenderArguments.h"

#include "level/Numbers.h"
#include "platform/GamePaths.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kx::tool {

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    parts.push_back(text.substr(start, comma - start));
    if (comma == std::string::npos) return parts;
    start = comma + 1;
  }
}

int WholeNumberArgument(std::string_view command, const std::string& text,
                        const std::string& option, int low, int high) {
  const auto value = level::ParseWholeInt(text);
  if (!value || *value < low || *value > high) {
    throw std::runtime_error(std::string(command) + ": " + option + " wants a whole number from " +
                             std::to_string(low) + " to " + std::to_string(high) + ", not '" +
                             text + "'");
  }
  return *value;
}

float NumberArgument(std::string_view command, const std::string& text, const std::string& option) {
  const auto value = level::ParseWholeFloat(text);
  if (!value || !std::isfinite(*value)) {
    throw std::runtime_error(std::string(command) + ": " + option + " wants a number, not '" + text +
                             "'");
  }
  return *value;
}

std::optional<mapview::EditMode> EditModeNamed(std::string_view name) {
  if (name == "vertex") return mapview::EditMode::Vertex;
  if (name == "surface") return mapview::EditMode::Surface;
  if (name == "sector") return mapview::EditMode::Sector;
  if (name == "thing") return mapview::EditMode::Thing;
  return std::nullopt;
}

// A level lives in the jkl folder of its project; its models and materials in the project.
std::filesystem::path ProjectDirOf(const std::filesystem::path& jkl) {
  const std::filesystem::path folder = std::filesystem::absolute(jkl).parent_path();
  return platform::SameNameIgnoringCase(folder.filename().string(), "jkl") ? folder.parent_path()
                                                                           : folder;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace kx::tool
