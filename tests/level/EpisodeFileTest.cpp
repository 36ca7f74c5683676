#include "support/TempDir.h"

#include "level/EpisodeFile.h"
#include "platform/CommandError.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::level {
namespace {

using platform::CommandError;
using ::testing::HasSubstr;

EpisodeInfo Parse(std::string_view text, EpisodeInfo start = {}) {
  ParseEpisode(text, "episode.jk", start);
  return start;
}

TEST(EpisodeFileTest, TitleIsTheFirstLineWithoutItsQuotes) {
  EXPECT_EQ(Parse("  \"My Episode\"\t\r\nTYPE 1\r\n").title, "My Episode");
  EXPECT_EQ(Parse("Unquoted\r\n").title, "nquote");
  EXPECT_EQ(Parse("\r\nTYPE 2\r\n").title, "");
  EXPECT_EQ(Parse("\"").title, "");
  const EpisodeInfo quoted{"A \"quoted\" title", -3};
  EXPECT_EQ(Parse(FormatEpisode(quoted, "a.jkl")), quoted);
}

TEST(EpisodeFileTest, TypeComesFromAnyLaterTypeLine) {
  EXPECT_EQ(Parse("\"t\"\r\n\r\nTYPE\t2\t# Deathmatch\r\n").type, 2);
  EXPECT_EQ(Parse("\"t\"\ntype 8\n").type, 8);
  EXPECT_EQ(Parse("\"t\"\rTYPE  1  #single-player\r").type, 1);
  EXPECT_EQ(Parse("TYPE 2\r\nSEQ 1\r\n", {"", 1}).type, 1) << "the first line is the title";
  EXPECT_EQ(Parse("\"t\"\r\nSEQ 1\r\n", {"", 8}).type, 8) << "no TYPE line keeps the type";
}

TEST(EpisodeFileTest, TypeThatIsNoWholeNumberStopsTheRead) {
  EpisodeInfo episode{"Old", 1};
  try {
    ParseEpisode("\"New\"\r\n\r\nTYPE one\r\n", "episode.jk", episode);
    FAIL() << "no error";
  } catch (const CommandError& error) {
    EXPECT_EQ(error.FullText(), "'ONE' is not a valid integer value\nepisode.jk, line 3");
  }
  EXPECT_EQ(episode, (EpisodeInfo{"Old", 1}));
}

TEST(EpisodeFileTest, WritesTheEditorsLayout) {
  EXPECT_EQ(
      FormatEpisode({"Test", 2}, "01narsh.jkl"),
      "\"Test\"\r\n"
      "# Title must be first line.\r\n"
      "# Please use TABs for alignment!\r\n"
      "\r\n"
      "TYPE\t2\t# Deathmatch\r\n"
      "\r\n"
      "SEQ\t1\r\n"
      "\r\n"
      "# <lightpow> and <darkpow> are the inventory bin numbers for that power.\r\n"
      "\r\n"
      "# <line>\t<cd>\t<level>\t<type>\t\t<file>\t\t\t<lightpow>\t<darkpow>\t<gotoA>\t<gotoB>\r\n"
      "\r\n"
      "10:\t\t1\t1\tLEVEL\t\t01narsh.jkl\t\t0\t\t0\t\t-1\t-1\r\n"
      "\r\n"
      "end\r\n"
      "\r\n");
  EXPECT_THAT(FormatEpisode({"", 1}, "a.jkl"), HasSubstr("TYPE\t1\t# Single-player\r\n\r\nSEQ"));
  EXPECT_THAT(FormatEpisode({"", 8}, "a.jkl"), HasSubstr("TYPE\t8\t# Special/CTF\r\n\r\nSEQ"));
  // An unknown type has no name and no blank line after it.
  EXPECT_THAT(FormatEpisode({"", 5}, "a.jkl"), HasSubstr("\r\nTYPE\t5\t# \r\nSEQ\t1\r\n"));
}

TEST(EpisodeFileTest, AFailedWriteLeavesTheOldFile) {
  test::TempDir dir;
  const auto path = dir.Write("episode.jk", "\"Old\"\r\nTYPE 1\r\n");
  // A folder where the temporary file would go makes the write fail.
  std::filesystem::create_directory(path.string() + ".kxtmp");
  EXPECT_THROW(WriteEpisode({"New", 2}, "a.jkl", path), CommandError);
  EXPECT_EQ(test::ReadAll(path), "\"Old\"\r\nTYPE 1\r\n");
}

TEST(EpisodeFileTest, EveryEpisodeFileOfTheCorpusReadsAndSurvivesWriteAndRead) {
  const auto corpus = test::CorpusDir();
  if (corpus.empty()) GTEST_SKIP() << "no corpus on this machine";
  test::TempDir dir;
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
    const std::string name = entry.path().filename().string();
    if (name != "episode.jk" && name != "EPISODE.JK") continue;
    SCOPED_TRACE(entry.path().string());
    ++files;
    EpisodeInfo episode{"unset", -99};
    ASSERT_NO_THROW(ReadEpisode(episode, entry.path()));
    EXPECT_TRUE(episode.type == 1 || episode.type == 2) << episode.type;
    WriteEpisode(episode, "level.jkl", dir.path() / "episode.jk");
    EpisodeInfo again;
    ReadEpisode(again, dir.path() / "episode.jk");
    EXPECT_EQ(again, episode);
  }
  EXPECT_GE(files, 10);
}

}  // namespace
}  // namespace kx::level
