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
#include <memory>
#include <random>

// A level written by the editor reads back into the same level, and writing that again gives
// the same bytes: on every real level of the corpus and on levels built here.
namespace kx::level {
namespace {

constexpr std::string_view kStamp = "2001-02-03 04:05";

std::unique_ptr<Level> ParseText(const std::string& text) {
  auto level = std::make_unique<Level>();
  test::FakeUi ui;
  EXPECT_EQ(ParseLevel(text, "roundtrip.jkl", "roundtrip.jkl", *level, ui), ParseOutcome::Complete);
  return level;
}

std::string AfterFirstLine(const std::string& text) {
  return text.substr(text.find("\r\n"));
}

/// The first line where a and b differ, with both versions; empty when they are equal.
std::string FirstDifferentLine(const std::string& a, const std::string& b) {
  std::size_t start = 0;
  for (int line = 1;; ++line) {
    const std::size_t endA = std::min(a.find("\r\n", start), a.size());
    const std::size_t endB = std::min(b.find("\r\n", start), b.size());
    const std::string_view lineA = std::string_view(a).substr(start, endA - start);
    const std::string_view lineB = std::string_view(b).substr(start, endB - start);
    if (lineA != lineB || (endA == a.size()) != (endB == b.size())) {
      return "line " + std::to_string(line) + ": " + std::string(lineA) + " | " +
             std::string(lineB);
    }
    if (endA == a.size()) return {};
    start = endA + 2;
  }
}

/// Writes level, reads it back, writes that again; checks both round trips.
void ExpectRoundTrip(const Level& level) {
  const std::string first = FormatLevel(level, "C:\\first\\a.jkl", kStamp);
  const auto read = ParseText(first);
  EXPECT_EQ(test::FirstLevelDifference(level, *read), "");
  const std::string second = FormatLevel(*read, "C:\\second\\b.jkl", kStamp);
  EXPECT_EQ(FirstDifferentLine(AfterFirstLine(first), AfterFirstLine(second)), "");
}

// ---- levels built in code -----------------------------------------------------------------

class LevelMaker {
 public:
  explicit LevelMaker(unsigned seed) : m_random(seed) {}

  std::unique_ptr<Level> Make() {
    auto level = std::make_unique<Level>();
    Level& l = *level;
    Fill(l.copyright, Count(64), [&] { return Word("(c)") + " " + Word("by") + "  x"; });
    l.header = {Int(),
                Float(),
                Float(),
                Float(),
                Float(),
                {Float(), Float()},
                {Float(), Float()},
                {Float(), Float(), Float(), Float()},
                {Float(), Float(), Float(), Float()},
                Float(),
                Float()};
    Fill(l.sounds, Count(512), [&] { return Word("s") + (Chance() ? ".WAV" : ".wav 2.5 x"); });
    Fill(l.materials, Count(1024), [&] { return Material{Name("m", ".mat"), Float(), Float()}; });
    Fill(l.colormaps, Count(32), [&] { return Word("c") + ".cmp"; });
    Fill(l.vertices, Count(3000), [&] { return Vertex{Float(), Float(), Float(), kInUse}; });
    Fill(l.texturevertices, Count(5000), [&] { return TextureVertex{Float(), Float()}; });
    Fill(l.adjoins, Count(500), [&] { return Adjoin{Flags(), Int(), Float()}; });
    Fill(l.surfaces, Count(2000), [&] { return MakeSurface(); });
    for (int i = 0; i < l.surfaces.count; ++i) {
      l.normals[static_cast<std::size_t>(i)] = {Float(), Float(), Float()};
    }
    Fill(l.sectors, Count(300), [&] { return MakeSector(); });
    Fill(l.aiclasses, Count(32), [&] { return Name("ai", ".ai"); });
    Fill(l.models, Count(256), [&] { return Model{Name("mod", ".3do"), 0}; });
    Fill(l.sprites, Count(32), [&] { return Word("spr"); });
    Fill(l.keyframes, Count(1024), [&] { return Name("k", ".key"); });
    Fill(l.puppets, Count(32), [&] { return Name("p", ".pup"); });
    Fill(l.soundclasses, Count(128), [&] { return Name("sc", ".snd"); });
    Fill(l.cogscripts, Count(256), [&] { return Name("cog", ".cog"); });
    Fill(l.cogs, Count(256), [&] { return MakeCog(); });
    Fill(l.templates, Count(512), [&] {
      return Template{Word("t"), Chance() ? "none" : Word("_b"), Params(), -1};
    });
    Fill(l.things, Count(1024), [&] {
      return Thing{Word("tpl"), Word("n"), Float(), Float(),  Float(), Float(),
                   Float(),     Float(),   Int(),   Params(), kInUse};
    });
    return level;
  }

 private:
  static constexpr RecordMarks kInUse{0, 0, 1};

  template <typename T, typename Make>
  void Fill(Table<T>& table, int count, Make make) {
    table.count = count;
    for (int i = 0; i < count; ++i) table[i] = make();
  }

  /// Mostly small tables, now and then a full one.
  int Count(int capacity) {
    const int pick = Uniform(0, 9);
    if (pick == 0) return 0;
    if (pick == 1) return capacity;
    return Uniform(1, std::min(capacity, 40));
  }

  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
  bool Chance() { return Uniform(0, 1) == 1; }

  std::int32_t Int() {
    switch (Uniform(0, 3)) {
      case 0:
        return std::numeric_limits<std::int32_t>::min();
      case 1:
        return std::numeric_limits<std::int32_t>::max();
      default:
        return Uniform(-5000, 5000);
    }
  }

  std::uint32_t Flags() {
    return Chance() ? static_cast<std::uint32_t>(Uniform(0, 0xFFFF))
                    : static_cast<std::uint32_t>(m_random());
  }

  float Float() {
    switch (Uniform(0, 5)) {
      case 0:
        return 0.0f;
      case 1:
        return std::uniform_real_distribution<float>(-1e-5f, 1e-5f)(m_random);
      case 2:
        return std::uniform_real_distribution<float>(-1e7f, 1e7f)(m_random);
      default:
        return std::uniform_real_distribution<float>(-100, 100)(m_random);
    }
  }

  /// A name: prefix, then letters, digits and punctuation that real names hold, cut to limit.
  std::string Word(std::string_view prefix, int limit = 32) {
    static constexpr std::string_view kChars = "abcXYZ019_-+.()";
    std::string word(prefix);
    const int length = Uniform(0, 40);
    for (int i = 0; i < length; ++i) word += kChars[Uniform(0, kChars.size() - 1)];
    return word.substr(0, static_cast<std::size_t>(limit));
  }

  /// A file name of at most 32 characters.
  std::string Name(std::string_view prefix, std::string_view extension) {
    std::string word = Word(prefix, 32 - static_cast<int>(extension.size()));
    return word + std::string(extension);
  }

  std::string Params() {
    std::string params;
    const int words = Uniform(0, 4);
    for (int i = 0; i < words; ++i) {
      if (i > 0) params += Chance() ? " " : "  ";
      params += Word("k") + "=" + Word("v");
    }
    return params;
  }

  Surface MakeSurface() {
    Surface s;
    s.mat = Int();
    s.surfflags = Flags();
    s.faceflags = Flags();
    s.geo = Int();
    s.light = Int();
    s.tex = Int();
    s.adjoin = Int();
    s.extralight = Float();
    s.nverts = Uniform(0, 24);
    for (int i = 0; i < s.nverts; ++i) {
      s.vertices[i] = {Int(), Int()};
      s.intensities[i] = Float();
    }
    s.marks = kInUse;
    return s;
  }

  Sector MakeSector() {
    Sector s;
    s.flags = Flags();
    s.ambientlight = Float();
    s.extralight = Float();
    s.colormap = Int();
    for (auto& v : s.tint) v = Float();
    for (auto& v : s.boundbox) v = Float();
    for (auto& v : s.collidebox) v = Float();
    s.hassound = Chance() ? 1 : 0;
    if (s.hassound) {
      s.sound = Word("snd");
      s.soundvolume = Float();
    }
    for (auto& v : s.center) v = Float();
    s.radius = Float();
    s.nverts = Uniform(0, 30);
    for (int i = 0; i < s.nverts; ++i) s.vertexindices.push_back(Int());
    s.firstsurface = Int();
    s.nsurfaces = Int();
    s.marks = kInUse;
    return s;
  }

  Cog MakeCog() {
    Cog cog;
    cog.script = Name("c", ".cog");
    const int params = Uniform(0, 12);
    for (int i = 0; i < params; ++i) {
      CogParam param;
      switch (Uniform(0, 2)) {
        case 0:
          param.kind = CogParamKind::Integer;
          param.intvalue = Int();
          break;
        case 1:
          param.kind = CogParamKind::Float;
          param.floatvalue = Float();
          break;
        default:
          param.kind = CogParamKind::Text;
          param.text = Word(Chance() ? "0x" : "door.", 32);
          break;
      }
      cog.params.push_back(param);
    }
    return cog;
  }

  std::mt19937 m_random;
};

TEST(JklRoundTripTest, LevelsBuiltInCodeSurviveWriteAndRead) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const auto level = LevelMaker(seed).Make();
    ExpectRoundTrip(*level);
  }
}

TEST(JklRoundTripTest, AnEmptyLevelSurvivesWriteAndRead) {
  const auto level = std::make_unique<Level>();
  ExpectRoundTrip(*level);
}

TEST(JklRoundTripTest, EveryTableAtItsCapacitySurvivesWriteAndRead) {
  auto level = std::make_unique<Level>();
  Level& l = *level;
  const auto fill = [](auto& table, auto value) {
    table.count = table.Capacity();
    for (auto& item : table.items) item = value;
  };
  fill(l.copyright, std::string("(c)"));
  fill(l.sounds, std::string("a.wav"));
  fill(l.materials, Material{"m.mat", 1, 1});
  fill(l.colormaps, std::string("c.cmp"));
  fill(l.vertices, Vertex{1, 2, 3, {0, 0, 1}});
  fill(l.texturevertices, TextureVertex{4, 5});
  fill(l.adjoins, Adjoin{1, 2, 3});
  Surface surface;
  surface.nverts = 24;
  surface.marks = {0, 0, 1};
  fill(l.surfaces, surface);
  Sector sector;
  sector.marks = {0, 0, 1};
  fill(l.sectors, sector);
  for (auto* table :
       {&l.aiclasses, &l.sprites, &l.keyframes, &l.puppets, &l.soundclasses, &l.cogscripts}) {
    fill(*table, std::string("x.y"));
  }
  fill(l.models, Model{"x.3do", 0});
  fill(l.cogs, Cog{"x.cog", {}});
  fill(l.templates, Template{"t", "none", "", -1});
  fill(l.things, Thing{"t", "n", 0, 0, 0, 0, 0, 0, 0, "", {0, 0, 1}});
  ExpectRoundTrip(l);
}

// ---- the corpus ---------------------------------------------------------------------------

TEST(JklRoundTripTest, EveryCorpusLevelSurvivesWriteAndRead) {
  const auto corpus = test::CorpusDir();
  if (corpus.empty()) GTEST_SKIP() << "no corpus on this machine";
  int levels = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
    auto extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
    if (!entry.is_regular_file() || extension != ".jkl") continue;
    SCOPED_TRACE(entry.path().string());
    auto level = std::make_unique<Level>();
    test::FakeUi ui;
    try {
      ReadLevel(*level, entry.path(), "level.jkl", ui);
    } catch (const platform::CommandError& error) {
      EXPECT_EQ(error.text(), SequelFormatText()) << "only the sequel's levels are refused";
      continue;
    }
    ++levels;
    ExpectRoundTrip(*level);
  }
  EXPECT_GE(levels, 17);
}

}  // namespace
}  // namespace kx::level
