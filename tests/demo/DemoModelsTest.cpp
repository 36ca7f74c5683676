#include "DemoModels.h"

#include "resources/LineSource.h"
#include "resources/ModelRadius.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace kx::demo {
namespace {

// The mesh of a 3DO text as the game reads it: vertices, faces as vertex lists, face normals.
struct Mesh {
  std::vector<Vec3> vertices;
  std::vector<std::vector<int>> faces;
  std::vector<int> faceMaterials;
  std::vector<Vec3> faceNormals;
  int materials = 0;
};

Mesh ParseMesh(const std::string& text) {
  Mesh mesh;
  std::istringstream lines(text);
  std::string line, section;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line.find(':') == std::string::npos || line.starts_with("SECTION")) {
      section = line.substr(0, line.find_first_of(" \t"));
      if (section == "MATERIALS") mesh.materials = std::stoi(line.substr(10));
      if (line.starts_with("FACE NORMALS")) section = "FACENORMALS";
      continue;
    }
    std::istringstream words(line.substr(line.find(':') + 1));
    if (section == "VERTICES") {
      Vec3 v;
      words >> v.x >> v.y >> v.z;
      mesh.vertices.push_back(v);
    } else if (section == "FACES") {
      int material, geo, light, tex, count;
      std::string type;
      double extralight;
      words >> material >> type >> geo >> light >> tex >> extralight >> count;
      std::vector<int> face;
      for (int c = 0; c < count; ++c) {
        int vertex, texel;
        char comma;
        words >> vertex >> comma >> texel;
        face.push_back(vertex);
      }
      mesh.faces.push_back(face);
      mesh.faceMaterials.push_back(material);
    } else if (section == "FACENORMALS") {
      Vec3 n;
      words >> n.x >> n.y >> n.z;
      mesh.faceNormals.push_back(n);
    }
  }
  return mesh;
}

TEST(DemoModelsTest, EveryModelIsClosedAndFacesOutwards) {
  for (const ModelSpec& model : DemoModels()) {
    const Mesh mesh = ParseMesh(Model3doText(model));
    ASSERT_EQ(mesh.faces.size(), 6 * model.boxes.size()) << model.name;
    ASSERT_EQ(mesh.faceNormals.size(), mesh.faces.size()) << model.name;
    EXPECT_EQ(mesh.materials, static_cast<int>(model.materials.size()));
    std::map<std::pair<int, int>, int> edges;
    double volume = 0;  // positive when the faces wind counter-clockwise seen from outside
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
      const auto& face = mesh.faces[f];
      std::vector<Vec3> corners;
      for (const int v : face) corners.push_back(mesh.vertices.at(static_cast<std::size_t>(v)));
      EXPECT_NEAR(Dot(Normalized(NewellNormal(corners)), mesh.faceNormals[f]), 1, 1e-6)
          << model.name << " face " << f;
      for (std::size_t c = 0; c < face.size(); ++c) ++edges[{face[c], face[(c + 1) % face.size()]}];
      for (std::size_t c = 1; c + 1 < corners.size(); ++c) {
        volume += Dot(corners[0], Cross(corners[c], corners[c + 1])) / 6;
      }
      EXPECT_LT(mesh.faceMaterials[f], mesh.materials) << model.name;
    }
    for (const auto& [edge, count] : edges) {
      EXPECT_EQ(count, 1) << model.name;
      EXPECT_EQ(edges.count({edge.second, edge.first}), 1u) << model.name << " is open";
    }
    double boxes = 0;
    for (const auto& box : model.boxes) {
      const Vec3 size = box.max - box.min;
      boxes += size.x * size.y * size.z;
    }
    EXPECT_NEAR(volume, boxes, 1e-9) << model.name;
  }
}

TEST(DemoModelsTest, RadiusLineIsTheDistanceToTheFarthestVertex) {
  for (const ModelSpec& model : DemoModels()) {
    const std::string text = Model3doText(model);
    const Mesh mesh = ParseMesh(text);
    double farthest = 0;
    for (const Vec3& v : mesh.vertices) farthest = std::max(farthest, Length(v));
    resources::StringLineSource lines(text);
    const auto radius = resources::Read3DORadius(lines);
    ASSERT_TRUE(radius.has_value()) << model.name;
    EXPECT_NEAR(*radius, farthest, 1e-6) << model.name;
    EXPECT_NEAR(ModelRadius(model), farthest, 1e-9) << model.name;
  }
}

}  // namespace
}  // namespace kx::demo
