#include "support/FakeUi.h"
#include "support/TempDir.h"

#include "level/JklReader.h"
#include "platform/CommandError.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>

namespace kx::level {
namespace {

using platform::BoxKind;
using platform::CommandError;
using test::FakeUi;
using ::testing::ElementsAre;

/// text with every "\n" turned into the given line end.
std::string WithLineEnds(std::string_view text, std::string_view lineEnd) {
  std::string result;
  for (const char c : text) {
    if (c == '\n') {
      result += lineEnd;
    } else {
      result += c;
    }
  }
  return result;
}

std::string Crlf(std::string_view text) {
  return WithLineEnds(text, "\r\n");
}

// A small level touching every section, written the way real levels are: blanks between the
// values of the geometry lines, floats like "-.5", names in mixed case, remarks after "#".
constexpr std::string_view kSmallLevel = R"(#Created by hand
SECTION: JK

SECTION: COPYRIGHT
line one
Line  Two # cut here

SECTION: HEADER
Version 1
World Gravity 4.5
Ceiling Sky Z 15
Horizon Distance 100
Horizon Pixels per Rev 768
Horizon Sky Offset 1 -.5
Ceiling Sky Offset .25	2
MipMap Distances 1 2 3 4
LOD Distances 0.3 0.6 0.9 1.2
Perspective distance 2
Gouraud distance 3

SECTION: SOUNDS
World sounds 5
Activate01.WAV
door.wav 1.0
end

SECTION: MATERIALS
World materials 40
0: Wall.mat 1 2 # remark
1:	floor.MAT	0.5	.25
end

SECTION: GEORESOURCE
World Colormaps 1
0: Dflt.cmp

World vertices 4
#num: vertex:
0: -1 1 0
1: 1	1 0
2: 1 -1  2.775558E-17
3: -.5 -1 0

World texture vertices 4
0: 0 0
1: 640 0
2: 640 -640
3: 0 -640

World adjoins 2
0: 0x7 1 0.36
1: 0x7 0 .045

World surfaces 2
#num: mat: ...
0:	0	0x4	0x4	4	3	1	-1	0	4 0,0 1,1 2,2 3,3 8.5 8.5 9 .5
1:	1	0x12345	0x0	0	3	1	0	0.25	3 3,3 2,2 1,1 1 1 1

#--- Surface normals ---
0: 0 0 1
1: 0 0 -1

Section: SECTORS
World sectors 8

SECTOR 7
FLAGS 0x1000
AMBIENT LIGHT 9.5
EXTRA LIGHT 0.25
COLORMAP 0
TINT 0.1 0.2 0.3
BOUNDBOX -1 -1 0 1 1 1
COLLIDEBOX -0.5 -0.5 0 0.5 0.5 0.5
SOUND Wind.wav 0.8
CENTER 0 0 0.5
RADIUS 2
VERTICES 4
0: 0
1: 1
2: 2
3: 3
SURFACES 0 2

Section: AICLASS
World AIClasses 1
0: Default.ai
end

Section: MODELS
World models 40
0: Ky.3do
1: bow0.3do
end

Section: SPRITES
World sprites 1
0: bubble.spr
end

Section: KEYFRAMES
World keyframes 1
0: kyidle.key
end

Section: ANIMCLASS
World puppets 1
0: ky.pup
end

Section: Soundclass
World soundclasses 1
0: ky.snd
end

Section: cogscripts
World scripts 2
0: Door.cog
1: switch.cog
end

Section: cogs
World cogs 280
#Num Script Symbol values
0: Door.cog 12 0.25 Switch
1: switch.cog
end

Section: TEMPLATES
World templates 3
#Name: Based On: Params:
_walk none orient=(0/0/0) type=cog
walkplayer _walk model3d=ky.3do  puppet=ky.pup
end

Section: Things
World things 202
#num template name X Y Z Pitch Yaw Roll Sector
0: walkplayer Player 0 0 0.1 0 90 0 7
1: ghost Marker -.5 1 2 3 4 5 7 thingflags=0x400  numframes=2
end

Section: Lights
0: 0 1 2 3
end
)";

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

TEST(JklReaderTest, ReadsTheHeaderAndTheResourceLists) {
  const auto level = Parse(Crlf(kSmallLevel));
  ASSERT_EQ(level->copyright.count, 2);
  EXPECT_EQ(level->copyright[0], "line one");
  EXPECT_EQ(level->copyright[1], "Line  Two");

  const LevelHeader& h = level->header;
  EXPECT_EQ(h.version, 1);
  EXPECT_EQ(h.worldGravity, 4.5f);
  EXPECT_EQ(h.ceilingSkyZ, 15.0f);
  EXPECT_EQ(h.horizonDistance, 100.0f);
  EXPECT_EQ(h.horizonPixelsPerRev, 768.0f);
  EXPECT_THAT(h.horizonSkyOffset, ElementsAre(1.0f, -0.5f));
  EXPECT_THAT(h.ceilingSkyOffset, ElementsAre(0.25f, 2.0f));
  EXPECT_THAT(h.mipmapDistances, ElementsAre(1.0f, 2.0f, 3.0f, 4.0f));
  EXPECT_THAT(h.lodDistances, ElementsAre(0.3f, 0.6f, 0.9f, 1.2f));
  EXPECT_EQ(h.perspectiveDistance, 2.0f);
  EXPECT_EQ(h.gouraudDistance, 3.0f);

  ASSERT_EQ(level->sounds.count, 2);
  EXPECT_EQ(level->sounds[0], "Activate01.WAV");
  EXPECT_EQ(level->sounds[1], "door.wav 1.0");

  ASSERT_EQ(level->materials.count, 2);
  EXPECT_EQ(level->materials[0], (Material{"Wall.mat", 1, 2}));
  EXPECT_EQ(level->materials[1], (Material{"floor.MAT", 0.5f, 0.25f}));

  EXPECT_EQ(level->aiclasses.count, 1);
  EXPECT_EQ(level->aiclasses[0], "Default.ai");
  ASSERT_EQ(level->models.count, 2);
  EXPECT_EQ(level->models[0].name, "Ky.3do");
  EXPECT_EQ(level->models[1].name, "bow0.3do");
  EXPECT_EQ(level->sprites[0], "bubble.spr");
  EXPECT_EQ(level->keyframes[0], "kyidle.key");
  EXPECT_EQ(level->puppets[0], "ky.pup");
  EXPECT_EQ(level->soundclasses[0], "ky.snd");
  ASSERT_EQ(level->cogscripts.count, 2);
  EXPECT_EQ(level->cogscripts[0], "Door.cog");
  EXPECT_EQ(level->cogscripts[1], "switch.cog");
}

TEST(JklReaderTest, ReadsGeometrySeparatedByBlanksOrTabs) {
  const auto level = Parse(Crlf(kSmallLevel));
  ASSERT_EQ(level->colormaps.count, 1);
  EXPECT_EQ(level->colormaps[0], "Dflt.cmp");

  ASSERT_EQ(level->vertices.count, 4);
  EXPECT_EQ(level->vertices[0], (Vertex{-1, 1, 0, {0, 0, 1}}));
  EXPECT_EQ(level->vertices[1], (Vertex{1, 1, 0, {0, 0, 1}}));
  EXPECT_EQ(level->vertices[2].z, 2.775558E-17f);
  EXPECT_EQ(level->vertices[3].x, -0.5f);

  ASSERT_EQ(level->texturevertices.count, 4);
  EXPECT_EQ(level->texturevertices[2], (TextureVertex{640, -640}));

  ASSERT_EQ(level->adjoins.count, 2);
  EXPECT_EQ(level->adjoins[0], (Adjoin{7, 1, 0.36f}));
  EXPECT_EQ(level->adjoins[1], (Adjoin{7, 0, 0.045f}));

  ASSERT_EQ(level->surfaces.count, 2);
  const Surface& s0 = level->surfaces[0];
  EXPECT_EQ(s0.mat, 0);
  EXPECT_EQ(s0.surfflags, 4u);
  EXPECT_EQ(s0.faceflags, 4u);
  EXPECT_EQ(s0.geo, 4);
  EXPECT_EQ(s0.light, 3);
  EXPECT_EQ(s0.tex, 1);
  EXPECT_EQ(s0.adjoin, -1);
  EXPECT_EQ(s0.extralight, 0.0f);
  ASSERT_EQ(s0.nverts, 4);
  EXPECT_EQ(s0.vertices[3], (SurfaceCorner{3, 3}));
  EXPECT_EQ(s0.intensities[2], 9.0f);
  EXPECT_EQ(s0.intensities[3], 0.5f);
  EXPECT_EQ(s0.marks, (RecordMarks{0, 0, 1}));
  const Surface& s1 = level->surfaces[1];
  EXPECT_EQ(s1.surfflags, 0x12345u);
  EXPECT_EQ(s1.adjoin, 0);
  EXPECT_EQ(s1.extralight, 0.25f);
  ASSERT_EQ(s1.nverts, 3);
  EXPECT_EQ(s1.vertices[0], (SurfaceCorner{3, 3}));
  EXPECT_EQ(s1.vertices[2], (SurfaceCorner{1, 1}));

  EXPECT_EQ(level->normals[0], (SurfaceNormal{0, 0, 1}));
  EXPECT_EQ(level->normals[1], (SurfaceNormal{0, 0, -1}));
}

TEST(JklReaderTest, FillsTheSectorSlotTheSectorLineNames) {
  const auto level = Parse(Crlf(kSmallLevel));
  EXPECT_EQ(level->sectors.count, 8);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(level->sectors[i].marks.empty, 1) << i;
  const Sector& s = level->sectors[7];
  EXPECT_EQ(s.marks, (RecordMarks{0, 0, 1}));
  EXPECT_EQ(s.flags, 0x1000u);
  EXPECT_EQ(s.ambientlight, 9.5f);
  EXPECT_EQ(s.extralight, 0.25f);
  EXPECT_EQ(s.colormap, 0);
  EXPECT_THAT(s.tint, ElementsAre(0.1f, 0.2f, 0.3f));
  EXPECT_THAT(s.boundbox, ElementsAre(-1.0f, -1.0f, 0.0f, 1.0f, 1.0f, 1.0f));
  EXPECT_THAT(s.collidebox, ElementsAre(-0.5f, -0.5f, 0.0f, 0.5f, 0.5f, 0.5f));
  EXPECT_EQ(s.hassound, 1);
  EXPECT_EQ(s.sound, "Wind.wav");
  EXPECT_EQ(s.soundvolume, 0.8f);
  EXPECT_THAT(s.center, ElementsAre(0.0f, 0.0f, 0.5f));
  EXPECT_EQ(s.radius, 2.0f);
  EXPECT_EQ(s.nverts, 4);
  EXPECT_THAT(s.vertexindices, ElementsAre(0, 1, 2, 3));
  EXPECT_EQ(s.firstsurface, 0);
  EXPECT_EQ(s.nsurfaces, 2);
}

TEST(JklReaderTest, ReadsCogsTemplatesAndThings) {
  const auto level = Parse(Crlf(kSmallLevel));
  // "World cogs 280" declares room; the count is the number of cogs listed.
  ASSERT_EQ(level->cogs.count, 2);
  const Cog& cog = level->cogs[0];
  EXPECT_EQ(cog.script, "Door.cog");
  ASSERT_EQ(cog.params.size(), 3u);
  EXPECT_EQ(cog.params[0].kind, CogParamKind::Integer);
  EXPECT_EQ(cog.params[0].intvalue, 12);
  EXPECT_EQ(cog.params[1].kind, CogParamKind::Float);
  EXPECT_EQ(cog.params[1].floatvalue, 0.25f);
  EXPECT_EQ(cog.params[2].kind, CogParamKind::Text);
  EXPECT_EQ(cog.params[2].text, "Switch");
  EXPECT_EQ(level->cogs[1].script, "switch.cog");
  EXPECT_TRUE(level->cogs[1].params.empty());

  ASSERT_EQ(level->templates.count, 2);
  EXPECT_EQ(level->templates[0], (Template{"_walk", "none", "orient=(0/0/0) type=cog", -1}));
  EXPECT_EQ(level->templates[1].params, "model3d=ky.3do  puppet=ky.pup");

  ASSERT_EQ(level->things.count, 2);
  const Thing& t0 = level->things[0];
  EXPECT_EQ(t0.templateName, "walkplayer");
  EXPECT_EQ(t0.name, "Player");
  EXPECT_EQ(t0.z, 0.1f);
  EXPECT_EQ(t0.yaw, 90.0f);
  EXPECT_EQ(t0.sector, 7);
  EXPECT_EQ(t0.params, "");
  EXPECT_EQ(t0.marks, (RecordMarks{0, 0, 1}));
  const Thing& t1 = level->things[1];
  EXPECT_EQ(t1.x, -0.5f);
  EXPECT_EQ(t1.pitch, 3.0f);
  EXPECT_EQ(t1.roll, 5.0f);
  EXPECT_EQ(t1.params, "thingflags=0x400  numframes=2");
}

TEST(JklReaderTest, LfAndCrLineEndsReadLikeCrLf) {
  const auto crlf = Parse(Crlf(kSmallLevel));
  for (const std::string_view lineEnd : {"\n", "\r"}) {
    FakeUi ui;
    const auto other = Parse(WithLineEnds(kSmallLevel, lineEnd), ui);
    EXPECT_TRUE(*other == *crlf) << "line end " << int(lineEnd[0]);
    // The pre-count counts lines by the same rule, so the bar ends full.
    const int lines = static_cast<int>(std::count(kSmallLevel.begin(), kSmallLevel.end(), '\n'));
    ASSERT_FALSE(ui.progress.empty());
    EXPECT_EQ(ui.progress.front(),
              "begin Parsing test.jkl...|Parsing section: |" + std::to_string(lines / 10));
    ASSERT_FALSE(ui.positions.empty());
    EXPECT_EQ(ui.positions.back(), lines / 10);
  }
}

TEST(JklReaderTest, CommentsAreCutAndBlankRemarksSkipped) {
  const auto level = Parse(Crlf(R"(SECTION: COPYRIGHT
   # a remark on its own line
(c) 1997 # LucasArts
#not a copyright line
SECTION: MATERIALS
World materials 1
0: wall.mat 1 1 # 7: fake.mat 2 2
end
)"));
  ASSERT_EQ(level->copyright.count, 1);
  EXPECT_EQ(level->copyright[0], "(c) 1997");
  ASSERT_EQ(level->materials.count, 1);
  EXPECT_EQ(level->materials[0], (Material{"wall.mat", 1, 1}));
}

TEST(JklReaderTest, SectionHeadersIgnoreCaseButNotSpacing) {
  auto level = Parse("section: sounds\r\nWorld sounds 1\r\na.wav\r\nend\r\n");
  EXPECT_EQ(level->sounds.count, 1);
  level = Parse("SECTION:  SOUNDS\r\nWorld sounds 1\r\na.wav\r\nend\r\n");
  EXPECT_EQ(level->sounds.count, 0);
}

TEST(JklReaderTest, NormalsFollowOnlyTheSurfaceNumberedCountMinusOne) {
  // The surfaces are numbered 0 and 2 of a count of 2: the normal lines are read as surfaces.
  const auto error = ParseError(Crlf(R"(World surfaces 2
0:	0	0x4	0x4	4	3	1	-1	0	3 0,0 1,1 2,2 1 1 1
2:	0	0x4	0x4	4	3	1	-1	0	3 0,0 1,1 2,2 1 1 1
0: 0 0 1
)"));
  EXPECT_EQ(error.text(), "'' is not a valid integer value");
  EXPECT_EQ(error.detail(), "bad.jkl, line 4");
}

TEST(JklReaderTest, ListSectionWithoutEndCountsWhatItListed) {
  const auto level = Parse(Crlf(R"(Section: MODELS
World models 300
0: a.3do
1: b.3do
Section: TEMPLATES
World templates 100
_a none
SECTION: SOUNDS
World sounds 99
x.wav)"));
  EXPECT_EQ(level->models.count, 2);
  EXPECT_EQ(level->templates.count, 1);
  EXPECT_EQ(level->sounds.count, 1);
}

TEST(JklReaderTest, NamesLongerThanTheirLimitAreCut) {
  const std::string longName(33, 'm');
  const auto level = Parse(Crlf("SECTION: MATERIALS\n0: " + longName + " 1 1\nend\n"));
  EXPECT_EQ(level->materials[0].name, std::string(32, 'm'));
}

TEST(JklReaderTest, KeepsWhatTheFileDoesNotMentionAndResetsEveryMark) {
  auto level = std::make_unique<Level>();
  level->header.worldGravity = 7;
  level->things.count = 3;
  level->things[0].name = "old";
  level->vertices[100].marks = {0, 1, 0};
  level->surfaces[16383].marks = {0, 1, 1};
  level->sectors[5].marks = {0, 0, 0};
  FakeUi ui;
  ParseLevel(Crlf("SECTION: HEADER\nVersion 2\nSECTION: GEORESOURCE\nWorld vertices 1\n0: 1 1 1\n"),
             "x", "x", *level, ui);
  EXPECT_EQ(level->header.version, 2);
  EXPECT_EQ(level->header.worldGravity, 7.0f);
  EXPECT_EQ(level->things.count, 3);
  EXPECT_EQ(level->things[0].name, "old");
  EXPECT_EQ(level->vertices[0].marks, (RecordMarks{0, 0, 1}));
  EXPECT_EQ(level->vertices[100].marks, (RecordMarks{1, 0, 1}));
  EXPECT_EQ(level->surfaces[16383].marks, (RecordMarks{1, 0, 1}));
  EXPECT_EQ(level->sectors[5].marks, (RecordMarks{1, 0, 1}));
}

TEST(JklReaderTest, EmptyFileChangesNothingButTheMarks) {
  auto level = std::make_unique<Level>();
  level->vertices.count = 1;
  level->vertices[0] = {1, 2, 3, {0, 1, 1}};
  FakeUi ui;
  EXPECT_EQ(ParseLevel("", "x", "e.jkl", *level, ui), ParseOutcome::Complete);
  EXPECT_EQ(level->vertices.count, 1);
  EXPECT_EQ(level->vertices[0], (Vertex{1, 2, 3, {1, 0, 1}}));
  EXPECT_THAT(ui.progress, ElementsAre("begin Parsing e.jkl...|Parsing section: |0", "end"));
}

TEST(JklReaderTest, ShowsEachSectionAndEveryLineInTheProgressWindow) {
  FakeUi ui;
  const std::string text = Crlf(R"(SECTION: JK
SECTION: HEADER
World surfaces 1
0:	0	0x4	0x4	4	3	1	-1	0	3 0,0 1,1 2,2 1 1 1
0: 0 0 1
Section: cogs
end
)");
  Parse(text, ui);
  EXPECT_THAT(ui.progress, ElementsAre("begin Parsing test.jkl...|Parsing section: |0", "item JK",
                                       "item HEADER", "item GEORESOURCE: SURFACES",
                                       "item GEORESOURCE: SURFACE NORMALS", "item COGS", "end"));
  EXPECT_EQ(ui.positions, (std::vector<int>{0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(ui.processEventsCalls, 7);
}

TEST(JklReaderTest, ProgressPositionIsTheLineCountDividedByTen) {
  std::string text;
  for (int i = 0; i < 25; ++i) text += "\r\n";
  FakeUi ui;
  Parse(text, ui);
  ASSERT_EQ(ui.positions.size(), 25u);
  EXPECT_EQ(ui.positions[8], 0);
  EXPECT_EQ(ui.positions[9], 1);
  EXPECT_EQ(ui.positions[24], 2);
  EXPECT_EQ(ui.progress.front(), "begin Parsing test.jkl...|Parsing section: |2");
}

// ---- copyright limit ---------------------------------------------------------------------

std::string CopyrightLines(int n) {
  std::string text = "SECTION: COPYRIGHT\r\n";
  for (int i = 1; i <= n; ++i) text += "line " + std::to_string(i) + "\r\n";
  return text + "SECTION: HEADER\r\nVersion 5\r\n";
}

TEST(JklReaderTest, AcceptsSixtyFourCopyrightLines) {
  FakeUi ui;
  auto level = std::make_unique<Level>();
  EXPECT_EQ(ParseLevel(CopyrightLines(64), "x", "x", *level, ui), ParseOutcome::Complete);
  EXPECT_EQ(level->copyright.count, 64);
  EXPECT_EQ(level->copyright[63], "line 64");
  EXPECT_EQ(level->header.version, 5);
}

TEST(JklReaderTest, SixtyFifthCopyrightLineStopsTheReadButKeepsWhatWasRead) {
  test::TempDir dir;
  const auto path = dir.Write("big.jkl", CopyrightLines(65));
  FakeUi ui;
  auto level = std::make_unique<Level>();
  level->header.version = 1;
  ReadLevel(*level, path, "big.jkl", ui);
  EXPECT_EQ(level->copyright.count, 64);
  EXPECT_EQ(level->copyright[63], "line 64");
  EXPECT_EQ(level->header.version, 1) << "the lines after the limit are not read";
  EXPECT_THAT(ui.boxes, ElementsAre(FakeUi::Box{BoxKind::Error,
                                                "More than 64 lines of copyright information!"}));
  EXPECT_THAT(ui.captions, ElementsAre("Orbandel Kelvarix 1.0 Preview Release 1 Build 631"));
  EXPECT_FALSE(ui.progressShown);
  EXPECT_EQ(ui.busyDepth, 0);
}

// ---- errors ------------------------------------------------------------------------------

TEST(JklReaderTest, MalformedIntegersStopTheReadNamingTextFileAndLine) {
  struct Case {
    std::string text;
    std::string message;
    std::string detail;
  };
  const Case cases[] = {
      {"SECTION: HEADER\r\nVersion 1a\r\n", "'1A' is not a valid integer value", "bad.jkl, line 2"},
      {"World vertices many\r\n", "'MANY' is not a valid integer value", "bad.jkl, line 1"},
      {"World adjoins 1\r\n0: 0x7 x 0.5\r\n", "'X' is not a valid integer value",
       "bad.jkl, line 2"},
      {"World surfaces 1\r\n0: 0 0x4 0x4 4 3 1 -1 0 2 0,0 1;1 1 1\r\n",
       "'1;1' is not a valid integer value", "bad.jkl, line 2"},
      {"World surfaces 1\r\n0: 0 0x4 0x4 4 3 1 -1 0 2 0,0 1, 1 1\r\n",
       "'' is not a valid integer value", "bad.jkl, line 2"},
      {"Section: SECTORS\r\nSECTOR 0\r\nVERTICES 2\r\n0: 1\r\n1: 2.5\r\n",
       "'2.5' is not a valid integer value", "bad.jkl, line 5"},
      {"Section: SECTORS\r\nSECTOR 0\r\nCOLORMAP\r\n", "'' is not a valid integer value",
       "bad.jkl, line 3"},
      {"Section: Things\r\n0: a b 0 0 0 0 0 0 sec\r\n", "'SEC' is not a valid integer value",
       "bad.jkl, line 2"},
      {"Section: MODELS\r\nWorld models 9999999999\r\n",
       "'9999999999' is not a valid integer value", "bad.jkl, line 2"},
  };
  for (const auto& c : cases) {
    const auto error = ParseError(c.text);
    EXPECT_EQ(error.text(), c.message) << c.text;
    EXPECT_EQ(error.detail(), c.detail) << c.text;
  }
}

TEST(JklReaderTest, RefusesMoreRecordsThanATableHolds) {
  std::string colormaps = "World Colormaps 1\r\n";
  for (int i = 0; i <= 32; ++i) colormaps += std::to_string(i) + ": c.cmp\r\n";
  std::string things = "Section: Things\r\nWorld things 1224\r\n";
  for (int i = 0; i <= 1024; ++i) things += std::to_string(i) + ": a b 0 0 0 0 0 0 0\r\n";
  struct Case {
    std::string text;
    std::string message;
    std::string detail;
  };
  const Case cases[] = {
      {"World vertices 16385\r\n", "Too many vertices: the editor holds at most 16384",
       "bad.jkl, line 1"},
      {"World texture vertices 65537\r\n",
       "Too many texture vertices: the editor holds at most 65536", "bad.jkl, line 1"},
      {"World surfaces -1\r\n", "Invalid number of surfaces: -1 is below 0", "bad.jkl, line 1"},
      {"Section: SECTORS\r\nWorld sectors 2049\r\n",
       "Too many sectors: the editor holds at most 2048", "bad.jkl, line 2"},
      {colormaps, "Too many colormaps: the editor holds at most 32", "bad.jkl, line 34"},
      {things, "Too many things: the editor holds at most 1024", "bad.jkl, line 1027"},
  };
  for (const auto& c : cases) {
    const auto error = ParseError(c.text);
    EXPECT_EQ(error.text(), c.message) << c.text.substr(0, 40);
    EXPECT_EQ(error.detail(), c.detail) << c.text.substr(0, 40);
  }
}

TEST(JklReaderTest, RefusesSlotsOutsideTheirTable) {
  std::string tooManyCorners = "World surfaces 1\r\n0: 0 0x4 0x4 4 3 1 -1 0 25";
  for (int i = 0; i < 25; ++i) tooManyCorners += " 0,0";
  for (int i = 0; i < 25; ++i) tooManyCorners += " 1";
  struct Case {
    std::string text;
    std::string message;
  };
  const Case cases[] = {
      {tooManyCorners, "Surface 0 has 25 corners: a surface has 0 to 24"},
      {"World surfaces 1\r\n0: 0 0x4 0x4 4 3 1 -1 0 -1",
       "Surface 0 has -1 corners: a surface has 0 to 24"},
      {"Section: SECTORS\r\nSECTOR 2048", "Sector 2048 is outside the sector table (0 to 2047)"},
      {"Section: SECTORS\r\nSECTOR -1", "Sector -1 is outside the sector table (0 to 2047)"},
      {"Section: SECTORS\r\nSECTOR 3\r\nVERTICES 2\r\n2: 5",
       "Vertex 2 of sector 3 is outside its list of 2 vertices"},
      {"Section: SECTORS\r\nSECTOR 3\r\nVERTICES 2\r\n-1: 5",
       "Vertex -1 of sector 3 is outside its list of 2 vertices"},
      {"Section: SECTORS\r\nSECTOR 3\r\n0: 5",
       "Vertex 0 of sector 3 is outside its list of 0 vertices"},
      {"Section: SECTORS\r\nSECTOR 1\r\nVERTICES 16385",
       "Sector 1 lists 16385 vertices: a sector has 0 to 16384"},
      {"Section: SECTORS\r\nSECTOR 1\r\nVERTICES -2",
       "Sector 1 lists -2 vertices: a sector has 0 to 16384"},
  };
  for (const auto& c : cases) {
    const auto error = ParseError(c.text);
    EXPECT_EQ(error.text(), c.message) << c.text.substr(0, 60);
  }
}

TEST(JklReaderTest, SectorVertexListsCannotOutgrowTheFile) {
  // Each of these lines would make the reader allocate 64 KB; together they would ask for far
  // more than the few hundred bytes of the file justify.
  std::string text = "Section: SECTORS\r\n";
  for (int i = 0; i < 40; ++i) text += "SECTOR 0\r\nVERTICES 16000\r\n";
  const auto error = ParseError(text);
  EXPECT_EQ(error.text(), "Sector 0 lists 16000 vertices, more than the file has lines for");
  EXPECT_EQ(error.detail(), "bad.jkl, line 3");
}

TEST(JklReaderTest, RefusesALevelInTheSequelsFormat) {
  const auto error = ParseError(Crlf(R"(World surfaces 2
0:	0	0x4	0x4	4	3	1	-1	0	2 0,0 1,1 .5 .6 .7 .8 1 1 1 1
)"));
  EXPECT_EQ(error.text(),
            "The level is not in Jedi Knight's format: its surfaces carry four light values per "
            "corner, as Mysteries of the Sith writes them");
  EXPECT_EQ(error.detail(), "bad.jkl, line 2");
}

TEST(JklReaderTest, ExtraWordsThatAreNotColouredLightAreIgnored) {
  const auto level = Parse("World surfaces 1\r\n0: 0 0x4 0x4 4 3 1 -1 0 2 0,0 1,1 .5 .6 junk\r\n");
  EXPECT_EQ(level->surfaces[0].intensities[1], 0.6f);
}

// ---- ReadLevel: files, cursor and the level kept on failure -------------------------------

TEST(JklReaderTest, ReadLevelReplacesTheLevelOnlyWhenTheReadSucceeds) {
  test::TempDir dir;
  const auto good = dir.Write("jkl/good.jkl", Crlf(kSmallLevel));
  FakeUi ui;
  auto level = std::make_unique<Level>();
  ReadLevel(*level, good, "good.jkl", ui);
  EXPECT_EQ(level->things.count, 2);
  EXPECT_EQ(ui.busyDepth, 0);
  EXPECT_EQ(ui.maxBusyDepth, 1);
  EXPECT_TRUE(ui.boxes.empty());
  level->vertices[0].marks.selected = 1;
  const Level before = *level;

  // A level cut off in the middle of its surfaces, one with a bad integer near the end, a
  // level too large for the tables: each stops with an error and the loaded level stays.
  const std::string small = Crlf(kSmallLevel);
  const std::string truncated = small.substr(0, small.find("1,1 1 1 1"));
  std::string badThing = small;
  badThing.replace(badThing.find("0 90 0 7"), 8, "0 90 0 x");
  const std::string oversize = "SECTION: HEADER\r\nVersion 9\r\nWorld adjoins 4097\r\n";
  for (const std::string& bad : {truncated, badThing, oversize}) {
    const auto path = dir.Write("jkl/bad.jkl", bad);
    FakeUi badUi;
    EXPECT_THROW(ReadLevel(*level, path, "bad.jkl", badUi), CommandError);
    EXPECT_TRUE(*level == before);
    EXPECT_EQ(badUi.busyDepth, 0);
    EXPECT_FALSE(badUi.progressShown);
  }
}

TEST(JklReaderTest, MissingFileIsFileNotFound) {
  test::TempDir dir;
  FakeUi ui;
  auto level = std::make_unique<Level>();
  level->header.version = 3;
  try {
    ReadLevel(*level, dir.path() / "none.jkl", "none.jkl", ui);
    FAIL() << "no error";
  } catch (const CommandError& error) {
    EXPECT_EQ(error.text(), "File not found");
    EXPECT_EQ(error.detail(), (dir.path() / "none.jkl").string());
  }
  EXPECT_EQ(level->header.version, 3);
  EXPECT_EQ(ui.busyDepth, 0);
}

TEST(JklReaderTest, ErrorDetailNamesTheFilesPath) {
  test::TempDir dir;
  const auto path = dir.Write("x.jkl", "World vertices ?\r\n");
  FakeUi ui;
  auto level = std::make_unique<Level>();
  try {
    ReadLevel(*level, path, "x.jkl", ui);
    FAIL() << "no error";
  } catch (const CommandError& error) {
    EXPECT_EQ(error.FullText(), "'?' is not a valid integer value\n" + path.string() + ", line 1");
  }
}

}  // namespace
}  // namespace kx::level
