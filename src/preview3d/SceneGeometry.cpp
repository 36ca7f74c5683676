#include "preview3d/SceneGeometry.h"

#include "preview3d/Vec3.h"

#include <algorithm>
#include <cmath>

namespace kx::preview3d {

namespace {

using mapview::EditMode;

bool IsDrawn(const level::Level& level, int k, EditMode mode) {
  if (!level.surfaces.InUse(k)) return false;
  const level::Surface& surface = level.surfaces[k];
  if (surface.marks.empty != 0 || surface.adjoin != -1) return false;
  if (mode == EditMode::Surface && surface.marks.visible != 1) return false;
  if (surface.nverts < 3 || surface.nverts > level::capacity::kSurfaceMaxVertices) return false;
  for (int j = 0; j < surface.nverts; ++j) {
    const level::SurfaceCorner& corner = surface.vertices[static_cast<std::size_t>(j)];
    if (!level.vertices.InUse(corner.vertex) || !level.texturevertices.InUse(corner.texvertex)) {
      return false;
    }
  }
  return true;
}

Vec3 PositionOf(const level::Level& level, int vertex) {
  const level::Vertex& v = level.vertices[vertex];
  return {v.x, v.y, v.z};
}

// The winding's normal (Newell's sum), whose length is twice the polygon's area.
Vec3 WindingNormal(const level::Level& level, const level::Surface& surface) {
  Vec3 sum;
  for (int j = 0; j < surface.nverts; ++j) {
    const Vec3 a = PositionOf(level, surface.vertices[static_cast<std::size_t>(j)].vertex);
    const Vec3 b = PositionOf(
        level, surface.vertices[static_cast<std::size_t>((j + 1) % surface.nverts)].vertex);
    sum =
        sum + Vec3{(a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x), (a.x - b.x) * (a.y + b.y)};
  }
  return sum;
}

enum class Facing { AsListed, Reversed, BothSides };

// Which way round the corners must run for the surface's front to be the side its normal
// points to. A normal that is missing or lies in the surface's plane cannot tell; such a
// surface is drawn from both sides rather than lost.
Facing FacingOf(const level::Level& level, int k) {
  const level::Surface& surface = level.surfaces[k];
  const auto index = static_cast<std::size_t>(k);
  const level::SurfaceNormal n =
      index < level.normals.size() ? level.normals[index] : level::SurfaceNormal{};
  const Vec3 normal{n.x, n.y, n.z};
  const Vec3 winding = WindingNormal(level, surface);
  const float along = Dot(winding, normal);
  if (std::abs(along) <= 1e-3f * Length(winding) * Length(normal)) return Facing::BothSides;
  return along > 0 ? Facing::AsListed : Facing::Reversed;
}

}  // namespace

SceneGeometry BuildSceneGeometry(const level::Level& level, EditMode mode,
                                 const SceneMaterials& materials, const BuildProgress& progress) {
  SceneGeometry scene;
  // Each texture's triangles gather in their own list; the lists are joined at the end.
  std::vector<std::vector<std::uint32_t>> perTexture(
      std::max<std::size_t>(materials.textures.size(), 1));
  const int surfaceCount = level.surfaces.Used();
  const int sectorCount = level.sectors.Used();
  for (int s = 0; s < sectorCount; ++s) {
    const level::Sector& sector = level.sectors[s];
    if (sector.marks.empty != 0) continue;
    if (mode == EditMode::Sector && sector.marks.visible != 1) continue;
    const std::int64_t first = sector.firstsurface;
    const std::int64_t end = first + std::max(sector.nsurfaces, 0);
    for (std::int64_t k64 = std::max<std::int64_t>(first, 0); k64 < end && k64 < surfaceCount;
         ++k64) {
      const int k = static_cast<int>(k64);
      if (progress) progress(k, surfaceCount);
      if (!IsDrawn(level, k, mode)) continue;
      const level::Surface& surface = level.surfaces[k];
      const auto index = static_cast<std::size_t>(k);
      const level::SurfaceNormal normal =
          index < level.normals.size() ? level.normals[index] : level::SurfaceNormal{};
      const int texture =
          std::clamp(materials.TextureOf(surface.mat), 0, static_cast<int>(perTexture.size()) - 1);
      // u and v count texels; the texture's own size turns them into 0..1 per repeat.
      float width = 1;
      float height = 1;
      if (!materials.textures.empty()) {
        const SceneTexture& image = materials.textures[static_cast<std::size_t>(texture)];
        width = static_cast<float>(image.width);
        height = static_cast<float>(image.height);
      }
      const auto base = static_cast<std::uint32_t>(scene.vertices.size());
      for (int j = 0; j < surface.nverts; ++j) {
        const level::SurfaceCorner& corner = surface.vertices[static_cast<std::size_t>(j)];
        const level::Vertex& v = level.vertices[corner.vertex];
        const level::TextureVertex& t = level.texturevertices[corner.texvertex];
        scene.vertices.push_back(
            {v.x, v.y, v.z, normal.x, normal.y, normal.z,
             surface.intensities[static_cast<std::size_t>(j)] + sector.extralight, t.u / width,
             t.v / height});
      }
      // A fan from the first corner; the corners run as the normal says.
      const Facing facing = FacingOf(level, k);
      auto& out = perTexture[static_cast<std::size_t>(texture)];
      const auto n = static_cast<std::uint32_t>(surface.nverts);
      for (std::uint32_t j = 1; j + 1 < n; ++j) {
        if (facing != Facing::Reversed) out.insert(out.end(), {base, base + j, base + j + 1});
        if (facing != Facing::AsListed) out.insert(out.end(), {base, base + j + 1, base + j});
      }
      ++scene.surfaces;
    }
  }
  for (std::size_t t = 0; t < perTexture.size(); ++t) {
    if (perTexture[t].empty()) continue;
    scene.batches.push_back({static_cast<int>(t), static_cast<std::uint32_t>(scene.indices.size()),
                             static_cast<std::uint32_t>(perTexture[t].size())});
    scene.indices.insert(scene.indices.end(), perTexture[t].begin(), perTexture[t].end());
  }
  return scene;
}

}  // namespace kx::preview3d
