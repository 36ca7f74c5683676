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
#include <regex>

namespace kx::level {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::string Crlf(std::string_view text) {
  std::string result;
  for (const char c : text) {
    if (c == '\n') result += '\r';
    result += c;
  }
  return result;
}

/// One record in every table that has a line format of its own, values chosen to show each
/// number format.
std::unique_ptr<Level> SmallLevel() {
  auto level = std::make_unique<Level>();
  Level& l = *level;
  const RecordMarks inUse{0, 0, 1};
  l.copyright.count = 1;
  l.copyright[0] = "Line  Two";
  l.header = {1, 4, 15, 100, 768, {0, -0.25f}, {1.5f, 0}, {1, 2, 3, 4}, {0.3f, 0.6f, 0.9f, 1.2f},
              2, 3};
  l.sounds.count = 1;
  l.sounds[0] = "door.wav 1.0";
  l.materials.count = 1;
  l.materials[0] = {"Wall.mat", 1, 2};
  l.colormaps.count = 1;
  l.colormaps[0] = "dflt.cmp";
  l.vertices.count = 1;
  l.vertices[0] = {-1, 0.5f, 2.775558E-17f, inUse};
  l.texturevertices.count = 1;
  l.texturevertices[0] = {640, -640};
  l.adjoins.count = 1;
  l.adjoins[0] = {7, 1, 0.36f};
  l.surfaces.count = 1;
  l.surfaces[0] = {0, 16, 0x12345, 4, 3, 1, -1, 0.25f, 3, {}, {}, inUse};
  l.surfaces[0].vertices = {{{0, 0}, {1, 1}, {1, 0}, {9, 9}}};  // the fourth is beyond nverts
  l.surfaces[0].intensities = {1, 0.5f, -0.125f};
  l.normals[0] = {0, 0, 1};
  l.sectors.count = 1;
  Sector& s = l.sectors[0];
  s.flags = 0x1000;
  s.ambientlight = 9.5f;
  s.tint = {0.1f, 0.2f, 0.3f};
  s.boundbox = {-1, -1, 0, 1, 1, 1};
  s.collidebox = {-0.5f, -0.5f, 0, 0.5f, 0.5f, 0.5f};
  s.hassound = 1;
  s.sound = "wind.wav";
  s.soundvolume = 0.8f;
  s.center = {0, 0, 0.5f};
  s.radius = 2;
  s.nverts = 2;
  s.vertexindices = {0, 1};
  s.nsurfaces = 1;
  s.marks = inUse;
  l.aiclasses.count = 1;
  l.aiclasses[0] = "default.ai";
  l.models.count = 1;
  l.models[0] = {"Ky.3do", 0.5f};
  l.keyframes.count = 1;
  l.keyframes[0] = "a.key";
  l.soundclasses.count = 1;
  l.soundclasses[0] = "ky.snd";
  l.cogscripts.count = 2;
  l.cogscripts[0] = "door.cog";
  l.cogscripts[1] = "x.cog";
  // Cog slots: one per listed script and one more per extra use of a listed script (DOOR.COG);
  // the unlisted y.cog counts nowhere.
  l.cogs.count = 4;
  l.cogs[0] = {"door.cog",
               {{CogParamKind::Integer, 12, 0, ""},
                {CogParamKind::Float, 0, 0.5f, ""},
                {CogParamKind::Text, 0, 0, "switch"}}};
  l.cogs[1].script = "DOOR.COG";
  l.cogs[2].script = "y.cog";
  l.cogs[3].script = "y.cog";
  l.templates.count = 2;
  l.templates[0] = {"_walk", "none", "type=cog", -1};
  l.templates[1] = {"sixteen_chars_xx", "a_basedon_of_17ch", "", -1};
  l.things.count = 2;
  l.things[0] = {"walkplayer", "Player", 0, 0, 0.1f, 0, 90, 0, 1, "", inUse};
  l.things[1] = {"a_very_long_template", "n", -1.5f, 2, 3, 4, 5, 6, 0, "thingflags=0x400", inUse};
  l.unknownSections = {
      {{"Section: Lights", "Editor lights 1", "", "# type:  X:", "0: 0 1.5 2 # lamp", "end"}},
      {{"SECTION: LATER"}}};
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

World sounds 1

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
World vertices 1
#num:	vertex:
0:	-1.000000	0.500000	0.000000


#-- Texture Verts Subsection ---
World Texture Vertices 1
#num:	u:		v:
0:	640.000000	-640.000000


#------ Adjoins Subsection -----
World adjoins 1
#num:	flags:	mirror:	dist:
0:	0x0007	1	0.360000

#----- Surfaces Subsection -----
World surfaces 1
#num:	mat:	surfflags:	faceflags:	geo:	light:	tex:	adjoin:	extralight:	nverts:	vertices:			intensities:
0:	0	0x0010		0x12345		4	3	1	-1	0.250000	3	0,0	1,1	1,0	1.000000	0.500000	-0.125000

#------- Surface normals -------
0:	0.000000	0.000000	1.000000
################################


###### Sector information ######
Section: SECTORS

World sectors 1


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
SURFACES	0	1

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

World scripts 2

0:	door.cog
1:	x.cog
end
################################


######### COG placement ########
Section: cogs

World cogs 3

#num	Script		Symbol values
0:	door.cog	12 0.500000 switch 
1:	DOOR.COG 
2:	y.cog 
3:	y.cog 
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


Section: Lights
Editor lights 1

# type:  X:
0: 0 1.5 2 # lamp
end
################################


SECTION: LATER
################################


)");
  const auto level = SmallLevel();
  EXPECT_EQ(FormatLevel(*level, "C:\\Kelvarix\\Projects\\Test\\jkl\\test.jkl", "1998-03-05 09:07"),
            expected);
  // A sector without a sound writes no SOUND line, whatever name it keeps.
  level->sectors[0].hassound = 0;
  EXPECT_THAT(FormatLevel(*level, "x", "x"), Not(HasSubstr("wind.wav")));
}

// Real levels separate their values with blanks, and many end their lines with LF alone.
TEST(JklWriterTest, WhatItWritesReadsBackTheSameWithBlanksForTabsAndAnyLineEnd) {
  const auto level = SmallLevel();
  const std::string text = FormatLevel(*level, "a.jkl", "2000-01-01 00:00");
  const auto replaced = [&text](const char* from, const char* to) {
    return std::regex_replace(text, std::regex(from), to);
  };
  for (const std::string& variant : {text, replaced("\t", " "), replaced("\t", " \t  "),
                                     replaced("\r\n", "\n"), replaced("\r\n", "\r")}) {
    auto read = std::make_unique<Level>();
    test::FakeUi ui;
    ParseLevel(variant, "a.jkl", "a.jkl", *read, ui);
    EXPECT_EQ(test::FirstLevelDifference(*level, *read), "");
    EXPECT_EQ(FormatLevel(*read, "a.jkl", "2000-01-01 00:00"), text);
    // The pre-count of the lines agrees with the lines read, so the bar ends full.
    EXPECT_EQ(ui.progress.front(),
              "begin Parsing a.jkl...|Parsing section: |" + std::to_string(ui.positions.back()));
  }
}

TEST(JklWriterTest, NumbersThingsRightAlignedToThreeCharacters) {
  auto level = std::make_unique<Level>();
  level->things.count = 101;
  for (int i = 0; i < 101; ++i) level->things[i] = {"t", "n", 0, 0, 0, 0, 0, 0, 0, "", {}};
  const std::string text = FormatLevel(*level, "x", "2000-01-01 00:00");
  for (const char* number : {"  9", " 10", " 99", "100"}) {
    EXPECT_THAT(text, HasSubstr("\r\n" + std::string(number) + ": t "));
  }
}

TEST(JklWriterTest, TimeStampHasTwoDigitFields) {
  EXPECT_EQ(FormatTimeStamp(1998, 3, 5, 9, 7), "1998-03-05 09:07");
  EXPECT_EQ(FormatTimeStamp(2024, 12, 31, 23, 59), "2024-12-31 23:59");
  EXPECT_THAT(CurrentTimeStamp(),
              ::testing::MatchesRegex("[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}"));
}

// ---- SaveLevel ----------------------------------------------------------------------------

TEST(JklWriterTest, SaveWritesTheLevelThenTheEpisodeOverFilesWhoseCaseTheArchiveChose) {
  test::TempDir dir;
  const auto jkl = dir.Write("JKL/TEST.JKL", "old level");
  const auto episode = dir.Write("EPISODE.JK", "old episode");
  auto level = SmallLevel();
  level->episode = {"Test", 2};
  test::FakeUi ui;
  SaveLevel(*level, dir.path(), "test.jkl", ui);
  EXPECT_EQ(ui.busyDepth, 0);
  EXPECT_EQ(ui.maxBusyDepth, 1);

  const std::string text = test::ReadAll(jkl);
  const std::string expected = FormatLevel(*level, jkl.string(), CurrentTimeStamp());
  EXPECT_EQ(text.substr(0, text.find(" ***** Created ")),
            expected.substr(0, expected.find(" ***** Created ")));
  EXPECT_EQ(text.substr(text.find("\r\n")), expected.substr(expected.find("\r\n")));
  EXPECT_EQ(test::ReadAll(episode), FormatEpisode({"Test", 2}, "test.jkl"));
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
  try {
    SaveLevel(*SmallLevel(), dir.path(), "test.jkl", ui);
    FAIL() << "no error";
  } catch (const platform::CommandError& error) {
    EXPECT_EQ(error.FullText(), "File access denied\n" + jkl.string());
  }
  EXPECT_EQ(test::ReadAll(jkl), "old level");
  EXPECT_EQ(test::ReadAll(episode), "old episode");
  EXPECT_EQ(ui.busyDepth, 0);
}

}  // namespace
}  // namespace kx::level
