#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "level/Capacities.h"

namespace kx::level {

/// The three one-byte marks at the end of every Vertex, Surface, Sector and Thing.
/// A fresh slot holds no record: empty 1, selected 0, visible 1.
struct RecordMarks {
  std::uint8_t empty = 1;
  std::uint8_t selected = 0;
  std::uint8_t visible = 1;

  /// In use and shown: the records that are drawn and can be picked.
  bool IsCandidate() const { return empty == 0 && visible == 1; }
  /// "The selected record" test: in use, visible and selected.
  bool IsVisiblySelected() const { return empty == 0 && visible == 1 && selected == 1; }
  bool operator==(const RecordMarks&) const = default;
};

/// A table of fixed capacity: every slot exists for the whole run, count says how many are in
/// use (slots 0..count-1).
template <typename T>
struct Table {
  std::vector<T> items;
  std::int32_t count = 0;

  explicit Table(int capacity) : items(static_cast<std::size_t>(capacity)) {}

  int Capacity() const { return static_cast<int>(items.size()); }
  T& operator[](int index) { return items[static_cast<std::size_t>(index)]; }
  const T& operator[](int index) const { return items[static_cast<std::size_t>(index)]; }
  /// Whether index names a slot below the count (and so inside the table).
  bool InUse(int index) const { return index >= 0 && index < count && index < Capacity(); }
  /// The slots in use, bounded by the capacity.
  int Used() const { return count < 0 ? 0 : (count > Capacity() ? Capacity() : count); }
  bool operator==(const Table&) const = default;
};

/// The values of the HEADER section.
struct LevelHeader {
  std::int32_t version = 0;
  float worldGravity = 0;
  float ceilingSkyZ = 0;
  float horizonDistance = 0;
  float horizonPixelsPerRev = 0;
  std::array<float, 2> horizonSkyOffset{};
  std::array<float, 2> ceilingSkyOffset{};
  std::array<float, 4> mipmapDistances{};
  std::array<float, 4> lodDistances{};
  float perspectiveDistance = 0;
  float gouraudDistance = 0;
  bool operator==(const LevelHeader&) const = default;
};

/// Episode types as the episode file writes them.
inline constexpr std::int32_t kEpisodeSinglePlayer = 1;
inline constexpr std::int32_t kEpisodeDeathmatch = 2;
inline constexpr std::int32_t kEpisodeSpecialCtf = 8;

struct EpisodeInfo {
  std::string title;
  std::int32_t type = 0;
  bool operator==(const EpisodeInfo&) const = default;
};

struct Material {
  std::string name;  // the MAT file name as written in the level, case kept
  float xTile = 0;
  float yTile = 0;
  bool operator==(const Material&) const = default;
};

struct Vertex {
  float x = 0, y = 0, z = 0;
  RecordMarks marks;
  bool operator==(const Vertex&) const = default;
};

struct TextureVertex {
  float u = 0, v = 0;
  bool operator==(const TextureVertex&) const = default;
};

struct Adjoin {
  std::uint32_t flags = 0;
  std::int32_t mirror = 0;
  float dist = 0;
  bool operator==(const Adjoin&) const = default;
};

/// One corner of a surface: a vertex index and a texture vertex index.
struct SurfaceCorner {
  std::int32_t vertex = 0;
  std::int32_t texvertex = 0;
  bool operator==(const SurfaceCorner&) const = default;
};

struct Surface {
  std::int32_t mat = 0;
  std::uint32_t surfflags = 0;
  std::uint32_t faceflags = 0;
  std::int32_t geo = 0;
  std::int32_t light = 0;
  std::int32_t tex = 0;
  std::int32_t adjoin = 0;
  float extralight = 0;
  std::int32_t nverts = 0;  // 0..kSurfaceMaxVertices
  std::array<SurfaceCorner, capacity::kSurfaceMaxVertices> vertices{};
  std::array<float, capacity::kSurfaceMaxVertices> intensities{};
  RecordMarks marks;
  bool operator==(const Surface&) const = default;
};

struct SurfaceNormal {
  float x = 0, y = 0, z = 0;
  bool operator==(const SurfaceNormal&) const = default;
};

struct Sector {
  std::uint32_t flags = 0;
  float ambientlight = 0;
  float extralight = 0;
  std::int32_t colormap = 0;
  std::array<float, 3> tint{};
  std::array<float, 6> boundbox{};
  std::array<float, 6> collidebox{};
  std::uint8_t hassound = 0;
  std::string sound;
  float soundvolume = 0;
  std::array<float, 3> center{};
  float radius = 0;
  std::int32_t nverts = 0;
  std::vector<std::int32_t> vertexindices;  // nverts entries
  std::int32_t firstsurface = 0;
  std::int32_t nsurfaces = 0;
  RecordMarks marks;
  bool operator==(const Sector&) const = default;
};

struct Model {
  std::string name;  // the 3DO file name
  float radius = 0;  // world units, filled from the model file after the level is read
  bool operator==(const Model&) const = default;
};

enum class CogParamKind : std::int32_t { Integer = 1, Float = 2, Text = 3 };

struct CogParam {
  CogParamKind kind = CogParamKind::Text;
  std::int32_t intvalue = 0;
  float floatvalue = 0;
  std::string text;
  bool operator==(const CogParam&) const = default;
};

struct Cog {
  std::string script;
  std::vector<CogParam> params;
  bool operator==(const Cog&) const = default;
};

struct Template {
  std::string name;
  std::string basedon;  // "none" for a root
  std::string params;   // the rest of the template's line, stored as written
  /// The template's node in the template hierarchy tree, -1 when it has none.
  std::int32_t treenode = -1;
  bool operator==(const Template&) const = default;
};

struct Thing {
  std::string templateName;
  std::string name;
  float x = 0, y = 0, z = 0;
  float pitch = 0, yaw = 0, roll = 0;
  std::int32_t sector = 0;
  std::string params;
  RecordMarks marks;
  bool operator==(const Thing&) const = default;
};

/// A section of the level file that the editor does not read (other tools' "Section: Lights",
/// for one): its lines as written, from its section line to its last line that is neither blank
/// nor a comment, so that a save gives it back unchanged.
struct UnknownSection {
  std::vector<std::string> lines;
  bool operator==(const UnknownSection&) const = default;
};

/// The one level the editor holds: fixed-capacity tables addressed by index. Copying is allowed
/// (a read goes into a copy that replaces the level only when it succeeds).
struct Level {
  Level();

  /// Copyright lines 1..count live in items[0..count-1].
  Table<std::string> copyright{capacity::kCopyrightLines};
  LevelHeader header;
  Table<std::string> sounds{capacity::kSounds};
  Table<Material> materials{capacity::kMaterials};
  Table<std::string> colormaps{capacity::kColormaps};
  Table<Vertex> vertices{capacity::kVertices};
  Table<TextureVertex> texturevertices{capacity::kTextureVertices};
  Table<Adjoin> adjoins{capacity::kAdjoins};
  Table<Surface> surfaces{capacity::kSurfaces};
  /// Same index as the surface; shares surfaces.count.
  std::vector<SurfaceNormal> normals;
  Table<Sector> sectors{capacity::kSectors};
  Table<std::string> aiclasses{capacity::kAIClasses};
  Table<Model> models{capacity::kModels};
  Table<std::string> sprites{capacity::kSprites};
  Table<std::string> keyframes{capacity::kKeyframes};
  Table<std::string> puppets{capacity::kPuppets};
  Table<std::string> soundclasses{capacity::kSoundClasses};
  Table<std::string> cogscripts{capacity::kCogScripts};
  Table<Cog> cogs{capacity::kCogs};
  Table<Template> templates{capacity::kTemplates};
  Table<Thing> things{capacity::kThings};
  /// In the order of the file; the writer puts them after the things.
  std::vector<UnknownSection> unknownSections;

  EpisodeInfo episode;

  /// Every slot of the four marked tables becomes empty, unselected and visible.
  void ResetAllSlotMarks();

  /// Every slot and count alike, in use or not.
  bool operator==(const Level&) const = default;
};

/// text cut to at most limit characters.
std::string CutTo(std::string_view text, std::size_t limit);

}  // namespace kx::level
