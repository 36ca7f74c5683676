#include "level/JklWriter.h"

#include "level/EpisodeFile.h"
#include "level/Numbers.h"
#include "level/Words.h"
#include "platform/AppInfo.h"
#include "platform/FileIo.h"
#include "platform/GamePaths.h"

#include <algorithm>
#include <charconv>
#include <ctime>

namespace kx::level {

namespace {

constexpr std::string_view kSeparator = "################################";

// The banner's lines 3 to 5 belong to whoever makes the editor.
constexpr std::string_view kMakerNotice = "Kelvarix level editor, (c) the Kelvarix developers";
constexpr std::string_view kMakerMail = "kelvarix@example.org";
constexpr std::string_view kMakerWeb = "http://www.example.org/kelvarix/";

/// The file's text under construction: appends pieces, ends lines with CR LF.
class LevelText {
 public:
  explicit LevelText(std::size_t expectedSize) { m_out.reserve(expectedSize); }

  LevelText& operator<<(std::string_view text) {
    m_out.append(text);
    return *this;
  }
  LevelText& operator<<(char c) {
    m_out += c;
    return *this;
  }
  LevelText& Int(std::int64_t value) {
    char digits[24];
    m_out.append(digits, std::to_chars(digits, digits + sizeof(digits), value).ptr);
    return *this;
  }
  LevelText& F6(float value) {
    AppendFloat6(m_out, value);
    return *this;
  }
  LevelText& Flags(std::uint32_t value) {
    AppendFlagText(m_out, value);
    return *this;
  }
  /// text and then blanks up to width characters in all.
  LevelText& Padded(std::string_view text, std::size_t width) {
    m_out.append(text);
    if (text.size() < width) m_out.append(width - text.size(), ' ');
    return *this;
  }
  void End() { m_out += "\r\n"; }
  void Line(std::string_view text) {
    m_out.append(text);
    End();
  }
  void Blank(int lines = 1) {
    for (int i = 0; i < lines; ++i) End();
  }
  /// The separator line and the two blank lines that close a section.
  void CloseSection() {
    Line(kSeparator);
    Blank(2);
  }
  void Heading(std::string_view comment, std::string_view sectionLine) {
    Line(comment);
    Line(sectionLine);
  }
  std::string Take() { return std::move(m_out); }

 private:
  std::string m_out;
};

void WriteBanner(LevelText& out, std::string_view worldPath, std::string_view timeStamp) {
  out << "#********** World file " << worldPath << " ***** Created " << timeStamp << " **********";
  out.End();
  out << "#********** Created with " << platform::kIdleCaption;
  out.End();
  for (const std::string_view maker : {kMakerNotice, kMakerMail, kMakerWeb}) {
    out << "#**********              " << maker;
    out.End();
  }
  out.Blank();
  out.Line("######    JK  information ######");
  out.Line("SECTION: JK");
  out.Line("# Jedi Knight specific data");
  out.Line(kSeparator);
  out.Blank(2);
}

void WriteCopyright(LevelText& out, const Level& level) {
  out.Heading("#### Copyright information #####", "SECTION: COPYRIGHT");
  for (int i = 0; i < level.copyright.Used(); ++i) out.Line(level.copyright[i]);
  out.CloseSection();
}

void WriteHeader(LevelText& out, const LevelHeader& h) {
  out.Heading("###### Header information ######", "SECTION: HEADER");
  out.Line("# version and global constant settings");
  out << "Version          ";
  out.Int(h.version).End();
  out << "World Gravity    ";
  out.F6(h.worldGravity).End();
  out << "Ceiling Sky Z    ";
  out.F6(h.ceilingSkyZ).End();
  out << "Horizon Distance ";
  out.F6(h.horizonDistance).End();
  out << "Horizon Pixels per Rev ";
  out.F6(h.horizonPixelsPerRev).End();
  out << "Horizon Sky Offset   ";
  out.F6(h.horizonSkyOffset[0]) << '\t';
  out.F6(h.horizonSkyOffset[1]).End();
  out << "Ceiling Sky Offset   ";
  out.F6(h.ceilingSkyOffset[0]) << '\t';
  out.F6(h.ceilingSkyOffset[1]).End();
  out << "MipMap Distances";
  for (const float value : h.mipmapDistances) (out << '\t').F6(value);
  out.End();
  out << "LOD Distances\t";
  for (const float value : h.lodDistances) (out << '\t').F6(value);
  out.End();
  out << "Perspective distance ";
  out.F6(h.perspectiveDistance).End();
  out << "Gouraud distance ";
  out.F6(h.gouraudDistance).End();
  out.CloseSection();
}

void WriteSounds(LevelText& out, const Level& level) {
  out.Heading("###### Sound information  ######", "SECTION: SOUNDS");
  out.Blank();
  out << "World sounds ";
  out.Int(level.sounds.Used()).End();
  out.Blank();
  for (int i = 0; i < level.sounds.Used(); ++i) out.Line(level.sounds[i]);
  out.Line("end");
  out.CloseSection();
}

void WriteMaterials(LevelText& out, const Level& level) {
  out.Heading("##### Material information #####", "SECTION: MATERIALS");
  out.Blank();
  out << "World materials ";
  out.Int(level.materials.Used()).End();
  out.Blank();
  out.Line("#num\tmat:\t\txTile:\t\tyTile:");
  for (int i = 0; i < level.materials.Used(); ++i) {
    const Material& material = level.materials[i];
    out.Int(i) << ":\t" << material.name << '\t';
    out.F6(material.xTile) << '\t';
    out.F6(material.yTile).End();
  }
  out.Line("end");
  out.CloseSection();
}

void WriteSurface(LevelText& out, int index, const Surface& s) {
  out.Int(index) << ":\t";
  out.Int(s.mat) << '\t';
  out.Flags(s.surfflags) << "\t\t";
  out.Flags(s.faceflags) << "\t\t";
  out.Int(s.geo) << '\t';
  out.Int(s.light) << '\t';
  out.Int(s.tex) << '\t';
  out.Int(s.adjoin) << '\t';
  out.F6(s.extralight) << '\t';
  const int corners = std::clamp(s.nverts, 0, capacity::kSurfaceMaxVertices);
  out.Int(corners);
  for (int i = 0; i < corners; ++i) {
    (out << '\t').Int(s.vertices[i].vertex) << ',';
    out.Int(s.vertices[i].texvertex);
  }
  for (int i = 0; i < corners; ++i) (out << '\t').F6(s.intensities[i]);
  out.End();
}

void WriteGeometry(LevelText& out, const Level& level) {
  out.Heading("#### Geometry Resources Info ###", "SECTION: GEORESOURCE");
  out.Blank();

  out.Line("#------ Palette Subsection -----");
  out << "World Colormaps ";
  out.Int(level.colormaps.Used()).End();
  for (int i = 0; i < level.colormaps.Used(); ++i) {
    out.Int(i) << ":\t" << level.colormaps[i];
    out.End();
  }
  out.Blank();

  out.Line("#----- Vertices Subsection -----");
  out << "World vertices ";
  out.Int(level.vertices.Used()).End();
  out.Line("#num:\tvertex:");
  for (int i = 0; i < level.vertices.Used(); ++i) {
    const Vertex& v = level.vertices[i];
    out.Int(i) << ":\t";
    out.F6(v.x) << '\t';
    out.F6(v.y) << '\t';
    out.F6(v.z).End();
  }
  out.Blank(2);

  out.Line("#-- Texture Verts Subsection ---");
  out << "World Texture Vertices ";
  out.Int(level.texturevertices.Used()).End();
  out.Line("#num:\tu:\t\tv:");
  for (int i = 0; i < level.texturevertices.Used(); ++i) {
    const TextureVertex& t = level.texturevertices[i];
    out.Int(i) << ":\t";
    out.F6(t.u) << '\t';
    out.F6(t.v).End();
  }
  out.Blank(2);

  out.Line("#------ Adjoins Subsection -----");
  out << "World adjoins ";
  out.Int(level.adjoins.Used()).End();
  out.Line("#num:\tflags:\tmirror:\tdist:");
  for (int i = 0; i < level.adjoins.Used(); ++i) {
    const Adjoin& a = level.adjoins[i];
    out.Int(i) << ":\t";
    out.Flags(a.flags) << '\t';
    out.Int(a.mirror) << '\t';
    out.F6(a.dist).End();
  }
  out.Blank();

  out.Line("#----- Surfaces Subsection -----");
  out << "World surfaces ";
  out.Int(level.surfaces.Used()).End();
  out.Line(
      "#num:\tmat:\tsurfflags:\tfaceflags:\tgeo:\tlight:\ttex:\tadjoin:\textralight:\tnverts:"
      "\tvertices:\t\t\tintensities:");
  for (int i = 0; i < level.surfaces.Used(); ++i) WriteSurface(out, i, level.surfaces[i]);
  out.Blank();

  out.Line("#------- Surface normals -------");
  for (int i = 0; i < level.surfaces.Used(); ++i) {
    const SurfaceNormal& n = level.normals[static_cast<std::size_t>(i)];
    out.Int(i) << ":\t";
    out.F6(n.x) << '\t';
    out.F6(n.y) << '\t';
    out.F6(n.z).End();
  }
  out.CloseSection();
}

void WriteFloats(LevelText& out, const float* values, int n, char separator) {
  for (int i = 0; i < n; ++i) {
    if (i > 0) out << separator;
    out.F6(values[i]);
  }
}

void WriteSector(LevelText& out, int index, const Sector& s) {
  out.Blank(2);
  out << "SECTOR\t";
  out.Int(index).End();
  out << "FLAGS\t";
  out.Flags(s.flags).End();
  out << "AMBIENT LIGHT\t";
  out.F6(s.ambientlight).End();
  out << "EXTRA LIGHT\t";
  out.F6(s.extralight).End();
  out << "COLORMAP\t";
  out.Int(s.colormap).End();
  out << "TINT\t";
  WriteFloats(out, s.tint.data(), 3, '\t');
  out.End();
  out << "BOUNDBOX\t";
  WriteFloats(out, s.boundbox.data(), 6, ' ');
  out.End();
  out << "COLLIDEBOX\t";
  WriteFloats(out, s.collidebox.data(), 6, ' ');
  out.End();
  if (s.hassound == 1) {
    out << "SOUND\t" << s.sound << ' ';
    out.F6(s.soundvolume).End();
  }
  out << "CENTER\t";
  WriteFloats(out, s.center.data(), 3, ' ');
  out.End();
  out << "RADIUS\t";
  out.F6(s.radius).End();
  const int nverts = std::max(s.nverts, 0);
  out << "VERTICES\t";
  out.Int(nverts).End();
  for (int j = 0; j < nverts; ++j) {
    const auto slot = static_cast<std::size_t>(j);
    out.Int(j) << ":\t";
    out.Int(slot < s.vertexindices.size() ? s.vertexindices[slot] : 0).End();
  }
  out << "SURFACES\t";
  out.Int(s.firstsurface) << '\t';
  out.Int(s.nsurfaces).End();
}

void WriteSectors(LevelText& out, const Level& level) {
  out.Heading("###### Sector information ######", "Section: SECTORS");
  out.Blank();
  out << "World sectors ";
  out.Int(level.sectors.Used()).End();
  for (int i = 0; i < level.sectors.Used(); ++i) WriteSector(out, i, level.sectors[i]);
  out.Blank();
}

/// A name-list section; countBonus is what the count line adds to the number of entries.
template <typename T, typename NameOf>
void WriteNameList(LevelText& out, std::string_view heading, std::string_view sectionLine,
                   std::string_view countLine, int countBonus, bool blankAfterCount,
                   const Table<T>& table, NameOf nameOf) {
  out.Heading(heading, sectionLine);
  out.Blank();
  out << countLine << ' ';
  out.Int(table.Used() + countBonus).End();
  if (blankAfterCount) out.Blank();
  for (int i = 0; i < table.Used(); ++i) {
    out.Int(i) << ":\t" << nameOf(table[i]);
    out.End();
  }
  out.Line("end");
  out.CloseSection();
}

void WriteNameLists(LevelText& out, const Level& level) {
  const auto same = [](const std::string& name) -> const std::string& { return name; };
  const auto modelName = [](const Model& model) -> const std::string& { return model.name; };
  WriteNameList(out, "########## AI Classes ##########", "Section: AICLASS", "World AIClasses", 0,
                false, level.aiclasses, same);
  // The game's own levels declare the models and keyframes with room to spare.
  WriteNameList(out, "###### Models information ######", "Section: MODELS", "World models", 32,
                true, level.models, modelName);
  WriteNameList(out, "###### Sprite information ######", "Section: SPRITES", "World sprites", 0,
                true, level.sprites, same);
  WriteNameList(out, "##### Keyframe information #####", "Section: KEYFRAMES", "World keyframes",
                32, true, level.keyframes, same);
  WriteNameList(out, "###### Animation Classes #######", "Section: ANIMCLASS", "World puppets", 0,
                true, level.puppets, same);
  WriteNameList(out, "#### Sound (foley) Classes #####", "Section: Soundclass",
                "World soundclasses", 0, true, level.soundclasses, same);
  WriteNameList(out, "########## COG scripts #########", "Section: cogscripts", "World scripts", 0,
                true, level.cogscripts, same);
}

void WriteCogs(LevelText& out, const Level& level) {
  out.Heading("######### COG placement ########", "Section: cogs");
  out.Blank();
  out << "World cogs ";
  out.Int(CountCogSlots(level)).End();
  out.Blank();
  out.Line("#num\tScript\t\tSymbol values");
  for (int i = 0; i < level.cogs.Used(); ++i) {
    const Cog& cog = level.cogs[i];
    out.Int(i) << ":\t" << cog.script;
    bool first = true;
    for (const CogParam& param : cog.params) {
      out << (first ? '\t' : ' ');
      first = false;
      switch (param.kind) {
        case CogParamKind::Integer:
          out.Int(param.intvalue);
          break;
        case CogParamKind::Float:
          out.F6(param.floatvalue);
          break;
        case CogParamKind::Text:
          out << param.text;
          break;
      }
    }
    out << ' ';
    out.End();
  }
  out.Line("end");
  out.CloseSection();
}

void WriteTemplates(LevelText& out, const Level& level) {
  out.Heading("##### Templates information ####", "Section: TEMPLATES");
  out.Blank();
  out << "World templates ";
  out.Int(level.templates.Used()).End();
  out.Blank();
  out.Line("#Name:\t\t Based On:\t  Params:");
  for (int i = 0; i < level.templates.Used(); ++i) {
    const Template& t = level.templates[i];
    out.Padded(t.name, 16) << ' ';
    out.Padded(t.basedon, 16) << ' ';
    out << t.params << ' ';
    out.End();
  }
  out.Line("end");
  out.CloseSection();
}

void AppendThingLine(LevelText& out, const Thing& t, int i) {
  if (i < 100) out << (i < 10 ? "  " : " ");
  out.Int(i) << ": ";
  out.Padded(t.templateName, 15) << ' ';
  out.Padded(t.name, 15) << ' ';
  out << '\t';
  out.F6(t.x) << '\t';
  out.F6(t.y) << '\t';
  out.F6(t.z) << '\t';
  out.F6(t.pitch) << '\t';
  out.F6(t.yaw) << '\t';
  out.F6(t.roll) << '\t';
  out.Int(t.sector) << '\t' << t.params;
  out.End();
}

void WriteThings(LevelText& out, const Level& level) {
  out.Heading("######## Thing placement #######", "Section: Things");
  out.Blank();
  out << "World things ";
  out.Int(level.things.Used() + 200).End();
  out.Blank();
  out.Line("#num template\t     name:\t\tX:\t\tY:\t\tZ:\t\tPitch:\t\tYaw:\t\tRoll:\t\tSector:");
  for (int i = 0; i < level.things.Used(); ++i) AppendThingLine(out, level.things[i], i);
  out.Line("end");
  out.CloseSection();
}

/// The sections of other tools, as read, each closed as the writer closes its own.
void WriteUnknownSections(LevelText& out, const Level& level) {
  for (const UnknownSection& section : level.unknownSections) {
    for (const std::string& line : section.lines) out.Line(line);
    out.CloseSection();
  }
}

/// A generous guess of the text's size, so that the text is built without reallocating.
std::size_t ExpectedSize(const Level& level) {
  return 16384 +
         64 * static_cast<std::size_t>(level.vertices.Used() + level.texturevertices.Used() +
                                       level.adjoins.Used() + level.materials.Used()) +
         200 * static_cast<std::size_t>(level.surfaces.Used() + level.things.Used()) +
         600 * static_cast<std::size_t>(level.sectors.Used());
}

}  // namespace

std::string ThingLine(const Thing& thing, int index) {
  LevelText out(256 + thing.params.size());
  AppendThingLine(out, thing, index);
  return out.Take();
}

int CountCogSlots(const Level& level) {
  std::vector<int> uses(static_cast<std::size_t>(level.cogscripts.Used()), 0);
  for (int i = 0; i < level.cogs.Used(); ++i) {
    for (std::size_t script = 0; script < uses.size(); ++script) {
      if (EqualsIgnoringCase(level.cogscripts[static_cast<int>(script)], level.cogs[i].script)) {
        ++uses[script];
        break;
      }
    }
  }
  int slots = static_cast<int>(uses.size());
  for (const int count : uses) {
    if (count > 1) slots += count - 1;
  }
  return slots;
}

std::string FormatLevel(const Level& level, std::string_view worldPath,
                        std::string_view timeStamp) {
  LevelText out(ExpectedSize(level));
  WriteBanner(out, worldPath, timeStamp);
  WriteCopyright(out, level);
  WriteHeader(out, level.header);
  WriteSounds(out, level);
  WriteMaterials(out, level);
  WriteGeometry(out, level);
  WriteSectors(out, level);
  WriteNameLists(out, level);
  WriteCogs(out, level);
  WriteTemplates(out, level);
  WriteThings(out, level);
  WriteUnknownSections(out, level);
  return out.Take();
}

std::string FormatTimeStamp(int year, int month, int day, int hour, int minute) {
  const auto two = [](int value) {
    return (value < 10 && value >= 0 ? "0" : "") + std::to_string(value);
  };
  return std::to_string(year) + "-" + two(month) + "-" + two(day) + " " + two(hour) + ":" +
         two(minute);
}

std::string CurrentTimeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return FormatTimeStamp(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                         local.tm_min);
}

void SaveLevel(const Level& level, const std::filesystem::path& projectDir,
               const std::string& jklName, platform::Ui& ui) {
  platform::BusyCursor busy(ui);
  // An archive extracted on a case-sensitive file system keeps its entries' case (JKL\LEVEL.JKL);
  // save over those files rather than beside them.
  const std::filesystem::path path = platform::ResolveIgnoringCase(projectDir, "jkl\\" + jklName);
  platform::WriteFileAtomically(
      path, FormatLevel(level, platform::DisplayPath(path), CurrentTimeStamp()));
  WriteEpisode(level.episode, jklName, platform::ResolveIgnoringCase(projectDir, "episode.jk"));
}

}  // namespace kx::level
