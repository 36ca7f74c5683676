#include "editing/MouseGesture.h"

#include <gtest/gtest.h>
#include <limits>

namespace kx::editing {
namespace {

GesturePick ClickAt(int x, int y, bool select, bool ctrl) {
  return {GesturePick::Kind::At, x, y, 0, 0, 0, 0, select, ctrl};
}

GesturePick BoxOf(int left, int top, int right, int bottom, bool select) {
  return {GesturePick::Kind::InBox, 0, 0, left, top, right, bottom, select, false};
}

TEST(MouseGestureTest, PressAndReleaseWithoutMoveIsAClickWhereAndWithTheModifiersOfTheRelease) {
  for (const bool shift : {false, true}) {
    for (const bool ctrl : {false, true}) {
      MouseGesture gesture;
      gesture.Press({10, 20, false, false});
      EXPECT_EQ(gesture.Release({30, 40, shift, ctrl}), ClickAt(30, 40, !shift, ctrl))
          << "shift " << shift << " ctrl " << ctrl;
      EXPECT_FALSE(gesture.BandVisible());
    }
  }
}

TEST(MouseGestureTest, AnyMoveMakesABoxTheSameWhicheverWayItWasDragged) {
  MouseGesture still;
  still.Press({50, 60});
  EXPECT_FALSE(still.BandVisible());
  EXPECT_TRUE(still.Move({50, 60}));  // back to the press point: a box of one pixel
  EXPECT_TRUE(still.BandVisible());
  EXPECT_EQ(still.Band(), (BandBox{50, 60, 1, 1}));
  EXPECT_EQ(still.Release({50, 60}), BoxOf(50, 60, 50, 60, true));

  MouseGesture down;
  down.Press({10, 20});
  down.Move({40, 90});
  MouseGesture up;
  up.Press({40, 90});
  up.Move({10, 20});
  EXPECT_EQ(down.Band(), (BandBox{10, 20, 31, 71}));
  EXPECT_EQ(up.Band(), down.Band());
  EXPECT_EQ(up.Release({10, 20}), down.Release({40, 90}));
}

TEST(MouseGestureTest, TheBoxIsTheLastMovesNotTheReleasePointAndCtrlDoesNotChangeIt) {
  MouseGesture gesture;
  gesture.Press({100, 100});
  gesture.Move({150, 130});
  gesture.Move({120, 110});
  EXPECT_EQ(gesture.Release({400, 400, true, true}), BoxOf(100, 100, 120, 110, false));
  EXPECT_FALSE(gesture.BandVisible());
  EXPECT_FALSE(gesture.Move({20, 20}));  // no button down
  EXPECT_EQ(gesture.Release({20, 20}), std::nullopt);
  gesture.Press({5, 5});  // the next gesture starts afresh: a plain click
  EXPECT_EQ(gesture.Release({5, 5}), ClickAt(5, 5, true, false));
}

TEST(MouseGestureTest, APointerFarOutsideTheMapGivesABoxWithoutOverflow) {
  constexpr int kMin = std::numeric_limits<int>::min();
  constexpr int kMax = std::numeric_limits<int>::max();
  MouseGesture gesture;
  gesture.Press({kMin, 0});
  gesture.Move({kMax, 0});
  EXPECT_EQ(gesture.Band(), (BandBox{kMin, 0, kMax, 1}));
  // The box reaches as far as the band's width does.
  EXPECT_EQ(gesture.Release({kMax, 0}), BoxOf(kMin, 0, -2, 0, true));
}

}  // namespace
}  // namespace kx::editing
