#include "support/FakeUi.h"

#include "platform/MessageBatch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::platform {
namespace {

using ::testing::ElementsAre;
using Box = test::FakeUi::Box;

std::vector<std::string> Names(int count) {
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i) names.push_back("n" + std::to_string(i));
  return names;
}

TEST(MessageBatchTest, ABoxListsTenNamesAndCountsTheRest) {
  const struct {
    int count;
    const char* text;
  } cases[] = {
      {0, ""},
      {1, "n1"},
      {10, "n1, n2, n3, n4, n5, n6, n7, n8, n9, n10"},
      {11, "n1, n2, n3, n4, n5, n6, n7, n8, n9, n10, ... and 1 more (View > Messages)"},
      {152, "n1, n2, n3, n4, n5, n6, n7, n8, n9, n10, ... and 142 more (View > Messages)"},
  };
  for (const auto& c : cases) EXPECT_EQ(JoinForBox(Names(c.count), ", "), c.text) << c.count;
}

TEST(MessageBatchTest, EveryMessageIsNotedAndOneCutBoxShowsThem) {
  test::FakeUi ui;
  {
    MessageBatch batch(ui);
    for (const auto& name : Names(12)) batch.Add("Can't find " + name);
    EXPECT_TRUE(ui.boxes.empty()) << "nothing is shown before the end";
  }
  ASSERT_EQ(ui.notes.size(), 12u);
  EXPECT_EQ(ui.notes[11], "Can't find n12");
  EXPECT_THAT(ui.boxes, ElementsAre(Box{BoxKind::Plain,
                                        "Can't find n1\rCan't find n2\rCan't find n3\rCan't find "
                                        "n4\rCan't find n5\rCan't find n6\rCan't find n7\rCan't "
                                        "find n8\rCan't find n9\rCan't find n10\r... and 2 more "
                                        "(View > Messages)"}));
}

}  // namespace
}  // namespace kx::platform
