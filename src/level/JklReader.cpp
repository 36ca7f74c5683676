#include "level/JklReader.h"

#include "level/JklErrors.h"
#include "level/Numbers.h"
#include "level/TextLines.h"
#include "level/Words.h"
#include "platform/AppInfo.h"
#include "platform/CommandError.h"
#include "platform/FileIo.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>

namespace kx::level {

namespace {

using platform::CommandError;

enum class State {
  None,
  Jk,
  Copyright,
  Header,
  Sounds,
  Materials,
  Georesource,
  Colormaps,
  Vertices,
  TextureVertices,
  Adjoins,
  Surfaces,
  Normals,
  Sectors,
  AIClass,
  Models,
  Sprites,
  Keyframes,
  AnimClass,
  SoundClass,
  CogScripts,
  Cogs,
  Templates,
  Things,
  Unknown,  // a section the editor does not read: its lines are kept as written
  Count
};

struct SectionHeader {
  std::string_view text;  // upper case, as the working line holds it
  bool whole;             // the whole line must match, not only its start
  State state;
  std::string_view label;  // shown in the progress window while the section is read
};

// Tested in this order on every line, whatever the section: "SECTION: COGSCRIPTS" must come
// before "SECTION: COGS", which would otherwise take it.
constexpr SectionHeader kHeaders[] = {
    {"SECTION: JK", true, State::Jk, "JK"},
    {"SECTION: COPYRIGHT", true, State::Copyright, "COPYRIGHT"},
    {"SECTION: HEADER", true, State::Header, "HEADER"},
    {"SECTION: SOUNDS", true, State::Sounds, "SOUNDS"},
    {"SECTION: MATERIALS", true, State::Materials, "MATERIALS"},
    {"SECTION: GEORESOURCE", true, State::Georesource, "GEORESOURCE"},
    {"WORLD COLORMAPS", false, State::Colormaps, "GEORESOURCE: COLORMAPS"},
    {"WORLD VERTICES", false, State::Vertices, "GEORESOURCE: VERTICES"},
    {"WORLD TEXTURE VERTICES", false, State::TextureVertices, "GEORESOURCE: TEXTURE VERTICES"},
    {"WORLD ADJOINS", false, State::Adjoins, "GEORESOURCE: ADJOINS"},
    {"WORLD SURFACES", false, State::Surfaces, "GEORESOURCE: SURFACES"},
    {"SECTION: SECTORS", false, State::Sectors, "SECTORS"},
    {"SECTION: AICLASS", false, State::AIClass, "AICLASS"},
    {"SECTION: MODELS", false, State::Models, "MODELS"},
    {"SECTION: SPRITES", false, State::Sprites, "SPRITES"},
    {"SECTION: KEYFRAMES", false, State::Keyframes, "KEYFRAMES"},
    {"SECTION: ANIMCLASS", false, State::AnimClass, "ANIMCLASS"},
    {"SECTION: SOUNDCLASS", false, State::SoundClass, "SOUNDCLASS"},
    {"SECTION: COGSCRIPTS", false, State::CogScripts, "COGSCRIPTS"},
    {"SECTION: COGS", false, State::Cogs, "COGS"},
    {"SECTION: TEMPLATES", false, State::Templates, "TEMPLATES"},
    {"SECTION: THINGS", false, State::Things, "THINGS"},
};

/// The "World ..." line of each name-list section.
constexpr std::string_view NameListWorldLine(State state) {
  switch (state) {
    case State::AIClass:
      return "WORLD AICLASSES";
    case State::Models:
      return "WORLD MODELS";
    case State::Sprites:
      return "WORLD SPRITES";
    case State::Keyframes:
      return "WORLD KEYFRAMES";
    case State::AnimClass:
      return "WORLD PUPPETS";
    case State::SoundClass:
      return "WORLD SOUNDCLASSES";
    default:
      return "WORLD SCRIPTS";
  }
}

bool IsNameList(State state) {
  return state >= State::AIClass && state <= State::CogScripts;
}

/// Sections closed by an "end" line; their count is the number of records they list.
bool EndsWithEnd(State state) {
  return state == State::Sounds || state == State::Materials || IsNameList(state) ||
         state == State::Cogs || state == State::Templates || state == State::Things;
}

/// The geometry subsections whose "World ..." line gives their count.
bool IsCounted(State state) {
  return state >= State::Colormaps && state <= State::Surfaces;
}

// One note per unknown section up to this many; a file made of thousands of them gets one more
// note for the rest rather than a wall of them.
constexpr int kUnknownSectionNotes = 16;

bool StartsWith(std::string_view text, std::string_view prefix) {
  // The first letter settles most of the many tests a sector line goes through.
  return text.size() >= prefix.size() && (prefix.empty() || text[0] == prefix[0]) &&
         text.compare(0, prefix.size(), prefix) == 0;
}

/// Number of blank- or tab-separated words in text.
int CountWords(std::string_view text) {
  int count = 0;
  while (!NextWord(text).empty()) ++count;
  return count;
}

/// Copies text to out upper-casing the letters a-z, sixteen bytes at a time where the compiler
/// can: every line of a level is upper-cased for matching. out holds at least text.size() bytes.
void UpperCaseCopy(std::string_view text, char* out) {
  using Block = unsigned char __attribute__((vector_size(16)));
  char* data = out;
  std::memcpy(data, text.data(), text.size());
  std::size_t i = 0;
  for (; i + 16 <= text.size(); i += 16) {
    Block block;
    std::memcpy(&block, data + i, sizeof(block));
    const Block lower = (block >= 'a') & (block <= 'z');
    block -= lower & 0x20;
    std::memcpy(data + i, &block, sizeof(block));
  }
  for (; i < text.size(); ++i) {
    if (data[i] >= 'a' && data[i] <= 'z') data[i] = static_cast<char>(data[i] - 32);
  }
}

// mat, surfflags, faceflags, geo, light, tex, adjoin, extralight, nverts: the least a surface
// line holds after its number.
constexpr int kSurfaceValues = 9;

int ProgressValue(std::int64_t lines) {
  return static_cast<int>(std::min<std::int64_t>(lines / 10, INT_MAX));
}

class LevelParser {
 public:
  LevelParser(std::string_view bytes, std::int64_t lineEnds, const std::string& sourceName,
              Level& level, platform::Ui& ui)
      : m_bytes(bytes), m_sourceName(sourceName), m_level(level), m_ui(ui) {
    m_index.fill(-1);
    m_sectorLines.assign(static_cast<std::size_t>(level.sectors.Capacity()), 0);
    // Each sector vertex is listed on a line of its own, so a level declares no more of them
    // than it has lines; this bounds what the sector lists may allocate.
    m_sectorVertexBudget = lineEnds + 1;
  }

  ParseOutcome Run() {
    TextLines lines(m_bytes);
    std::string_view raw;
    while (lines.Next(raw)) {
      m_ui.ProcessEvents();
      m_lineNumber = lines.LineNumber();
      m_ui.ProgressSetPosition(ProgressValue(m_lineNumber));
      m_raw = raw;
      if (!SplitLine(raw)) {
        if (m_state == State::Unknown) m_unknownPending.push_back(raw);
        continue;
      }
      if (IsSectionHeaderLine()) continue;
      HandleLine();
    }
    LeaveSection();
    if (!m_recognised) throw CommandError(NotALevelText(m_sourceName));
    FinishSectors();
    if (m_unknownSections > kUnknownSectionNotes) {
      m_notes.push_back(
          {INT64_MAX, m_sourceName + ": " +
                          MoreUnknownSectionsNote(m_unknownSections - kUnknownSectionNotes)});
    }
    if (m_copyrightCut) return ParseOutcome::CopyrightLimit;
    return m_incomplete ? ParseOutcome::Incomplete : ParseOutcome::Complete;
  }

  /// What the parse left out or kept aside, one text per note in the order of the file, for
  /// the caller to hand on.
  std::vector<std::string> TakeNotes() {
    std::stable_sort(m_notes.begin(), m_notes.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> texts;
    for (auto& note : m_notes) texts.push_back(std::move(note.second));
    return texts;
  }

 private:
  /// Fills the working line (upper case) and the cased line; false when there is nothing to
  /// read on the line.
  bool SplitLine(std::string_view raw) {
    m_cased = ReadableText(raw);
    if (m_cased.empty()) return false;
    // The buffer only grows, so most lines are copied without touching the allocator.
    if (m_upper.size() < m_cased.size()) m_upper.resize(m_cased.size());
    UpperCaseCopy(m_cased, m_upper.data());
    m_work = std::string_view(m_upper.data(), m_cased.size());
    m_colon = m_work.find(':');
    return true;
  }

  /// The cased text at the place of part, a piece of the working line: both lines hold the
  /// same characters at the same places, only the case differs.
  std::string_view Cased(std::string_view part) const {
    if (part.empty()) return {};
    return m_cased.substr(static_cast<std::size_t>(part.data() - m_work.data()), part.size());
  }

  std::string Place() const { return JklPlace(m_sourceName, m_lineNumber); }

  std::int32_t Strict(std::string_view text) const {
    const auto value = ParseWholeInt(text);
    if (!value) [[unlikely]] FailInteger(text);
    return *value;
  }

  [[noreturn, gnu::noinline]] void FailInteger(std::string_view text) const {
    throw CommandError::InvalidInteger(std::string(text), Place());
  }

  [[noreturn]] void Fail(std::string text) const { throw CommandError(std::move(text), Place()); }

  /// A float of the level: a value beyond the float range, an infinity or a NaN stops the read,
  /// since a saved level could not give it back.
  float Float(std::string_view text) const {
    const auto value = ParseFiniteFloat(text);
    if (!value) [[unlikely]] FailFloat(text);
    return *value;
  }

  [[noreturn, gnu::noinline]] void FailFloat(std::string_view text) const {
    Fail(InvalidFloatText(text));
  }

  void Note(std::int64_t line, const std::string& text) {
    m_notes.push_back({line, JklPlace(m_sourceName, line) + ": " + text});
  }

  /// A count from a "World ..." line of a section whose count is that number.
  std::int32_t DeclaredCount(std::string_view rest, std::string_view what, int capacity,
                             bool lenient = false) const {
    const std::int32_t count = lenient ? ParseLenientInt(rest) : Strict(rest);
    if (count < 0) Fail(NegativeCountText(what, count));
    if (count > capacity) Fail(TooManyText(what, capacity));
    return count;
  }

  /// The slot of the next record of a list section, checked against the table.
  int NextSlot(State state, std::string_view what, int capacity) {
    int& index = m_index[static_cast<std::size_t>(state)];
    if (index + 1 >= capacity) Fail(TooManyText(what, capacity));
    return ++index;
  }

  int RecordsRead(State state) const { return m_index[static_cast<std::size_t>(state)] + 1; }

  /// The slot of the next record of a subsection counted by its "World ..." line, or -1 when
  /// the count is reached: the record is then counted as ignored and not stored.
  int CountedSlot(State state, std::int32_t declared) {
    const int slot = ++m_index[static_cast<std::size_t>(state)];
    if (slot < declared) return slot;
    if (slot == declared) m_firstIgnoredLine = m_lineNumber;
    return -1;
  }

  // ---- section headers -------------------------------------------------------------------

  bool IsSectionHeaderLine() {
    // Every header begins with one of these; most lines are gone after their first letter.
    const char first = m_work.front();
    if (first != 'S' && first != 'W') return false;
    const bool section = StartsWith(m_work, "SECTION:");
    // The lines of an unknown section are kept as they are, up to the next section line.
    if (!section && (m_state == State::Unknown || !StartsWith(m_work, "WORLD "))) return false;
    for (const auto& header : kHeaders) {
      const bool match = header.whole ? m_work == header.text : StartsWith(m_work, header.text);
      if (!match) continue;
      LeaveSection();
      m_recognised = true;
      EnterSection(header, Trim(m_work.substr(header.text.size())));
      return true;
    }
    if (!section) return false;
    LeaveSection();
    EnterUnknownSection();
    return true;
  }

  void EnterUnknownSection() {
    m_state = State::Unknown;
    m_level.unknownSections.push_back(UnknownSection{{std::string(m_raw)}});
    if (++m_unknownSections <= kUnknownSectionNotes) {
      Note(m_lineNumber, UnknownSectionNote(m_cased));
    }
  }

  void EnterSection(const SectionHeader& header, std::string_view rest) {
    m_state = header.state;
    m_index[static_cast<std::size_t>(m_state)] = -1;
    m_sectionLine = m_lineNumber;
    m_ui.ProgressSetItem(std::string(header.label));
    switch (m_state) {
      case State::Copyright:
        m_level.copyright.count = 0;
        break;
      case State::Colormaps:
        m_level.colormaps.count = DeclaredCount(rest, "colormaps", m_level.colormaps.Capacity());
        break;
      case State::Vertices:
        m_level.vertices.count = DeclaredCount(rest, "vertices", m_level.vertices.Capacity());
        break;
      case State::TextureVertices:
        m_level.texturevertices.count =
            DeclaredCount(rest, "texture vertices", m_level.texturevertices.Capacity());
        break;
      case State::Adjoins:
        m_level.adjoins.count = DeclaredCount(rest, "adjoins", m_level.adjoins.Capacity());
        break;
      case State::Surfaces:
        m_level.surfaces.count = DeclaredCount(rest, "surfaces", m_level.surfaces.Capacity());
        break;
      default:
        break;
    }
  }

  /// A list section left without its "end" line counts the records it listed, so that no
  /// count claims more than was read (or more than the table holds); so does a geometry
  /// subsection that listed fewer records than its "World ..." line declared.
  void LeaveSection() {
    if (EndsWithEnd(m_state)) SetListCount(m_state, RecordsRead(m_state));
    if (IsCounted(m_state)) LeaveCountedSection();
    if (m_state == State::Normals) LeaveNormals();
    if (m_state == State::Copyright && m_copyrightDropped > 0) {
      Note(m_firstDroppedCopyrightLine, CopyrightDroppedNote(m_copyrightDropped));
      m_copyrightCut = true;
      m_copyrightDropped = 0;
    }
    m_unknownPending.clear();
    m_state = State::None;
  }

  struct CountedTable {
    std::int32_t& count;
    std::string_view what;       // one record, for the notes
    std::string_view worldLine;  // as the writer spells it
  };

  CountedTable Counted(State state) {
    switch (state) {
      case State::Colormaps:
        return {m_level.colormaps.count, "colormap", "World Colormaps"};
      case State::Vertices:
        return {m_level.vertices.count, "vertex", "World vertices"};
      case State::TextureVertices:
        return {m_level.texturevertices.count, "texture vertex", "World Texture Vertices"};
      case State::Adjoins:
        return {m_level.adjoins.count, "adjoin", "World adjoins"};
      default:
        return {m_level.surfaces.count, "surface", "World surfaces"};
    }
  }

  void LeaveCountedSection() {
    const CountedTable table = Counted(m_state);
    const int listed = RecordsRead(m_state);
    if (listed < table.count) {
      // Records the file does not list are not invented.
      Note(m_sectionLine, FewerRecordsNote(table.worldLine, table.count, listed, table.what));
      table.count = listed;
    } else if (listed > table.count) {
      Note(m_firstIgnoredLine,
           RecordsIgnoredNote(listed - table.count, table.what, table.worldLine, table.count));
      m_incomplete = true;
    }
  }

  void LeaveNormals() {
    const int listed = RecordsRead(State::Normals);
    if (listed <= m_level.surfaces.count) return;
    Note(m_firstIgnoredLine, RecordsIgnoredNote(listed - m_level.surfaces.count, "surface normal",
                                                "World surfaces", m_level.surfaces.count));
    m_incomplete = true;
  }

  /// Sectors named at or beyond the count are left out; the sectors in use must each claim
  /// surfaces of their own inside the surface table, or drawing and picking by sector would
  /// walk the same surfaces once per sector.
  void FinishSectors() {
    const int count = m_level.sectors.Used();
    int ignored = 0;
    std::int64_t firstLine = 0;
    for (int slot = count; slot < m_level.sectors.Capacity(); ++slot) {
      const std::int64_t line = m_sectorLines[static_cast<std::size_t>(slot)];
      if (line == 0) continue;
      ++ignored;
      if (firstLine == 0 || line < firstLine) firstLine = line;
      m_level.sectors[slot].marks.empty = 1;
    }
    if (ignored > 0) {
      Note(firstLine, RecordsIgnoredNote(ignored, "sector", "World sectors", count));
      m_incomplete = true;
    }

    struct Range {
      std::int64_t first, end;
      int sector;
    };
    std::vector<Range> ranges;
    const std::int64_t surfaces = m_level.surfaces.Used();
    for (int slot = 0; slot < count; ++slot) {
      const Sector& sector = m_level.sectors[slot];
      if (sector.nsurfaces == 0) continue;
      const std::int64_t first = sector.firstsurface;
      const std::int64_t end = first + sector.nsurfaces;
      if (sector.nsurfaces < 0 || first < 0 || end > surfaces) {
        FailAtSector(slot, SectorSurfacesOutsideText(slot, sector.firstsurface, sector.nsurfaces,
                                                     m_level.surfaces.Used()));
      }
      ranges.push_back({first, end, slot});
    }
    std::sort(ranges.begin(), ranges.end(), [](const Range& a, const Range& b) {
      return a.first != b.first ? a.first < b.first : a.sector < b.sector;
    });
    for (std::size_t i = 1; i < ranges.size(); ++i) {
      const Range& before = ranges[i - 1];
      const Range& after = ranges[i];
      if (after.first >= before.end) continue;
      const Sector& a = m_level.sectors[std::min(before.sector, after.sector)];
      const Sector& b = m_level.sectors[std::max(before.sector, after.sector)];
      FailAtSector(std::max(before.sector, after.sector),
                   SectorsShareSurfacesText(std::min(before.sector, after.sector), a.firstsurface,
                                            a.nsurfaces, std::max(before.sector, after.sector),
                                            b.firstsurface, b.nsurfaces));
    }
  }

  /// Stops the read at the SECTOR line of sector slot (or naming only the file when this read
  /// did not name that sector).
  [[noreturn]] void FailAtSector(int slot, std::string text) const {
    const std::int64_t line = m_sectorLines[static_cast<std::size_t>(slot)];
    throw CommandError(std::move(text), line > 0 ? JklPlace(m_sourceName, line) : m_sourceName);
  }

  void SetListCount(State state, int count) {
    switch (state) {
      case State::Sounds:
        m_level.sounds.count = count;
        break;
      case State::Materials:
        m_level.materials.count = count;
        break;
      case State::Cogs:
        m_level.cogs.count = count;
        break;
      case State::Templates:
        m_level.templates.count = count;
        break;
      case State::Things:
        m_level.things.count = count;
        break;
      case State::Models:
        m_level.models.count = count;
        break;
      default:
        if (IsNameList(state)) NameList(state).count = count;
        break;
    }
  }

  Table<std::string>& NameList(State state) {
    switch (state) {
      case State::AIClass:
        return m_level.aiclasses;
      case State::Sprites:
        return m_level.sprites;
      case State::Keyframes:
        return m_level.keyframes;
      case State::AnimClass:
        return m_level.puppets;
      case State::SoundClass:
        return m_level.soundclasses;
      default:
        return m_level.cogscripts;
    }
  }

  static std::string_view NameListWhat(State state) {
    switch (state) {
      case State::AIClass:
        return "AI classes";
      case State::Models:
        return "models";
      case State::Sprites:
        return "sprites";
      case State::Keyframes:
        return "keyframes";
      case State::AnimClass:
        return "puppets";
      case State::SoundClass:
        return "sound classes";
      default:
        return "COG scripts";
    }
  }

  // ---- lines of a section ----------------------------------------------------------------

  bool IsListLine() const { return m_colon != std::string_view::npos; }

  /// The working line before its first ":", trimmed: the entry number of a list line.
  std::string_view BeforeColon() const { return Trim(m_work.substr(0, m_colon)); }
  /// The working line after its first ":", trimmed.
  std::string_view AfterColon() const { return Trim(m_work.substr(m_colon + 1)); }

  void HandleLine() {
    switch (m_state) {
      case State::None:
      case State::Jk:
      case State::Georesource:
        break;
      case State::Copyright:
        CopyrightLine();
        break;
      case State::Header:
        HeaderLine();
        break;
      case State::Sounds:
        SoundLine();
        break;
      case State::Materials:
        MaterialLine();
        break;
      case State::Colormaps:
        if (IsListLine()) ColormapLine();
        break;
      case State::Vertices:
        if (IsListLine()) VertexLine();
        break;
      case State::TextureVertices:
        if (IsListLine()) TextureVertexLine();
        break;
      case State::Adjoins:
        if (IsListLine()) AdjoinLine();
        break;
      case State::Surfaces:
        if (IsListLine()) SurfaceLine();
        break;
      case State::Normals:
        if (IsListLine()) NormalLine();
        break;
      case State::Sectors:
        SectorLine();
        break;
      case State::Cogs:
        CogLine();
        break;
      case State::Templates:
        TemplateLine();
        break;
      case State::Things:
        ThingLine();
        break;
      case State::Unknown:
        UnknownLine();
        break;
      default:
        NameListLine();
        break;
    }
  }

  /// A line of an unknown section, with the blank and comment lines before it: those at the
  /// section's end belong to whatever follows.
  void UnknownLine() {
    auto& lines = m_level.unknownSections.back().lines;
    for (const std::string_view pending : m_unknownPending) lines.emplace_back(pending);
    m_unknownPending.clear();
    lines.emplace_back(m_raw);
  }

  bool IsEnd() const { return m_work == "END"; }

  void CloseWithEnd() {
    SetListCount(m_state, RecordsRead(m_state));
    m_state = State::None;
  }

  void CopyrightLine() {
    if (m_level.copyright.count >= m_level.copyright.Capacity()) {
      if (m_copyrightDropped++ == 0) m_firstDroppedCopyrightLine = m_lineNumber;
      return;
    }
    const int line = ++m_level.copyright.count;  // copyright lines are numbered from 1
    m_level.copyright[line - 1] = CutTo(m_cased, capacity::kCopyrightText);
  }

  void HeaderLine() {
    LevelHeader& header = m_level.header;
    const auto rest = [&](std::string_view label) { return Trim(m_work.substr(label.size())); };
    const auto floats = [&](std::string_view label, float* values, int n) {
      std::string_view text = rest(label);
      for (int i = 0; i < n; ++i) values[i] = Float(NextWord(text));
    };
    if (StartsWith(m_work, "VERSION")) {
      header.version = Strict(rest("VERSION"));
    } else if (StartsWith(m_work, "WORLD GRAVITY")) {
      header.worldGravity = Float(rest("WORLD GRAVITY"));
    } else if (StartsWith(m_work, "CEILING SKY Z")) {
      header.ceilingSkyZ = Float(rest("CEILING SKY Z"));
    } else if (StartsWith(m_work, "HORIZON DISTANCE")) {
      header.horizonDistance = Float(rest("HORIZON DISTANCE"));
    } else if (StartsWith(m_work, "HORIZON PIXELS PER REV")) {
      header.horizonPixelsPerRev = Float(rest("HORIZON PIXELS PER REV"));
    } else if (StartsWith(m_work, "HORIZON SKY OFFSET")) {
      floats("HORIZON SKY OFFSET", header.horizonSkyOffset.data(), 2);
    } else if (StartsWith(m_work, "CEILING SKY OFFSET")) {
      floats("CEILING SKY OFFSET", header.ceilingSkyOffset.data(), 2);
    } else if (StartsWith(m_work, "MIPMAP DISTANCES")) {
      floats("MIPMAP DISTANCES", header.mipmapDistances.data(), 4);
    } else if (StartsWith(m_work, "LOD DISTANCES")) {
      floats("LOD DISTANCES", header.lodDistances.data(), 4);
    } else if (StartsWith(m_work, "PERSPECTIVE DISTANCE")) {
      header.perspectiveDistance = Float(rest("PERSPECTIVE DISTANCE"));
    } else if (StartsWith(m_work, "GOURAUD DISTANCE")) {
      header.gouraudDistance = Float(rest("GOURAUD DISTANCE"));
    }
  }

  void SoundLine() {
    if (StartsWith(m_work, "WORLD SOUNDS")) {
      // The declared number is room, not contents: "end" or the section's end sets the count.
      m_level.sounds.count = ParseLenientInt(Trim(m_work.substr(12)));
    } else if (m_work.find(".WAV") != std::string_view::npos) {
      const int slot = NextSlot(State::Sounds, "sounds", m_level.sounds.Capacity());
      m_level.sounds[slot] = CutTo(m_cased, capacity::kSoundLineText);
    } else if (IsEnd()) {
      CloseWithEnd();
    }
  }

  void MaterialLine() {
    if (StartsWith(m_work, "WORLD MATERIALS")) return;
    if (IsListLine()) {
      const int slot = NextSlot(State::Materials, "materials", m_level.materials.Capacity());
      std::string_view words = m_work;
      NextWord(words);
      Material& material = m_level.materials[slot];
      material.name = CutTo(Cased(NextWord(words)), capacity::kNameText);
      material.xTile = Float(NextWord(words));
      material.yTile = Float(NextWord(words));
    } else if (IsEnd()) {
      CloseWithEnd();
    }
  }

  void ColormapLine() {
    const int slot = CountedSlot(State::Colormaps, m_level.colormaps.count);
    if (slot < 0) return;
    m_level.colormaps[slot] = CutTo(Cased(WordAt(m_work, 2)), capacity::kColormapText);
  }

  void VertexLine() {
    const int slot = CountedSlot(State::Vertices, m_level.vertices.count);
    if (slot < 0) return;
    std::string_view words = AfterColon();
    Vertex& vertex = m_level.vertices[slot];
    vertex.x = Float(NextWord(words));
    vertex.y = Float(NextWord(words));
    vertex.z = Float(NextWord(words));
    vertex.marks.empty = 0;
  }

  void TextureVertexLine() {
    const int slot = CountedSlot(State::TextureVertices, m_level.texturevertices.count);
    if (slot < 0) return;
    std::string_view words = AfterColon();
    TextureVertex& texvertex = m_level.texturevertices[slot];
    texvertex.u = Float(NextWord(words));
    texvertex.v = Float(NextWord(words));
  }

  void AdjoinLine() {
    const int slot = CountedSlot(State::Adjoins, m_level.adjoins.count);
    if (slot < 0) return;
    std::string_view words = AfterColon();
    Adjoin& adjoin = m_level.adjoins[slot];
    adjoin.flags = ParseHex(NextWord(words));
    adjoin.mirror = Strict(NextWord(words));
    adjoin.dist = Float(NextWord(words));
  }

  void SurfaceLine() {
    const std::int32_t number = Strict(BeforeColon());
    const int slot = ++m_index[static_cast<std::size_t>(State::Surfaces)];
    // Read on, such a line would be taken for a normal and shift the real ones.
    if (number >= m_level.surfaces.count || slot >= m_level.surfaces.count) {
      Fail(SurfaceBeyondCountText(number, m_level.surfaces.count));
    }
    std::string_view words = AfterColon();

    Surface surface;
    surface.mat = Strict(NextWord(words));
    surface.surfflags = ParseHex(NextWord(words));
    surface.faceflags = ParseHex(NextWord(words));
    surface.geo = Strict(NextWord(words));
    surface.light = Strict(NextWord(words));
    surface.tex = Strict(NextWord(words));
    surface.adjoin = Strict(NextWord(words));
    surface.extralight = Float(NextWord(words));
    surface.nverts = Strict(NextWord(words));
    if (surface.nverts < 0 || surface.nverts > capacity::kSurfaceMaxVertices) {
      Fail(CornerCountText(number, surface.nverts));
    }
    for (int i = 0; i < surface.nverts; ++i) {
      const std::string_view corner = NextWord(words);
      const std::size_t comma = corner.find(',');
      surface.vertices[i].vertex = Strict(corner.substr(0, comma));
      surface.vertices[i].texvertex =
          Strict(comma == std::string_view::npos ? std::string_view() : corner.substr(comma + 1));
    }
    for (int i = 0; i < surface.nverts; ++i) surface.intensities[i] = Float(NextWord(words));
    // The sequel writes an intensity and a red, green and blue light per corner; read as this
    // game's format the colours would be lost on the next save.
    if (surface.nverts > 0 && CountWords(words) == 3 * surface.nverts) Fail(SequelFormatText());
    surface.marks = m_level.surfaces[slot].marks;
    surface.marks.empty = 0;
    m_level.surfaces[slot] = surface;

    // The normals follow the last surface without a header of their own.
    if (number == m_level.surfaces.count - 1) {
      m_state = State::Normals;
      m_index[static_cast<std::size_t>(State::Normals)] = -1;
      m_ui.ProgressSetItem("GEORESOURCE: SURFACE NORMALS");
    }
  }

  void NormalLine() {
    std::string_view words = m_work;
    NextWord(words);
    const std::string_view x = NextWord(words);
    const std::string_view y = NextWord(words);
    const std::string_view z = NextWord(words);
    // A line with the values of a surface is a surface beyond the count, not a normal.
    if (!words.empty() && CountWords(words) >= kSurfaceValues - 3) {
      Fail(SurfaceBeyondCountText(ParseLenientInt(BeforeColon()), m_level.surfaces.count));
    }
    const int slot = CountedSlot(State::Normals, m_level.surfaces.count);
    if (slot < 0) return;
    SurfaceNormal& normal = m_level.normals[static_cast<std::size_t>(slot)];
    normal.x = Float(x);
    normal.y = Float(y);
    normal.z = Float(z);
  }

  void SectorLine() {
    if (StartsWith(m_work, "WORLD SECTORS")) {
      m_level.sectors.count = DeclaredCount(Trim(m_work.substr(13)), "sectors",
                                            m_level.sectors.Capacity(), /*lenient=*/true);
      return;
    }
    if (StartsWith(m_work, "SECTOR")) {
      const std::int32_t slot = ParseLenientInt(Trim(m_work.substr(6)));
      if (slot < 0 || slot >= m_level.sectors.Capacity()) {
        Fail(SectorSlotText(slot, m_level.sectors.Capacity()));
      }
      m_sector = slot;
      m_sectorLines[static_cast<std::size_t>(slot)] = m_lineNumber;
      Sector& sector = m_level.sectors[slot];
      sector.marks.empty = 0;
      sector.hassound = 0;
      return;
    }
    if (m_sector < 0) return;  // keyword lines before the first SECTOR line name no sector
    Sector& sector = m_level.sectors[m_sector];
    const auto floatsOfWords = [&](float* values, int n) {
      std::string_view words = m_work;
      NextWord(words);
      for (int i = 0; i < n; ++i) values[i] = Float(NextWord(words));
    };
    if (StartsWith(m_work, "FLAGS")) {
      sector.flags = ParseHex(Trim(m_work.substr(5)));
    } else if (StartsWith(m_work, "AMBIENT LIGHT")) {
      sector.ambientlight = Float(Trim(m_work.substr(13)));
    } else if (StartsWith(m_work, "EXTRA LIGHT")) {
      sector.extralight = Float(Trim(m_work.substr(11)));
    } else if (StartsWith(m_work, "COLORMAP")) {
      sector.colormap = Strict(Trim(m_work.substr(8)));
    } else if (StartsWith(m_work, "TINT")) {
      floatsOfWords(sector.tint.data(), 3);
    } else if (StartsWith(m_work, "BOUNDBOX")) {
      floatsOfWords(sector.boundbox.data(), 6);
    } else if (StartsWith(m_work, "COLLIDEBOX")) {
      floatsOfWords(sector.collidebox.data(), 6);
    } else if (StartsWith(m_work, "SOUND")) {
      sector.hassound = 1;
      sector.sound = CutTo(Cased(WordAt(m_work, 2)), capacity::kNameText);
      sector.soundvolume = Float(WordAt(m_work, 3));
    } else if (StartsWith(m_work, "CENTER")) {
      floatsOfWords(sector.center.data(), 3);
    } else if (StartsWith(m_work, "RADIUS")) {
      sector.radius = Float(WordAt(m_work, 2));
    } else if (StartsWith(m_work, "VERTICES")) {
      SectorVertexCount(sector, Strict(WordAt(m_work, 2)));
    } else if (IsListLine()) {
      const std::int32_t slot = Strict(BeforeColon());
      if (slot < 0 || slot >= sector.nverts ||
          static_cast<std::size_t>(slot) >= sector.vertexindices.size()) {
        Fail(SectorVertexSlotText(slot, m_sector, sector.nverts));
      }
      sector.vertexindices[static_cast<std::size_t>(slot)] = Strict(WordAt(m_work, 2));
    } else if (StartsWith(m_work, "SURFACES")) {
      sector.firstsurface = Strict(WordAt(m_work, 2));
      sector.nsurfaces = Strict(WordAt(m_work, 3));
    }
  }

  void SectorVertexCount(Sector& sector, std::int32_t count) {
    if (count < 0 || count > capacity::kSectorMaxVertices) {
      Fail(SectorVertexCountText(m_sector, count, capacity::kSectorMaxVertices));
    }
    m_sectorVertexBudget -= count;
    if (m_sectorVertexBudget < 0) Fail(SectorVerticesBeyondFileText(m_sector, count));
    sector.nverts = count;
    sector.vertexindices.assign(static_cast<std::size_t>(count), 0);
  }

  void NameListLine() {
    if (StartsWith(m_work, NameListWorldLine(m_state))) {
      SetListCount(m_state, Strict(Trim(m_work.substr(NameListWorldLine(m_state).size()))));
    } else if (IsListLine()) {
      const int capacity =
          m_state == State::Models ? m_level.models.Capacity() : NameList(m_state).Capacity();
      const int slot = NextSlot(m_state, NameListWhat(m_state), capacity);
      std::string name = CutTo(Cased(WordAt(m_work, 2)), capacity::kNameText);
      if (m_state == State::Models) {
        m_level.models[slot] = Model{std::move(name), 0};
      } else {
        NameList(m_state)[slot] = std::move(name);
      }
    } else if (IsEnd()) {
      CloseWithEnd();
    }
  }

  void CogLine() {
    if (StartsWith(m_work, "WORLD COGS")) {
      m_level.cogs.count = Strict(Trim(m_work.substr(10)));
    } else if (IsListLine()) {
      const int slot = NextSlot(State::Cogs, "cogs", m_level.cogs.Capacity());
      std::string_view words = m_cased;
      NextWord(words);
      Cog& cog = m_level.cogs[slot];
      cog.script = CutTo(NextWord(words), capacity::kNameText);
      cog.params.clear();
      cog.params.reserve(static_cast<std::size_t>(CountWords(words)));
      for (std::string_view word = NextWord(words); !word.empty(); word = NextWord(words)) {
        cog.params.push_back(ReadCogParam(word));
      }
    } else if (IsEnd()) {
      CloseWithEnd();
    }
  }

  static CogParam ReadCogParam(std::string_view word) {
    CogParam param;
    if (const auto integer = ParseWholeInt(word)) {
      param.kind = CogParamKind::Integer;
      param.intvalue = *integer;
    } else if (const auto number = ParseWholeFloat(word); number && std::isfinite(*number)) {
      // A number beyond the float range stays the text it was.
      param.kind = CogParamKind::Float;
      param.floatvalue = *number;
    } else {
      param.kind = CogParamKind::Text;
      param.text = CutTo(word, capacity::kNameText);
    }
    return param;
  }

  void TemplateLine() {
    if (StartsWith(m_work, "WORLD TEMPLATES")) {
      m_level.templates.count = Strict(Trim(m_work.substr(15)));
    } else if (IsEnd()) {
      CloseWithEnd();
    } else {
      const int slot = NextSlot(State::Templates, "templates", m_level.templates.Capacity());
      std::string_view words = m_cased;
      Template& entry = m_level.templates[slot];
      entry.name = CutTo(NextWord(words), capacity::kNameText);
      entry.basedon = CutTo(NextWord(words), capacity::kNameText);
      entry.params = std::string(words);
    }
  }

  void ThingLine() {
    if (StartsWith(m_work, "WORLD THINGS")) {
      m_level.things.count = Strict(Trim(m_work.substr(12)));
    } else if (IsEnd()) {
      CloseWithEnd();
    } else if (IsListLine()) {
      const int slot = NextSlot(State::Things, "things", m_level.things.Capacity());
      std::string_view words = m_work;
      NextWord(words);
      Thing& thing = m_level.things[slot];
      thing.templateName = CutTo(Cased(NextWord(words)), capacity::kNameText);
      thing.name = CutTo(Cased(NextWord(words)), capacity::kNameText);
      thing.x = Float(NextWord(words));
      thing.y = Float(NextWord(words));
      thing.z = Float(NextWord(words));
      thing.pitch = Float(NextWord(words));
      thing.yaw = Float(NextWord(words));
      thing.roll = Float(NextWord(words));
      thing.sector = Strict(NextWord(words));
      thing.params = std::string(Cased(words));
      thing.marks.empty = 0;
    }
  }

  std::string_view m_bytes;
  const std::string& m_sourceName;
  Level& m_level;
  platform::Ui& m_ui;

  State m_state = State::None;
  std::array<int, static_cast<std::size_t>(State::Count)> m_index{};
  std::int64_t m_sectionLine = 0;       // the line of the current section's header
  std::int64_t m_firstIgnoredLine = 0;  // the first record of it beyond its count
  int m_sector = -1;
  std::vector<std::int64_t> m_sectorLines;  // per sector slot, its SECTOR line in this read
  bool m_recognised = false;                // a section of a level was seen
  bool m_incomplete = false;                // records of the file were left out
  int m_copyrightDropped = 0;  // in the current copyright section
  bool m_copyrightCut = false;
  std::int64_t m_firstDroppedCopyrightLine = 0;
  int m_unknownSections = 0;
  std::vector<std::string_view> m_unknownPending;  // blank and comment lines of an unknown section
  std::vector<std::pair<std::int64_t, std::string>> m_notes;  // by line
  std::int64_t m_sectorVertexBudget = 0;
  std::int64_t m_lineNumber = 0;

  std::string_view m_raw;    // the line as it stands in the file
  std::string m_upper;       // storage of the working line, its first m_work.size() bytes
  std::string_view m_work;   // the line upper-cased and trimmed: matching and numbers
  std::string_view m_cased;  // the line as written, trimmed: stored names and texts
  std::size_t m_colon = std::string_view::npos;  // the first ":" of the working line
};

}  // namespace

std::string_view ReadableText(std::string_view line) {
  if (!line.empty() && line.front() == '#') return {};
  return Trim(line.substr(0, line.find('#')));
}

bool StartsSection(std::string_view readable) {
  const std::string work = ToUpperAscii(Trim(readable));
  if (StartsWith(work, "SECTION:")) return true;
  return std::any_of(std::begin(kHeaders), std::end(kHeaders), [&](const SectionHeader& header) {
    return header.whole ? work == header.text : StartsWith(work, header.text);
  });
}

ParseOutcome ParseLevel(std::string_view bytes, const std::string& sourceName,
                        const std::string& jklName, Level& level, platform::Ui& ui) {
  const std::int64_t expectedLines = CountLineEnds(bytes);
  ParseOutcome outcome;
  std::vector<std::string> notes;
  {
    platform::ProgressSession progress(ui, "Parsing " + jklName + "...",
                                       "Parsing section: ", ProgressValue(expectedLines));
    level.ResetAllSlotMarks();
    // The sections kept aside belong to the file read, never to the level read before it.
    level.unknownSections.clear();
    LevelParser parser(bytes, expectedLines, sourceName, level, ui);
    outcome = parser.Run();
    notes = parser.TakeNotes();
  }
  for (const std::string& note : notes) ui.Note(note);
  return outcome;
}

ParseOutcome ReadLevel(Level& level, const std::filesystem::path& jklPath,
                       const std::string& jklName, platform::Ui& ui) {
  ParseOutcome outcome;
  {
    platform::BusyCursor busy(ui);
    const std::string bytes = platform::ReadFileBytes(jklPath);
    Level read = level;
    outcome = ParseLevel(bytes, platform::DisplayPath(jklPath), jklName, read, ui);
    level = std::move(read);
  }
  if (outcome == ParseOutcome::CopyrightLimit) {
    ui.ShowMessage(platform::BoxKind::Error, CopyrightLimitText());
    ui.SetMainCaption(std::string(platform::kIdleCaption));
  }
  return outcome;
}

}  // namespace kx::level
