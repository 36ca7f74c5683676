#include "properties/PropertyRows.h"

#include <array>
#include <stdexcept>

namespace kx::properties {

namespace {

using mapview::EditMode;

constexpr std::string_view kMatHint = "The material of the surface";

constexpr std::array kSurfaceRows{
    RowInfo{Field::SurfaceMat, "Mat:", "lblSurfaceMat", RowKind::Chosen, Chooser::Material,
            kMatHint},
    RowInfo{Field::SurfaceSurfflags, "Surfflags:", "lblSurfaceSurfflags", RowKind::Chosen,
            Chooser::Flags},
    RowInfo{Field::SurfaceFaceflags, "Faceflags:", "lblSurfaceFaceflags", RowKind::Chosen,
            Chooser::Flags},
    RowInfo{Field::SurfaceGeo, "Geo:", "lblSurfaceGeo", RowKind::Integer},
    RowInfo{Field::SurfaceLight, "Light:", "lblSurfaceLight", RowKind::Integer},
    RowInfo{Field::SurfaceTex, "Tex:", "lblSurfaceTex", RowKind::Integer},
    RowInfo{Field::SurfaceAdjoin, "Adjoin:", "lblSurfaceAdjoin", RowKind::Integer},
    RowInfo{Field::SurfaceExtralight, "Extralight:", "lblSurfaceExtralight", RowKind::Float},
};

constexpr std::array kSectorRows{
    RowInfo{Field::SectorFlags, "Flags:", "lblSectorFlags", RowKind::Chosen, Chooser::Flags},
    RowInfo{Field::SectorAmbientLight, "Ambient Light:", "lblSectorAmbientLight", RowKind::Float},
    RowInfo{Field::SectorExtraLight, "Extra Light:", "lblSectorExtraLight", RowKind::Float},
    RowInfo{Field::SectorColormap, "Colormap:", "lblSectorColormap", RowKind::Chosen},
    RowInfo{Field::SectorTint, "Tint:", "lblSectorTint", RowKind::Chosen, Chooser::Tint},
    RowInfo{Field::SectorBoundbox, "Boundbox:", "lblSectorBoundbox", RowKind::Chosen},
    RowInfo{Field::SectorCollidebox, "Collidebox:", "lblSectorCollidebox", RowKind::Chosen},
    RowInfo{Field::SectorSound, "Sound:", "lblSectorSound", RowKind::Chosen},
    RowInfo{Field::SectorCenter, "Center:", "lblSectorCenter", RowKind::Chosen},
    RowInfo{Field::SectorRadius, "Radius:", "lblSectorRadius", RowKind::Chosen},
};

// X, Y and Z stand after Sector, so that where a thing is reads beside the sector it is in.
constexpr std::array kThingRows{
    RowInfo{Field::ThingTemplate, "Template:", "lblThingTemplate", RowKind::Chosen},
    RowInfo{Field::Thing3DO, "3DO:", "lblThing3DO", RowKind::Chosen},
    RowInfo{Field::ThingRotation, "Rotation:", "lblThingRotation", RowKind::Floats3},
    RowInfo{Field::ThingSector, "Sector:", "lblThingSector", RowKind::Integer},
    RowInfo{Field::ThingX, "X:", "lblThingX", RowKind::Float},
    RowInfo{Field::ThingY, "Y:", "lblThingY", RowKind::Float},
    RowInfo{Field::ThingZ, "Z:", "lblThingZ", RowKind::Float},
    RowInfo{Field::ThingParams, "Params:", "lblThingParams", RowKind::Text},
};

constexpr std::array kPages{
    PageInfo{EditMode::Surface, "pnlInfoSurface", "edtSurface", "btnSurfaceMore", 58, 56, 77,
             kSurfaceRows},
    PageInfo{EditMode::Sector, "pnlInfoSector", "edtSector", "btnSectorMore", 80, 78, 99,
             kSectorRows},
    PageInfo{EditMode::Thing, "pnlInfoThing", "edtThing", "btnThingMore", 60, 56, 77, kThingRows},
};

}  // namespace

std::string_view RowInfo::Description() const {
  std::string_view text = caption;
  if (!text.empty() && text.back() == ':') text.remove_suffix(1);
  return text;
}

std::string RowInfo::StepName() const {
  // The material row's chooser names the record kind it picks from.
  if (field == Field::SurfaceMat) return "Change Material";
  return "Change " + std::string(Description());
}

const PageInfo* PageFor(mapview::EditMode mode) {
  for (const PageInfo& page : kPages) {
    if (page.mode == mode) return &page;
  }
  return nullptr;
}

const RowInfo& RowOf(Field field) {
  for (const PageInfo& page : kPages) {
    for (const RowInfo& row : page.rows) {
      if (row.field == field) return row;
    }
  }
  throw std::logic_error("a field without a row");
}

std::span<const PageInfo> Pages() {
  return kPages;
}

}  // namespace kx::properties
