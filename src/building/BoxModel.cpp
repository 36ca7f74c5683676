#include "building/BoxModel.h"

#include "building/BoxBuilder.h"
#include "building/PaintedMaterials.h"

#include "level/Numbers.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

namespace kx::building {

namespace {

std::string F6(double value) {
  return level::FormatFloat6(static_cast<float>(value));
}

double Axis(const Vec3& v, int axis) {
  return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

Vec3 AlongAxes(int normalAxis, double plane, int axisA, double a, int axisB, double b) {
  std::array<double, 3> p{};
  p[static_cast<std::size_t>(normalAxis)] = plane;
  p[static_cast<std::size_t>(axisA)] = a;
  p[static_cast<std::size_t>(axisB)] = b;
  return {p[0], p[1], p[2]};
}

struct Face {
  int material;
  std::array<Vec3, 4> corners;   // counter-clockwise seen from outside
  std::array<double, 8> texels;  // u, v per corner
  Vec3 normal;
};

// The six faces of a box, each facing out of it as a model's faces do.
std::vector<Face> BoxFaces(const ModelBox& box) {
  std::vector<Face> faces;
  for (int axis = 0; axis < 3; ++axis) {
    const int axisA = axis == 0 ? 1 : 0;
    const int axisB = axis == 2 ? 1 : 2;
    for (const bool atMax : {false, true}) {
      const double plane = Axis(atMax ? box.max : box.min, axis);
      const double a0 = Axis(box.min, axisA), a1 = Axis(box.max, axisA);
      const double b0 = Axis(box.min, axisB), b1 = Axis(box.max, axisB);
      std::array<std::pair<double, double>, 4> square{{{a0, b0}, {a1, b0}, {a1, b1}, {a0, b1}}};
      // Axis a crossed with axis b points along +x and +z, but along -y.
      const int windingSign = axis == 1 ? -1 : 1;
      const int outwardSign = atMax ? 1 : -1;
      if (windingSign != outwardSign) std::reverse(square.begin(), square.end());
      Face face{box.material, {}, {}, {}};
      for (std::size_t c = 0; c < 4; ++c) {
        const auto [a, b] = square[c];
        face.corners[c] = AlongAxes(axis, plane, axisA, a, axisB, b);
        const double scaleA = box.texelsPerUnit > 0 ? box.texelsPerUnit : kTextureSide / (a1 - a0);
        const double scaleB = box.texelsPerUnit > 0 ? box.texelsPerUnit : kTextureSide / (b1 - b0);
        face.texels[2 * c] = (a - a0) * scaleA;
        face.texels[2 * c + 1] = (b - b0) * scaleB;
      }
      face.normal = AlongAxes(axis, outwardSign, axisA, 0, axisB, 0);
      faces.push_back(face);
    }
  }
  return faces;
}

std::string Triple(const Vec3& v) {
  return F6(v.x) + "\t" + F6(v.y) + "\t" + F6(v.z);
}

}  // namespace

double ModelRadius(const ModelSpec& model) {
  double radius = 0;
  for (const ModelBox& box : model.boxes) {
    for (const double x : {box.min.x, box.max.x}) {
      for (const double y : {box.min.y, box.max.y}) {
        for (const double z : {box.min.z, box.max.z}) radius = std::max(radius, Length({x, y, z}));
      }
    }
  }
  return radius;
}

std::string Model3doText(const ModelSpec& model) {
  std::vector<Vec3> vertices;
  std::vector<Vec3> vertexNormals;
  std::vector<std::pair<double, double>> texels;
  std::map<std::pair<double, double>, int> texelIndex;
  std::string faceLines;
  std::string faceNormals;
  int faceCount = 0;
  for (const ModelBox& box : model.boxes) {
    // A box's corners, shared by its faces; each corner's normal points away from its centre.
    std::map<std::array<double, 3>, int> cornerIndex;
    const Vec3 centre = (box.min + box.max) * 0.5;
    for (const Face& face : BoxFaces(box)) {
      std::string line = std::to_string(faceCount) + ":\t" + std::to_string(face.material) +
                         "\t0x0\t4\t3\t1\t" + F6(0) + "\t4";
      for (std::size_t c = 0; c < 4; ++c) {
        const Vec3& p = face.corners[c];
        auto [vertex, added] =
            cornerIndex.try_emplace({p.x, p.y, p.z}, static_cast<int>(vertices.size()));
        if (added) {
          vertices.push_back(p);
          vertexNormals.push_back(Normalized(p - centre));
        }
        const std::pair<double, double> uv{face.texels[2 * c], face.texels[2 * c + 1]};
        auto [texel, addedTexel] = texelIndex.try_emplace(uv, static_cast<int>(texels.size()));
        if (addedTexel) texels.push_back(uv);
        line += "\t" + std::to_string(vertex->second) + ", " + std::to_string(texel->second);
      }
      faceLines += line + "\r\n";
      faceNormals += std::to_string(faceCount) + ":\t" + Triple(face.normal) + "\r\n";
      ++faceCount;
    }
  }

  const std::string radius = F6(ModelRadius(model));
  const std::string stem = model.name.substr(0, model.name.find('.'));
  std::string out = "# MODEL " + model.name + " made by Kelvarix\r\n\r\n";
  out += "SECTION: HEADER\r\n\r\n3DO 2.1\r\n\r\n";
  out += "SECTION: MODELRESOURCE\r\n\r\n# Materials list\r\nMATERIALS " +
         std::to_string(model.materials.size()) + "\r\n\r\n";
  for (std::size_t i = 0; i < model.materials.size(); ++i) {
    out += std::to_string(i) + ":\t" + model.materials[i] + "\r\n";
  }
  out += "\r\n\r\nSECTION: GEOMETRYDEF\r\n\r\n# Object radius\r\nRADIUS\t" + radius + "\r\n\r\n";
  out += "# Insertion offset\r\nINSERT OFFSET\t" + Triple({}) + "\r\n\r\n";
  out +=
      "# Number of Geometry Sets\r\nGEOSETS 1\r\n\r\n# Geometry Set definition\r\nGEOSET 0\r\n\r\n";
  out += "# Number of Meshes\r\nMESHES 1\r\n\r\n\r\n# Mesh definition\r\nMESH 0\r\n\r\n";
  out += "NAME\t" + stem + "\r\n\r\nRADIUS\t" + radius + "\r\n\r\n";
  out += "GEOMETRYMODE\t4\r\nLIGHTINGMODE\t3\r\nTEXTUREMODE\t1\r\n\r\n\r\n";
  out += "VERTICES " + std::to_string(vertices.size()) + "\r\n\r\n# num:\tx:\ty:\tz:\ti:\r\n";
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    out += std::to_string(i) + ":\t" + Triple(vertices[i]) + "\t" + F6(0) + "\r\n";
  }
  out += "\r\n\r\nTEXTURE VERTICES " + std::to_string(texels.size()) + "\r\n\r\n";
  for (std::size_t i = 0; i < texels.size(); ++i) {
    out += std::to_string(i) + ":\t" + F6(texels[i].first) + "\t" + F6(texels[i].second) + "\r\n";
  }
  out += "\r\n\r\nVERTEX NORMALS\r\n\r\n# num:\tx:\ty:\tz:\r\n";
  for (std::size_t i = 0; i < vertexNormals.size(); ++i) {
    out += std::to_string(i) + ":\t" + Triple(vertexNormals[i]) + "\r\n";
  }
  out += "\r\n\r\nFACES " + std::to_string(faceCount) +
         "\r\n\r\n#  num:\tmaterial:\ttype:\tgeo:\tlight:\ttex:\textralight:\tverts:\r\n";
  out += faceLines;
  out += "\r\n\r\nFACE NORMALS\r\n\r\n# num:\tx:\ty:\tz:\r\n" + faceNormals;
  out += "\r\n\r\nSECTION: HIERARCHYDEF\r\n\r\n# Hierarchy node list\r\nHIERARCHY NODES 1\r\n\r\n";
  out +=
      "# num:\tflags:\ttype:\tmesh:\tparent:\tchild:\tsibling:\tnumChildren:\tx:\ty:\tz:\t"
      "pitch:\tyaw:\troll:\tpivotx:\tpivoty:\tpivotz:\thnodename:\r\n";
  out += "0:\t0x0\t0x1\t0\t-1\t-1\t-1\t0\t" + Triple({}) + "\t" + Triple({}) + "\t" + Triple({}) +
         "\t" + stem + "\r\n";
  return out;
}

ModelSpec PlayerFigure(std::string name, std::string bodyMaterial, std::string headMaterial) {
  return {std::move(name),
          {std::move(bodyMaterial), std::move(headMaterial)},
          {
              {{-0.03, -0.015, -0.12}, {-0.005, 0.015, -0.04}, 0, kTexelsPerUnit},  // legs
              {{0.005, -0.015, -0.12}, {0.03, 0.015, -0.04}, 0, kTexelsPerUnit},
              {{-0.035, -0.02, -0.04}, {0.035, 0.02, 0.03}, 0, kTexelsPerUnit},     // body
              {{-0.05, -0.012, -0.03}, {-0.035, 0.012, 0.025}, 0, kTexelsPerUnit},  // arms
              {{0.035, -0.012, -0.03}, {0.05, 0.012, 0.025}, 0, kTexelsPerUnit},
              {{-0.015, -0.015, 0.03}, {0.015, 0.015, 0.06}, 1, kTexelsPerUnit},  // head
          }};
}

}  // namespace kx::building
