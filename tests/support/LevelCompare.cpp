#include "support/LevelCompare.h"

#include "level/Numbers.h"

#include <sstream>

namespace kx::test {

namespace {

using namespace kx::level;

// Every record is turned into one canonical text; two records are the same when their texts
// are.
class Text {
 public:
  Text& operator<<(float value) {
    m_out << FormatFloat6(value) << ' ';
    return *this;
  }
  Text& operator<<(std::int32_t value) {
    m_out << value << ' ';
    return *this;
  }
  Text& operator<<(std::uint32_t value) {
    m_out << FlagText(value) << ' ';
    return *this;
  }
  Text& operator<<(const std::string& value) {
    m_out << '[' << value << "] ";
    return *this;
  }
  Text& operator<<(const RecordMarks& marks) {
    m_out << "marks " << int(marks.empty) << int(marks.selected) << int(marks.visible);
    return *this;
  }
  template <typename T, std::size_t N>
  Text& operator<<(const std::array<T, N>& values) {
    for (const auto& value : values) *this << value;
    return *this;
  }
  std::string str() const { return m_out.str(); }

 private:
  std::ostringstream m_out;
};

std::string Describe(const std::string& value) {
  return value;
}
std::string Describe(const Material& m) {
  return (Text() << m.name << m.xTile << m.yTile).str();
}
std::string Describe(const Vertex& v) {
  return (Text() << v.x << v.y << v.z << v.marks).str();
}
std::string Describe(const TextureVertex& t) {
  return (Text() << t.u << t.v).str();
}
std::string Describe(const Adjoin& a) {
  return (Text() << a.flags << a.mirror << a.dist).str();
}
std::string Describe(const SurfaceNormal& n) {
  return (Text() << n.x << n.y << n.z).str();
}
// The radius comes from the model file, not from the level.
std::string Describe(const Model& m) {
  return (Text() << m.name).str();
}

std::string Describe(const Surface& s) {
  Text text;
  text << s.mat << s.surfflags << s.faceflags << s.geo << s.light << s.tex << s.adjoin
       << s.extralight << s.nverts;
  for (int i = 0; i < s.nverts && i < capacity::kSurfaceMaxVertices; ++i) {
    text << s.vertices[i].vertex << s.vertices[i].texvertex << s.intensities[i];
  }
  return (text << s.marks).str();
}

std::string Describe(const Sector& s) {
  Text text;
  text << s.flags << s.ambientlight << s.extralight << s.colormap << s.tint << s.boundbox
       << s.collidebox << std::int32_t{s.hassound};
  if (s.hassound) text << s.sound << s.soundvolume;
  text << s.center << s.radius << s.nverts;
  for (const auto index : s.vertexindices) text << index;
  return (text << s.firstsurface << s.nsurfaces << s.marks).str();
}

std::string Describe(const Cog& c) {
  Text text;
  text << c.script;
  for (const auto& p : c.params) {
    text << static_cast<std::int32_t>(p.kind);
    if (p.kind == CogParamKind::Integer) text << p.intvalue;
    if (p.kind == CogParamKind::Float) text << p.floatvalue;
    if (p.kind == CogParamKind::Text) text << p.text;
  }
  return text.str();
}

std::string Describe(const Template& t) {
  return (Text() << t.name << t.basedon << t.params << t.treenode).str();
}

std::string Describe(const Thing& t) {
  return (Text() << t.templateName << t.name << t.x << t.y << t.z << t.pitch << t.yaw << t.roll
                 << t.sector << t.params << t.marks)
      .str();
}

std::string Describe(const LevelHeader& h) {
  return (Text() << h.version << h.worldGravity << h.ceilingSkyZ << h.horizonDistance
                 << h.horizonPixelsPerRev << h.horizonSkyOffset << h.ceilingSkyOffset
                 << h.mipmapDistances << h.lodDistances << h.perspectiveDistance
                 << h.gouraudDistance)
      .str();
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
  return {};
}

}  // namespace kx::test
