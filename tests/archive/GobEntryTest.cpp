#include "support/GobBuilder.h"
#include "support/TempDir.h"

#include "archive/GobEntry.h"
#include "platform/CommandError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::archive {
namespace {

namespace fs = std::filesystem;

// Reads every line of the named entry (opened, rewound, read to the end, closed).
std::vector<std::string> ReadAllLines(std::string_view name, const fs::path& projectDir,
                                      const fs::path& archive) {
  TGobEntry entry;
  OpenGobEntry(entry, name, projectDir, archive);
  EXPECT_NE(entry.start, -1) << name;
  RewindGobEntry(entry);
  std::vector<std::string> lines;
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

TEST_F(GobEntryTest, LooseFileInTheProjectComesBeforeTheArchive) {
  test::GobBuilder{}.Entry("mat\\wall.mat", "from archive").WriteTo(res2);
  dir.Write("project/MAT/Wall.MAT", "loose");
  for (const fs::path& projectDir : {project, fs::path(project.string() + "/")}) {
    TGobEntry entry;
    OpenGobEntry(entry, "mat\\wall.mat", projectDir, res2);
    EXPECT_EQ(entry.source, GobSource::LooseFile);
    EXPECT_EQ(entry.start, 0);
    EXPECT_EQ(GobEntrySize(entry), 5);
    RewindGobEntry(entry);
    EXPECT_EQ(GobReadLine(entry), "loose");
  }
}

TEST_F(GobEntryTest, ArchiveLookupIgnoresCaseAndPaddingAndTakesTheFirstMatch) {
  test::GobBuilder{}
      .Entry("other.txt", "o")
      .RawNameEntry(std::string("mat\\wall.mat   ") + std::string(5, '\0'), "first")
      .Entry("MAT\\WALL.MAT", "second")
      .RawNameEntry(std::string("3do\\x.3do\0left-over", 20), "x")
      .WriteTo(res2);
  TGobEntry entry;
  OpenGobEntry(entry, "MAT\\Wall.Mat", project, res2);
  ASSERT_EQ(entry.source, GobSource::ArchiveEntry);
  EXPECT_EQ(entry.start, 16 + 4 * 136 + 1);
  EXPECT_EQ(GobEntrySize(entry), 5);
  RewindGobEntry(entry);
  EXPECT_EQ(GobReadLine(entry), "first");
  // Bytes after the name's NUL are not part of the name.
  EXPECT_EQ(ReadAllLines("3do\\x.3do", project, res2), std::vector<std::string>{"x"});
}

TEST_F(GobEntryTest, NothingFoundLeavesStartAtMinusOne) {
  test::GobBuilder{}.Entry("mat\\wall.mat", "w").WriteTo(res2);
  TGobEntry entry;
  OpenGobEntry(entry, "mat\\floor.mat", project, res2);
  EXPECT_EQ(entry.start, -1);
  EXPECT_EQ(GobEntrySize(entry), -1);
  EXPECT_TRUE(GobEntryEof(entry));
  RewindGobEntry(entry);
  EXPECT_EQ(GobReadLine(entry), "");
  // The archive's separator is required: a slash does not match a backslash.
  OpenGobEntry(entry, "mat/wall.mat", project, res2);
  EXPECT_EQ(entry.start, -1);
  // A missing archive is "not found", not an error.
  OpenGobEntry(entry, "mat\\wall.mat", project, dir.path() / "nothere.gob");
  EXPECT_EQ(entry.start, -1);
}

TEST_F(GobEntryTest, DamagedArchiveEndsTheLookupWithAnError) {
  test::GobBuilder{}.Entry("a", "x").WithSize(1000).WriteTo(res2);
  TGobEntry entry;
  EXPECT_THROW(OpenGobEntry(entry, "b", project, res2), platform::CommandError);
}

TEST_F(GobEntryTest, ReadsLinesWithAnyLineEnd) {
  test::GobBuilder{}
      .Entry("before", "zzz\n")
      .Entry("crlf.txt", "one\r\ntwo\r\n\r\nlast")
      .Entry("lf.txt", "a\nb\n")
      .Entry("cr.txt", "a\rb\r")
      .Entry("one.txt", "x")
      .Entry("after", "yyy\n")
      .WriteTo(res2);
  EXPECT_EQ(ReadAllLines("crlf.txt", project, res2),
            (std::vector<std::string>{"one", "two", "", "last"}));
  EXPECT_EQ(ReadAllLines("lf.txt", project, res2), (std::vector<std::string>{"a", "b"}));
  // CR alone does not end a line.
  EXPECT_EQ(ReadAllLines("cr.txt", project, res2), std::vector<std::string>{"ab"});
  EXPECT_EQ(ReadAllLines("one.txt", project, res2), std::vector<std::string>{"x"});
}

TEST_F(GobEntryTest, EmptyEntryIsAtItsEndAtOnce) {
  test::GobBuilder{}.Entry("empty.txt", "").Entry("next", "data").WriteTo(res2);
  TGobEntry entry;
  OpenGobEntry(entry, "empty.txt", project, res2);
  RewindGobEntry(entry);
  EXPECT_TRUE(GobEntryEof(entry));
  EXPECT_EQ(GobReadLine(entry), "");
  EXPECT_TRUE(GobEntryEof(entry));
}

// Text of exactly size bytes whose lines are numbered, so a repeated or skipped block shows.
std::string NumberedText(std::size_t size) {
  std::string text;
  for (int i = 0; text.size() < size; ++i) text += "line " + std::to_string(i) + " abcdefgh\r\n";
  text.resize(size);
  return text;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (text[i] != '\r') {
      line.push_back(text[i]);
    }
  }
  if (!line.empty() || (!text.empty() && text.back() != '\n')) lines.push_back(line);
  return lines;
}

TEST_F(GobEntryTest, LinesCrossTheBlockBoundaryWithoutRepeatsOrGaps) {
  for (std::size_t size : {63999u, 64000u, 64001u, 128000u, 200003u}) {
    SCOPED_TRACE(size);
    const std::string text = NumberedText(size);
    // Neighbours before and after, so reading past the entry or from the wrong place shows.
    test::GobBuilder{}
        .Entry("a", std::string(70000, 'A'))
        .Entry("big.txt", text)
        .Entry("z", std::string(70000, 'Z'))
        .WriteTo(res2);
    EXPECT_EQ(ReadAllLines("big.txt", project, res2), SplitLines(text));
    dir.Write("project/big.txt", text);
    EXPECT_EQ(ReadAllLines("big.txt", project, res2), SplitLines(text));
    fs::remove(project / "big.txt");
  }
}

TEST_F(GobEntryTest, LineSpanningTwoBlocksIsReadWhole) {
  const std::string text = std::string(63990, 'a') + "|middle-of-the-boundary|" + "\nend";
  test::GobBuilder{}.Entry("t", text).WriteTo(res2);
  const auto lines = ReadAllLines("t", project, res2);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], text.substr(0, text.size() - 4));
  EXPECT_EQ(lines[1], "end");
}

TEST_F(GobEntryTest, RawReadsStayInsideTheEntryAndRewindStartsLinesAgain) {
  test::GobBuilder{}.Entry("m.mat", "MAT 1\nsecond").Entry("next", "NEXT").WriteTo(res2);
  TGobEntry entry;
  OpenGobEntry(entry, "m.mat", project, res2);
  RewindGobEntry(entry);
  char magic[4];
  ASSERT_EQ(GobReadBytes(entry, magic, 4), 4u);
  EXPECT_EQ(std::string(magic, 4), "MAT ");
  EXPECT_FALSE(GobEntryEof(entry));
  char rest[100];
  EXPECT_EQ(GobReadBytes(entry, rest, sizeof(rest)), 8u);  // never into "NEXT"
  EXPECT_TRUE(GobEntryEof(entry));
  EXPECT_EQ(GobReadBytes(entry, rest, sizeof(rest)), 0u);
  RewindGobEntry(entry);
  EXPECT_EQ(GobReadLine(entry), "MAT 1");
  EXPECT_EQ(GobReadLine(entry), "second");
  EXPECT_TRUE(GobEntryEof(entry));
  // Reading lines again after a rewind begins at the first line, as a probe followed by a
  // full read expects.
  RewindGobEntry(entry);
  EXPECT_EQ(GobReadLine(entry), "MAT 1");
}

TEST_F(GobEntryTest, ArchiveShorterThanItsDirectoryClaimsEndsInAnError) {
  const std::string bytes = test::GobBuilder{}.Entry("t", std::string(100000, 'x')).Bytes();
  test::GobBuilder{}.Entry("t", std::string(100000, 'x')).WriteTo(res2);
  TGobEntry entry;
  OpenGobEntry(entry, "t", project, res2);
  RewindGobEntry(entry);
  fs::resize_file(res2, bytes.size() - 10);  // cut after the lookup
  EXPECT_THAT([&] { GobReadLine(entry); },
              ::testing::Throws<platform::CommandError>(
                  ::testing::Property(&platform::CommandError::text, "Read beyond end of file")));
}

}  // namespace
}  // namespace kx::archive
