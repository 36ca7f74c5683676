#include "support/TempDir.h"

#include "level/EpisodeFile.h"
#include "platform/CommandError.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::level {
namespace {

using platform::CommandError;

EpisodeInfo Parse(std::string_view text, EpisodeInfo start = {}) {
  ParseEpisode(text, "episode.jk", start);
  return start;
}

TEST(EpisodeFileTest, TitleIsTheFirstLineWithoutItsQuotes) {
  EXPECT_EQ(Parse("\"My Episode\"\r\nTYPE 1\r\n").title, "My Episode");
  EXPECT_EQ(Parse("\"\"\r\n").title, "");
  EXPECT_EQ(Parse("  \"Spaced\"\t\r\n").title, "Spaced");
  EXPECT_EQ(Parse("Unquoted\r\n").title, "nquote");
  EXPECT_EQ(Parse("\r\nTYPE 2\r\n").title, "");
  EXPECT_EQ(Parse("\"").title, "");
  EXPECT_EQ(Parse("").title, "");
}

TEST(EpisodeFileTest, TypeComesFromAnyLaterTypeLine) {
  EXPECT_EQ(Parse("\"t\"\r\n\r\nTYPE\t2\t# Deathmatch\r\n").type, 2);
  EXPECT_EQ(Parse("\"t\"\ntype 8\n").type, 8) << "lower case, a blank before the number";
  EXPECT_EQ(Parse("\"t\"\rTYPE  1  # single-player\r").type, 1);
  EXPECT_EQ(Parse("\"t\"\r\nTYPE 2 #Deathmatch\r\n").type, 2);
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

TEST(EpisodeFileTest, MissingFileIsFileNotFound) {
  test::TempDir dir;
  EpisodeInfo episode{"Old", 2};
  try {
    ReadEpisode(episode, dir.path() / "episode.jk");
    FAIL() << "no error";
  } catch (const CommandError& error) {
    EXPECT_EQ(error.text(), "File not found");
  }
  EXPECT_EQ(episode, (EpisodeInfo{"Old", 2}));
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
}

TEST(EpisodeFileTest, NamesEachKnownTypeAndNoOther) {
  EXPECT_THAT(FormatEpisode({"", 1}, "a.jkl"),
              ::testing::HasSubstr("TYPE\t1\t# Single-player\r\n\r\nSEQ"));
  EXPECT_THAT(FormatEpisode({"", 8}, "a.jkl"),
              ::testing::HasSubstr("TYPE\t8\t# Special/CTF\r\n\r\nSEQ"));
  // An unknown type has no name and no blank line after it.
  EXPECT_THAT(FormatEpisode({"", 5}, "a.jkl"),
              ::testing::HasSubstr("\r\nTYPE\t5\t# \r\nSEQ\t1\r\n"));
}

TEST(EpisodeFileTest, WriteThenReadGivesTheSameEpisode) {
  test::TempDir dir;
  for (const EpisodeInfo& episode :
       {EpisodeInfo{"Test", 2}, EpisodeInfo{"", 1}, EpisodeInfo{"A \"quoted\" title", 8},
        EpisodeInfo{"Odd", -3}}) {
    WriteEpisode(episode, "level.jkl", dir.path() / "episode.jk");
    EpisodeInfo read{"x", 99};
    ReadEpisode(read, dir.path() / "episode.jk");
    EXPECT_EQ(read, episode);
  }
}

TEST(EpisodeFileTest, AFailedWriteLeavesTheOldFile) {
  test::TempDir dir;
  const auto path = dir.Write("episode.jk", "\"Old\"\r\nTYPE 1\r\n");
  // A folder where the temporary file would go makes the write fail.
  std::filesystem::create_directory(path.string() + ".kxtmp");
  EXPECT_THROW(WriteEpisode({"New", 2}, "a.jkl", path), CommandError);
  EXPECT_EQ(test::ReadAll(path), "\"Old\"\r\nTYPE 1\r\n");
}

TEST(EpisodeFileTest, ReadsEveryEpisodeFileOfTheCorpus) {
  const auto corpus = test::CorpusDir();
  if (corpus.empty()) GTEST_SKIP() << "no corpus on this machine";
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    const std::string name = entry.path().filename().string();
    if (name != "episode.jk" && name != "EPISODE.JK") continue;
    ++files;
    const std::string text = test::ReadAll(entry.path());
    EpisodeInfo episode{"unset", -99};
    ASSERT_NO_THROW(ReadEpisode(episode, entry.path())) << entry.path();
    // Every one of them has its title in quotes on line 1 and a TYPE 1 or 2.
    const std::string firstLine = text.substr(0, text.find_first_of("\r\n"));
    if (firstLine.front() == '"') {
      EXPECT_EQ("\"" + episode.title + "\"", firstLine);
    }
    EXPECT_TRUE(episode.type == 1 || episode.type == 2) << entry.path() << " " << episode.type;

    // The editor's own file keeps title and type.
    test::TempDir dir;
    WriteEpisode(episode, "level.jkl", dir.path() / "episode.jk");
    EpisodeInfo again;
    ReadEpisode(again, dir.path() / "episode.jk");
    EXPECT_EQ(again, episode) << entry.path();
  }
  EXPECT_GE(files, 10);
}

TEST(EpisodeFileTest, CorpusTitlesAndTypes) {
  const auto corpus = test::CorpusDir();
  if (corpus.empty()) GTEST_SKIP() << "no corpus on this machine";
  EpisodeInfo episode;
  ReadEpisode(episode, corpus / "LegendaryGuard+TDiR_level/episode.jk");
  EXPECT_EQ(episode, (EpisodeInfo{"TDiR Levels", 2}));
  ReadEpisode(episode, corpus / "malloc47+return-of-thrawn/thrawn/episode.jk");
  EXPECT_EQ(episode, (EpisodeInfo{"The Return of Thrawn", 1}));
  // A file whose first line is a remark loses its first and last letters as the title.
  ReadEpisode(episode, corpus /
                           "jdmclark+gorc/src/utilities/episode/tests/"
                           "test-episode-missing-name/episode.jk");
  EXPECT_EQ(episode, (EpisodeInfo{" Well-formed episode other than a missing nam", 1}));
}

}  // namespace
}  // namespace kx::level
