#include "DemoLevel.h"

#include "DemoModels.h"
#include "DemoNames.h"
#include "building/BoxBuilder.h"
#include "building/GameDefaults.h"
#include "building/Lighting.h"

#include "level/Numbers.h"

#include <array>
#include <string>
#include <vector>

namespace kx::demo {

namespace {

using building::BoxBuilder;
using building::BoxSector;
using building::Fill;
using building::kSideCount;
using building::Side;
using building::SurfaceLook;
using building::Vec3;

// The level's materials, in table order.
enum Mat : std::int32_t { kFloor, kBrick, kMetal, kSky, kLights, kCrate, kGlow };
constexpr std::array<std::string_view, 7> kMaterials{kFloorMat,  kBrickMat, kMetalMat, kSkyMat,
                                                     kLightsMat, kCrateMat, kGlowMat};

// Surface flags: 0x1 a floor things stand on, 0x4 a surface that collides, 0x200 the horizon
// sky is drawn on it.
constexpr std::uint32_t kWall = 0x4;
constexpr std::uint32_t kWalkable = 0x5;
constexpr std::uint32_t kHorizonSky = 0x204;

SurfaceLook Look(std::int32_t mat, std::uint32_t flags) {
  SurfaceLook look;
  look.mat = mat;
  look.surfflags = flags;
  return look;
}

// The looks of a box: its floor, its four walls and its ceiling.
std::array<SurfaceLook, kSideCount> Looks(SurfaceLook floor, SurfaceLook walls,
                                          SurfaceLook ceiling) {
  std::array<SurfaceLook, kSideCount> looks;
  looks.fill(walls);
  looks[static_cast<std::size_t>(Side::Floor)] = floor;
  looks[static_cast<std::size_t>(Side::Ceiling)] = ceiling;
  return looks;
}

level::Sector SectorValues(float ambient) {
  level::Sector values;
  values.ambientlight = ambient;
  values.colormap = 0;
  return values;
}

// The world point at (x, y, z) from the corner of the hall.
Vec3 At(double x, double y, double z) {
  return kLevelCorner + Vec3{x, y, z};
}

void BuildGeometry(level::Level& level) {
  BoxBuilder builder;
  BoxSector hall{At(0, 0, 0), At(1.6, 1.6, 0.6),
                 Looks(Look(kFloor, kWalkable), Look(kBrick, kWall), Look(kMetal, kWall)),
                 SectorValues(0.25f)};
  // The hall hums with machinery.
  hall.values.hassound = 1;
  hall.values.sound = std::string(kHumSound);
  hall.values.soundvolume = 0.6f;
  const BoxSector doorway{At(1.6, 0.65, 0), At(1.7, 0.95, 0.35),
                          Looks(Look(kMetal, kWalkable), Look(kMetal, kWall), Look(kMetal, kWall)),
                          SectorValues(0.3f)};
  const BoxSector corridor{
      At(1.7, 0.6, 0), At(2.9, 1.0, 0.4),
      Looks(Look(kFloor, kWalkable), Look(kMetal, kWall), Look(kLights, kWall)),
      SectorValues(0.3f)};
  const BoxSector atrium{
      At(2.9, 0.2, 0), At(4.1, 1.4, 1.2),
      Looks(Look(kFloor, kWalkable), Look(kBrick, kWall), Look(kSky, kHorizonSky)),
      SectorValues(0.4f)};
  // The pit's floor glows, and tints what is seen down there orange.
  BoxSector pit{At(3.3, 0.6, -0.6), At(3.7, 1.0, 0),
                Looks(Look(kGlow, kWalkable), Look(kBrick, kWall), Look(kBrick, kWall)),
                SectorValues(0.15f)};
  pit.values.tint = {0.6f, 0.2f, 0.0f};

  for (const BoxSector& sector : {hall, doorway, corridor, atrium, pit}) {
    builder.AddSector(sector);
  }
  builder.Join(kHallSector, kDoorwaySector);
  builder.Join(kDoorwaySector, kCorridorSector);
  builder.Join(kCorridorSector, kAtriumSector);
  builder.Join(kAtriumSector, kPitSector);
  builder.Build(level);
}

struct Placement {
  std::string_view templateName;
  double x, y, z;  // from the corner of the hall
  double yaw;
};

}  // namespace

int SectorContaining(const level::Level& level, double x, double y, double z) {
  const Vec3 point{x, y, z};
  for (int s = 0; s < level.sectors.Used(); ++s) {
    const level::Sector& sector = level.sectors[s];
    bool inside = sector.nsurfaces > 0;
    for (int i = sector.firstsurface; inside && i < sector.firstsurface + sector.nsurfaces; ++i) {
      const auto& v = level.vertices[level.surfaces[i].vertices[0].vertex];
      const auto& n = level.normals[static_cast<std::size_t>(i)];
      inside = Dot(point - Vec3{v.x, v.y, v.z}, Vec3{n.x, n.y, n.z}) >= 0;
    }
    if (inside) return s;
  }
  return -1;
}

std::unique_ptr<level::Level> BuildDemoLevel() {
  auto made = std::make_unique<level::Level>();
  level::Level& level = *made;

  building::SetGameCopyright(level);
  level.header = building::GameHeader();
  Fill(level.sounds, {std::string(kHumSound)});
  std::vector<level::Material> materials;
  for (const auto name : kMaterials) materials.push_back({std::string(name), 1, 1});
  Fill(level.materials, materials);
  Fill(level.colormaps, {std::string(kColormap)});

  BuildGeometry(level);
  building::LightSurfaces(level, {
                                     {At(0.15, 1.45, 0.33), 0.9, 1.5, kHallSector},
                                     {At(1.45, 0.15, 0.33), 0.9, 1.5, kHallSector},
                                     {At(2.3, 0.8, 0.38), 0.7, 0.9, kCorridorSector},
                                     {At(3.05, 0.35, 0.33), 0.9, 1.3, kAtriumSector},
                                     {At(3.95, 0.35, 0.33), 0.9, 1.3, kAtriumSector},
                                     {At(3.5, 0.8, -0.55), 0.6, 0.7, kPitSector},
                                 });

  std::vector<level::Model> models;
  std::string crateSize, postSize;
  for (const building::ModelSpec& model : DemoModels()) {
    const auto radius = static_cast<float>(building::ModelRadius(model));
    models.push_back({model.name, radius});
    if (model.name == kCrateModel) crateSize = level::FormatFloat6(radius);
    if (model.name == kLightPostModel) postSize = level::FormatFloat6(radius);
  }
  Fill(level.models, models);

  // The station's cog greets the player and warns whoever steps into the pit; its symbols are
  // the pit's sector and the greeting's delay in seconds.
  Fill(level.cogscripts, {std::string(kCogScript)});
  level::CogParam pitParam;
  pitParam.kind = level::CogParamKind::Integer;
  pitParam.intvalue = kPitSector;
  level::CogParam delayParam;
  delayParam.kind = level::CogParamKind::Float;
  delayParam.floatvalue = 2;
  Fill(level.cogs, {level::Cog{std::string(kCogScript), {pitParam, delayParam}}});

  const std::string orient = "orient=(0.000000/0.000000/0.000000)";
  auto templates = building::PlayerTemplates(std::string(kPlayerModel));
  templates.insert(templates.begin(),
                   level::Template{"_decor", "none", orient + " type=cog collide=1 move=path", -1});
  templates.insert(
      templates.end(),
      {
          {"crate", "_decor",
           "collide=3 thingflags=0x8 model3d=" + std::string(kCrateModel) + " size=" + crateSize +
               " movesize=" + crateSize,
           -1},
          {"lightpost", "_decor",
           "collide=3 thingflags=0x8 light=0.500000 model3d=" + std::string(kLightPostModel) +
               " size=" + postSize + " movesize=" + postSize,
           -1},
      });
  Fill(level.templates, templates);

  // Things stand on the floor: a crate's centre is half its height above it, a post's half of
  // its 0.36, and the player's origin 0.12 above it. A yaw of -90 faces along +x.
  const std::vector<Placement> placements{
      {"walkplayer", 0.3, 0.8, 0.12, -90}, {"crate", 0.25, 0.25, 0.05, 0},
      {"crate", 0.37, 0.25, 0.05, 0},      {"crate", 0.31, 0.25, 0.15, 15},
      {"crate", 3.85, 1.2, 0.05, 30},      {"lightpost", 0.15, 1.45, 0.18, 0},
      {"lightpost", 1.45, 0.15, 0.18, 0},  {"lightpost", 3.05, 0.35, 0.18, 0},
      {"lightpost", 3.95, 0.35, 0.18, 0},
  };
  std::vector<level::Thing> things;
  for (const Placement& p : placements) {
    level::Thing thing;
    thing.templateName = std::string(p.templateName);
    thing.name = std::string(p.templateName);
    const Vec3 at = At(p.x, p.y, p.z);
    thing.x = static_cast<float>(at.x);
    thing.y = static_cast<float>(at.y);
    thing.z = static_cast<float>(at.z);
    thing.yaw = static_cast<float>(p.yaw);
    thing.sector = SectorContaining(level, at.x, at.y, at.z);
    thing.marks = {0, 0, 1};
    things.push_back(thing);
  }
  Fill(level.things, things);

  level.episode = {std::string(kLevelTitle), level::kEpisodeSinglePlayer};
  return made;
}

}  // namespace kx::demo
