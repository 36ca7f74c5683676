#include "support/TempDir.h"

#include "platform/CommandError.h"
#include "project/CogStrings.h"
#include "project/DeleteTree.h"
#include "project/ProjectNames.h"

#include <gtest/gtest.h>

namespace kx::project {
namespace {

namespace fs = std::filesystem;

TEST(CogStringsTest, FindsTheLevelNameByTheJklFilesNameAsTheLinesFirstWord) {
  test::TempDir dir;
  const auto uni = dir.Write("cogstrings.uni",
                             "MSGS 3\r\n"
                             "\"01abcd\" 0 \"Wrong Station\"\r\n"
                             "\"other\" 0 \"01abc\" \"Not This\"\r\n"
                             "\"02xyz\" 0 unquoted\n\"02xyz\" 0 \"open only\n"
                             "   \"01ABC\"   0   \"Abc Station\"  \r\n"
                             "\"01abc\" 0 \"Second\"\r\n");
  EXPECT_EQ(LevelNameFromCogStrings(uni, "01abc.jkl"), "Abc Station");
  EXPECT_EQ(LevelNameFromCogStrings(uni, "01ABC.JKL"), "Abc Station");
  EXPECT_EQ(LevelNameFromCogStrings(uni, "02xyz.jkl"), "");
  EXPECT_EQ(LevelNameFromCogStrings(dir.path() / "missing.uni", "01abc.jkl"), "");
}

TEST(ProjectNamesTest, FolderNameIsTheLevelNameMadeSafe) {
  EXPECT_EQ(ProjectFolderName("Abc Station", "01abc.jkl"), "Abc Station");
  EXPECT_EQ(ProjectFolderName("  Padded.  ", "x.jkl"), "Padded");
  EXPECT_EQ(ProjectFolderName("Dark: Act 2/3", "x.jkl"), "Dark_ Act 2_3");
  EXPECT_EQ(ProjectFolderName("..\\..\\evil", "x.jkl"), "_.._evil");
  EXPECT_EQ(ProjectFolderName("", "01abc.jkl"), "01abc");
  EXPECT_EQ(ProjectFolderName("..", "01abc.jkl"), "01abc");
  EXPECT_EQ(ProjectFolderName("", ".jkl"), "Level");
  EXPECT_EQ(ProjectFolderName("tempdir", "x.jkl"), "tempdir_");
  EXPECT_EQ(ProjectFolderName(std::string(300, 'n'), "x.jkl"), std::string(120, 'n'));
}

TEST(ProjectNamesTest, FolderNamesAcceptedAsTheyStand) {
  EXPECT_TRUE(IsProjectFolderName("Abc Station (2)"));
  for (const char* bad : {"", ".", "..", "a\\b", "a/b", "C:", "tempdir", "TempDir", "x.", "x "}) {
    EXPECT_FALSE(IsProjectFolderName(bad)) << bad;
  }
}

TEST(ProjectNamesTest, TakenNamesGetTheNextFreeNumber) {
  test::TempDir dir;
  fs::create_directories(dir.path() / "Abc Station");
  fs::create_directories(dir.path() / "abc station (2)");
  EXPECT_EQ(FreeProjectName(dir.path(), "New", {}), "New");
  EXPECT_EQ(FreeProjectName(dir.path(), "ABC STATION", {}), "ABC STATION (3)");
  // A registered name counts even when its folder is gone.
  EXPECT_EQ(FreeProjectName(dir.path(), "Gone", {"gone", "Gone (2)"}), "Gone (3)");
}

TEST(DeleteTreeTest, DeletesEverythingBelowButNeverFollowsLinks) {
  test::TempDir dir;
  dir.Write("keep/precious.txt", "p");
  dir.Write("tree/a.txt", "a");
  dir.Write("tree/sub/deeper/b.txt", "b");
  fs::create_directory_symlink(dir.path() / "keep", dir.path() / "tree" / "sub" / "link");
  DeleteTree(dir.path() / "tree");
  EXPECT_FALSE(fs::exists(dir.path() / "tree"));
  EXPECT_TRUE(fs::exists(dir.path() / "keep" / "precious.txt"));
  DeleteTree(dir.path() / "not-there");  // nothing to do is not an error
}

}  // namespace
}  // namespace kx::project
