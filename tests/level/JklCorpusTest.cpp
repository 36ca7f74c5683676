#include "support/FakeUi.h"
#include "support/TempDir.h"

#include "level/JklErrors.h"
#include "level/JklReader.h"
#include "platform/CommandError.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <regex>
#include <sstream>

// Every real level of the corpus is read; its counts are checked against what the file itself
// declares and lists, counted here with a scan of its own.
namespace kx::level {
namespace {

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

/// What a level file declares and lists, by a line scan independent of the reader: the
/// numbers of its "World ..." geometry lines and the entries of each of its list sections.
struct Declared {
  std::map<std::string, int> world;   // "VERTICES" -> 30
  std::map<std::string, int> listed;  // "MODELS" -> 46
  int copyright = 0;
};

Declared Scan(const std::string& bytes) {
  Declared declared;
  std::string text = bytes.substr(0, bytes.find('\x1a'));
  std::replace(text.begin(), text.end(), '\r', '\n');  // empty lines are of no interest
  std::istringstream in(text);
  static const std::regex world(
      "^WORLD (COLORMAPS|VERTICES|TEXTURE VERTICES|ADJOINS|SURFACES|"
      "SECTORS)\\s+(-?[0-9]+)$");
  static const std::regex section("^SECTION:\\s*(\\w+)$");
  static const std::regex entry("^[0-9]+:.*");
  std::string section_name;
  bool inList = false;
  std::string line;
  while (std::getline(in, line)) {
    line = line.substr(0, line.find('#'));
    std::transform(line.begin(), line.end(), line.begin(), ::toupper);
    line.erase(0, line.find_first_not_of(" \t"));
    line.erase(line.find_last_not_of(" \t") + 1);
    if (line.empty()) continue;
    std::smatch match;
    if (std::regex_match(line, match, section)) {
      section_name = match[1];
      inList = true;
      declared.listed[section_name] = 0;
      continue;
    }
    if (std::regex_match(line, match, world)) {
      declared.world[match[1]] = std::stoi(match[2]);
      continue;
    }
    if (section_name == "COPYRIGHT") {
      ++declared.copyright;
      continue;
    }
    if (!inList || line.rfind("WORLD ", 0) == 0) continue;
    if (line == "END") {
      inList = false;
      continue;
    }
    const bool counts = section_name == "SOUNDS"      ? line.find(".WAV") != std::string::npos
                        : section_name == "TEMPLATES" ? true
                                                      : std::regex_match(line, entry);
    if (counts) ++declared.listed[section_name];
  }
  return declared;
}

TEST(JklCorpusTest, EveryLevelReadsAndMatchesWhatItDeclaresAndLists) {
  const auto levels = CorpusLevels();
  if (levels.empty()) GTEST_SKIP() << "no corpus on this machine";
  EXPECT_GE(levels.size(), 20u);
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
    EXPECT_EQ(level->copyright.count, declared.copyright);
    const std::map<std::string, int> worldCounts = {
        {"COLORMAPS", level->colormaps.count},
        {"VERTICES", level->vertices.count},
        {"TEXTURE VERTICES", level->texturevertices.count},
        {"ADJOINS", level->adjoins.count},
        {"SURFACES", level->surfaces.count},
        {"SECTORS", level->sectors.count}};
    for (const auto& [name, count] : declared.world) {
      EXPECT_EQ(worldCounts.at(name), count) << "World " << name;
    }
    const std::map<std::string, int> listCounts = {
        {"SOUNDS", level->sounds.count},         {"MATERIALS", level->materials.count},
        {"AICLASS", level->aiclasses.count},     {"MODELS", level->models.count},
        {"SPRITES", level->sprites.count},       {"KEYFRAMES", level->keyframes.count},
        {"ANIMCLASS", level->puppets.count},     {"SOUNDCLASS", level->soundclasses.count},
        {"COGSCRIPTS", level->cogscripts.count}, {"COGS", level->cogs.count},
        {"TEMPLATES", level->templates.count},   {"THINGS", level->things.count}};
    for (const auto& [name, count] : declared.listed) {
      const auto known = listCounts.find(name);
      if (known != listCounts.end()) {
        EXPECT_EQ(known->second, count) << "Section " << name;
      }
    }
    // Every vertex and surface the file counts was listed, and so is in use.
    for (int i = 0; i < level->vertices.count; ++i) {
      ASSERT_EQ(level->vertices[i].marks.empty, 0) << "vertex " << i;
    }
    for (int i = 0; i < level->surfaces.count; ++i) {
      ASSERT_EQ(level->surfaces[i].marks.empty, 0) << "surface " << i;
    }
  }
  EXPECT_GE(read, 17);
}

TEST(JklCorpusTest, ALevelWithMoreKeyframesThanTheGameAllowedReads) {
  const auto corpus = test::CorpusDir();
  if (corpus.empty()) GTEST_SKIP() << "no corpus on this machine";
  test::FakeUi ui;
  auto level = std::make_unique<Level>();
  ReadLevel(*level, corpus / "malloc47+return-of-thrawn/thrawn/jkl/test1.jkl", "test1.jkl", ui);
  EXPECT_EQ(level->keyframes.count, 269);
  // The progress bar counted every line, and its last position is its maximum.
  ASSERT_FALSE(ui.positions.empty());
  EXPECT_EQ("begin Parsing test1.jkl...|Parsing section: |" + std::to_string(ui.positions.back()),
            ui.progress.front());
}

}  // namespace
}  // namespace kx::level
