#pragma once

#include <cmath>

namespace kx::preview3d {

/// A point or direction in level units: x east, y north, z up (right-handed).
struct Vec3 {
  float x = 0, y = 0, z = 0;

  Vec3 operator+(Vec3 o) const { return {x + o.x, y + o.y, z + o.z}; }
  Vec3 operator-(Vec3 o) const { return {x - o.x, y - o.y, z - o.z}; }
  Vec3 operator*(float s) const { return {x * s, y * s, z * s}; }
};

inline float Dot(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline float Length(Vec3 a) {
  return std::sqrt(Dot(a, a));
}

/// a scaled to length 1; a itself when it has no length.
inline Vec3 Normalized(Vec3 a) {
  const float length = Length(a);
  return length > 0 ? a * (1 / length) : a;
}

}  // namespace kx::preview3d
