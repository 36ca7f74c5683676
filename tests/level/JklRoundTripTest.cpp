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
#include <map>
#include <memory>
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

TEST(JklRoundTripTest, AnEmptyLevelAndOneWithEveryTableFullSurviveWriteAndRead) {
  ExpectRoundTrip(*std::make_unique<Level>());
  auto level = std::make_unique<Level>();
  Level& l = *level;
  const auto fill = [](auto& table, auto value) {
    table.count = table.Capacity();
    for (auto& item : table.items) item = value;
  };
  const RecordMarks inUse{0, 0, 1};
  fill(l.copyright, std::string("(c)"));
  fill(l.sounds, std::string("a.wav"));
  fill(l.materials, Material{"m.mat", 1, 1});
  fill(l.colormaps, std::string("c.cmp"));
  fill(l.vertices, Vertex{1, 2, 3, inUse});
  fill(l.texturevertices, TextureVertex{4, 5});
  fill(l.adjoins, Adjoin{1, 2, 3});
  fill(l.surfaces, Surface{1, 2, 3, 4, 5, 6, 7, 8, 24, {}, {}, inUse});
  Sector sector;
  sector.nverts = 1;
  sector.vertexindices = {9};
  sector.marks = inUse;
  fill(l.sectors, sector);
  for (auto* table :
       {&l.aiclasses, &l.sprites, &l.keyframes, &l.puppets, &l.soundclasses, &l.cogscripts}) {
    fill(*table, std::string("x.y"));
  }
  fill(l.models, Model{"x.3do", 0});
  fill(l.cogs, Cog{"x.cog", {{CogParamKind::Text, 0, 0, "0x10"}}});
  fill(l.templates, Template{"t", "none", "", -1});
  fill(l.things, Thing{"t", "n", 0, 0, 0, 0, 0, 0, 0, "", inUse});
  l.unknownSections = {{{"Section: Lights", "Editor lights 2", "",
                         "# num: type:", "0:\t0 1 2 3 10 2", "1: 0 1 2 3 10 2 # a remark", "end"}},
                       {{"SECTION: ARCHLIGHTING", "World vertices 3"}}};
  ExpectRoundTrip(l);
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
  int unknownSections = 0;  // sections the editor does not read
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
      static const std::regex known(
          "JK|COPYRIGHT|HEADER|SOUNDS|MATERIALS|GEORESOURCE|SECTORS|AICLASS|MODELS|SPRITES|"
          "KEYFRAMES|ANIMCLASS|SOUNDCLASS|COGSCRIPTS|COGS|TEMPLATES|THINGS");
      declared.unknownSections += !std::regex_match(name, known);
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
  int unknownSections = 0;
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
    EXPECT_EQ(static_cast<int>(level->unknownSections.size()), declared.unknownSections);
    unknownSections += static_cast<int>(level->unknownSections.size());
    ExpectRoundTrip(*level);
  }
  EXPECT_GE(read, 17);
  EXPECT_GE(unknownSections, 15) << "the corpus's \"Section: Lights\" are kept";
}

}  // namespace
}  // namespace kx::level
