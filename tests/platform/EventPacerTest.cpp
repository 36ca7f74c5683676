#include "platform/EventPacer.h"

#include <gtest/gtest.h>

namespace kx::platform {
namespace {

using namespace std::chrono_literals;

TEST(EventPacerTest, AWholeIntervalIsDueAndTheNextStartsThen) {
  const EventPacer::Clock::time_point start{5s};
  EventPacer pacer(16ms);
  pacer.Restart(start);
  EXPECT_FALSE(pacer.Due(start + 15ms));
  EXPECT_TRUE(pacer.Due(start + 16ms));
  EXPECT_FALSE(pacer.Due(start + 31ms));
  EXPECT_TRUE(pacer.Due(start + 40ms));
  // Events that ran for another reason start a new interval.
  pacer.Restart(start + 50ms);
  EXPECT_FALSE(pacer.Due(start + 60ms));
  EXPECT_TRUE(pacer.Due(start + 66ms));
}

}  // namespace
}  // namespace kx::platform
