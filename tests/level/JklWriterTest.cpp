#include "support/FakeUi.h"
#include "support/LevelCompare.h"
#include "support/TempDir.h"

#include "level/EpisodeFile.h"
#include "level/JklReader.h"
#include "level/JklWriter.h"
#include "platform/CommandError.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>

namespace kx::level {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

std::string Crlf(std::string_view text) {
  std::string result;
  for (const char c : text) {
    if (c == '\n') result += '\r';
    result += c;
  }
  return result;
}

std::unique_ptr<Level> SmallLevel() {
  auto level = std::make_unique<Level>();
  Level& l = *level;
  l.copyright.count = 2;
  l.copyright[0] = "line one";
  l.copyright[1] = "Line  Two";
  l.header = {1, 4, 15, 100, 768, {0, -0.25f}, {1.5f, 0}, {1, 2, 3, 4}, {0.3f, 0.6f, 0.9f, 1.2f},
              2, 3};
  l.sounds.count = 2;
  l.sounds[0] = "activate01.wav";
  l.sounds[1] = "door.wav 1.0";
  l.materials.count = 1;
  l.materials[0] = {"Wall.mat", 1, 2};
  l.colormaps.count = 1;
  l.colormaps[0] = "dflt.cmp";
  l.vertices.count = 2;
  l.vertices[0] = {-1, 0.5f, 2.775558E-17f, {}};
  l.vertices[1] = {1, 1, 0, {}};
  l.texturevertices.count = 1;
  l.texturevertices[0] = {640, -640};
  l.adjoins.count = 1;
  l.adjoins[0] = {7, 1, 0.36f};
  l.surfaces.count = 2;
  Surface& s0 = l.surfaces[0];
  s0 = {0, 16, 0x12345, 4, 3, 1, -1, 0.25f, 3, {}, {}, {}};
  s0.vertices[0] = {0, 0};
  s0.vertices[1] = {1, 1};
  s0.vertices[2] = {1, 0};
  s0.intensities[0] = 1;
  s0.intensities[1] = 0.5f;
  s0.intensities[2] = -0.125f;
  s0.vertices[3] = {9, 9};  // beyond nverts: never written
  l.surfaces[1] = {2, 0, 0, 0, 0, 0, 0, 0, 0, {}, {}, {}};
  l.normals[0] = {0, 0, 1};
  l.normals[1] = {0, 0, -1};
  l.sectors.count = 2;
  Sector& sector0 = l.sectors[0];
  sector0.flags = 0x1000;
  sector0.ambientlight = 9.5f;
  sector0.colormap = 0;
  sector0.tint = {0.1f, 0.2f, 0.3f};
  sector0.boundbox = {-1, -1, 0, 1, 1, 1};
  sector0.collidebox = {-0.5f, -0.5f, 0, 0.5f, 0.5f, 0.5f};
  sector0.hassound = 1;
  sector0.sound = "wind.wav";
  sector0.soundvolume = 0.8f;
  sector0.center = {0, 0, 0.5f};
  sector0.radius = 2;
  sector0.nverts = 2;
  sector0.vertexindices = {0, 1};
  sector0.firstsurface = 0;
  sector0.nsurfaces = 2;
  l.sectors[1].sound = "kept.wav";  // hassound 0: no SOUND line
  l.sectors[1].firstsurface = 2;
  l.aiclasses.count = 1;
  l.aiclasses[0] = "default.ai";
  l.models.count = 1;
  l.models[0] = {"Ky.3do", 0.5f};
  l.keyframes.count = 1;
  l.keyframes[0] = "a.key";
  l.soundclasses.count = 1;
  l.soundclasses[0] = "ky.snd";
  l.cogscripts.count = 3;
  l.cogscripts[0] = "door.cog";
  l.cogscripts[1] = "elev.cog";
  l.cogscripts[2] = "x.cog";
  l.cogs.count = 2;
  l.cogs[0].script = "door.cog";
  l.cogs[0].params = {{CogParamKind::Integer, 12, 0, ""},
                      {CogParamKind::Float, 0, 0.5f, ""},
                      {CogParamKind::Text, 0, 0, "switch"}};
  l.cogs[1].script = "DOOR.COG";
  l.templates.count = 2;
  l.templates[0] = {"_walk", "none", "type=cog", -1};
  l.templates[1] = {"sixteen_chars_xx", "a_basedon_of_17ch", "", -1};
  l.things.count = 2;
  l.things[0] = {"walkplayer", "Player", 0, 0, 0.1f, 0, 90, 0, 1, "", {}};
  l.things[1] = {"a_very_long_template", "n", -1.5f, 2, 3, 4, 5, 6, 0, "thingflags=0x400", {}};
  // Records in use are marked as a read marks them.
  const RecordMarks inUse{0, 0, 1};
  for (int i = 0; i < 2; ++i) {
    l.vertices[i].marks = l.surfaces[i].marks = l.sectors[i].marks = l.things[i].marks = inUse;
  }
  return level;
}

TEST(JklWriterTest, WritesTheEditorsLayoutByteForByte) {
  const std::string banner = "#**********" + std::string(14, ' ');
  const std::string expected = Crlf(
      "#********** World file C:\\Kelvarix\\Projects\\Test\\jkl\\test.jkl ***** Created "
      "1998-03-05 09:07 **********\n"
      "#********** Created with Orbandel Kelvarix 1.0 Preview Release 1 Build 631\n" +
      banner + "Kelvarix level editor, (c) the Kelvarix developers\n" + banner +
      "kelvarix@example.org\n" + banner + "http://www.example.org/kelvarix/\n" +
      R"(
######    JK  information ######
SECTION: JK
# Jedi Knight specific data
################################


#### Copyright information #####
SECTION: COPYRIGHT
line one
Line  Two
################################


###### Header information ######
SECTION: HEADER
# version and global constant settings
Version          1
World Gravity    4.000000
Ceiling Sky Z    15.000000
Horizon Distance 100.000000
Horizon Pixels per Rev 768.000000
Horizon Sky Offset   0.000000	-0.250000
Ceiling Sky Offset   1.500000	0.000000
MipMap Distances	1.000000	2.000000	3.000000	4.000000
LOD Distances		0.300000	0.600000	0.900000	1.200000
Perspective distance 2.000000
Gouraud distance 3.000000
################################


###### Sound information  ######
SECTION: SOUNDS

World sounds 2

activate01.wav
door.wav 1.0
end
################################


##### Material information #####
SECTION: MATERIALS

World materials 1

#num	mat:		xTile:		yTile:
0:	Wall.mat	1.000000	2.000000
end
################################


#### Geometry Resources Info ###
SECTION: GEORESOURCE

#------ Palette Subsection -----
World Colormaps 1
0:	dflt.cmp

#----- Vertices Subsection -----
World vertices 2
#num:	vertex:
0:	-1.000000	0.500000	0.000000
1:	1.000000	1.000000	0.000000


#-- Texture Verts Subsection ---
World Texture Vertices 1
#num:	u:		v:
0:	640.000000	-640.000000


#------ Adjoins Subsection -----
World adjoins 1
#num:	flags:	mirror:	dist:
0:	0x0007	1	0.360000

#----- Surfaces Subsection -----
World surfaces 2
#num:	mat:	surfflags:	faceflags:	geo:	light:	tex:	adjoin:	extralight:	nverts:	vertices:			intensities:
0:	0	0x0010		0x12345		4	3	1	-1	0.250000	3	0,0	1,1	1,0	1.000000	0.500000	-0.125000
1:	2	0x0000		0x0000		0	0	0	0	0.000000	0

#------- Surface normals -------
0:	0.000000	0.000000	1.000000
1:	0.000000	0.000000	-1.000000
################################


###### Sector information ######
Section: SECTORS

World sectors 2


SECTOR	0
FLAGS	0x1000
AMBIENT LIGHT	9.500000
EXTRA LIGHT	0.000000
COLORMAP	0
TINT	0.100000	0.200000	0.300000
BOUNDBOX	-1.000000 -1.000000 0.000000 1.000000 1.000000 1.000000
COLLIDEBOX	-0.500000 -0.500000 0.000000 0.500000 0.500000 0.500000
SOUND	wind.wav 0.800000
CENTER	0.000000 0.000000 0.500000
RADIUS	2.000000
VERTICES	2
0:	0
1:	1
SURFACES	0	2


SECTOR	1
FLAGS	0x0000
AMBIENT LIGHT	0.000000
EXTRA LIGHT	0.000000
COLORMAP	0
TINT	0.000000	0.000000	0.000000
BOUNDBOX	0.000000 0.000000 0.000000 0.000000 0.000000 0.000000
COLLIDEBOX	0.000000 0.000000 0.000000 0.000000 0.000000 0.000000
CENTER	0.000000 0.000000 0.000000
RADIUS	0.000000
VERTICES	0
SURFACES	2	0

########## AI Classes ##########
Section: AICLASS

World AIClasses 1
0:	default.ai
end
################################


###### Models information ######
Section: MODELS

World models 33

0:	Ky.3do
end
################################


###### Sprite information ######
Section: SPRITES

World sprites 0

end
################################


##### Keyframe information #####
Section: KEYFRAMES

World keyframes 33

0:	a.key
end
################################


###### Animation Classes #######
Section: ANIMCLASS

World puppets 0

end
################################


#### Sound (foley) Classes #####
Section: Soundclass

World soundclasses 1

0:	ky.snd
end
################################


########## COG scripts #########
Section: cogscripts

World scripts 3

0:	door.cog
1:	elev.cog
2:	x.cog
end
################################


######### COG placement ########
Section: cogs

World cogs 4

#num	Script		Symbol values
0:	door.cog	12 0.500000 switch 
1:	DOOR.COG 
end
################################


##### Templates information ####
Section: TEMPLATES

World templates 2

#Name:		 Based On:	  Params:
_walk            none             type=cog 
sixteen_chars_xx a_basedon_of_17ch  
end
################################


######## Thing placement #######
Section: Things

World things 202

#num template	     name:		X:		Y:		Z:		Pitch:		Yaw:		Roll:		Sector:
  0: walkplayer      Player          	0.000000	0.000000	0.100000	0.000000	90.000000	0.000000	1	
  1: a_very_long_template n               	-1.500000	2.000000	3.000000	4.000000	5.000000	6.000000	0	thingflags=0x400
end
################################


)");
  const std::string written =
      FormatLevel(*SmallLevel(), "C:\\Kelvarix\\Projects\\Test\\jkl\\test.jkl", "1998-03-05 09:07");
  EXPECT_EQ(written, expected);
}

TEST(JklWriterTest, EmptyTablesAreWrittenWithTheirPaddedCounts) {
  const auto level = std::make_unique<Level>();
  const std::string text = FormatLevel(*level, "x", "2000-01-01 00:00");
  EXPECT_THAT(text, HasSubstr("World models 32\r\n\r\nend\r\n"));
  EXPECT_THAT(text, HasSubstr("World keyframes 32\r\n\r\nend\r\n"));
  EXPECT_THAT(text, HasSubstr("World cogs 0\r\n"));
  EXPECT_THAT(text, HasSubstr("World sectors 0\r\n\r\n########## AI Classes"));
  EXPECT_THAT(text, HasSubstr("#------- Surface normals -------\r\n####"));
  EXPECT_THAT(text, ::testing::EndsWith("World things 200\r\n\r\n"
                                        "#num template\t     name:\t\tX:\t\tY:\t\tZ:\t\tPitch:"
                                        "\t\tYaw:\t\tRoll:\t\tSector:\r\nend\r\n"
                                        "################################\r\n\r\n\r\n"));
}

TEST(JklWriterTest, NumbersThingsRightAlignedToThreeCharacters) {
  auto level = std::make_unique<Level>();
  level->things.count = 1001;
  for (int i = 0; i < 1001; ++i) level->things[i] = {"t", "n", 0, 0, 0, 0, 0, 0, 0, "", {}};
  const std::string text = FormatLevel(*level, "x", "2000-01-01 00:00");
  EXPECT_THAT(text, HasSubstr("\r\n  5: t               n               \t"));
  EXPECT_THAT(text, HasSubstr("\r\n 42: t "));
  EXPECT_THAT(text, HasSubstr("\r\n1000: t "));
  EXPECT_THAT(text, HasSubstr("World things 1201\r\n"));
}

TEST(JklWriterTest, SurfaceOfTwentyFourCornersWritesThemAll) {
  auto level = std::make_unique<Level>();
  level->surfaces.count = 1;
  Surface& s = level->surfaces[0];
  s.nverts = 24;
  for (int i = 0; i < 24; ++i) s.vertices[i] = {i, 100 + i};
  const std::string text = FormatLevel(*level, "x", "2000-01-01 00:00");
  EXPECT_THAT(text, HasSubstr("\t24\t0,100\t1,101\t"));
  EXPECT_THAT(text, HasSubstr("\t23,123\t0.000000\t"));
}

TEST(JklWriterTest, CountCogSlotsAddsTheExtraUsesOfEachScript) {
  auto level = std::make_unique<Level>();
  level->cogscripts.count = 3;
  level->cogscripts[0] = "a.cog";
  level->cogscripts[1] = "b.cog";
  level->cogscripts[2] = "c.cog";
  EXPECT_EQ(CountCogSlots(*level), 3);
  level->cogs.count = 2;
  level->cogs[0].script = "a.cog";
  level->cogs[1].script = "A.COG";
  EXPECT_EQ(CountCogSlots(*level), 4);
  level->cogs.count = 6;
  level->cogs[2].script = "b.cog";
  level->cogs[3].script = "a.cog";
  level->cogs[4].script = "unlisted.cog";  // counts nowhere
  level->cogs[5].script = "b.cog";
  EXPECT_EQ(CountCogSlots(*level), 6);
}

TEST(JklWriterTest, TimeStampHasTwoDigitFields) {
  EXPECT_EQ(FormatTimeStamp(1998, 3, 5, 9, 7), "1998-03-05 09:07");
  EXPECT_EQ(FormatTimeStamp(2024, 12, 31, 23, 59), "2024-12-31 23:59");
  EXPECT_THAT(CurrentTimeStamp(),
              ::testing::MatchesRegex("[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}"));
}

// ---- SaveLevel ----------------------------------------------------------------------------

TEST(JklWriterTest, SaveLevelWritesTheLevelThenTheEpisodeFile) {
  test::TempDir dir;
  std::filesystem::create_directories(dir.path() / "jkl");
  auto level = SmallLevel();
  level->episode = {"Test", 2};
  test::FakeUi ui;
  SaveLevel(*level, dir.path(), "test.jkl", ui);
  EXPECT_EQ(ui.busyDepth, 0);
  EXPECT_EQ(ui.maxBusyDepth, 1);

  const std::string text = test::ReadAll(dir.path() / "jkl" / "test.jkl");
  const std::string path = (dir.path() / "jkl" / "test.jkl").string();
  EXPECT_THAT(text, StartsWith("#********** World file " + path + " ***** Created "));
  EXPECT_EQ(text.substr(text.find("\r\n")),
            FormatLevel(*level, "", "").substr(FormatLevel(*level, "", "").find("\r\n")));
  EXPECT_EQ(test::ReadAll(dir.path() / "episode.jk"), FormatEpisode({"Test", 2}, "test.jkl"));

  auto read = std::make_unique<Level>();
  ReadLevel(*read, dir.path() / "jkl" / "test.jkl", "test.jkl", ui);
  EXPECT_EQ(test::FirstLevelDifference(*read, *level), "");
}

TEST(JklWriterTest, SaveOverwritesFilesWhoseCaseTheArchiveChose) {
  test::TempDir dir;
  const auto jkl = dir.Write("JKL/TEST.JKL", "old level");
  const auto episode = dir.Write("EPISODE.JK", "old episode");
  test::FakeUi ui;
  SaveLevel(*SmallLevel(), dir.path(), "test.jkl", ui);
  EXPECT_THAT(test::ReadAll(jkl), StartsWith("#********** World file "));
  EXPECT_THAT(test::ReadAll(episode), StartsWith("\""));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "jkl"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "episode.jk"));
}

TEST(JklWriterTest, FailedSaveKeepsTheOldFilesAndWritesNoEpisode) {
  test::TempDir dir;
  const auto jkl = dir.Write("jkl/test.jkl", "old level");
  const auto episode = dir.Write("episode.jk", "old episode");
  // A folder in the way of the temporary file makes the level's write fail.
  std::filesystem::create_directory(jkl.string() + ".kxtmp");
  test::FakeUi ui;
  const auto level = SmallLevel();
  try {
    SaveLevel(*level, dir.path(), "test.jkl", ui);
    FAIL() << "no error";
  } catch (const platform::CommandError& error) {
    EXPECT_EQ(error.text(), "File access denied");
    EXPECT_EQ(error.detail(), jkl.string());
  }
  EXPECT_EQ(test::ReadAll(jkl), "old level");
  EXPECT_EQ(test::ReadAll(episode), "old episode");
  EXPECT_EQ(ui.busyDepth, 0);
}

TEST(JklWriterTest, SaveIntoAMissingFolderIsFileNotFound) {
  test::TempDir dir;
  test::FakeUi ui;
  const auto level = SmallLevel();
  try {
    SaveLevel(*level, dir.path() / "gone", "test.jkl", ui);
    FAIL() << "no error";
  } catch (const platform::CommandError& error) {
    EXPECT_EQ(error.text(), "File not found");
  }
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "gone" / "episode.jk"));
}

}  // namespace
}  // namespace kx::level
