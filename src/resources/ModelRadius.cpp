#include "resources/ModelRadius.h"

#include "level/Numbers.h"
#include "level/Words.h"

#include <string_view>

namespace kx::resources {

namespace {

using level::ToUpperAscii;
using level::Trim;

// Model files are read case-blind and with "#" comments; an empty result means the line is
// skipped.
std::string CleanLine(std::string_view raw) {
  std::string line(Trim(ToUpperAscii(raw)));
  const std::size_t hash = line.find('#');
  if (hash == std::string::npos) return line;
  if (hash == 0) return {};
  return std::string(Trim(std::string_view(line).substr(0, hash)));
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

enum class Phase { BeforeMaterials, Materials, AfterMaterials };

}  // namespace

std::string NextToken(std::string& line) {
  const std::string_view trimmed = Trim(line);
  std::size_t split = trimmed.find('\t');
  if (split == std::string_view::npos) split = trimmed.find(' ');
  if (split == std::string_view::npos) {
    std::string word(trimmed);
    line.clear();
    return word;
  }
  std::string word(Trim(trimmed.substr(0, split)));
  line = std::string(Trim(trimmed.substr(split + 1)));
  return word;
}

std::optional<float> Read3DORadius(LineSource& lines) {
  Phase phase = Phase::BeforeMaterials;
  std::optional<float> radius;
  while (!lines.AtEnd()) {
    std::string line = CleanLine(lines.ReadLine());
    if (line.empty()) continue;
    if (StartsWith(line, "MATERIALS")) {
      phase = Phase::Materials;
    } else if (StartsWith(line, "GEOSET") || StartsWith(line, "HIERARCHY NODES")) {
      // Meshes after the geometry sets carry radii of their own; only the model's counts.
      if (phase == Phase::Materials) phase = Phase::AfterMaterials;
    }
    if (phase != Phase::Materials) continue;
    // "0: wall.mat" lines of the material list; "SECTION: GEOMETRYDEF" is no such entry.
    if (line.find(':') != std::string::npos && !StartsWith(line, "SECTION")) continue;
    if (StartsWith(line, "RADIUS")) {
      NextToken(line);
      radius = level::ParseFloat(NextToken(line));
    }
  }
  return radius;
}

}  // namespace kx::resources
