#include "properties/PageTexts.h"

#include "level/Numbers.h"
#include "mapview/TemplateLookup.h"
#include "properties/PropertyRows.h"

namespace kx::properties {

namespace {

using level::FlagText;
using level::FormatFloat6;
using level::Level;
using mapview::EditMode;

template <typename Table, typename Visit>
void VisitSelected(const Table& table, Visit&& visit) {
  for (int i = 0; i < table.Used(); ++i) {
    if (table[i].marks.IsVisiblySelected() && !visit(i)) return;
  }
}

template <typename Visit>
void VisitSelected(const Level& level, EditMode mode, Visit&& visit) {
  switch (mode) {
    case EditMode::Vertex:
      VisitSelected(level.vertices, visit);
      break;
    case EditMode::Surface:
      VisitSelected(level.surfaces, visit);
      break;
    case EditMode::Sector:
      VisitSelected(level.sectors, visit);
      break;
    case EditMode::Thing:
      VisitSelected(level.things, visit);
      break;
  }
}

/// The entry of a name table, or empty when index names no entry in use.
template <typename Table, typename Name>
std::string NameAt(const Table& table, int index, Name&& name) {
  return table.InUse(index) ? std::string(name(table[index])) : std::string();
}

std::string ModelNameOf(const Level& level, const level::Thing& thing) {
  const int found = mapview::FindTemplate(level, thing.templateName);
  if (found < 0) return {};
  const int model = mapview::FindTemplateModel(level, level.templates[found].params);
  return model < 0 ? std::string() : level.models[model].name;
}

std::string Text(const Level& level, Field field, int index) {
  switch (field) {
    case Field::SurfaceMat:
      return NameAt(level.materials, level.surfaces[index].mat,
                    [](const level::Material& m) { return m.name; });
    case Field::SurfaceSurfflags:
      return FlagText(level.surfaces[index].surfflags);
    case Field::SurfaceFaceflags:
      return FlagText(level.surfaces[index].faceflags);
    case Field::SurfaceGeo:
      return std::to_string(level.surfaces[index].geo);
    case Field::SurfaceLight:
      return std::to_string(level.surfaces[index].light);
    case Field::SurfaceTex:
      return std::to_string(level.surfaces[index].tex);
    case Field::SurfaceAdjoin:
      return std::to_string(level.surfaces[index].adjoin);
    case Field::SurfaceExtralight:
      return FormatFloat6(level.surfaces[index].extralight);
    case Field::SectorFlags:
      return FlagText(level.sectors[index].flags);
    case Field::SectorAmbientLight:
      return FormatFloat6(level.sectors[index].ambientlight);
    case Field::SectorExtraLight:
      return FormatFloat6(level.sectors[index].extralight);
    case Field::SectorColormap:
      return NameAt(level.colormaps, level.sectors[index].colormap,
                    [](const std::string& name) { return name; });
    case Field::SectorSound:
      return level.sectors[index].sound;
    case Field::SectorCenter: {
      const auto& center = level.sectors[index].center;
      return Floats3Text(center[0], center[1], center[2]);
    }
    case Field::SectorRadius:
      return FormatFloat6(level.sectors[index].radius);
    case Field::ThingTemplate:
      return level.things[index].templateName;
    case Field::Thing3DO:
      return ModelNameOf(level, level.things[index]);
    case Field::ThingRotation: {
      const auto& thing = level.things[index];
      return Floats3Text(thing.pitch, thing.yaw, thing.roll);
    }
    case Field::ThingSector:
      return std::to_string(level.things[index].sector);
    case Field::ThingX:
      return FormatFloat6(level.things[index].x);
    case Field::ThingY:
      return FormatFloat6(level.things[index].y);
    case Field::ThingZ:
      return FormatFloat6(level.things[index].z);
    case Field::ThingParams:
      return level.things[index].params;
    case Field::SectorTint:
    case Field::SectorBoundbox:
    case Field::SectorCollidebox:
      break;
  }
  return {};
}

}  // namespace

int SelectedRecord(const Level& level, EditMode mode) {
  int found = -1;
  VisitSelected(level, mode, [&](int index) {
    found = index;
    return false;
  });
  return found;
}

std::vector<int> SelectedRecords(const Level& level, EditMode mode) {
  std::vector<int> indices;
  VisitSelected(level, mode, [&](int index) {
    indices.push_back(index);
    return true;
  });
  return indices;
}

std::vector<std::string> PageTexts(const Level& level, EditMode mode, int count) {
  const PageInfo* page = PageFor(mode);
  if (!page) return {};
  std::vector<std::string> texts(page->rows.size());
  // The counter counts hidden records too: with its one record hidden, nothing qualifies.
  const int index = count == 1 ? SelectedRecord(level, mode) : -1;
  if (index < 0) return texts;
  for (std::size_t row = 0; row < texts.size(); ++row) {
    texts[row] = Text(level, page->rows[row].field, index);
  }
  return texts;
}

std::string Floats3Text(float a, float b, float c) {
  return FormatFloat6(a) + ' ' + FormatFloat6(b) + ' ' + FormatFloat6(c);
}

}  // namespace kx::properties
