#include "building/BoxBuilder.h"

#include "building/SectorGeometry.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace kx::building {

namespace {

// Geometry is worked out in whole micro-units: the six decimals the level file keeps, and exact
// arithmetic for telling whether a corner lies on an edge.
using Micro = std::int64_t;
constexpr double kMicrosPerUnit = 1e6;

Micro ToMicro(double value) {
  return std::llround(value * kMicrosPerUnit);
}
double FromMicro(Micro value) {
  return static_cast<double>(value) / kMicrosPerUnit;
}

using GridPoint = std::array<Micro, 3>;

struct Box {
  GridPoint lo, hi;
};

Box MicroBox(const BoxSector& sector) {
  return {{ToMicro(sector.min.x), ToMicro(sector.min.y), ToMicro(sector.min.z)},
          {ToMicro(sector.max.x), ToMicro(sector.max.y), ToMicro(sector.max.z)}};
}

// A side's place: the axis it faces along, whether it lies at the box's greatest value there,
// and the two axes of its plane in x, y, z order.
struct SideFrame {
  int normalAxis;
  bool atMax;
  int axisA;
  int axisB;
};

SideFrame FrameOf(Side side) {
  const int index = static_cast<int>(side);
  const int axis = index / 2;
  return {axis, index % 2 == 1, axis == 0 ? 1 : 0, axis == 2 ? 1 : 2};
}

Side SideOf(int axis, bool atMax) {
  return static_cast<Side>(axis * 2 + (atMax ? 1 : 0));
}

struct Rect {
  Micro a0, a1, b0, b1;
  bool operator==(const Rect&) const = default;
};

struct Opening {
  int a, b;
  Side sideA, sideB;
  Rect rect;  // in the two axes of the sides' common plane
};

// Where two boxes touch over an area: the sides that meet and their common part.
std::optional<Opening> FindOpening(const Box& a, const Box& b, int ia, int ib) {
  for (int axis = 0; axis < 3; ++axis) {
    bool aAtMax;
    if (a.hi[axis] == b.lo[axis]) {
      aAtMax = true;
    } else if (a.lo[axis] == b.hi[axis]) {
      aAtMax = false;
    } else {
      continue;
    }
    const SideFrame frame = FrameOf(SideOf(axis, aAtMax));
    const Rect rect{std::max(a.lo[frame.axisA], b.lo[frame.axisA]),
                    std::min(a.hi[frame.axisA], b.hi[frame.axisA]),
                    std::max(a.lo[frame.axisB], b.lo[frame.axisB]),
                    std::min(a.hi[frame.axisB], b.hi[frame.axisB])};
    if (rect.a1 > rect.a0 && rect.b1 > rect.b0) {
      return Opening{ia, ib, SideOf(axis, aAtMax), SideOf(axis, !aAtMax), rect};
    }
  }
  return std::nullopt;
}

// One convex piece of a side: solid, or an opening into another sector.
struct Piece {
  Rect rect;
  int opening = -1;
};

// Cuts a side into rectangles: its openings, and the solid rest in strips along axis a, merged
// with the strip below when they span the same width.
std::vector<Piece> PartitionSide(const Rect& side, const std::vector<std::pair<Rect, int>>& holes) {
  std::vector<Micro> as{side.a0, side.a1};
  std::vector<Micro> bs{side.b0, side.b1};
  for (const auto& [rect, id] : holes) {
    as.insert(as.end(), {rect.a0, rect.a1});
    bs.insert(bs.end(), {rect.b0, rect.b1});
  }
  for (auto* cuts : {&as, &bs}) {
    std::sort(cuts->begin(), cuts->end());
    cuts->erase(std::unique(cuts->begin(), cuts->end()), cuts->end());
  }
  auto owner = [&](std::size_t i, std::size_t j) {
    int found = -1;
    for (const auto& [rect, id] : holes) {
      if (as[i] >= rect.a0 && as[i + 1] <= rect.a1 && bs[j] >= rect.b0 && bs[j + 1] <= rect.b1) {
        if (found != -1) throw std::logic_error("two openings overlap on one side of a sector");
        found = id;
      }
    }
    return found;
  };

  std::vector<Piece> pieces;
  std::vector<std::size_t> openStrips;  // strips that reach the current band's bottom
  for (std::size_t j = 0; j + 1 < bs.size(); ++j) {
    std::vector<std::size_t> reaching;
    for (std::size_t i = 0; i + 1 < as.size();) {
      if (owner(i, j) != -1) {
        ++i;
        continue;
      }
      std::size_t end = i + 1;
      while (end + 1 < as.size() && owner(end, j) == -1) ++end;
      const Rect strip{as[i], as[end], bs[j], bs[j + 1]};
      auto below = std::find_if(openStrips.begin(), openStrips.end(), [&](std::size_t k) {
        return pieces[k].rect.a0 == strip.a0 && pieces[k].rect.a1 == strip.a1;
      });
      if (below != openStrips.end()) {
        pieces[*below].rect.b1 = strip.b1;
        reaching.push_back(*below);
      } else {
        pieces.push_back({strip, -1});
        reaching.push_back(pieces.size() - 1);
      }
      i = end;
    }
    openStrips = std::move(reaching);
  }
  for (const auto& [rect, id] : holes) pieces.push_back({rect, id});
  return pieces;
}

// The rectangle's corners in 3D, running counter-clockwise seen from inside the box, so that
// the surface faces into its sector as the game expects.
std::vector<GridPoint> Corners(const Rect& rect, const SideFrame& frame, Micro plane) {
  std::vector<GridPoint> corners;
  for (const auto& [a, b] : {std::pair{rect.a0, rect.b0}, std::pair{rect.a1, rect.b0},
                             std::pair{rect.a1, rect.b1}, std::pair{rect.a0, rect.b1}}) {
    GridPoint p{};
    p[static_cast<std::size_t>(frame.normalAxis)] = plane;
    p[static_cast<std::size_t>(frame.axisA)] = a;
    p[static_cast<std::size_t>(frame.axisB)] = b;
    corners.push_back(p);
  }
  // Axis a crossed with axis b points along +x and +z, but along -y.
  const int windingSign = frame.normalAxis == 1 ? -1 : 1;
  const int inwardSign = frame.atMax ? -1 : 1;
  if (windingSign != inwardSign) std::reverse(corners.begin(), corners.end());
  return corners;
}

// Whether r lies on the segment from p to q, strictly between its ends.
bool StrictlyInside(const GridPoint& p, const GridPoint& q, const GridPoint& r) {
  const Micro d[3] = {q[0] - p[0], q[1] - p[1], q[2] - p[2]};
  const Micro e[3] = {r[0] - p[0], r[1] - p[1], r[2] - p[2]};
  if (d[1] * e[2] - d[2] * e[1] != 0 || d[2] * e[0] - d[0] * e[2] != 0 ||
      d[0] * e[1] - d[1] * e[0] != 0) {
    return false;
  }
  const Micro along = d[0] * e[0] + d[1] * e[1] + d[2] * e[2];
  return along > 0 && along < d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
}

// The corners with every point of the pool that lies on an edge added to that edge, nearest
// first: a neighbour cut at that point then shares the edge piece by piece.
std::vector<GridPoint> WithEdgePoints(const std::vector<GridPoint>& corners,
                                      const std::vector<GridPoint>& pool) {
  std::vector<GridPoint> result;
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const GridPoint& p = corners[i];
    const GridPoint& q = corners[(i + 1) % corners.size()];
    result.push_back(p);
    std::vector<std::pair<Micro, GridPoint>> between;
    for (const GridPoint& r : pool) {
      if (StrictlyInside(p, q, r)) {
        between.emplace_back(std::abs(r[0] - p[0]) + std::abs(r[1] - p[1]) + std::abs(r[2] - p[2]),
                             r);
      }
    }
    std::sort(between.begin(), between.end());
    for (const auto& [distance, r] : between) result.push_back(r);
  }
  return result;
}

struct AxisDirection {
  int axis;
  Micro sign;
};

// The world directions texels run along on a side. Texture rows run downwards, and on a wall
// u runs to the right as seen from inside the sector, so that materials stand upright and
// unmirrored. Texels follow world coordinates, so neighbouring surfaces continue each other's
// pattern.
std::pair<AxisDirection, AxisDirection> TextureAxes(Side side) {
  switch (side) {
    case Side::West:
      return {{1, 1}, {2, -1}};
    case Side::East:
      return {{1, -1}, {2, -1}};
    case Side::South:
      return {{0, -1}, {2, -1}};
    case Side::North:
      return {{0, 1}, {2, -1}};
    case Side::Floor:
      return {{0, 1}, {1, -1}};
    case Side::Ceiling:
      break;
  }
  return {{0, -1}, {1, -1}};
}

struct Polygon {
  int sector;
  Side side;
  int opening;  // -1 for a solid surface
  std::vector<GridPoint> corners;
};

template <typename T>
void Require(const level::Table<T>& table, std::size_t count, const char* what) {
  if (count > static_cast<std::size_t>(table.Capacity())) {
    throw std::logic_error(std::string("the boxes make more ") + what + " than a level holds");
  }
}

}  // namespace

int BoxBuilder::AddSector(const BoxSector& sector) {
  const Box box = MicroBox(sector);
  for (int axis = 0; axis < 3; ++axis) {
    if (box.hi[axis] <= box.lo[axis]) {
      throw std::invalid_argument("sector " + std::to_string(m_sectors.size()) + " has no volume");
    }
  }
  m_sectors.push_back(sector);
  return static_cast<int>(m_sectors.size()) - 1;
}

void BoxBuilder::Join(int a, int b) {
  const int count = static_cast<int>(m_sectors.size());
  const std::string pair = "sectors " + std::to_string(a) + " and " + std::to_string(b);
  if (a < 0 || b < 0 || a >= count || b >= count || a == b) {
    throw std::invalid_argument("cannot join " + pair);
  }
  for (const auto& join : m_joins) {
    if ((join[0] == a && join[1] == b) || (join[0] == b && join[1] == a)) {
      throw std::invalid_argument(pair + " are already joined");
    }
  }
  const auto sa = static_cast<std::size_t>(a);
  const auto sb = static_cast<std::size_t>(b);
  if (!FindOpening(MicroBox(m_sectors[sa]), MicroBox(m_sectors[sb]), a, b)) {
    throw std::invalid_argument(pair + " do not touch over an area");
  }
  m_joins.push_back({a, b});
}

void BoxBuilder::Build(level::Level& level) const {
  std::vector<Box> boxes;
  for (const auto& sector : m_sectors) boxes.push_back(MicroBox(sector));
  std::vector<Opening> openings;
  for (const auto& [a, b] : m_joins) {
    openings.push_back(
        *FindOpening(boxes[static_cast<std::size_t>(a)], boxes[static_cast<std::size_t>(b)], a, b));
  }

  // Each side of each box in pieces, sector by sector, side by side.
  std::vector<Polygon> polygons;
  for (std::size_t s = 0; s < boxes.size(); ++s) {
    const Box& box = boxes[s];
    for (int sideIndex = 0; sideIndex < kSideCount; ++sideIndex) {
      const Side side = static_cast<Side>(sideIndex);
      const SideFrame frame = FrameOf(side);
      const auto axisA = static_cast<std::size_t>(frame.axisA);
      const auto axisB = static_cast<std::size_t>(frame.axisB);
      const Rect whole{box.lo[axisA], box.hi[axisA], box.lo[axisB], box.hi[axisB]};
      std::vector<std::pair<Rect, int>> holes;
      for (std::size_t k = 0; k < openings.size(); ++k) {
        const Opening& o = openings[k];
        if ((o.a == static_cast<int>(s) && o.sideA == side) ||
            (o.b == static_cast<int>(s) && o.sideB == side)) {
          holes.emplace_back(o.rect, static_cast<int>(k));
        }
      }
      const Micro plane = frame.atMax ? box.hi[static_cast<std::size_t>(frame.normalAxis)]
                                      : box.lo[static_cast<std::size_t>(frame.normalAxis)];
      for (const Piece& piece : PartitionSide(whole, holes)) {
        polygons.push_back(
            {static_cast<int>(s), side, piece.opening, Corners(piece.rect, frame, plane)});
      }
    }
  }

  std::vector<GridPoint> pool;
  for (const auto& polygon : polygons) {
    for (const auto& corner : polygon.corners) {
      if (std::find(pool.begin(), pool.end(), corner) == pool.end()) pool.push_back(corner);
    }
  }
  for (auto& polygon : polygons) polygon.corners = WithEdgePoints(polygon.corners, pool);

  // Vertices and texture vertices are numbered in the order the surfaces first use them.
  std::map<GridPoint, int> vertexIndex;
  std::vector<GridPoint> vertices;
  std::map<std::pair<Micro, Micro>, int> texIndex;
  std::vector<std::pair<Micro, Micro>> texVertices;
  std::vector<level::Surface> surfaces;
  std::vector<level::SurfaceNormal> normals;
  std::vector<std::pair<int, int>> adjoinOf;  // per adjoin: the opening and the sector it is in
  std::vector<int> surfaceSector;
  for (const auto& polygon : polygons) {
    const SideFrame frame = FrameOf(polygon.side);
    const SurfaceLook& look = m_sectors[static_cast<std::size_t>(polygon.sector)]
                                  .looks[static_cast<std::size_t>(polygon.side)];
    level::Surface surface;
    surface.mat = look.mat;
    if (polygon.opening == -1) {
      surface.surfflags = look.surfflags;
      surface.faceflags = look.faceflags;
      surface.geo = look.geo;
      surface.light = look.light;
      surface.tex = look.tex;
      surface.extralight = look.extralight;
      surface.adjoin = -1;
    } else {
      // An opening is not drawn and does not collide; it keeps its side's material.
      SetOpeningLook(surface);
      surface.adjoin = static_cast<std::int32_t>(adjoinOf.size());
      adjoinOf.emplace_back(polygon.opening, polygon.sector);
    }
    if (polygon.corners.size() > static_cast<std::size_t>(level::capacity::kSurfaceMaxVertices)) {
      throw std::logic_error("a surface of the boxes has more corners than the game allows");
    }
    surface.nverts = static_cast<std::int32_t>(polygon.corners.size());
    for (std::size_t c = 0; c < polygon.corners.size(); ++c) {
      const GridPoint& p = polygon.corners[c];
      auto [vertex, addedVertex] = vertexIndex.try_emplace(p, static_cast<int>(vertices.size()));
      if (addedVertex) vertices.push_back(p);
      const auto [uAxis, vAxis] = TextureAxes(polygon.side);
      const auto texels = [&](const AxisDirection& along) {
        return p[static_cast<std::size_t>(along.axis)] * along.sign *
               static_cast<Micro>(kTexelsPerUnit);
      };
      const std::pair<Micro, Micro> uv{texels(uAxis), texels(vAxis)};
      auto [tex, addedTex] = texIndex.try_emplace(uv, static_cast<int>(texVertices.size()));
      if (addedTex) texVertices.push_back(uv);
      surface.vertices[c] = {vertex->second, tex->second};
    }
    surface.marks = {0, 0, 1};
    surfaces.push_back(surface);
    level::SurfaceNormal normal;
    const float inward = frame.atMax ? -1.0f : 1.0f;
    (frame.normalAxis == 0 ? normal.x : frame.normalAxis == 1 ? normal.y : normal.z) = inward;
    normals.push_back(normal);
    surfaceSector.push_back(polygon.sector);
  }

  Require(level.vertices, vertices.size(), "vertices");
  Require(level.texturevertices, texVertices.size(), "texture vertices");
  Require(level.adjoins, adjoinOf.size(), "adjoins");
  Require(level.surfaces, surfaces.size(), "surfaces");
  Require(level.sectors, m_sectors.size(), "sectors");

  level.vertices.count = static_cast<std::int32_t>(vertices.size());
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    level.vertices[static_cast<int>(i)] = {static_cast<float>(FromMicro(vertices[i][0])),
                                           static_cast<float>(FromMicro(vertices[i][1])),
                                           static_cast<float>(FromMicro(vertices[i][2])),
                                           {0, 0, 1}};
  }
  level.texturevertices.count = static_cast<std::int32_t>(texVertices.size());
  for (std::size_t i = 0; i < texVertices.size(); ++i) {
    level.texturevertices[static_cast<int>(i)] = {
        static_cast<float>(FromMicro(texVertices[i].first)),
        static_cast<float>(FromMicro(texVertices[i].second))};
  }
  level.adjoins.count = static_cast<std::int32_t>(adjoinOf.size());
  for (std::size_t i = 0; i < adjoinOf.size(); ++i) {
    const auto [opening, sector] = adjoinOf[i];
    const auto mirror = std::find_if(adjoinOf.begin(), adjoinOf.end(), [&](const auto& other) {
      return other.first == opening && other.second != sector;
    });
    level.adjoins[static_cast<int>(i)] = {kOpenAdjoinFlags,
                                          static_cast<std::int32_t>(mirror - adjoinOf.begin()), 0};
  }
  level.surfaces.count = static_cast<std::int32_t>(surfaces.size());
  level.normals.resize(std::max(level.normals.size(), surfaces.size()));
  for (std::size_t i = 0; i < surfaces.size(); ++i) {
    level.surfaces[static_cast<int>(i)] = surfaces[i];
    level.normals[i] = normals[i];
  }

  level.sectors.count = static_cast<std::int32_t>(m_sectors.size());
  int nextSurface = 0;
  for (std::size_t s = 0; s < m_sectors.size(); ++s) {
    level::Sector sector = m_sectors[s].values;
    sector.firstsurface = nextSurface;
    sector.nsurfaces = 0;
    std::vector<std::int32_t> used;
    for (std::size_t i = 0; i < surfaces.size(); ++i) {
      if (surfaceSector[i] != static_cast<int>(s)) continue;
      ++sector.nsurfaces;
      for (int c = 0; c < surfaces[i].nverts; ++c) {
        used.push_back(surfaces[i].vertices[static_cast<std::size_t>(c)].vertex);
      }
    }
    nextSurface += sector.nsurfaces;
    std::sort(used.begin(), used.end());
    used.erase(std::unique(used.begin(), used.end()), used.end());
    sector.vertexindices = used;
    sector.nverts = static_cast<std::int32_t>(used.size());

    // The bound box, centre and radius are the game's quick tests of what a sector may hold.
    std::vector<Vec3> points;
    for (const int v : used) {
      const GridPoint& p = vertices[static_cast<std::size_t>(v)];
      points.push_back({FromMicro(p[0]), FromMicro(p[1]), FromMicro(p[2])});
    }
    SetBounds(sector, BoundsOf(points));
    sector.marks = {0, 0, 1};
    level.sectors[static_cast<int>(s)] = std::move(sector);
  }
}

}  // namespace kx::building
