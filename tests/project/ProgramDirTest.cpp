#include "support/TempDir.h"

#include "project/ProgramDir.h"

#include <gtest/gtest.h>

namespace kx::project {
namespace {

namespace fs = std::filesystem;

TEST(ProgramDirTest, TheProgramFolderIsUsedWhenFilesCanBeCreatedThere) {
  test::TempDir dir;
  const fs::path program = dir.path() / "bin";
  fs::create_directories(program);
  EXPECT_EQ(ChooseProgramDir(program, dir.path() / "data"), program);
  EXPECT_FALSE(fs::exists(dir.path() / "data"));
  EXPECT_TRUE(fs::is_empty(program));  // the probe leaves nothing behind
}

TEST(ProgramDirTest, AnUnwritableProgramFolderGivesTheUsersDataFolder) {
  test::TempDir dir;
  const fs::path data = dir.path() / "share" / "Kelvarix";
  EXPECT_EQ(ChooseProgramDir(dir.path() / "missing", data), data);
  EXPECT_TRUE(fs::is_directory(data));
  // A file system no one writes to, even root.
  if (fs::is_directory("/proc/self")) {
    EXPECT_EQ(ChooseProgramDir("/proc/self", data), data);
  }
  // Without a data folder the program folder stays whatever it is.
  EXPECT_EQ(ChooseProgramDir(dir.path() / "missing", {}), dir.path() / "missing");
}

}  // namespace
}  // namespace kx::project
