#include "properties/RowCommit.h"

#include "level/JklWriter.h"
#include "level/Numbers.h"
#include "properties/PageTexts.h"

#include <array>
#include <cmath>
#include <vector>

namespace kx::properties {

namespace {

using editing::LevelChange;
using level::Level;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::optional<float> FiniteFloat(std::string_view text) {
  const auto value = level::ParseWholeFloat(text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

/// Three finite floats separated by runs of blanks.
std::optional<std::array<float, 3>> ThreeFloats(std::string_view text) {
  std::array<float, 3> values{};
  std::size_t count = 0;
  std::size_t i = 0;
  while (true) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i == text.size()) break;
    const std::size_t start = i;
    while (i < text.size() && !IsBlank(text[i])) ++i;
    if (count == values.size()) return std::nullopt;
    const auto value = FiniteFloat(text.substr(start, i - start));
    if (!value) return std::nullopt;
    values[count++] = *value;
  }
  if (count != values.size()) return std::nullopt;
  return values;
}

/// The params text as the level file will give it back, or nullopt when the file cannot hold it.
std::optional<std::string> ParamsText(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '#' || (byte < 32 && c != '\t') || byte == 127) return std::nullopt;
  }
  return std::string(text);
}

bool IntegerFits(const Level& level, Field field, std::int32_t value) {
  switch (field) {
    case Field::SurfaceAdjoin:
      return value == -1 || level.adjoins.InUse(value);
    case Field::ThingSector:
      return value == -1 || level.sectors.InUse(value);
    default:
      return true;
  }
}

std::int32_t& IntegerOf(LevelChange& change, Field field, int index) {
  switch (field) {
    case Field::SurfaceGeo:
      return change.Surface(index).geo;
    case Field::SurfaceLight:
      return change.Surface(index).light;
    case Field::SurfaceTex:
      return change.Surface(index).tex;
    case Field::SurfaceAdjoin:
      return change.Surface(index).adjoin;
    case Field::ThingSector:
      return change.Thing(index).sector;
    default:
      throw std::logic_error("not an integer row");
  }
}

float& FloatOf(LevelChange& change, Field field, int index) {
  switch (field) {
    case Field::SurfaceExtralight:
      return change.Surface(index).extralight;
    case Field::SectorAmbientLight:
      return change.Sector(index).ambientlight;
    case Field::SectorExtraLight:
      return change.Sector(index).extralight;
    case Field::ThingX:
      return change.Thing(index).x;
    case Field::ThingY:
      return change.Thing(index).y;
    case Field::ThingZ:
      return change.Thing(index).z;
    default:
      throw std::logic_error("not a float row");
  }
}

template <typename Write>
void WriteEach(editing::Editor& editor, const RowInfo& row, const std::vector<int>& indices,
               Write&& write) {
  auto change = editor.Change(row.StepName());
  for (const int index : indices) write(change, index);
  change.Commit();
}

}  // namespace

std::optional<std::string> CommitTyped(editing::Editor& editor, mapview::EditMode mode,
                                       const RowInfo& row, std::string_view text) {
  const Level& level = editor.Level();
  const std::vector<int> indices = SelectedRecords(level, mode);
  if (indices.empty()) return std::nullopt;
  switch (row.kind) {
    case RowKind::Integer: {
      const auto value = level::ParseWholeInt(text);
      if (!value || !IntegerFits(level, row.field, *value)) return std::nullopt;
      WriteEach(editor, row, indices,
                [&](LevelChange& change, int i) { IntegerOf(change, row.field, i) = *value; });
      // The surface's numbers are shown as typed; the sector a thing is in, as a number.
      return row.field == Field::ThingSector ? std::to_string(*value) : std::string(text);
    }
    case RowKind::Float: {
      const auto value = FiniteFloat(text);
      if (!value) return std::nullopt;
      WriteEach(editor, row, indices,
                [&](LevelChange& change, int i) { FloatOf(change, row.field, i) = *value; });
      return level::FormatFloat6(*value);
    }
    case RowKind::Floats3: {
      const auto values = ThreeFloats(text);
      if (!values) return std::nullopt;
      WriteEach(editor, row, indices, [&](LevelChange& change, int i) {
        auto& thing = change.Thing(i);
        thing.pitch = (*values)[0];
        thing.yaw = (*values)[1];
        thing.roll = (*values)[2];
      });
      return Floats3Text((*values)[0], (*values)[1], (*values)[2]);
    }
    case RowKind::Text: {
      const auto params = ParamsText(text);
      if (!params) return std::nullopt;
      for (const int i : indices) {
        level::Thing thing = level.things[i];
        thing.params = *params;
        if (level::ThingLine(thing, i).size() > kMaxThingLine) return std::nullopt;
      }
      WriteEach(editor, row, indices,
                [&](LevelChange& change, int i) { change.Thing(i).params = *params; });
      return *params;
    }
    case RowKind::Chosen:
      break;
  }
  return std::nullopt;
}

}  // namespace kx::properties
