#include "editing/RecoverySchedule.h"

#include <gtest/gtest.h>

namespace kx::editing {
namespace {

using std::chrono::seconds;
using Clock = RecoverySchedule::Clock;

TEST(RecoveryScheduleTest, IsDueTwoMinutesIntoUnsavedChangesAndAtEvery50thStep) {
  const Clock::time_point t0{};
  RecoverySchedule schedule;
  EXPECT_FALSE(schedule.Tick(t0, false));
  EXPECT_FALSE(schedule.Changed(1));
  EXPECT_FALSE(schedule.Tick(t0 + seconds(119), true));
  EXPECT_TRUE(schedule.Tick(t0 + seconds(120), true));
  schedule.Written();
  // Nothing new since the write: the clock waits for the next change.
  EXPECT_FALSE(schedule.Tick(t0 + seconds(400), true));
  EXPECT_FALSE(schedule.Changed(2));
  EXPECT_FALSE(schedule.Tick(t0 + seconds(519), true));
  EXPECT_TRUE(schedule.Tick(t0 + seconds(520), true));
  // Changes that were undone back to the save are nothing to keep.
  EXPECT_FALSE(schedule.Changed(3));
  EXPECT_FALSE(schedule.Tick(t0 + seconds(2000), false));
  EXPECT_FALSE(schedule.Tick(t0 + seconds(2119), true));

  for (std::size_t push = 4; push < 50; ++push) EXPECT_FALSE(schedule.Changed(push)) << push;
  EXPECT_TRUE(schedule.Changed(50));
  EXPECT_FALSE(schedule.Changed(50));  // an undo or redo of it
  EXPECT_TRUE(schedule.Changed(100));

  schedule.Restart();
  EXPECT_FALSE(schedule.Tick(t0 + seconds(5000), true));  // a fresh project has nothing pending
  EXPECT_FALSE(schedule.Tick(t0 + seconds(9000), true));
}

}  // namespace
}  // namespace kx::editing
