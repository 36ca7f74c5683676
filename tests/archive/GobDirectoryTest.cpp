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
  test::GobBuilder builder;
  builder.Entry("episode.jk", "abc")
      .Entry("jkl\\01a.jkl", "")
      .RawNameEntry(std::string("a.txt\0junk", 10), "12345")
      .RawNameEntry(full, "1");
  // Enough entries that the directory takes more than one read block.
  for (int i = 0; i < 1000; ++i) builder.Entry("f" + std::to_string(i), "");
  // Data follows the 16-byte header and the 1004 136-byte entries.
  const int data = 16 + 1004 * 136;
  const std::tuple<std::string, int, int> expected[] = {{"episode.jk", data, 3},
                                                        {"jkl\\01a.jkl", data + 3, 0},
                                                        {"a.txt", data + 3, 5},
                                                        {full, data + 8, 1}};
  const auto entries = ReadGobDirectory(builder.WriteTo(dir.path() / "a.gob"));
  ASSERT_EQ(entries.size(), 1004u);
  for (int i = 0; i < 1004; ++i) {
    const auto& [name, offset, size] =
        i < 4 ? expected[i] : std::tuple{"f" + std::to_string(i - 4), data + 9, 0};
    EXPECT_EQ(entries[i].index, i);
    EXPECT_EQ(entries[i].name, name);
    EXPECT_EQ(entries[i].offset, offset) << name;
    EXPECT_EQ(entries[i].size, size) << name;
  }
  EXPECT_TRUE(ReadGobDirectory(test::GobBuilder{}.WriteTo(dir.path() / "e.gob")).empty());
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
