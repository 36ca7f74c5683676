#include "editing/MouseGesture.h"

#include <gtest/gtest.h>
#include <limits>

namespace kx::editing {
namespace {

using Kind = GesturePick::Kind;

GesturePick ClickAt(int x, int y, bool select, bool ctrl) {
  GesturePick pick;
  pick.kind = Kind::At;
  pick.x = x, pick.y = y, pick.select = select, pick.ctrl = ctrl;
  return pick;
}

GesturePick BoxOf(int left, int top, int right, int bottom, bool select) {
  GesturePick pick;
  pick.kind = Kind::InBox;
  pick.left = left, pick.top = top, pick.right = right, pick.bottom = bottom;
  pick.select = select;
  return pick;
}

TEST(MouseGestureTest, PressAndReleaseWithoutMoveIsAClickWhoseModifiersComeFromTheRelease) {
  struct Case {
    bool shift, ctrl;
    GesturePick expected;
  };
  for (const Case& c : {Case{false, false, ClickAt(30, 40, true, false)},
                        Case{true, false, ClickAt(30, 40, false, false)},
                        Case{false, true, ClickAt(30, 40, true, true)},
                        Case{true, true, ClickAt(30, 40, false, true)}}) {
    MouseGesture gesture;
    gesture.Press({10, 20, false, false});
    EXPECT_TRUE(gesture.Pressed());
    // The pick happens where the button comes up.
    EXPECT_EQ(gesture.Release({30, 40, c.shift, c.ctrl}), c.expected)
        << "shift " << c.shift << " ctrl " << c.ctrl;
    EXPECT_FALSE(gesture.Pressed());
    EXPECT_FALSE(gesture.BandVisible());
  }
}

TEST(MouseGestureTest, AMoveBackToThePressPointMakesAOnePixelBox) {
  MouseGesture gesture;
  gesture.Press({50, 60});
  EXPECT_FALSE(gesture.BandVisible());
  EXPECT_TRUE(gesture.Move({50, 60}));
  EXPECT_TRUE(gesture.BandVisible());
  EXPECT_EQ(gesture.Band(), (BandBox{50, 60, 1, 1}));
  EXPECT_EQ(gesture.Release({50, 60}), BoxOf(50, 60, 50, 60, true));
}

TEST(MouseGestureTest, DraggingUpLeftGivesTheSameBoxAsDownRight) {
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
  // Shift at the release removes; Ctrl means nothing to a box.
  EXPECT_EQ(gesture.Release({400, 400, true, true}), BoxOf(100, 100, 120, 110, false));
  EXPECT_FALSE(gesture.BandVisible());
  EXPECT_FALSE(gesture.Dragged());
  // The next gesture starts afresh: a plain click.
  gesture.Press({5, 5});
  EXPECT_EQ(gesture.Release({5, 5}), ClickAt(5, 5, true, false));
}

TEST(MouseGestureTest, MovesAndReleasesWithoutAPressOnTheMapDoNothing) {
  MouseGesture gesture;
  EXPECT_FALSE(gesture.Move({10, 10}));
  EXPECT_FALSE(gesture.BandVisible());
  EXPECT_EQ(gesture.Release({10, 10}), std::nullopt);
  gesture.Press({1, 1});
  gesture.Release({1, 1});
  EXPECT_FALSE(gesture.Move({20, 20}));
  EXPECT_EQ(gesture.Release({20, 20}), std::nullopt);
}

TEST(MouseGestureTest, APointerFarOutsideTheMapGivesABoxWithoutOverflow) {
  constexpr int kMin = std::numeric_limits<int>::min();
  constexpr int kMax = std::numeric_limits<int>::max();
  MouseGesture gesture;
  gesture.Press({kMin, 0});
  gesture.Move({kMax, 0});
  EXPECT_EQ(gesture.Band().left, kMin);
  EXPECT_EQ(gesture.Band().width, kMax);
  const auto pick = gesture.Release({kMax, 0});
  ASSERT_TRUE(pick);
  EXPECT_EQ(pick->left, kMin);
  EXPECT_EQ(pick->right, -2);  // as far as the band's width reaches
  EXPECT_EQ(pick->top, 0);
  EXPECT_EQ(pick->bottom, 0);
}

}  // namespace
}  // namespace kx::editing
