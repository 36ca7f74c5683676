#include "support/TempDir.h"

#include "platform/CommandError.h"
#include "platform/FileIo.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::platform {
namespace {

using ::testing::Property;
using ::testing::Throws;

TEST(FileIoTest, AtomicWriteReplacesTheFileAndLeavesNoTemporary) {
  test::TempDir dir;
  const auto path = dir.Write("a.txt", "old");
  WriteFileAtomically(path, std::string(70000, 'x'));
  EXPECT_EQ(ReadFileBytes(path), std::string(70000, 'x'));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(FileIoTest, FailedReadOrWriteGivesTheRuntimeTextAndKeepsTheOldFile) {
  test::TempDir dir;
  const auto missing = dir.path() / "nothere.jkl";
  EXPECT_THAT([&] { ReadFileBytes(missing); },
              Throws<CommandError>(AllOf(Property(&CommandError::text, "File not found"),
                                         Property(&CommandError::detail, missing.string()))));
  const auto path = dir.Write("a.txt", "old");
  // The temporary file's place is taken by a folder, so the write cannot start.
  std::filesystem::create_directory(dir.path() / "a.txt.kxtmp");
  EXPECT_THAT([&] { WriteFileAtomically(path, "new"); },
              Throws<CommandError>(Property(&CommandError::text, "File access denied")));
  EXPECT_EQ(ReadFileBytes(path), "old");
  EXPECT_THAT([&] { WriteFileAtomically(dir.path() / "no" / "a.txt", "x"); },
              Throws<CommandError>(Property(&CommandError::text, "File not found")));
}

TEST(FileIoTest, AtomicWriteFollowsNoLinkPlantedUnderItsTemporaryName) {
  test::TempDir dir;
  const auto outside = dir.Write("outside.txt", "keep");
  std::filesystem::create_directory(dir.path() / "project");
  const auto path = dir.path() / "project" / "a.jkl";
  std::filesystem::create_symlink(outside, dir.path() / "project" / "a.jkl.kxtmp");
  WriteFileAtomically(path, "new");
  EXPECT_EQ(ReadFileBytes(outside), "keep");
  EXPECT_EQ(ReadFileBytes(path), "new");
  EXPECT_FALSE(std::filesystem::is_symlink(path));
}

TEST(IoErrorTextTest, MapsTheRuntimeTexts) {
  EXPECT_EQ(IoErrorText(ENOSPC), "Disk full");
  EXPECT_EQ(IoErrorText(EACCES), "File access denied");
  EXPECT_EQ(IoErrorText(EMFILE), "Too many open files");
  EXPECT_EQ(IoErrorText(EIO), "I/O error " + std::to_string(EIO));
}

}  // namespace
}  // namespace kx::platform
