#include "support/GobBuilder.h"
#include "support/TempDir.h"

#include "archive/GobDirectory.h"
#include "platform/CommandError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::archive {
namespace {

using platform::CommandError;
using ::testing::AllOf;
using ::testing::Property;
using ::testing::Throws;

auto ErrorIs(const std::string& text, const std::filesystem::path& path) {
  return Throws<CommandError>(
      AllOf(Property(&CommandError::text, text), Property(&CommandError::detail, path.string())));
}

TEST(GobDirectoryTest, ListsEntriesInDirectoryOrderWithTheirPlaces) {
  test::TempDir dir;
  const auto path = test::GobBuilder{}
                        .Entry("episode.jk", "abc")
                        .Entry("jkl\\01a.jkl", "")
                        .Entry("mat\\w.mat", "12345")
                        .WriteTo(dir.path() / "a.gob");
  const auto entries = ReadGobDirectory(path);
  ASSERT_EQ(entries.size(), 3u);
  // Data follows the header (16 bytes) and three 136-byte entries: 16 + 3 * 136 = 424.
  EXPECT_EQ(entries[0].name, "episode.jk");
  EXPECT_EQ(entries[0].offset, 424);
  EXPECT_EQ(entries[0].size, 3);
  EXPECT_EQ(entries[1].name, "jkl\\01a.jkl");
  EXPECT_EQ(entries[1].offset, 427);
  EXPECT_EQ(entries[1].size, 0);
  EXPECT_EQ(entries[2].name, "mat\\w.mat");
  EXPECT_EQ(entries[2].offset, 427);
  EXPECT_EQ(entries[2].index, 2);
}

TEST(GobDirectoryTest, NameFieldIsCutAtTheFirstNulOrTakenWhole) {
  test::TempDir dir;
  const std::string full(128, 'x');
  const auto path = test::GobBuilder{}
                        .RawNameEntry(full, "1")
                        .RawNameEntry(std::string("a.txt\0junk", 10), "2")
                        .WriteTo(dir.path() / "a.gob");
  const auto entries = ReadGobDirectory(path);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, full);
  EXPECT_EQ(entries[1].name, "a.txt");
}

TEST(GobDirectoryTest, EmptyArchiveHasNoEntries) {
  test::TempDir dir;
  EXPECT_TRUE(ReadGobDirectory(test::GobBuilder{}.WriteTo(dir.path() / "e.gob")).empty());
}

TEST(GobDirectoryTest, VisitsDirectoriesLargerThanOneReadBlock) {
  test::TempDir dir;
  test::GobBuilder builder;
  for (int i = 0; i < 1000; ++i) builder.Entry("f" + std::to_string(i), std::to_string(i));
  const auto path = builder.WriteTo(dir.path() / "big.gob");
  int visited = 0;
  ForEachGobEntry(path, [&](const GobDirectoryEntry& entry) {
    EXPECT_EQ(entry.name, "f" + std::to_string(visited));
    EXPECT_EQ(entry.index, visited);
    ++visited;
  });
  EXPECT_EQ(visited, 1000);
}

TEST(GobDirectoryTest, RefusesFilesThatAreNotArchives) {
  test::TempDir dir;
  const auto junk = dir.Write("junk.gob", "Not a real gob file\n");
  EXPECT_THAT([&] { ReadGobDirectory(junk); },
              ErrorIs("Not a GOB2 archive: it does not begin with \"GOB \"", junk));
  const auto tiny = dir.Write("tiny.gob", "GOB ");
  EXPECT_THAT([&] { ReadGobDirectory(tiny); },
              ErrorIs("Damaged GOB2 archive: the file is 4 bytes long, too short for a GOB2 "
                      "header",
                      tiny));
  EXPECT_THAT([&] { ReadGobDirectory(dir.path() / "missing.gob"); },
              Throws<CommandError>(Property(&CommandError::text, "File not found")));
}

struct DamagedCase {
  const char* title;
  test::GobBuilder archive;
  std::string message;
};

TEST(GobDirectoryTest, RefusesDirectoriesAndEntriesOutsideTheFile) {
  // Each archive holds one 3-byte entry unless changed: 16 + 136 + 3 = 155 bytes.
  const auto one = [] { return test::GobBuilder{}.Entry("a.txt", "abc"); };
  const std::vector<DamagedCase> cases = {
      {"directory past the end", one().DirectoryOffset(5000),
       "the directory offset 5000 lies outside the file (155 bytes)"},
      {"negative directory offset", one().DirectoryOffset(-8),
       "the directory offset -8 lies outside the file (155 bytes)"},
      {"count field cut off", one().DirectoryOffset(153),
       "the directory offset 153 lies outside the file (155 bytes)"},
      {"negative count", one().Count(-1), "the entry count -1 is negative"},
      {"huge count", one().Count(0x7fffffff),
       "the directory of 2147483647 entries runs past the end of the file (155 bytes)"},
      {"count one too many", one().Count(2),
       "the directory of 2 entries runs past the end of the file (155 bytes)"},
      {"data past the end", one().WithOffset(153),
       "entry 1 (a.txt) at offset 153 with 3 bytes runs past the end of the file (155 bytes)"},
      {"negative offset", one().WithOffset(-1), "entry 1 (a.txt) has the negative data offset -1"},
      {"negative size", one().WithSize(-3), "entry 1 (a.txt) has the negative size -3"},
      // 32-bit arithmetic would wrap here; the sum must be taken in 64 bits.
      {"sum overflows 32 bits", one().WithOffset(0x7fffffff).WithSize(0x7fffffff),
       "entry 1 (a.txt) at offset 2147483647 with 2147483647 bytes runs past the end of the file "
       "(155 bytes)"},
  };
  test::TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    const auto path = c.archive.WriteTo(dir.path() / "d.gob");
    EXPECT_THAT([&] { ReadGobDirectory(path); },
                ErrorIs("Damaged GOB2 archive: " + c.message, path));
  }
}

}  // namespace
}  // namespace kx::archive
