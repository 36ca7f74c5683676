#include "preview3d/Camera.h"

#include <cmath>

namespace kx::preview3d {

namespace {

// Rodrigues' rotation of v about the unit axis k.
Vec3 Rotated(Vec3 v, Vec3 k, float c, float s) {
  return v * c + Cross(k, v) * s + k * (Dot(k, v) * (1 - c));
}

}  // namespace

Camera Camera::At(Vec3 position) {
  Camera camera;
  camera.m_position = position;
  return camera;
}

void Camera::Move(float distance) {
  m_position = m_position + m_direction * distance;
}

void Camera::Strafe(float distance) {
  m_position = m_position + Right() * distance;
}

void Camera::Turn(float radians) {
  // Turning right is a clockwise turn seen from above the camera: negative about its up.
  Rotate(m_up, -radians);
}

void Camera::Tilt(float radians) {
  Rotate(Right(), radians);
}

void Camera::TurnAboutLevelUp(float radians) {
  Rotate({0, 0, 1}, -radians);
}

void Camera::Rotate(Vec3 axis, float radians) {
  const Vec3 k = Normalized(axis);
  if (Length(k) == 0) return;
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  const Vec3 direction = Normalized(Rotated(m_direction, k, c, s));
  const Vec3 up = Rotated(m_up, k, c, s);
  // Rounding must not let the two drift apart over thousands of steps.
  m_direction = direction;
  m_up = Normalized(up - direction * Dot(direction, up));
}

}  // namespace kx::preview3d
