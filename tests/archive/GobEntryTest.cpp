#include "support/GobBuilder.h"
#include "support/TempDir.h"

#include "archive/GobEntry.h"
#include "platform/CommandError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::archive {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// Reads every line of the named entry (opened, rewound, read to the end, closed).
Lines ReadAllLines(std::string_view name, const fs::path& projectDir, const fs::path& archive) {
  TGobEntry entry;
  OpenGobEntry(entry, name, projectDir, archive);
  EXPECT_NE(entry.start, -1) << name;
  RewindGobEntry(entry);
  Lines lines;
  while (!GobEntryEof(entry)) lines.push_back(GobReadLine(entry));
  CloseGobEntry(entry);
  return lines;
}

class GobEntryTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  fs::path project = dir.path() / "project";
  fs::path res2 = dir.path() / "res2.gob";
};

TEST_F(GobEntryTest, LooseFileFirstThenTheFirstArchiveEntryIgnoringCaseAndPadding) {
  test::GobBuilder{}
      .Entry("other.txt", "o")
      .RawNameEntry(std::string("mat\\wall.mat   ") + std::string(5, '\0'), "first")
      .Entry("MAT\\WALL.MAT", "second")
      .RawNameEntry(std::string("3do\\x.3do\0left-over", 20), "x")
      .Entry("mat\\loose.mat", "from archive")
      .WriteTo(res2);
  dir.Write("project/MAT/Loose.MAT", "loose");
  TGobEntry entry;
  OpenGobEntry(entry, "MAT\\Wall.Mat", project, res2);
  ASSERT_EQ(entry.source, GobSource::ArchiveEntry);
  EXPECT_EQ(entry.start, 16 + 5 * 136 + 1);
  EXPECT_EQ(GobEntrySize(entry), 5);
  EXPECT_EQ(ReadAllLines("MAT\\Wall.Mat", project, res2), Lines{"first"});
  EXPECT_EQ(ReadAllLines("3do\\x.3do", project, res2), Lines{"x"});
  EXPECT_EQ(ReadAllLines("mat\\loose.mat", project, res2), Lines{"loose"});

  // Nothing found: start stays -1 and reads give nothing. The archive's separator is required
  // (a slash does not match a backslash), and a missing archive finds nothing.
  for (const auto& [name, archive] : {std::pair{"mat\\floor.mat", res2},
                                      {"mat/wall.mat", res2},
                                      {"mat\\wall.mat", dir.path() / "nothere.gob"}}) {
    OpenGobEntry(entry, name, project, archive);
    EXPECT_EQ(entry.start, -1) << name;
    EXPECT_EQ(GobEntrySize(entry), -1);
    EXPECT_TRUE(GobEntryEof(entry));
    RewindGobEntry(entry);
    EXPECT_EQ(GobReadLine(entry), "");
  }
  // A damaged archive is an error.
  test::GobBuilder{}.Entry("a", "x").WithSize(1000).WriteTo(res2);
  EXPECT_THROW(OpenGobEntry(entry, "b", project, res2), platform::CommandError);
}

TEST_F(GobEntryTest, ReadsLinesWithAnyLineEndAndStopsAtTheEntrysEnd) {
  const std::pair<std::string, Lines> cases[] = {
      {"one\r\ntwo\r\n\r\nlast", {"one", "two", "", "last"}},
      {"a\nb\n", {"a", "b"}},
      {"a\rb\r", {"ab"}},  // CR alone does not end a line
      {"x", {"x"}},
      {"", {}},
  };
  for (const auto& [text, lines] : cases) {
    test::GobBuilder{}
        .Entry("before", "zzz\n")
        .Entry("t", text)
        .Entry("after", "yyy\n")
        .WriteTo(res2);
    EXPECT_EQ(ReadAllLines("t", project, res2), lines) << text;
  }
}

TEST_F(GobEntryTest, LinesCrossTheBlockBoundaryWithoutRepeatsOrGaps) {
  for (std::size_t size : {63999u, 64000u, 64001u, 128000u, 200003u}) {
    SCOPED_TRACE(size);
    // Numbered lines, so that a repeated or skipped block shows; cut at exactly size bytes.
    std::string text;
    for (int i = 0; text.size() < size; ++i) text += "line " + std::to_string(i) + " abcdefgh\r\n";
    text.resize(size);
    std::string expected = text;
    std::erase(expected, '\r');
    if (expected.ends_with('\n')) expected.pop_back();
    // Neighbours before and after, so reading past the entry or from the wrong place shows.
    test::GobBuilder{}
        .Entry("a", std::string(70000, 'A'))
        .Entry("big.txt", text)
        .Entry("z", std::string(70000, 'Z'))
        .WriteTo(res2);
    for (bool loose : {false, true}) {
      if (loose) dir.Write("project/big.txt", text);
      std::string joined;
      for (const auto& line : ReadAllLines("big.txt", project, res2)) joined += line + "\n";
      joined.pop_back();
      EXPECT_EQ(joined, expected) << (loose ? "loose file" : "archive entry");
    }
    fs::remove(project / "big.txt");
  }
}

TEST_F(GobEntryTest, RawReadsStayInsideTheEntryAndRewindStartsLinesAgain) {
  test::GobBuilder{}.Entry("m.mat", "MAT 1\nsecond").Entry("next", "NEXT").WriteTo(res2);
  TGobEntry entry;
  OpenGobEntry(entry, "m.mat", project, res2);
  RewindGobEntry(entry);
  char bytes[100];
  ASSERT_EQ(GobReadBytes(entry, bytes, 4), 4u);
  EXPECT_EQ(std::string(bytes, 4), "MAT ");
  EXPECT_FALSE(GobEntryEof(entry));
  EXPECT_EQ(GobReadBytes(entry, bytes, sizeof(bytes)), 8u);  // never into "NEXT"
  EXPECT_TRUE(GobEntryEof(entry));
  EXPECT_EQ(GobReadBytes(entry, bytes, sizeof(bytes)), 0u);
  // A probe followed by a full read: lines begin again at the first byte after each rewind.
  for (int pass = 0; pass < 2; ++pass) {
    RewindGobEntry(entry);
    EXPECT_EQ(GobReadLine(entry), "MAT 1");
  }
  EXPECT_EQ(GobReadLine(entry), "second");
  EXPECT_TRUE(GobEntryEof(entry));
}

TEST_F(GobEntryTest, ArchiveShorterThanItsDirectoryClaimsEndsInAnError) {
  test::GobBuilder{}.Entry("t", std::string(100000, 'x')).WriteTo(res2);
  TGobEntry entry;
  OpenGobEntry(entry, "t", project, res2);
  RewindGobEntry(entry);
  fs::resize_file(res2, fs::file_size(res2) - 10);  // cut after the lookup
  EXPECT_THAT([&] { GobReadLine(entry); },
              ::testing::Throws<platform::CommandError>(
                  ::testing::Property(&platform::CommandError::text, "Read beyond end of file")));
}

}  // namespace
}  // namespace kx::archive
