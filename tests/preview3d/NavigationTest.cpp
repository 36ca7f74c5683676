#include "preview3d/Navigation.h"
#include "preview3d/ViewProjection.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kx::preview3d {
namespace {

constexpr float kTolerance = 1e-5f;

void ExpectNear(Vec3 actual, Vec3 expected) {
  EXPECT_NEAR(actual.x, expected.x, kTolerance);
  EXPECT_NEAR(actual.y, expected.y, kTolerance);
  EXPECT_NEAR(actual.z, expected.z, kTolerance);
}

Navigation StartAt(Vec3 position) {
  return Navigation{Camera::At(position), 1};
}

TEST(NavigationTest, EachKeyMakesOneStepOfItsOwn) {
  const float step = Navigation::kMoveStep;
  const float c = std::cos(Navigation::kTurnStep);
  const float s = std::sin(Navigation::kTurnStep);
  const struct {
    PreviewKey key;
    bool fast;
    Vec3 position, direction, up;
    float scale;
  } cases[] = {
      // The start looks along +y with +z up, +x on its right.
      {PreviewKey::Up, false, {1, 2 + step, 3}, {0, 1, 0}, {0, 0, 1}, 1},
      {PreviewKey::W, true, {1, 2 + 5 * step, 3}, {0, 1, 0}, {0, 0, 1}, 1},
      {PreviewKey::Down, false, {1, 2 - step, 3}, {0, 1, 0}, {0, 0, 1}, 1},
      {PreviewKey::S, false, {1, 2 - step, 3}, {0, 1, 0}, {0, 0, 1}, 1},
      {PreviewKey::D, false, {1 + step, 2, 3}, {0, 1, 0}, {0, 0, 1}, 1},
      {PreviewKey::A, true, {1 - 5 * step, 2, 3}, {0, 1, 0}, {0, 0, 1}, 1},
      {PreviewKey::Right, false, {1, 2, 3}, {s, c, 0}, {0, 0, 1}, 1},
      {PreviewKey::Left, true, {1, 2, 3}, {-s, c, 0}, {0, 0, 1}, 1},  // turns keep their step
      {PreviewKey::PageUp, false, {1, 2, 3}, {0, c, -s}, {0, s, c}, 1},
      {PreviewKey::PageDown, false, {1, 2, 3}, {0, c, s}, {0, -s, c}, 1},
      {PreviewKey::KeypadPlus, false, {1, 2, 3}, {0, 1, 0}, {0, 0, 1}, 2},
      {PreviewKey::KeypadMinus, false, {1, 2, 3}, {0, 1, 0}, {0, 0, 1}, 0.5f},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(static_cast<int>(k.key));
    Navigation walk = StartAt({1, 2, 3});
    EXPECT_TRUE(walk.PressKey(k.key, k.fast));
    ExpectNear(walk.camera.Position(), k.position);
    ExpectNear(walk.camera.Direction(), k.direction);
    ExpectNear(walk.camera.Up(), k.up);
    EXPECT_FLOAT_EQ(walk.meshScale, k.scale);
  }
  Navigation walk = StartAt({1, 2, 3});
  EXPECT_FALSE(walk.PressKey(PreviewKey::Other, false));
  ExpectNear(walk.camera.Position(), {1, 2, 3});
}

TEST(NavigationTest, EightRightsThenEightLeftsComeBackToTheFirstOrientation) {
  Navigation walk = StartAt({0, 0, 0});
  walk.PressKey(PreviewKey::PageDown, false);  // a tilted camera turns about its own up
  const Vec3 direction = walk.camera.Direction();
  const Vec3 up = walk.camera.Up();
  for (int i = 0; i < 8; ++i) walk.PressKey(PreviewKey::Right, false);
  EXPECT_NEAR(Dot(walk.camera.Direction(), direction), std::cos(0.8f), kTolerance);
  for (int i = 0; i < 8; ++i) walk.PressKey(PreviewKey::Left, false);
  ExpectNear(walk.camera.Direction(), direction);
  ExpectNear(walk.camera.Up(), up);
}

TEST(NavigationTest, ATiltAfterATurnTiltsAboutTheTurnedCamerasRightHand) {
  Navigation walk = StartAt({0, 0, 0});
  walk.PressKey(PreviewKey::Left, false);
  const Vec3 right = walk.camera.Right();
  const Vec3 before = walk.camera.Direction();
  walk.PressKey(PreviewKey::PageUp, false);
  // The right hand is the axis: it stays, and the direction turns by one step about it.
  ExpectNear(walk.camera.Right(), right);
  EXPECT_NEAR(Dot(walk.camera.Direction(), right), 0, kTolerance);
  EXPECT_NEAR(Dot(walk.camera.Direction(), before), std::cos(Navigation::kTurnStep), kTolerance);
  EXPECT_LT(walk.camera.Direction().z, 0);
}

TEST(NavigationTest, ScalingUpTwiceAndDownTwiceRestoresTheLevel) {
  Navigation walk = StartAt({0, 0, 0});
  for (const PreviewKey key : {PreviewKey::KeypadPlus, PreviewKey::KeypadPlus,
                               PreviewKey::KeypadMinus, PreviewKey::KeypadMinus}) {
    walk.PressKey(key, false);
  }
  EXPECT_EQ(walk.meshScale, 1.0f);
}

TEST(NavigationTest, TheMouseTurnsAboutTheLevelsUpAndTheWheelMoves) {
  Navigation walk = StartAt({0, 0, 0});
  walk.PressKey(PreviewKey::PageDown, false);
  walk.MouseLook(20, 0);  // to the right, the horizon kept level
  EXPECT_NEAR(walk.camera.Right().z, 0, kTolerance);
  EXPECT_GT(walk.camera.Direction().x, 0);
  const float height = walk.camera.Direction().z;
  walk.MouseLook(0, 30);  // the pointer down: look down
  EXPECT_LT(walk.camera.Direction().z, height);

  Navigation wheel = StartAt({0, 0, 0});
  wheel.Wheel(2, false);
  wheel.Wheel(-1, true);
  ExpectNear(wheel.camera.Position(), {0, -3 * Navigation::kMoveStep, 0});
}

TEST(NavigationTest, ThePictureKeepsTheLevelsHandedness) {
  // Standing at the origin looking along +y: east (+x) is on the right of the picture, up is
  // up, and what lies ahead is inside the depth range.
  const Camera camera = Camera::At({0, 0, 0});
  const Mat4 clip = Multiply(ProjectionMatrix(640, 480), ViewMatrix(camera));
  const auto ndc = [&](Vec3 p) {
    const Vec4 c = Transform(clip, p);
    EXPECT_GT(c[3], 0);
    return Vec3{c[0] / c[3], c[1] / c[3], c[2] / c[3]};
  };
  EXPECT_GT(ndc({1, 5, 0}).x, 0.1f);
  EXPECT_LT(ndc({-1, 5, 0}).x, -0.1f);
  EXPECT_GT(ndc({0, 5, 1}).y, 0.1f);
  ExpectNear(ndc({0, 5, 0}), {0, 0, ndc({0, 5, 0}).z});
  EXPECT_GT(ndc({0, 5, 0}).z, -1);
  EXPECT_LT(ndc({0, 5, 0}).z, 1);
  // Half the width of the picture at distance 1 is the field; pixels stay square.
  EXPECT_NEAR(ndc({kField, 1, 0}).x, 1, kTolerance);
  EXPECT_NEAR(ndc({0, 1, kField * 480 / 640}).y, 1, kTolerance);
  // Behind the camera nothing is drawn.
  EXPECT_LT(Transform(clip, {0, -5, 0})[3], 0);
  // The scale works about the level's origin, not the camera.
  const Vec4 scaled = Transform(ScaleMatrix(2), {1, 2, 3});
  EXPECT_FLOAT_EQ(scaled[0], 2);
  EXPECT_FLOAT_EQ(scaled[2], 6);
}

}  // namespace
}  // namespace kx::preview3d
