#include "support/FakeUi.h"
#include "support/TempDir.h"

#include "level/JklReader.h"
#include "platform/CommandError.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>

// What the round trips cannot show: the reader on text the editor's writer never writes.
namespace kx::level {
namespace {

using platform::BoxKind;
using platform::CommandError;
using test::FakeUi;
using ::testing::ElementsAre;

/// Parses text into a fresh Level; the Level is on the heap, its tables are large.
std::unique_ptr<Level> Parse(std::string_view text, FakeUi& ui) {
  auto level = std::make_unique<Level>();
  EXPECT_EQ(ParseLevel(text, "test.jkl", "test.jkl", *level, ui), ParseOutcome::Complete);
  return level;
}

std::unique_ptr<Level> Parse(std::string_view text) {
  FakeUi ui;
  return Parse(text, ui);
}

/// The CommandError that parsing text into a fresh Level throws.
CommandError ParseError(std::string_view text) {
  FakeUi ui;
  auto level = std::make_unique<Level>();
  try {
    ParseLevel(text, "bad.jkl", "bad.jkl", *level, ui);
  } catch (const CommandError& error) {
    EXPECT_FALSE(ui.progressShown) << "the progress window stays open after an error";
    return error;
  }
  ADD_FAILURE() << "no error for:\n" << text;
  return CommandError("");
}

// Text the editor's writer never writes, read as other tools write it.
TEST(JklReaderTest, ReadsWhatOtherToolsWrite) {
  const struct {
    std::string text;
    std::function<void(const Level&)> check;
  } cases[] = {
      // Comments are cut and blank remarks skipped.
      {"SECTION: COPYRIGHT\r\n   # a remark\r\n(c) 1997 # LucasArts\r\n#not copyright\r\n"
       "SECTION: MATERIALS\r\n0: wall.mat 1 1 # 7: fake.mat 2 2\r\nend\r\n",
       [](const Level& l) {
         EXPECT_EQ(l.copyright.count, 1);
         EXPECT_EQ(l.copyright[0], "(c) 1997");
         EXPECT_EQ(l.materials.count, 1);
         EXPECT_EQ(l.materials[0], (Material{"wall.mat", 1, 1}));
       }},
      // Section headers ignore case but not spacing: that one is kept aside as written.
      {"section: sounds\r\nWorld sounds 1\r\na.wav\r\nend\r\nSECTION:  SOUNDS\r\nb.wav\r\n",
       [](const Level& l) {
         EXPECT_EQ(l.sounds.count, 1);
         ASSERT_EQ(l.unknownSections.size(), 1u);
         EXPECT_THAT(l.unknownSections[0].lines, ElementsAre("SECTION:  SOUNDS", "b.wav"));
       }},
      // A sector line fills the slot it names.
      {"Section: SECTORS\r\nWorld sectors 8\r\nSECTOR 7\r\nRADIUS 2\r\n",
       [](const Level& l) {
         EXPECT_EQ(l.sectors.count, 8);
         for (int i = 0; i < 7; ++i) EXPECT_EQ(l.sectors[i].marks.empty, 1) << i;
         EXPECT_EQ(l.sectors[7].marks, (RecordMarks{0, 0, 1}));
         EXPECT_EQ(l.sectors[7].radius, 2.0f);
       }},
      // Names longer than their field are cut.
      {"SECTION: MATERIALS\r\n0: " + std::string(33, 'm') + " 1 1\r\nend\r\n",
       [](const Level& l) { EXPECT_EQ(l.materials[0].name, std::string(32, 'm')); }},
      // Cog words beyond the float range stay text.
      {"Section: cogs\r\n0: a.cog 1e39 -inf 2.5\r\nend\r\n",
       [](const Level& l) {
         ASSERT_EQ(l.cogs[0].params.size(), 3u);
         EXPECT_EQ(l.cogs[0].params[0], (CogParam{CogParamKind::Text, 0, 0, "1e39"}));
         EXPECT_EQ(l.cogs[0].params[1], (CogParam{CogParamKind::Text, 0, 0, "-inf"}));
         EXPECT_EQ(l.cogs[0].params[2].kind, CogParamKind::Float);
       }},
      // Words after the corners' light values that are not a fourth light value are ignored.
      {"World surfaces 1\r\n0: 0 0x4 0x4 4 3 1 -1 0 2 0,0 1,1 .5 .6 junk\r\n",
       [](const Level& l) { EXPECT_EQ(l.surfaces[0].intensities[1], 0.6f); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60));
    c.check(*Parse(c.text));
  }
}

TEST(JklReaderTest, KeepsWhatTheFileDoesNotMentionAndResetsEveryMark) {
  auto level = std::make_unique<Level>();
  level->header.worldGravity = 7;
  level->things.count = 3;
  level->vertices[100].marks = {0, 1, 0};
  level->surfaces[16383].marks = {0, 1, 1};
  level->sectors[5].marks = {0, 0, 0};
  level->things[1].marks = {0, 1, 1};
  FakeUi ui;
  ParseLevel("SECTION: HEADER\r\nVersion 2\r\nWorld vertices 1\r\n0: 1 1 1\r\n", "x", "x", *level,
             ui);
  EXPECT_EQ(level->header.version, 2);
  EXPECT_EQ(level->header.worldGravity, 7.0f);
  EXPECT_EQ(level->things.count, 3);
  EXPECT_EQ(level->vertices[0].marks, (RecordMarks{0, 0, 1}));
  for (const RecordMarks& marks : {level->vertices[100].marks, level->surfaces[16383].marks,
                                   level->sectors[5].marks, level->things[1].marks}) {
    EXPECT_EQ(marks, (RecordMarks{1, 0, 1}));
  }
}

TEST(JklReaderTest, ShowsEachSectionAndATenthOfTheLinesInTheProgressWindow) {
  std::string text =
      "SECTION: JK\r\nSECTION: HEADER\r\nWorld surfaces 1\r\n0: 0 0x4 0x4 4 3 1 -1 0 0\r\n"
      "0: 0 0 1\r\nSection: cogs\r\nend\r\n";
  for (int i = 7; i < 21; ++i) text += "\r\n";
  FakeUi ui;
  Parse(text, ui);
  EXPECT_THAT(ui.progress, ElementsAre("begin Parsing test.jkl...|Parsing section: |2", "item JK",
                                       "item HEADER", "item GEORESOURCE: SURFACES",
                                       "item GEORESOURCE: SURFACE NORMALS", "item COGS", "end"));
  EXPECT_THAT(ui.positions,
              ElementsAre(0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2));
  EXPECT_EQ(ui.processEventsCalls, 21);
}

TEST(JklReaderTest, CopyrightLinesAfterTheSixtyFourthAreDroppedAndTheReadGoesOn) {
  test::TempDir dir;
  for (const int lines : {64, 66}) {
    SCOPED_TRACE(lines);
    std::string text = "SECTION: COPYRIGHT\r\n";
    for (int i = 1; i <= lines; ++i) text += "line " + std::to_string(i) + "\r\n";
    const auto path = dir.Write("big.jkl", text + "SECTION: HEADER\r\nVersion 5\r\n");
    FakeUi ui;
    auto level = std::make_unique<Level>();
    const ParseOutcome outcome = ReadLevel(*level, path, "big.jkl", ui);
    EXPECT_EQ(level->copyright.count, 64);
    EXPECT_EQ(level->copyright[63], "line 64");
    EXPECT_EQ(level->header.version, 5) << "the sections after the copyright are read";
    if (lines == 64) {
      EXPECT_EQ(outcome, ParseOutcome::Complete);
      EXPECT_TRUE(ui.boxes.empty());
      EXPECT_TRUE(ui.notes.empty());
      continue;
    }
    EXPECT_EQ(outcome, ParseOutcome::CopyrightLimit);
    EXPECT_THAT(ui.boxes, ElementsAre(FakeUi::Box{BoxKind::Error,
                                                  "More than 64 lines of copyright information!"}));
    EXPECT_THAT(ui.notes, ElementsAre(path.string() + ", line 66: 2 copyright lines after the "
                                                      "64th dropped: the level holds 64"));
    EXPECT_THAT(ui.captions, ElementsAre("Orbandel Kelvarix 1.0 Preview Release 1 Build 631"));
    EXPECT_FALSE(ui.progressShown);
    EXPECT_EQ(ui.busyDepth, 0);
  }
}

// A declared count and the records listed disagree, or a section is not one the editor reads:
// the read goes on, keeps nothing it did not read, and says what it did.
TEST(JklReaderTest, ReadsOnPastWhatItCannotUseAndNotesIt) {
  const std::string surface = "0: 0 0x4 0x4 4 3 1 -1 0 0\r\n";
  struct Case {
    std::string text;
    ParseOutcome outcome;
    std::vector<std::string> notes;
    std::function<void(const Level&)> check;
  };
  const Case cases[] = {
      // List sections without "end" count what they listed.
      {"Section: MODELS\r\nWorld models 300\r\n0: a.3do\r\n1: b.3do\r\n"
       "Section: TEMPLATES\r\nWorld templates 100\r\n_a none\r\n"
       "SECTION: SOUNDS\r\nWorld sounds 99\r\nx.wav",
       ParseOutcome::Complete,
       {},
       [](const Level& l) {
         EXPECT_EQ(l.models.count, 2);
         EXPECT_EQ(l.templates.count, 1);
         EXPECT_EQ(l.sounds.count, 1);
       }},
      // Fewer records than declared: the count is what was listed, nothing is invented.
      {"World Colormaps 2\r\n0: a.cmp\r\nWorld vertices 5\r\n0: 1 2 3\r\n"
       "World texture vertices 3\r\n0: 1 1\r\n1: 2 2\r\nWorld adjoins 2\r\n"
       "World surfaces 2\r\n" +
           surface + "Section: SECTORS\r\n",
       ParseOutcome::Complete,
       {"test.jkl, line 1: \"World Colormaps\" declares 2 colormaps but lists 1: the level "
        "holds 1",
        "test.jkl, line 3: \"World vertices\" declares 5 vertices but lists 1: the level holds 1",
        "test.jkl, line 5: \"World Texture Vertices\" declares 3 texture vertices but lists 2: "
        "the level holds 2",
        "test.jkl, line 8: \"World adjoins\" declares 2 adjoins but lists 0: the level holds 0",
        "test.jkl, line 9: \"World surfaces\" declares 2 surfaces but lists 1: the level holds "
        "1"},
       [](const Level& l) {
         EXPECT_EQ(l.colormaps.count, 1);
         EXPECT_EQ(l.vertices.count, 1);
         EXPECT_EQ(l.texturevertices.count, 2);
         EXPECT_EQ(l.adjoins.count, 0);
         EXPECT_EQ(l.surfaces.count, 1);
       }},
      // More records than declared: those beyond the count are left out and the read is
      // incomplete.
      {"World vertices 1\r\n0: 1 1 1\r\n1: 2 2 2\r\n2: 3 3 3\r\nWorld surfaces 1\r\n" + surface +
           "0: 0 0 1\r\n1: 0 0 -1\r\n",
       ParseOutcome::Incomplete,
       {"test.jkl, line 3: 2 vertices beyond the 1 of \"World vertices\" ignored",
        "test.jkl, line 8: 1 surface normal beyond the 1 of \"World surfaces\" ignored"},
       [](const Level& l) {
         EXPECT_EQ(l.vertices.count, 1);
         EXPECT_EQ(l.vertices[1], Vertex{}) << "an ignored record is not stored";
         EXPECT_EQ(l.normals[0], (SurfaceNormal{0, 0, 1}));
         EXPECT_EQ(l.normals[1], SurfaceNormal{});
       }},
      {"Section: SECTORS\r\nWorld sectors 1\r\nSECTOR 0\r\nSURFACES 0 0\r\nSECTOR 1\r\n"
       "AMBIENT LIGHT 0.5\r\nSURFACES 6 6\r\nSECTOR 3\r\n",
       ParseOutcome::Incomplete,
       {"test.jkl, line 5: 2 sectors beyond the 1 of \"World sectors\" ignored"},
       [](const Level& l) {
         EXPECT_EQ(l.sectors.count, 1);
         EXPECT_EQ(l.sectors[1].marks.empty, 1);
         EXPECT_EQ(l.sectors[3].marks.empty, 1);
       }},
      // Sections of other tools are kept as written, up to their last line that is neither
      // blank nor a comment; a "World" line inside one is not a header of this level, and a
      // section whose name only begins like one of ours is not ours.
      {"SECTION: JK\r\nSection: Lights  \r\nEditor lights 1\r\n\r\n# type X Y\r\n"
       "0:\t0 -1.775 .825 # lamp\r\nWorld vertices 9\r\nend\r\n\r\n#####\r\n"
       "SECTION: HEADER\r\nVersion 3\r\nSECTION: HEADERS\r\n\r\n",
       ParseOutcome::Complete,
       {"test.jkl, line 2: \"Section: Lights\" is not a section the editor reads: kept as "
        "written, saved after the things",
        "test.jkl, line 13: \"SECTION: HEADERS\" is not a section the editor reads: kept as written, "
        "saved after the things"},
       [](const Level& l) {
         ASSERT_EQ(l.unknownSections.size(), 2u);
         EXPECT_THAT(l.unknownSections[0].lines,
                     ElementsAre("Section: Lights  ", "Editor lights 1", "", "# type X Y",
                                 "0:\t0 -1.775 .825 # lamp", "World vertices 9", "end"));
         EXPECT_THAT(l.unknownSections[1].lines, ElementsAre("SECTION: HEADERS"));
         EXPECT_EQ(l.vertices.count, 0);
         EXPECT_EQ(l.header.version, 3);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60));
    FakeUi ui;
    auto level = std::make_unique<Level>();
    EXPECT_EQ(ParseLevel(c.text, "test.jkl", "test.jkl", *level, ui), c.outcome);
    EXPECT_EQ(ui.notes, c.notes);
    c.check(*level);
  }
}

TEST(JklReaderTest, ManyUnknownSectionsGiveOneNoteForTheRest) {
  std::string text = "SECTION: JK\r\n";
  for (int i = 0; i < 20; ++i) text += "SECTION: X" + std::to_string(i) + "\r\n";
  FakeUi ui;
  EXPECT_EQ(Parse(text, ui)->unknownSections.size(), 20u);
  ASSERT_EQ(ui.notes.size(), 17u);
  EXPECT_EQ(ui.notes.back(), "test.jkl: 4 more sections the editor does not read kept as written");
}

TEST(JklReaderTest, AFileWithoutAnySectionOfALevelIsRefused) {
  std::string utf16;
  for (const char c : std::string("SECTION: GEORESOURCE\r\nWorld vertices 1\r\n0: 1 2 3\r\n")) {
    utf16 += c;
    utf16 += '\0';
  }
  const std::string texts[] = {"\xFF\xFE" + utf16,
                               std::string("\x7F"
                                           "ELF\x02\x01\0\0:\x1A",
                                           10),
                               "Dear modder,\r\nSee: the readme.\r\nend\r\n", "",
                               "Section: Lights\r\n0: 0 1 2\r\n"};
  for (const auto& text : texts) {
    FakeUi ui;
    auto level = std::make_unique<Level>();
    try {
      ParseLevel(text, "odd.jkl", "odd.jkl", *level, ui);
      ADD_FAILURE() << "read as a level: " << text;
    } catch (const CommandError& error) {
      EXPECT_EQ(error.FullText(), "Not a JKL level: odd.jkl");
    }
    EXPECT_TRUE(ui.notes.empty());
  }
}

// ---- errors ------------------------------------------------------------------------------

TEST(JklReaderTest, BadInputsStopTheReadNamingTheFaultAndTheLine) {
  std::string things = "Section: Things\r\nWorld things 1224\r\n";
  for (int i = 0; i <= 1024; ++i) things += std::to_string(i) + ": a b 0 0 0 0 0 0 0\r\n";
  const std::string surface = "World surfaces 1\r\n0: 0 0x4 0x4 4 3 1 -1 0 ";
  const std::string sector = "Section: SECTORS\r\nSECTOR 3\r\n";
  // Three surfaces with their normals, then sectors claiming them.
  std::string three = "World surfaces 3\r\n";
  for (const char* n : {"0", "1", "2"}) three += std::string(n) + ": 0 0x4 0x4 4 3 1 -1 0 0\r\n";
  three += "0: 0 0 1\r\n1: 0 0 1\r\n2: 0 0 1\r\nSection: SECTORS\r\nWorld sectors 3\r\n";
  struct Case {
    std::string text;
    std::string message;
    int line;
  };
  const Case cases[] = {
      // Malformed integers, each read by its own line kind.
      {"SECTION: HEADER\r\nVersion 1a", "'1A' is not a valid integer value", 2},
      {"World vertices many", "'MANY' is not a valid integer value", 1},
      {"World adjoins 1\r\n0: 0x7 x 0.5", "'X' is not a valid integer value", 2},
      {surface + "2 0,0 1;1 1 1", "'1;1' is not a valid integer value", 2},
      {surface + "2 0,0 1, 1 1", "'' is not a valid integer value", 2},
      {sector + "VERTICES 2\r\n0: 1\r\n1: 2.5", "'2.5' is not a valid integer value", 5},
      {sector + "COLORMAP", "'' is not a valid integer value", 3},
      {"Section: Things\r\n0: a b 0 0 0 0 0 0 sec", "'SEC' is not a valid integer value", 2},
      {"Section: MODELS\r\nWorld models 9999999999", "'9999999999' is not a valid integer value",
       2},
      // More records than a table holds.
      {"World vertices 16385", "Too many vertices: the editor holds at most 16384", 1},
      {"World texture vertices 65537", "Too many texture vertices: the editor holds at most 65536",
       1},
      {"World surfaces -1", "Invalid number of surfaces: -1 is below 0", 1},
      {"Section: SECTORS\r\nWorld sectors 2049", "Too many sectors: the editor holds at most 2048",
       2},
      {"World Colormaps 33", "Too many colormaps: the editor holds at most 32", 1},
      {things, "Too many things: the editor holds at most 1024", 1027},
      // Slots outside their table.
      {surface + "25", "Surface 0 has 25 corners: a surface has 0 to 24", 2},
      {surface + "-1", "Surface 0 has -1 corners: a surface has 0 to 24", 2},
      {"Section: SECTORS\r\nSECTOR 2048", "Sector 2048 is outside the sector table (0 to 2047)", 2},
      {"Section: SECTORS\r\nSECTOR -1", "Sector -1 is outside the sector table (0 to 2047)", 2},
      {sector + "VERTICES 2\r\n2: 5", "Vertex 2 of sector 3 is outside its list of 2 vertices", 4},
      {sector + "VERTICES 2\r\n-1: 5", "Vertex -1 of sector 3 is outside its list of 2 vertices",
       4},
      {sector + "0: 5", "Vertex 0 of sector 3 is outside its list of 0 vertices", 3},
      {sector + "VERTICES 16385", "Sector 3 lists 16385 vertices: a sector has 0 to 16384", 3},
      {sector + "VERTICES -2", "Sector 3 lists -2 vertices: a sector has 0 to 16384", 3},
      // Each of these would make the reader allocate 64 KB, far more than the file justifies.
      {sector + "VERTICES 16000", "Sector 3 lists 16000 vertices, more than the file has lines for",
       3},
      // A surface line beyond the count, which read on would shift the normals.
      {surface + "0\r\n1: 0 0x4 0x4 4 3 1 -1 0 0\r\n0: 0 0 1",
       "Surface line 1 lies beyond the 1 surfaces of \"World surfaces\"", 3},
      {"World surfaces 2\r\n0: 0 0x4 0x4 4 3 1 -1 0 0\r\n2: 0 0x4 0x4 4 3 1 -1 0 0",
       "Surface line 2 lies beyond the 2 surfaces of \"World surfaces\"", 3},
      {"World surfaces 2\r\n0: 0 0x4 0x4 4 3 1 -1 0 0\r\n0: 0 0x4 0x4 4 3 1 -1 0 0\r\n"
       "0: 0 0 1",
       "Surface line 0 lies beyond the 2 surfaces of \"World surfaces\"", 4},
      // Values a float cannot hold, which a saved level would not give back.
      {"World vertices 1\r\n0: 1e39 0 0", "'1E39' is not a valid floating point value", 2},
      {"World vertices 1\r\n0: 0 -1e39 0", "'-1E39' is not a valid floating point value", 2},
      {"World texture vertices 1\r\n0: 0 nan", "'NAN' is not a valid floating point value", 2},
      {"SECTION: HEADER\r\nWorld Gravity -inf", "'-INF' is not a valid floating point value", 2},
      {"Section: Things\r\n0: a b 0 0 0 0 Infinity 0 0",
       "'INFINITY' is not a valid floating point value", 2},
      {sector + "BOUNDBOX 0 0 0 1 1 3.5e38", "'3.5E38' is not a valid floating point value", 3},
      // Sector surface ranges outside the table or overlapping another sector's.
      {three + "SECTOR 0\r\nSURFACES 0 2\r\nSECTOR 1\r\nSURFACES 2 1\r\nSECTOR 2\r\n"
               "SURFACES 1 1",
       "Sectors 0 and 2 claim the same surfaces: 0 to 1 and 1 to 1", 14},
      {three + "SECTOR 1\r\nSURFACES 1 2\r\nSECTOR 0\r\nSURFACES 0 3",
       "Sectors 0 and 1 claim the same surfaces: 0 to 2 and 1 to 2", 10},
      {three + "SECTOR 2\r\nSURFACES 2 2",
       "Sector 2 claims surfaces 2 to 3, outside the "
       "surface table of 3 surfaces",
       10},
      {three + "SECTOR 0\r\nSURFACES -1 1",
       "Sector 0 claims surfaces -1 to -1, outside the "
       "surface table of 3 surfaces",
       10},
      {three + "SECTOR 1\r\nSURFACES 0 -2", "Sector 1 claims -2 surfaces", 10},
      // Four light values per corner: the sequel's format, whose colours a save would lose.
      {surface + "2 0,0 1,1 .5 .6 .7 .8 1 1 1 1",
       "The level is not in Jedi Knight's format: its surfaces carry four light values per "
       "corner, as Mysteries of the Sith writes them",
       2},
  };
  for (const auto& c : cases) {
    const auto error = ParseError(c.text);
    EXPECT_EQ(error.text(), c.message) << c.text.substr(0, 60);
    EXPECT_EQ(error.detail(), "bad.jkl, line " + std::to_string(c.line)) << c.text.substr(0, 60);
  }
}

TEST(JklReaderTest, ReadLevelReplacesTheLevelOnlyWhenTheReadSucceeds) {
  test::TempDir dir;
  const std::string good =
      "Section: Things\r\n0: walkplayer Player 0 0 0.1 0 90 0 7\r\n"
      "1: ghost Marker -.5 1 2 3 4 5 7 thingflags=0x400\r\nend\r\n";
  FakeUi ui;
  auto level = std::make_unique<Level>();
  ReadLevel(*level, dir.Write("jkl/good.jkl", good), "good.jkl", ui);
  EXPECT_EQ(level->things.count, 2);
  EXPECT_EQ(ui.maxBusyDepth, 1);
  level->things[0].marks.selected = 1;
  const Level before = *level;

  // A missing file, a level cut off in a thing line, one with a bad integer near the end, one
  // too large for the tables: each stops with an error and the loaded level stays.
  std::string badThing = good;
  badThing.replace(badThing.find("4 5 7"), 5, "4 5 x");
  for (const std::string& bad :
       {std::string(), good.substr(0, good.find("0 90")), badThing,
        std::string("SECTION: HEADER\r\nVersion 9\r\nWorld adjoins 4097\r\n")}) {
    const auto path = bad.empty() ? dir.path() / "none.jkl" : dir.Write("jkl/bad.jkl", bad);
    FakeUi badUi;
    EXPECT_THROW(ReadLevel(*level, path, "bad.jkl", badUi), CommandError);
    EXPECT_TRUE(*level == before);
    EXPECT_EQ(badUi.busyDepth, 0);
    EXPECT_FALSE(badUi.progressShown);
  }
  try {
    ReadLevel(*level, dir.Write("x.jkl", "World vertices ?\r\n"), "x.jkl", ui);
    ADD_FAILURE() << "no error";
  } catch (const CommandError& error) {
    EXPECT_EQ(error.detail(), (dir.path() / "x.jkl").string() + ", line 1");
  }
}

}  // namespace
}  // namespace kx::level
