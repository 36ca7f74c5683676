#include "support/LevelCompare.h"

#include "level/Numbers.h"

#include <algorithm>
#include <sstream>

namespace kx::test {

namespace {

using namespace kx::level;

// Every record is turned into one canonical text; two records are the same when their texts
// are.
class Text {
 public:
  Text& operator<<(float value) { return Put(FormatFloat6(value)); }
  Text& operator<<(std::int32_t value) { return Put(std::to_string(value)); }
  Text& operator<<(std::uint32_t value) { return Put(FlagText(value)); }
  Text& operator<<(const std::string& value) { return Put("[" + value + "]"); }
  Text& operator<<(const RecordMarks& m) {
    return Put("marks " + std::to_string(m.empty) + std::to_string(m.selected) +
               std::to_string(m.visible));
  }
  template <typename T, std::size_t N>
  Text& operator<<(const std::array<T, N>& values) {
    for (const auto& value : values) *this << value;
    return *this;
  }
  Text& operator<<(const Material& m) { return *this << m.name << m.xTile << m.yTile; }
  Text& operator<<(const Vertex& v) { return *this << v.x << v.y << v.z << v.marks; }
  Text& operator<<(const TextureVertex& t) { return *this << t.u << t.v; }
  Text& operator<<(const Adjoin& a) { return *this << a.flags << a.mirror << a.dist; }
  Text& operator<<(const SurfaceNormal& n) { return *this << n.x << n.y << n.z; }
  // The radius comes from the model file, not from the level.
  Text& operator<<(const Model& m) { return *this << m.name; }
  Text& operator<<(const Template& t) {
    return *this << t.name << t.basedon << t.params << t.treenode;
  }
  Text& operator<<(const Thing& t) {
    return *this << t.templateName << t.name << t.x << t.y << t.z << t.pitch << t.yaw << t.roll
                 << t.sector << t.params << t.marks;
  }
  Text& operator<<(const LevelHeader& h) {
    return *this << h.version << h.worldGravity << h.ceilingSkyZ << h.horizonDistance
                 << h.horizonPixelsPerRev << h.horizonSkyOffset << h.ceilingSkyOffset
                 << h.mipmapDistances << h.lodDistances << h.perspectiveDistance
                 << h.gouraudDistance;
  }

  Text& operator<<(const Surface& s) {
    *this << s.mat << s.surfflags << s.faceflags << s.geo << s.light << s.tex << s.adjoin
          << s.extralight << s.nverts;
    for (int i = 0; i < s.nverts && i < capacity::kSurfaceMaxVertices; ++i) {
      *this << s.vertices[i].vertex << s.vertices[i].texvertex << s.intensities[i];
    }
    return *this << s.marks;
  }

  Text& operator<<(const Sector& s) {
    *this << s.flags << s.ambientlight << s.extralight << s.colormap << s.tint << s.boundbox
          << s.collidebox << std::int32_t{s.hassound};
    if (s.hassound) *this << s.sound << s.soundvolume;
    *this << s.center << s.radius << s.nverts;
    for (const auto index : s.vertexindices) *this << index;
    return *this << s.firstsurface << s.nsurfaces << s.marks;
  }

  Text& operator<<(const Cog& c) {
    *this << c.script;
    for (const auto& p : c.params) {
      *this << static_cast<std::int32_t>(p.kind);
      if (p.kind == CogParamKind::Integer) *this << p.intvalue;
      if (p.kind == CogParamKind::Float) *this << p.floatvalue;
      if (p.kind == CogParamKind::Text) *this << p.text;
    }
    return *this;
  }

  std::string str() const { return m_out.str(); }

 private:
  Text& Put(const std::string& text) {
    m_out << text << ' ';
    return *this;
  }

  std::ostringstream m_out;
};

template <typename T>
std::string Describe(const T& record) {
  return (Text() << record).str();
}

template <typename T>
std::string TableDifference(const char* name, const Table<T>& a, const Table<T>& b) {
  if (a.count != b.count) {
    return std::string(name) + ".count: " + std::to_string(a.count) + " vs " +
           std::to_string(b.count);
  }
  for (int i = 0; i < a.Used(); ++i) {
    const std::string left = Describe(a[i]);
    const std::string right = Describe(b[i]);
    if (left != right) {
      return std::string(name) + "[" + std::to_string(i) + "]: " + left + " vs " + right;
    }
  }
  return {};
}

std::string UnknownSectionsDifference(const std::vector<UnknownSection>& a,
                                      const std::vector<UnknownSection>& b) {
  if (a.size() != b.size()) {
    return "unknownSections.size: " + std::to_string(a.size()) + " vs " + std::to_string(b.size());
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto& left = a[i].lines;
    const auto& right = b[i].lines;
    const auto [atLeft, atRight] =
        std::mismatch(left.begin(), left.end(), right.begin(), right.end());
    if (atLeft == left.end() && atRight == right.end()) continue;
    const auto line = static_cast<std::size_t>(atLeft - left.begin());
    return "unknownSections[" + std::to_string(i) + "] line " + std::to_string(line) + ": [" +
           (atLeft == left.end() ? "(none)" : *atLeft) + "] vs [" +
           (atRight == right.end() ? "(none)" : *atRight) + "]";
  }
  return {};
}

}  // namespace

std::string FirstLevelDifference(const Level& a, const Level& b) {
  if (Describe(a.header) != Describe(b.header)) {
    return "header: " + Describe(a.header) + " vs " + Describe(b.header);
  }
  const std::string differences[] = {
      TableDifference("copyright", a.copyright, b.copyright),
      TableDifference("sounds", a.sounds, b.sounds),
      TableDifference("materials", a.materials, b.materials),
      TableDifference("colormaps", a.colormaps, b.colormaps),
      TableDifference("vertices", a.vertices, b.vertices),
      TableDifference("texturevertices", a.texturevertices, b.texturevertices),
      TableDifference("adjoins", a.adjoins, b.adjoins),
      TableDifference("surfaces", a.surfaces, b.surfaces),
      TableDifference("sectors", a.sectors, b.sectors),
      TableDifference("aiclasses", a.aiclasses, b.aiclasses),
      TableDifference("models", a.models, b.models),
      TableDifference("sprites", a.sprites, b.sprites),
      TableDifference("keyframes", a.keyframes, b.keyframes),
      TableDifference("puppets", a.puppets, b.puppets),
      TableDifference("soundclasses", a.soundclasses, b.soundclasses),
      TableDifference("cogscripts", a.cogscripts, b.cogscripts),
      TableDifference("cogs", a.cogs, b.cogs),
      TableDifference("templates", a.templates, b.templates),
      TableDifference("things", a.things, b.things),
  };
  for (const auto& difference : differences) {
    if (!difference.empty()) return difference;
  }
  for (int i = 0; i < a.surfaces.Used(); ++i) {
    const auto index = static_cast<std::size_t>(i);
    if (Describe(a.normals[index]) != Describe(b.normals[index])) {
      return "normals[" + std::to_string(i) + "]: " + Describe(a.normals[index]) + " vs " +
             Describe(b.normals[index]);
    }
  }
  return UnknownSectionsDifference(a.unknownSections, b.unknownSections);
}

}  // namespace kx::test
