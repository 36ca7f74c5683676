#include "support/TempDir.h"

#include "platform/BinaryFile.h"
#include "platform/CommandError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::platform {
namespace {

namespace fs = std::filesystem;
using ::testing::Property;
using ::testing::Throws;

std::string Pattern(std::size_t size) {
  std::string data(size, '\0');
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<char>(i * 13 + i / 997);
  return data;
}

// Copies the middle of source into target, after a header written through Write.
void CopyMiddle(const fs::path& source, const fs::path& target, std::uint64_t from,
                std::uint64_t count) {
  BinaryFile in(source, BinaryFile::Mode::Read);
  BinaryFile out(target, BinaryFile::Mode::Write);
  out.Write("head", 4);
  in.Seek(from);
  in.CopyTo(out, count);
  out.Write("tail", 4);
  out.Close();
}

TEST(BinaryFileTest, CopiesARangeWithinAndAcrossFileSystems) {
  test::TempDir dir;
  const std::string data = Pattern(200003);
  const auto source = dir.Write("source.bin", data);
  std::vector<fs::path> targets = {dir.path() / "copy.bin"};
  // tmpfs and the temporary folder's disk are different file systems: the kernel may refuse
  // to copy between them, and the block copy takes over.
  if (fs::is_directory("/dev/shm")) {
    targets.push_back(fs::path("/dev/shm") / ("kx-copy-" + dir.path().filename().string()));
  }
  for (const auto& target : targets) {
    SCOPED_TRACE(target.string());
    CopyMiddle(source, target, 3, 130000);
    EXPECT_EQ(test::ReadAll(target), "head" + data.substr(3, 130000) + "tail");
    fs::remove(target);
  }
}

TEST(BinaryFileTest, SourceEndingEarlyIsReadBeyondEndOfFile) {
  test::TempDir dir;
  const auto source = dir.Write("short.bin", Pattern(1000));
  EXPECT_THAT([&] { CopyMiddle(source, dir.path() / "out.bin", 10, 991); },
              Throws<CommandError>(AllOf(Property(&CommandError::text, "Read beyond end of file"),
                                         Property(&CommandError::detail, source.string()))));
  BinaryFile in(source, BinaryFile::Mode::Read);
  char buffer[8];
  in.Seek(996);
  EXPECT_EQ(in.ReadSome(buffer, sizeof(buffer)), 4u);
  EXPECT_THROW(in.ReadExactly(buffer, 1), CommandError);
}

TEST(BinaryFileTest, OpeningFailsWithTheRuntimesText) {
  test::TempDir dir;
  EXPECT_THAT([&] { BinaryFile(dir.path() / "none", BinaryFile::Mode::Read); },
              Throws<CommandError>(Property(&CommandError::text, "File not found")));
  EXPECT_THAT([&] { BinaryFile(dir.path(), BinaryFile::Mode::Read); },
              Throws<CommandError>(Property(&CommandError::text, "File access denied")));
  BinaryFile probe;
  EXPECT_FALSE(BinaryFile::TryOpenForReading(dir.path(), probe));
  EXPECT_FALSE(probe.IsOpen());
}

}  // namespace
}  // namespace kx::platform
