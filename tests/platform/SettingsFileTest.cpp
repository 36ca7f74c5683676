#include "support/TempDir.h"

#include "platform/CommandError.h"
#include "platform/SettingsFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::platform {
namespace {

using ::testing::Property;
using ::testing::Throws;

class SettingsFileTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::filesystem::path path = dir.path() / "Kelvarix.ini";
  SettingsFile settings{path};
};

TEST_F(SettingsFileTest, MissingFileGivesEveryDefaultAndTheFirstWriteCreatesIt) {
  EXPECT_EQ(settings.ReadSettingText("Directories", "JKDir", ""), "");
  EXPECT_EQ(settings.ReadSettingInt("3DPreview", "Width", 320), 320);
  settings.WriteSettingInt("Projects", "NProjects", 1);
  EXPECT_EQ(test::ReadAll(path), "[Projects]\r\nNProjects=1\r\n");
}

TEST_F(SettingsFileTest, RoundTripsWithSectionsAndKeysInAnyCase) {
  settings.WriteSettingInt("Projects", "NProjects", 2);
  settings.WriteSettingText("Project1", "LevelName", "Abc Station");
  settings.WriteSettingText("PROJECT1", "jklname", "01abc.jkl");
  settings.WriteSettingText("project1", "LEVELNAME", "Abc Station II");
  settings.WriteSettingInt("projects", "nprojects", 3);
  EXPECT_EQ(settings.ReadSettingInt("PROJECTS", "NProjects", 0), 3);
  EXPECT_EQ(settings.ReadSettingText("Project1", "levelname", ""), "Abc Station II");
  EXPECT_EQ(settings.ReadSettingText("pRoJeCt1", "JKLName", ""), "01abc.jkl");
  EXPECT_EQ(settings.ReadSettingText("Project2", "LevelName", "none"), "none");
  // Changed values stay on their lines under their first spelling; new keys join their section.
  EXPECT_EQ(test::ReadAll(path),
            "[Projects]\r\nNProjects=3\r\n"
            "[Project1]\r\nLevelName=Abc Station II\r\njklname=01abc.jkl\r\n");
}

TEST_F(SettingsFileTest, OtherLinesAndCommentsAreKeptAsTheyWere) {
  dir.Write("Kelvarix.ini",
            "; written by hand\n"
            "[Directories]\n"
            "JKDir = C:\\Games\\Jedi Knight\n"
            "\n"
            "[3DPreview]\r\n"
            "Width=0x200\r\n"
            "# Height is left out\r\n"
            "\r\n"
            "[Other]\n"
            "Key=Value");
  settings.WriteSettingText("directories", "jkdir", "/games/jk");
  settings.WriteSettingInt("3dpreview", "Height", 200);
  settings.WriteSettingText("Other", "More", "x");
  EXPECT_EQ(test::ReadAll(path),
            "; written by hand\n"
            "[Directories]\n"
            "JKDir=/games/jk\n"
            "\n"
            "[3DPreview]\r\n"
            "Width=0x200\r\n"
            "# Height is left out\r\n"
            "Height=200\r\n"
            "\r\n"
            "[Other]\n"
            "Key=Value\r\n"
            "More=x\r\n");
}

TEST_F(SettingsFileTest, ValuesAreTrimmedUnquotedAndLimited) {
  dir.Write("Kelvarix.ini",
            "[A]\nSpaced =   text with  spaces  \nQuoted=\"C:\\Program Files\\JK\"\n"
            "Long=" +
                std::string(2000, 'x') + "\nEmpty=\n[B]\nSpaced=other\n");
  EXPECT_EQ(settings.ReadSettingText("a", "spaced", ""), "text with  spaces");
  EXPECT_EQ(settings.ReadSettingText("A", "Quoted", ""), "C:\\Program Files\\JK");
  EXPECT_EQ(settings.ReadSettingText("A", "Long", ""), std::string(1023, 'x'));
  EXPECT_EQ(settings.ReadSettingText("A", "Empty", "default"), "");
  EXPECT_EQ(settings.ReadSettingText("B", "Spaced", ""), "other");
}

TEST_F(SettingsFileTest, FirstOfRepeatedSectionsAndKeysWins) {
  dir.Write("Kelvarix.ini", "[S]\nK=1\nK=2\n[s]\nK=3\nL=4\n");
  EXPECT_EQ(settings.ReadSettingInt("S", "K", 0), 1);
  EXPECT_EQ(settings.ReadSettingInt("S", "L", 0), 4);
  settings.WriteSettingInt("S", "K", 9);
  EXPECT_EQ(test::ReadAll(path), "[S]\nK=9\nK=2\n[s]\nK=3\nL=4\n");
}

TEST_F(SettingsFileTest, IntegersAreDecimalOrHexWithTheDefaultForAnythingElse) {
  dir.Write("Kelvarix.ini",
            "[N]\nHex=0x200\nUpperHex=0XfF\nPlain= 42 \nNegative=-5\nWord=abc\nTail=12abc\n"
            "Big=99999999999\nBare=0x\nSign=-\nAllBits=0xFFFFFFFF\nTooManyBits=0x100000000\n");
  EXPECT_EQ(settings.ReadSettingInt("N", "Hex", 320), 512);
  EXPECT_EQ(settings.ReadSettingInt("N", "UpperHex", 0), 255);
  EXPECT_EQ(settings.ReadSettingInt("N", "Plain", 0), 42);
  EXPECT_EQ(settings.ReadSettingInt("N", "Negative", 0), -5);
  EXPECT_EQ(settings.ReadSettingInt("N", "Word", 320), 320);
  EXPECT_EQ(settings.ReadSettingInt("N", "Tail", 7), 7);
  EXPECT_EQ(settings.ReadSettingInt("N", "Big", 7), 7);
  EXPECT_EQ(settings.ReadSettingInt("N", "Bare", 7), 7);
  EXPECT_EQ(settings.ReadSettingInt("N", "Sign", 7), 7);
  EXPECT_EQ(settings.ReadSettingInt("N", "AllBits", 7), -1);
  EXPECT_EQ(settings.ReadSettingInt("N", "TooManyBits", 7), 7);
  EXPECT_EQ(settings.ReadSettingInt("N", "Missing", 7), 7);
}

TEST_F(SettingsFileTest, RefusedWriteReportsTheFileAndKeepsItIntact) {
  SettingsFile nowhere(dir.path() / "no" / "Kelvarix.ini");
  const std::string text = "Unable to write to " + (dir.path() / "no" / "Kelvarix.ini").string();
  EXPECT_THAT([&] { nowhere.WriteSettingInt("Projects", "NProjects", 1); },
              Throws<CommandError>(Property(&CommandError::text, text)));

  dir.Write("Kelvarix.ini", "[Projects]\nNProjects=1\n");
  EXPECT_THAT(
      [&] { settings.WriteSettingText("Project1", "LevelName", "two\r\nlines"); },
      Throws<CommandError>(Property(&CommandError::text, "Unable to write to " + path.string())));
  EXPECT_THAT(
      [&] { settings.WriteSettingText("Project1", "A=B", "x"); },
      Throws<CommandError>(Property(&CommandError::text, "Unable to write to " + path.string())));
  EXPECT_EQ(test::ReadAll(path), "[Projects]\nNProjects=1\n");
}

}  // namespace
}  // namespace kx::platform
