#include "editing/MessageList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::editing {
namespace {

using mapview::EditMode;
using ::testing::ElementsAre;

TEST(MessageListTest, KeepsEachMessageOnceInTheOrderItCameUntilTheNextOpen) {
  MessageList list;
  const MessageEntry missing{"Can't find template for ghost in Draw3DThing", std::nullopt};
  const MessageEntry aboutSurface{"surface 3 is not planar", RecordRef{EditMode::Surface, 3}};
  const MessageEntry aboutSector{"surface 3 is not planar", RecordRef{EditMode::Sector, 3}};
  EXPECT_TRUE(list.Add(missing));
  EXPECT_TRUE(list.Add(aboutSurface));
  EXPECT_FALSE(list.Add(missing)) << "a second redraw reports it again";
  EXPECT_TRUE(list.Add(aboutSector)) << "the same words about another record";
  EXPECT_FALSE(list.Add(aboutSurface));
  EXPECT_THAT(list.Entries(), ElementsAre(missing, aboutSurface, aboutSector));

  EXPECT_EQ(list.RecordAt(0), std::nullopt);
  EXPECT_EQ(list.RecordAt(2), (RecordRef{EditMode::Sector, 3}));
  EXPECT_EQ(list.RecordAt(3), std::nullopt);
  EXPECT_EQ(list.RecordAt(-1), std::nullopt);

  list.Clear();
  EXPECT_TRUE(list.Entries().empty());
  EXPECT_TRUE(list.Add(missing)) << "a new open lists it again";
}

TEST(MessageListTest, ACheckReplacesThePreviousChecksProblemsAndKeepsWhatTheOpenReported) {
  MessageList list;
  const MessageEntry note{"sector 9 was left out", std::nullopt};
  const MessageEntry planar{"surface 3 is not planar", RecordRef{EditMode::Surface, 3}};
  const MessageEntry outside{"thing 2 (crate) is not inside its sector 0",
                             RecordRef{EditMode::Thing, 2}};
  list.Add(note);
  list.SetCheck({planar, outside, planar});
  EXPECT_THAT(list.Entries(), ElementsAre(note, planar, outside));
  list.SetCheck({outside});
  EXPECT_THAT(list.Entries(), ElementsAre(note, outside));
  EXPECT_EQ(list.RecordAt(1), (RecordRef{EditMode::Thing, 2}));
  list.SetCheck({});
  EXPECT_THAT(list.Entries(), ElementsAre(note));
  EXPECT_TRUE(list.Add(planar)) << "no longer listed by a check";
}

}  // namespace
}  // namespace kx::editing
