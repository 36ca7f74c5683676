#pragma once

#include <cmath>
#include <vector>

namespace kx::building {

/// A point or direction in world units (double precision while geometry is worked out).
struct Vec3 {
  double x = 0, y = 0, z = 0;

  Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
  Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
  Vec3 operator*(double s) const { return {x * s, y * s, z * s}; }
  bool operator==(const Vec3&) const = default;
};

inline double Dot(const Vec3& a, const Vec3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline double Length(const Vec3& a) {
  return std::sqrt(Dot(a, a));
}

/// a scaled to length 1; a itself when it has no length.
inline Vec3 Normalized(const Vec3& a) {
  const double length = Length(a);
  return length > 0 ? a * (1.0 / length) : a;
}

/// Newell's normal of a polygon, not normalised: it points to the side from which the corners
/// run counter-clockwise, and its length is twice the polygon's area.
inline Vec3 NewellNormal(const std::vector<Vec3>& corners) {
  Vec3 normal;
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const Vec3& a = corners[i];
    const Vec3& b = corners[(i + 1) % corners.size()];
    normal.x += (a.y - b.y) * (a.z + b.z);
    normal.y += (a.z - b.z) * (a.x + b.x);
    normal.z += (a.x - b.x) * (a.y + b.y);
  }
  return normal;
}

}  // namespace kx::building
