#pragma once

#include "preview3d/Camera.h"

#include <array>

namespace kx::preview3d {

/// A 4x4 matrix in OpenGL's column-major order: element (row r, column c) is at [c * 4 + r].
using Mat4 = std::array<float, 16>;
using Vec4 = std::array<float, 4>;

/// The nearest and farthest distances the preview draws, in level units.
inline constexpr float kNearPlane = 0.05f;
inline constexpr float kFarPlane = 500;
/// Half the larger side of the picture at distance 1 from the eye.
inline constexpr float kField = 0.5f;

Mat4 Multiply(const Mat4& a, const Mat4& b);
/// m applied to the point p (w = 1).
Vec4 Transform(const Mat4& m, Vec3 p);

/// Level coordinates to eye coordinates (x right, y up, looking along -z), keeping the level's
/// handedness, so the picture is never a mirror image.
Mat4 ViewMatrix(const Camera& camera);
/// Eye coordinates to clip coordinates for a picture of width x height pixels (each at least 1).
Mat4 ProjectionMatrix(int width, int height);
/// Scales the level by factor about the level's origin.
Mat4 ScaleMatrix(float factor);

}  // namespace kx::preview3d
