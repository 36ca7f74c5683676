#include "properties/FlagsEditorState.h"

#include <gtest/gtest.h>

namespace kx::properties {
namespace {

TEST(FlagsEditorStateTest, ShowingLoadsTheBoxesFromTheStartingTextWithoutCountingThemAsClicks) {
  const struct {
    std::string start;
    std::uint16_t boxes;
    std::string sum;
  } cases[] = {
      {"", 0, "0x0000"},
      {"0x0005", 0x5, "0x0005"},
      {"0x5", 0x5, "0x5"},  // kept as given until a box changes
      {"0x12345", 0x2345, "0x12345"},
      {"0xFFFF", 0xFFFF, "0xFFFF"},
  };
  for (const auto& c : cases) {
    FlagsEditorState state;
    state.SetSum(c.start);
    EXPECT_EQ(state.Show(), c.boxes) << c.start;
    EXPECT_TRUE(state.Loading());
    state.BoxesChanged(0);  // the boxes being set from code
    EXPECT_EQ(state.Sum(), c.sum);
    state.BoxesLoaded();
  }
}

TEST(FlagsEditorStateTest, AClickShowsTheWholeWordWithItsBitsAboveTheBoxesKept) {
  FlagsEditorState state;
  state.SetSum("0x5");
  state.Show();
  state.BoxesLoaded();
  state.BoxesChanged(0x5 | 0x8000);
  EXPECT_EQ(state.Sum(), "0x8005");
  state.BoxesChanged(0xFFFF);
  EXPECT_EQ(state.Sum(), "0xFFFF");
  state.BoxesChanged(0);
  EXPECT_EQ(state.Sum(), "0x0000");

  state.SetSum("0xABC0001");
  state.Show();
  state.BoxesLoaded();
  state.BoxesChanged(0x0);
  EXPECT_EQ(state.Value(), 0xABC0000u);
  EXPECT_EQ(state.Sum(), "0xABC0000");
}

TEST(FlagsEditorStateTest, OkGivesEachRecordTheBoxesBitsOverItsOwnHighBits) {
  EXPECT_EQ(EditedFlagWord(0x12345, "0x0001"), 0x10001u);
  EXPECT_EQ(EditedFlagWord(0x12345, "0x7FFF0010"), 0x10010u);
  EXPECT_EQ(EditedFlagWord(0xFFFF, "0x0000"), 0u);
  EXPECT_EQ(EditedFlagWord(0, "0x5"), 5u);
}

TEST(FlagsEditorStateTest, EachWordHasItsGroupAndBoxCaptions) {
  EXPECT_EQ(GroupCaption(FlagWord::SurfaceSurfflags), "Surface: Surfflags");
  EXPECT_EQ(GroupCaption(FlagWord::SurfaceFaceflags), "Surface: Faceflags");
  EXPECT_EQ(GroupCaption(FlagWord::SectorFlags), "Sector: Flags");
  EXPECT_EQ(BoxCaptions(FlagWord::SurfaceSurfflags)[2], "Solid surface?");
  for (const FlagWord word : {FlagWord::SurfaceFaceflags, FlagWord::SectorFlags}) {
    const auto captions = BoxCaptions(word);
    for (int k = 0; k < kFlagBoxes; ++k) {
      EXPECT_EQ(captions[static_cast<std::size_t>(k)], "Unknown " + std::to_string(k + 1));
    }
  }
}

}  // namespace
}  // namespace kx::properties
