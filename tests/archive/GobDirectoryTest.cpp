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

TEST(GobDirectoryTest, ListsEntriesInDirectoryOrderWithTheirPlacesAndNames) {
  test::TempDir dir;
  const std::string full(128, 'x');
  const auto path = test::GobBuilder{}
                        .Entry("episode.jk", "abc")
                        .Entry("jkl\\01a.jkl", "")
                        .RawNameEntry(std::string("a.txt\0junk", 10), "12345")
                        .RawNameEntry(full, "1")
                        .WriteTo(dir.path() / "a.gob");
  // Data follows the 16-byte header and four 136-byte entries: 16 + 4 * 136 = 560.
  const std::tuple<std::string, int, int> expected[] = {
      {"episode.jk", 560, 3}, {"jkl\\01a.jkl", 563, 0}, {"a.txt", 563, 5}, {full, 568, 1}};
  const auto entries = ReadGobDirectory(path);
  ASSERT_EQ(entries.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    const auto& [name, offset, size] = expected[i];
    EXPECT_EQ(entries[i].index, i);
    EXPECT_EQ(entries[i].name, name);
    EXPECT_EQ(entries[i].offset, offset) << name;
    EXPECT_EQ(entries[i].size, size) << name;
  }
  EXPECT_TRUE(ReadGobDirectory(test::GobBuilder{}.WriteTo(dir.path() / "e.gob")).empty());
}

TEST(GobDirectoryTest, VisitsDirectoriesLargerThanOneReadBlock) {
  test::TempDir dir;
  test::GobBuilder builder;
  for (int i = 0; i < 1000; ++i) builder.Entry("f" + std::to_string(i), std::to_string(i));
  int visited = 0;
  ForEachGobEntry(builder.WriteTo(dir.path() / "big.gob"), [&](const GobDirectoryEntry& entry) {
    EXPECT_EQ(entry.name, "f" + std::to_string(visited));
    EXPECT_EQ(entry.index, visited++);
  });
  EXPECT_EQ(visited, 1000);
}

TEST(GobDirectoryTest, RefusesFilesThatAreNotWholeArchives) {
  // Each archive holds one 3-byte entry unless changed: 16 + 136 + 3 = 155 bytes.
  const auto one = [] { return test::GobBuilder{}.Entry("a.txt", "abc"); };
  const std::string damaged = "Damaged GOB2 archive: ";
  const std::pair<std::string, std::string> cases[] = {
      {"Not a real gob file\n", "Not a GOB2 archive: it does not begin with \"GOB \""},
      {"GOB ", damaged + "the file is 4 bytes long, too short for a GOB2 header"},
      {one().DirectoryOffset(5000).Bytes(),
       damaged + "the directory offset 5000 lies outside the file (155 bytes)"},
      {one().DirectoryOffset(-8).Bytes(),
       damaged + "the directory offset -8 lies outside the file (155 bytes)"},
      {one().DirectoryOffset(153).Bytes(),  // no room for the count
       damaged + "the directory offset 153 lies outside the file (155 bytes)"},
      {one().Count(-1).Bytes(), damaged + "the entry count -1 is negative"},
      {one().Count(0x7fffffff).Bytes(),
       damaged + "the directory of 2147483647 entries runs past the end of the file (155 bytes)"},
      {one().Count(2).Bytes(),
       damaged + "the directory of 2 entries runs past the end of the file (155 bytes)"},
      {one().WithOffset(153).Bytes(),
       damaged + "entry 1 (a.txt) at offset 153 with 3 bytes runs past the end of the file (155 "
                 "bytes)"},
      {one().WithOffset(-1).Bytes(), damaged + "entry 1 (a.txt) has the negative data offset -1"},
      {one().WithSize(-3).Bytes(), damaged + "entry 1 (a.txt) has the negative size -3"},
      // 32-bit arithmetic would wrap here; the sum must be taken in 64 bits.
      {one().WithOffset(0x7fffffff).WithSize(0x7fffffff).Bytes(),
       damaged + "entry 1 (a.txt) at offset 2147483647 with 2147483647 bytes runs past the end "
                 "of the file (155 bytes)"},
  };
  test::TempDir dir;
  for (const auto& [bytes, text] : cases) {
    SCOPED_TRACE(text);
    const auto path = dir.Write("d.gob", bytes);
    EXPECT_THAT([&] { ReadGobDirectory(path); },
                Throws<CommandError>(AllOf(Property(&CommandError::text, text),
                                           Property(&CommandError::detail, path.string()))));
  }
  EXPECT_THAT([&] { ReadGobDirectory(dir.path() / "missing.gob"); },
              Throws<CommandError>(Property(&CommandError::text, "File not found")));
}

}  // namespace
}  // namespace kx::archive
