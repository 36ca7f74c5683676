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

TEST_F(SettingsFileTest, RoundTripsWithSectionsAndKeysInAnyCase) {
  EXPECT_EQ(settings.ReadSettingInt("Projects", "NProjects", 7), 7) << "no file yet";
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

TEST_F(SettingsFileTest, SectionsAreRenamedOrDroppedWithTheirLinesInOneWrite) {
  dir.Write("Kelvarix.ini",
            "; projects\n[Projects]\nNProjects=3\n[Project1]\nLevelName=A\n; gone with it\n"
            "[Project2]\nLevelName=B\n\n[PROJECT3]\nLevelName=C\n[project2]\nX=1");
  settings.RenameSections([](std::string_view name) -> std::optional<std::string> {
    if (name == "Project1" || name == "project2") return std::nullopt;
    if (name == "Project2") return "Project1";
    return std::string(name);
  });
  EXPECT_EQ(test::ReadAll(path),
            "; projects\n[Projects]\nNProjects=3\n[Project1]\nLevelName=B\n\n[PROJECT3]\n"
            "LevelName=C\n");

  const auto before = test::ReadAll(path);
  for (const char* bad : {"", "a]b", "two\nlines"}) {
    EXPECT_THAT(
        [&] { settings.RenameSections([&](std::string_view) { return bad; }); },
        Throws<CommandError>(Property(&CommandError::text, "Unable to write to " + path.string())))
        << bad;
  }
  EXPECT_EQ(test::ReadAll(path), before);
  SettingsFile missing(dir.path() / "none.ini");
  missing.RenameSections([](std::string_view) { return std::nullopt; });
  EXPECT_FALSE(std::filesystem::exists(missing.Path()));
}

TEST(SettingsSnapshotTest, IntegersAreDecimalOrHexWithTheDefaultForAnythingElse) {
  const auto read = [](const std::string& value) {
    return SettingsSnapshot("[N]\nKey=" + value + "\n").Int("n", "KEY", 7);
  };
  EXPECT_EQ(read("0x200"), 512);
  EXPECT_EQ(read("0XfF"), 255);
  EXPECT_EQ(read("0xFFFFFFFF"), -1);
  EXPECT_EQ(read(" 42 "), 42);
  EXPECT_EQ(read("-2147483648"), INT32_MIN);
  for (const char* value : {"abc", "12abc", "0x", "-", "2147483648", "0x100000000"}) {
    EXPECT_EQ(read(value), 7) << value;
  }
}

TEST_F(SettingsFileTest, RefusedWriteReportsTheFileAndKeepsItIntact) {
  SettingsFile nowhere(dir.path() / "no" / "Kelvarix.ini");
  const auto refused = [](const std::filesystem::path& file) {
    return Throws<CommandError>(
        Property(&CommandError::text, "Unable to write to " + file.string()));
  };
  EXPECT_THAT([&] { nowhere.WriteSettingInt("Projects", "NProjects", 1); },
              refused(nowhere.Path()));

  dir.Write("Kelvarix.ini", "[Projects]\nNProjects=1\n");
  EXPECT_THAT([&] { settings.WriteSettingText("Project1", "LevelName", "two\r\nlines"); },
              refused(path));
  EXPECT_THAT([&] { settings.WriteSettingText("Project1", "A=B", "x"); }, refused(path));
  EXPECT_EQ(test::ReadAll(path), "[Projects]\nNProjects=1\n");
}

}  // namespace
}  // namespace kx::platform
