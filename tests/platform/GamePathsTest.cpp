#include "support/TempDir.h"

#include "platform/GamePaths.h"

#include <gtest/gtest.h>

namespace kx::platform {
namespace {

namespace fs = std::filesystem;

TEST(GamePathsTest, GameNamesAndTheGameDirectoryTakeEitherSeparator) {
  EXPECT_EQ(NativeRelativePath("misc\\cmp\\dflt.cmp"), fs::path("misc") / "cmp" / "dflt.cmp");
  EXPECT_EQ(NativeRelativePath("3do/mat\\\\skin.mat"), fs::path("3do") / "mat" / "skin.mat");
  EXPECT_EQ(GamePathParts("\\a\\\\b/"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(NativeDirectory("/games/jk"), fs::path("/games/jk"));
  EXPECT_EQ(NativeDirectory("\\games\\jk\\"), fs::path("/games/jk"));
  EXPECT_EQ(NativeDirectory(""), fs::path());
}

TEST(GamePathsTest, FindsLooseFilesWhateverTheirLetterCaseExactSpellingFirst) {
  test::TempDir dir;
  const auto lower = dir.Write("mat/a.mat", "lower");
  const auto upper = dir.Write("MAT/A.MAT", "upper");
  const auto wall = dir.Write("MAT/WALL.MAT", "w");
  EXPECT_EQ(FindFileIgnoringCase(dir.path(), "mat\\a.mat"), lower);
  EXPECT_EQ(FindFileIgnoringCase(dir.path(), "MAT\\A.MAT"), upper);
  // The exact spelling of the folder (mat) has no wall.mat; another spelling (MAT) has.
  EXPECT_EQ(FindFileIgnoringCase(dir.path(), "mat\\Wall.mat"), wall);
  EXPECT_EQ(FindFileIgnoringCase(dir.path(), "Mat/wall.MAT"), wall);
  EXPECT_EQ(FindDirectoryIgnoringCase(dir.path(), "Mat"), dir.path() / "MAT");
  EXPECT_FALSE(FindFileIgnoringCase(dir.path(), "mat"));  // a folder is not a file
  EXPECT_FALSE(FindFileIgnoringCase(dir.path(), "mat\\floor.mat"));
}

TEST(GamePathsTest, LookupsNeverLeaveTheFolder) {
  test::TempDir dir;
  dir.Write("inside/x.txt", "x");
  dir.Write("y.txt", "y");
  const auto inside = dir.path() / "inside";
  EXPECT_FALSE(FindFileIgnoringCase(inside, "..\\y.txt"));
  EXPECT_FALSE(FindFileIgnoringCase(inside, ".\\x.txt"));
  EXPECT_FALSE(FindFileIgnoringCase(inside, (dir.path() / "y.txt").string()));
  EXPECT_FALSE(FindFileIgnoringCase(inside, "C:\\y.txt"));
  EXPECT_FALSE(FindFileIgnoringCase(inside, ""));
}

TEST(GamePathsTest, ResolveKeepsExistingFoldersAndAddsTheRest) {
  test::TempDir dir;
  fs::create_directories(dir.path() / "JKL");
  EXPECT_EQ(ResolveIgnoringCase(dir.path(), "jkl\\new.jkl"), dir.path() / "JKL" / "new.jkl");
  EXPECT_EQ(ResolveIgnoringCase(dir.path(), "gob\\x.gob"), dir.path() / "gob" / "x.gob");
  const auto existing = dir.Write("JKL/Old.JKL", "o");
  EXPECT_EQ(ResolveIgnoringCase(dir.path(), "jkl\\old.jkl"), existing);
}

}  // namespace
}  // namespace kx::platform
