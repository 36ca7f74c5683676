#include "preview3d/ViewProjection.h"

#include <algorithm>

namespace kx::preview3d {

Mat4 Multiply(const Mat4& a, const Mat4& b) {
  Mat4 out{};
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += a[k * 4 + r] * b[c * 4 + k];
      out[c * 4 + r] = sum;
    }
  }
  return out;
}

Vec4 Transform(const Mat4& m, Vec3 p) {
  Vec4 out{};
  for (int r = 0; r < 4; ++r) out[r] = m[r] * p.x + m[4 + r] * p.y + m[8 + r] * p.z + m[12 + r];
  return out;
}

Mat4 ViewMatrix(const Camera& camera) {
  const Vec3 right = camera.Right();
  const Vec3 up = camera.Up();
  const Vec3 back = camera.Direction() * -1;
  const Vec3 eye = camera.Position();
  // Its rows are right, up and back (listed here column by column); the eye goes to the origin.
  // clang-format off
  return {right.x,          up.x,          back.x,          0,
          right.y,          up.y,          back.y,          0,
          right.z,          up.z,          back.z,          0,
          -Dot(right, eye), -Dot(up, eye), -Dot(back, eye), 1};
  // clang-format on
}

Mat4 ProjectionMatrix(int width, int height) {
  const float w = static_cast<float>(std::max(width, 1));
  const float h = static_cast<float>(std::max(height, 1));
  const float larger = std::max(w, h);
  // The larger side spans kField either side of the centre at distance 1.
  const float sx = larger / (w * kField);
  const float sy = larger / (h * kField);
  const float n = kNearPlane;
  const float f = kFarPlane;
  return {sx, 0, 0, 0, 0, sy, 0, 0, 0, 0, (f + n) / (n - f), -1, 0, 0, 2 * f * n / (n - f), 0};
}

Mat4 ScaleMatrix(float factor) {
  return {factor, 0, 0, 0, 0, factor, 0, 0, 0, 0, factor, 0, 0, 0, 0, 1};
}

}  // namespace kx::preview3d
