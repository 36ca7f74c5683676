#include "level/EpisodeFile.h"
#include "platform/CommandError.h"
#include "properties/EpisodeForm.h"

#include <gtest/gtest.h>

namespace kx::properties {
namespace {

TEST(EpisodeFormTest, TypesMapToListItemsBothWaysAndOtherTypesToNone) {
  const struct {
    std::int32_t type;
    int index;
    const char* item;
  } rows[] = {{1, 0, "Single-player"}, {2, 1, "Deathmatch"}, {8, 2, "Special/CTF"}};
  for (const auto& row : rows) {
    EXPECT_EQ(EpisodeTypeIndex(row.type), row.index);
    EXPECT_EQ(EpisodeTypeOfIndex(row.index), row.type);
    EXPECT_EQ(EpisodeTypeItem(row.index), row.item);
  }
  for (const std::int32_t other : {0, 3, 4, 5, 7, -1}) {
    EXPECT_EQ(EpisodeTypeIndex(other), std::nullopt) << other;
  }
}

TEST(EpisodeFormTest, ANameIsRefusedExactlyWhenTheEpisodeFileWouldNotGiveItBack) {
  for (const std::string name :
       {"My \"quoted\" Episode", " blanks around ", "", "a\nb", "a\rTYPE 3", "cut\x1A"}) {
    level::EpisodeInfo read{"", 1};
    bool readBack = false;
    try {
      level::ParseEpisode(level::FormatEpisode({name, 1}, "a.jkl"), "episode.jk", read);
      readBack = read.title == name && read.type == 1;
    } catch (const platform::CommandError&) {
      // "a\rTYPE 3" makes a file that can no longer be opened
    }
    EXPECT_EQ(EpisodeNameProblem(name).empty(), readBack) << name;
  }
}

}  // namespace
}  // namespace kx::properties
