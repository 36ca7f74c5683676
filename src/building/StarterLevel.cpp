#include "building/StarterLevel.h"

#include "building/BoxBuilder.h"
#include "building/BoxModel.h"
#include "building/GameDefaults.h"
#include "building/Lighting.h"
#include "building/RampPalette.h"

namespace kx::building {

namespace {

// The materials in table order.
enum Mat : std::int32_t { kFloor, kWall, kCeiling, kGlow };

// Surface flags: 0x1 a floor things stand on, 0x4 a surface that collides.
constexpr std::uint32_t kWallFlags = 0x4;
constexpr std::uint32_t kFloorFlags = 0x5;

// The player's origin stands this far above the floor, the height of its figure's chest.
constexpr double kPlayerHeight = 0.12;

SurfaceLook Look(std::int32_t mat, std::uint32_t flags) {
  SurfaceLook look;
  look.mat = mat;
  look.surfflags = flags;
  return look;
}

level::Thing ThingAt(const std::string& templateName, const Vec3& at, float yaw) {
  level::Thing thing;
  thing.templateName = templateName;
  thing.name = templateName;
  thing.x = static_cast<float>(at.x);
  thing.y = static_cast<float>(at.y);
  thing.z = static_cast<float>(at.z);
  thing.yaw = yaw;
  thing.sector = 0;
  thing.marks = {0, 0, 1};
  return thing;
}

ModelSpec Player() {
  return PlayerFigure(std::string(kStarterPlayerModel), std::string(kStarterCeilingMat),
                      std::string(kStarterGlowMat));
}

}  // namespace

std::unique_ptr<level::Level> BuildStarterLevel(const std::string& title) {
  auto made = std::make_unique<level::Level>();
  level::Level& level = *made;
  SetGameCopyright(level);
  level.header = GameHeader();
  Fill(level.materials, {level::Material{std::string(kStarterFloorMat), 1, 1},
                         level::Material{std::string(kStarterWallMat), 1, 1},
                         level::Material{std::string(kStarterCeilingMat), 1, 1},
                         level::Material{std::string(kStarterGlowMat), 1, 1}});
  Fill(level.colormaps, {std::string(kStarterColormap)});

  BoxSector room;
  room.min = kStarterRoomMin;
  room.max = kStarterRoomMax;
  room.looks.fill(Look(kWall, kWallFlags));
  room.looks[static_cast<std::size_t>(Side::Floor)] = Look(kFloor, kFloorFlags);
  room.looks[static_cast<std::size_t>(Side::Ceiling)] = Look(kCeiling, kWallFlags);
  room.values.ambientlight = 0.3f;
  room.values.colormap = 0;
  BoxBuilder builder;
  builder.AddSector(room);
  builder.Build(level);

  const Vec3 centre = (kStarterRoomMin + kStarterRoomMax) * 0.5;
  const Vec3 lamp{centre.x, centre.y, kStarterRoomMax.z - 0.1};
  LightSurfaces(level, {{lamp, 1.0, 2.2, 0}});

  const ModelSpec player = Player();
  const auto radius = static_cast<float>(ModelRadius(player));
  Fill(level.models, {level::Model{player.name, radius}});

  auto templates = PlayerTemplates(player.name);
  // A lamp is a thing that is never drawn nor touched and gives light.
  templates.push_back({"lamp", "none",
                       "orient=(0.000000/0.000000/0.000000) type=ghost thingflags=0x1 "
                       "light=0.800000",
                       -1});
  Fill(level.templates, templates);

  // The player starts on the floor, halfway between the south wall and the middle, facing north
  // along +y into the room.
  const Vec3 start{centre.x, (kStarterRoomMin.y + centre.y) / 2, kStarterRoomMin.z + kPlayerHeight};
  Fill(level.things, {ThingAt("walkplayer", start, 0), ThingAt("lamp", lamp, 0)});

  level.episode = {title, level::kEpisodeSinglePlayer};
  return made;
}

std::vector<GeneratedFile> StarterResources() {
  const auto palette = RampPalette();
  const auto mat = [](std::string_view name) { return "mat\\" + std::string(name); };
  return {
      {mat(kStarterFloorMat), PatternMatBytes(palette, Pattern::FloorTile)},
      {mat(kStarterWallMat), PatternMatBytes(palette, Pattern::Brick)},
      {mat(kStarterCeilingMat), PatternMatBytes(palette, Pattern::MetalPanel)},
      {mat(kStarterGlowMat), ColourMatBytes({RampIndex(Ramp::Amber, 27)})},
      {"misc\\cmp\\" + std::string(kStarterColormap), ColormapBytes(palette)},
      {"3do\\" + std::string(kStarterPlayerModel), Model3doText(Player())},
  };
}

}  // namespace kx::building
