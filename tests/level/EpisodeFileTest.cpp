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

TEST(EpisodeFileTest, TitleIsTheFirstLineWithoutItsQuotesAndTypeAnyLaterTypeLine) {
  const struct {
    const char* text;
    EpisodeInfo read;  // from {"", 8}
  } cases[] = {
      {"  \"My Episode\"\t\r\nTYPE 1\r\n", {"My Episode", 1}},
      {"Unquoted\r\n", {"nquote", 8}},
      {"\r\nTYPE 2\r\n", {"", 2}},
      {"\"", {"", 8}},
      {"\"t\"\r\n\r\nTYPE\t2\t# Deathmatch\r\n", {"t", 2}},
      {"\"t\"\ntype 2\n", {"t", 2}},  // not the starting 8: the line is read
      {"\"t\"\rTYPE  1  #single-player\r", {"t", 1}},
      {"TYPE 2\r\nSEQ 1\r\n", {"YPE ", 8}},  // the first line is the title, quoted or not
      {"\"t\"\r\nSEQ 1\r\n", {"t", 8}},      // no TYPE line keeps the type
  };
  for (const auto& c : cases) {
    EpisodeInfo episode{"", 8};
    ParseEpisode(c.text, "episode.jk", episode);
    EXPECT_EQ(episode, c.read) << c.text;
  }
  const EpisodeInfo quoted{"A \"quoted\" title", -3};
  EpisodeInfo read;
  ParseEpisode(FormatEpisode(quoted, "a.jkl"), "episode.jk", read);
  EXPECT_EQ(read, quoted);
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
