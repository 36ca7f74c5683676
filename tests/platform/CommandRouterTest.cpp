#include "support/FakeUi.h"

#include "platform/CommandError.h"
#include "platform/CommandRouter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace kx::platform {
namespace {

using ::testing::ElementsAre;
using Box = test::FakeUi::Box;

TEST(CommandRouterTest, ShowsEveryFailureInAnErrorBoxAndSaysWhetherTheCommandEnded) {
  test::FakeUi ui;
  int ran = 0;
  EXPECT_TRUE(RunCommand(ui, [&] { ++ran; }));
  EXPECT_FALSE(RunCommand(ui, [] { throw CommandError::FileNotFound("/p/jkl/gone.jkl"); }));
  EXPECT_FALSE(RunCommand(ui, [] { throw CommandError("Disk full"); }));
  EXPECT_FALSE(RunCommand(ui, [] { throw std::runtime_error("map render: bad size"); }));
  EXPECT_FALSE(RunCommand(ui, [] { throw std::bad_alloc(); }));
  EXPECT_EQ(ran, 1);
  EXPECT_THAT(ui.boxes, ElementsAre(Box{BoxKind::Error, "File not found\n/p/jkl/gone.jkl"},
                                    Box{BoxKind::Error, "Disk full"},
                                    Box{BoxKind::Error, "map render: bad size"},
                                    Box{BoxKind::Error, "Out of memory"}));
}

}  // namespace
}  // namespace kx::platform
