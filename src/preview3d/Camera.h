#pragma once

#include "preview3d/Vec3.h"

namespace kx::preview3d {

/// The preview's camera in level units: where it stands, where it looks and which way is up.
/// Direction and up stay perpendicular unit vectors through every step.
class Camera {
 public:
  /// At position, looking along the level's +y with +z up: the view the preview starts with.
  static Camera At(Vec3 position);

  Vec3 Position() const { return m_position; }
  Vec3 Direction() const { return m_direction; }
  Vec3 Up() const { return m_up; }
  /// Direction x up: the camera's right hand.
  Vec3 Right() const { return Cross(m_direction, m_up); }

  /// Along the direction (negative: backwards).
  void Move(float distance);
  /// Along the right hand (negative: to the left).
  void Strafe(float distance);
  /// About the camera's own up; positive turns to the right.
  void Turn(float radians);
  /// About the camera's right hand (direction x up); positive looks up.
  void Tilt(float radians);
  /// About the level's z axis, whatever the camera's up; positive turns to the right.
  void TurnAboutLevelUp(float radians);

 private:
  /// Rotates direction and up about axis by the right-hand rule.
  void Rotate(Vec3 axis, float radians);

  Vec3 m_position;
  Vec3 m_direction{0, 1, 0};
  Vec3 m_up{0, 0, 1};
};

}  // namespace kx::preview3d
