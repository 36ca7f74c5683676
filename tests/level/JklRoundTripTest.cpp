#include "support/FakeUi.h"
#include "support/LevelCompare.h"
#include "support/TempDir.h"

#include "level/JklErrors.h"
#include "level/JklReader.h"
#include "level/JklWriter.h"
#include "platform/CommandError.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <memory>
#include <random>
#include <regex>
#include <sstream>

// A level written by the editor reads back into the same level, and writing that again gives
// the same bytes: on levels built here and on every real level of the corpus.
namespace kx::level {
namespace {

constexpr std::string_view kStamp = "2001-02-03 04:05";

std::unique_ptr<Level> ParseText(std::string_view text) {
  auto level = std::make_unique<Level>();
  test::FakeUi ui;
  EXPECT_EQ(ParseLevel(text, "roundtrip.jkl", "roundtrip.jkl", *level, ui), ParseOutcome::Complete);
  // The pre-count of the lines agrees with the lines read, so the bar ends full.
  EXPECT_EQ(ui.progress.front(), "begin Parsing roundtrip.jkl...|Parsing section: |" +
                                     std::to_string(ui.positions.back()));
  return level;
}

std::string AfterFirstLine(const std::string& text) {
  return text.substr(text.find("\r\n"));
}

/// Where a and b first differ, with some text of each from there; empty when they are equal.
std::string FirstDifference(const std::string& a, const std::string& b) {
  const auto [atA, atB] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  if (atA == a.end() && atB == b.end()) return {};
  return "line " + std::to_string(std::count(a.begin(), atA, '\n') + 1) + ": " +
         std::string(atA, a.end()).substr(0, 60) + " | " + std::string(atB, b.end()).substr(0, 60);
}

/// Writes level, reads it back, writes that again; checks both round trips.
void ExpectRoundTrip(const Level& level) {
  const std::string first = FormatLevel(level, "C:\\first\\a.jkl", kStamp);
  const auto read = ParseText(first);
  EXPECT_EQ(test::FirstLevelDifference(level, *read), "");
  const std::string second = FormatLevel(*read, "C:\\second\\b.jkl", kStamp);
  EXPECT_EQ(FirstDifference(AfterFirstLine(first), AfterFirstLine(second)), "");
}

/// Random levels holding the extreme values a level file can: mostly small tables, now and
/// then a full one, or every table full.
class LevelMaker {
 public:
  explicit LevelMaker(unsigned seed, bool full = false) : m_random(seed), m_full(full) {}

  std::unique_ptr<Level> Make() {
    auto level = std::make_unique<Level>();
    Level& l = *level;
    Fill(l.copyright, [&] { return Word("(c)") + "  " + Word("by"); });
    LevelHeader& h = l.header;
    h.version = Int();
    for (float* value : {&h.worldGravity, &h.ceilingSkyZ, &h.horizonDistance,
                         &h.horizonPixelsPerRev, &h.perspectiveDistance, &h.gouraudDistance}) {
      *value = Float();
    }
    Floats(h.horizonSkyOffset);
    Floats(h.ceilingSkyOffset);
    Floats(h.mipmapDistances);
    Floats(h.lodDistances);
    Fill(l.sounds, [&] { return Word("s") + (Chance() ? ".WAV" : ".wav 2.5 x"); });
    Fill(l.materials, [&] { return Material{Name(".mat"), Float(), Float()}; });
    Fill(l.colormaps, [&] { return Name(".cmp"); });
    Fill(l.vertices, [&] { return Vertex{Float(), Float(), Float(), kInUse}; });
    Fill(l.texturevertices, [&] { return TextureVertex{Float(), Float()}; });
    Fill(l.adjoins, [&] { return Adjoin{Flags(), Int(), Float()}; });
    Fill(l.surfaces, [&] { return MakeSurface(); });
    for (auto& normal : l.normals) normal = {Float(), Float(), Float()};
    Fill(l.sectors, [&] { return MakeSector(); });
    for (auto* names :
         {&l.aiclasses, &l.sprites, &l.keyframes, &l.puppets, &l.soundclasses, &l.cogscripts}) {
      Fill(*names, [&] { return Name(".x"); });
    }
    Fill(l.models, [&] { return Model{Name(".3do"), 0}; });
    Fill(l.cogs, [&] { return MakeCog(); });
    Fill(l.templates, [&] {
      return Template{Word("t"), Chance() ? "none" : Word("_b"), Params(), -1};
    });
    Fill(l.things, [&] {
      return Thing{Word("tpl"), Word("n"), Float(), Float(),  Float(), Float(),
                   Float(),     Float(),   Int(),   Params(), kInUse};
    });
    return level;
  }

 private:
  static constexpr RecordMarks kInUse{0, 0, 1};

  template <typename T, typename Make>
  void Fill(Table<T>& table, Make make) {
    const int pick = Uniform(0, 9);
    table.count = m_full || pick == 1 ? table.Capacity()
                  : pick == 0         ? 0
                                      : Uniform(1, std::min(table.Capacity(), 40));
    for (int i = 0; i < table.count; ++i) table[i] = make();
  }

  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
  bool Chance() { return Uniform(0, 1) == 1; }

  std::int32_t Int() {
    const int pick = Uniform(0, 3);
    if (pick == 0) return std::numeric_limits<std::int32_t>::min();
    if (pick == 1) return std::numeric_limits<std::int32_t>::max();
    return Uniform(-5000, 5000);
  }

  std::uint32_t Flags() {
    return Chance() ? static_cast<std::uint32_t>(Uniform(0, 0xFFFF))
                    : static_cast<std::uint32_t>(m_random());
  }

  float Float() {
    const int pick = Uniform(0, 5);
    const float range = pick == 0 ? 0.0f : pick == 1 ? 1e-5f : pick == 2 ? 1e7f : 100.0f;
    return std::uniform_real_distribution<float>(-range, range)(m_random);
  }

  template <std::size_t N>
  void Floats(std::array<float, N>& values) {
    for (float& value : values) value = Float();
  }

  /// prefix, then letters, digits and punctuation that real names hold; at most limit long.
  std::string Word(std::string_view prefix, int limit = 32) {
    static constexpr std::string_view kChars = "abcXYZ019_-+.()";
    std::string word(prefix);
    for (int i = Uniform(0, 40); i > 0; --i) word += kChars[Uniform(0, kChars.size() - 1)];
    return word.substr(0, static_cast<std::size_t>(limit));
  }

  /// A file name of at most 32 characters.
  std::string Name(std::string_view extension) {
    return Word("n", 32 - static_cast<int>(extension.size())) + std::string(extension);
  }

  std::string Params() {
    std::string params;
    for (int i = Uniform(0, 4); i > 0; --i) {
      params += Word("k") + "=" + Word("v") + (i > 1 ? (Chance() ? " " : "  ") : "");
    }
    return params;
  }

  Surface MakeSurface() {
    Surface s{Int(), Flags(), Flags(),        Int(), Int(), Int(),
              Int(), Float(), Uniform(0, 24), {},    {},    kInUse};
    for (int i = 0; i < s.nverts; ++i) {
      s.vertices[i] = {Int(), Int()};
      s.intensities[i] = Float();
    }
    return s;
  }

  Sector MakeSector() {
    Sector s;
    s.flags = Flags();
    s.ambientlight = Float();
    s.extralight = Float();
    s.colormap = Int();
    Floats(s.tint);
    Floats(s.boundbox);
    Floats(s.collidebox);
    s.hassound = Chance() ? 1 : 0;
    if (s.hassound) {
      s.sound = Word("snd");
      s.soundvolume = Float();
    }
    Floats(s.center);
    s.radius = Float();
    s.nverts = Uniform(0, 30);
    for (int i = 0; i < s.nverts; ++i) s.vertexindices.push_back(Int());
    s.firstsurface = Int();
    s.nsurfaces = Int();
    s.marks = kInUse;
    return s;
  }

  Cog MakeCog() {
    Cog cog{Name(".cog"), {}};
    for (int i = Uniform(0, 12); i > 0; --i) {
      const int kind = Uniform(1, 3);
      if (kind == 1) cog.params.push_back({CogParamKind::Integer, Int(), 0, ""});
      if (kind == 2) cog.params.push_back({CogParamKind::Float, 0, Float(), ""});
      if (kind == 3) cog.params.push_back({CogParamKind::Text, 0, 0, Word(Chance() ? "0x" : "d.")});
    }
    return cog;
  }

  std::mt19937 m_random;
  bool m_full;
};

TEST(JklRoundTripTest, LevelsBuiltInCodeSurviveWriteAndRead) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    ExpectRoundTrip(*LevelMaker(seed).Make());
  }
  ExpectRoundTrip(*std::make_unique<Level>());
}

TEST(JklRoundTripTest, EveryTableAtItsCapacitySurvivesWriteAndRead) {
  ExpectRoundTrip(*LevelMaker(631, /*full=*/true).Make());
}

// Real levels separate their values with blanks, and many end their lines with LF alone.
TEST(JklRoundTripTest, BlanksAndTabsAndEveryLineEndReadAlike) {
  const auto level = LevelMaker(5).Make();
  const std::string text = FormatLevel(*level, "a.jkl", kStamp);
  const auto replaced = [&text](const std::string& from, const std::string& to) {
    return std::regex_replace(text, std::regex(from), to);
  };
  for (const auto& variant : {replaced("\t", " "), replaced("\t", " \t  "), replaced("\r\n", "\n"),
                              replaced("\r\n", "\r")}) {
    EXPECT_EQ(test::FirstLevelDifference(*level, *ParseText(variant)), "");
  }
}

// ---- the corpus ---------------------------------------------------------------------------

std::vector<std::filesystem::path> CorpusLevels() {
  std::vector<std::filesystem::path> levels;
  const auto corpus = test::CorpusDir();
  if (corpus.empty()) return levels;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
    auto extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
    if (entry.is_regular_file() && extension == ".jkl") levels.push_back(entry.path());
  }
  std::sort(levels.begin(), levels.end());
  return levels;
}

/// The levels of the corpus written by the sequel's tools (four light values per corner).
bool IsSequelLevel(const std::filesystem::path& path) {
  const std::string text = path.generic_string();
  return text.find("SelfDestruct.goo.contents") != std::string::npos ||
         text.find("ROTDOOR1.GOO.contents") != std::string::npos ||
         text.find("tutorials/round/round.jkl") != std::string::npos;
}

/// What a level file declares and lists, by a line scan of its own: the numbers of its
/// "World ..." geometry lines ("VERTICES" -> 30) and the entries of each section ("MODELS" -> 46).
struct Declared {
  std::map<std::string, int> world;
  std::map<std::string, int> listed;
};

Declared Scan(const std::string& bytes) {
  Declared declared;
  std::string text = bytes.substr(0, bytes.find('\x1a'));
  std::replace(text.begin(), text.end(), '\r', '\n');
  std::istringstream in(text);
  static const std::regex world(
      "WORLD (COLORMAPS|VERTICES|TEXTURE VERTICES|ADJOINS|SURFACES|SECTORS)\\s+(-?[0-9]+)");
  static const std::regex section("SECTION:\\s*(\\w+)");
  static const std::regex entry("[0-9]+:.*");
  std::string name;
  bool inList = false;
  std::smatch match;
  for (std::string line; std::getline(in, line);) {
    line = line.substr(0, line.find('#'));
    std::transform(line.begin(), line.end(), line.begin(), ::toupper);
    line.erase(0, line.find_first_not_of(" \t"));
    line.erase(line.find_last_not_of(" \t") + 1);
    if (line.empty()) continue;
    if (std::regex_match(line, match, section)) {
      name = match[1];
      inList = true;
      declared.listed[name] = 0;
    } else if (std::regex_match(line, match, world)) {
      declared.world[match[1]] = std::stoi(match[2]);
    } else if (line == "END") {
      inList = false;
    } else if (inList && line.rfind("WORLD ", 0) != 0) {
      const bool counts = name == "SOUNDS" ? line.find(".WAV") != std::string::npos
                                           : name == "TEMPLATES" || name == "COPYRIGHT" ||
                                                 std::regex_match(line, entry);
      declared.listed[name] += counts;
    }
  }
  return declared;
}

TEST(JklCorpusTest, EveryLevelReadsAsItDeclaresAndSurvivesWriteAndRead) {
  const auto levels = CorpusLevels();
  if (levels.empty()) GTEST_SKIP() << "no corpus on this machine";
  int read = 0;
  for (const auto& path : levels) {
    SCOPED_TRACE(path.string());
    test::FakeUi ui;
    auto level = std::make_unique<Level>();
    if (IsSequelLevel(path)) {
      try {
        ReadLevel(*level, path, path.filename().string(), ui);
        ADD_FAILURE() << "a level of the sequel's format was read";
      } catch (const platform::CommandError& error) {
        EXPECT_EQ(error.text(), SequelFormatText());
        EXPECT_EQ(error.detail().rfind(path.string() + ", line ", 0), 0u) << error.detail();
      }
      continue;
    }
    ASSERT_NO_THROW(ReadLevel(*level, path, path.filename().string(), ui));
    EXPECT_TRUE(ui.boxes.empty());
    ++read;
    const Declared declared = Scan(test::ReadAll(path));
    const std::map<std::string, int> worldCounts = {
        {"COLORMAPS", level->colormaps.count},
        {"VERTICES", level->vertices.count},
        {"TEXTURE VERTICES", level->texturevertices.count},
        {"ADJOINS", level->adjoins.count},
        {"SURFACES", level->surfaces.count},
        {"SECTORS", level->sectors.count}};
    for (const auto& [name, count] : declared.world) EXPECT_EQ(worldCounts.at(name), count) << name;
    const std::map<std::string, int> listCounts = {{"COPYRIGHT", level->copyright.count},
                                                   {"SOUNDS", level->sounds.count},
                                                   {"MATERIALS", level->materials.count},
                                                   {"AICLASS", level->aiclasses.count},
                                                   {"MODELS", level->models.count},
                                                   {"SPRITES", level->sprites.count},
                                                   {"KEYFRAMES", level->keyframes.count},
                                                   {"ANIMCLASS", level->puppets.count},
                                                   {"SOUNDCLASS", level->soundclasses.count},
                                                   {"COGSCRIPTS", level->cogscripts.count},
                                                   {"COGS", level->cogs.count},
                                                   {"TEMPLATES", level->templates.count},
                                                   {"THINGS", level->things.count}};
    for (const auto& [name, count] : declared.listed) {
      if (listCounts.contains(name)) {
        EXPECT_EQ(listCounts.at(name), count) << name;
      }
    }
    for (int i = 0; i < level->vertices.count; ++i) {
      ASSERT_EQ(level->vertices[i].marks.empty, 0) << "vertex " << i << " was never listed";
    }
    ExpectRoundTrip(*level);
  }
  EXPECT_GE(read, 17);
}

// The game's own tools allowed 256 keyframes; a real level lists 269.
TEST(JklCorpusTest, ALevelWithMoreKeyframesThanTheGameAllowedReads) {
  const auto corpus = test::CorpusDir();
  if (corpus.empty()) GTEST_SKIP() << "no corpus on this machine";
  test::FakeUi ui;
  auto level = std::make_unique<Level>();
  ReadLevel(*level, corpus / "malloc47+return-of-thrawn/thrawn/jkl/test1.jkl", "test1.jkl", ui);
  EXPECT_EQ(level->keyframes.count, 269);
}

}  // namespace
}  // namespace kx::level
