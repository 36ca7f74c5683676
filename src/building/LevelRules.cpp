#include "building/LevelRules.h"

#include "building/Vec3.h"

#include "level/Numbers.h"
#include "level/Words.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <set>
#include <utility>

namespace kx::building {

namespace {

// The level file keeps six decimals; a value may be off by rounding, no more.
constexpr double kTolerance = 1e-4;

std::string Num(double value) {
  return level::FormatFloat6(static_cast<float>(value));
}
std::string Num(const Vec3& v) {
  return Num(v.x) + " " + Num(v.y) + " " + Num(v.z);
}
std::string Int(long long value) {
  return std::to_string(value);
}

class RuleChecker {
 public:
  explicit RuleChecker(const level::Level& level) : m_level(level) {}

  std::vector<std::string> Run() {
    std::vector<bool> usable(static_cast<std::size_t>(m_level.surfaces.Used()), false);
    for (int i = 0; i < m_level.surfaces.Used(); ++i) {
      usable[static_cast<std::size_t>(i)] = CheckSurface(i);
    }
    CheckSectorMembership();
    for (int s = 0; s < m_level.sectors.Used(); ++s) CheckSector(s, usable);
    CheckAdjoins(usable);
    for (int t = 0; t < m_level.things.Used(); ++t) CheckThing(t, usable);
    return std::move(m_problems);
  }

 private:
  void Problem(std::string text) { m_problems.push_back(std::move(text)); }

  Vec3 Position(int vertex) const {
    const auto& v = m_level.vertices[vertex];
    return {v.x, v.y, v.z};
  }

  Vec3 Corner(const level::Surface& surface, int c) const {
    return Position(surface.vertices[static_cast<std::size_t>(c)].vertex);
  }

  Vec3 StoredNormal(int surface) const {
    const auto& n = m_level.normals[static_cast<std::size_t>(surface)];
    return {n.x, n.y, n.z};
  }

  // Indices and the shape of one surface; false when its corners cannot be used further.
  bool CheckSurface(int i) {
    const level::Surface& surface = m_level.surfaces[i];
    const std::string name = "surface " + Int(i);
    if (surface.nverts < 3 || surface.nverts > level::capacity::kSurfaceMaxVertices) {
      Problem(name + " has " + Int(surface.nverts) + " corners");
      return false;
    }
    if (surface.mat < -1 || surface.mat >= m_level.materials.count) {
      Problem(name + " names material " + Int(surface.mat) + ", beyond the " +
              Int(m_level.materials.count) + " materials");
    }
    if (surface.adjoin < -1 || surface.adjoin >= m_level.adjoins.count) {
      Problem(name + " names adjoin " + Int(surface.adjoin) + ", beyond the " +
              Int(m_level.adjoins.count) + " adjoins");
    }
    bool indicesGood = true;
    for (int c = 0; c < surface.nverts; ++c) {
      const auto& corner = surface.vertices[static_cast<std::size_t>(c)];
      if (!m_level.vertices.InUse(corner.vertex)) {
        Problem(name + ": corner " + Int(c) + " names vertex " + Int(corner.vertex) +
                ", beyond the " + Int(m_level.vertices.count) + " vertices");
        indicesGood = false;
      }
      if (!m_level.texturevertices.InUse(corner.texvertex)) {
        Problem(name + ": corner " + Int(c) + " names texture vertex " + Int(corner.texvertex) +
                ", beyond the " + Int(m_level.texturevertices.count) + " texture vertices");
      }
    }
    if (!indicesGood) return false;

    std::vector<Vec3> corners;
    for (int c = 0; c < surface.nverts; ++c) {
      const int next = surface.vertices[static_cast<std::size_t>((c + 1) % surface.nverts)].vertex;
      if (surface.vertices[static_cast<std::size_t>(c)].vertex == next) {
        Problem(name + " repeats vertex " + Int(next) + " at corner " + Int(c));
        return false;
      }
      corners.push_back(Corner(surface, c));
    }
    const Vec3 winding = NewellNormal(corners);
    if (Length(winding) < 1e-9) {
      Problem(name + " has no area");
      return false;
    }
    const Vec3 normal = Normalized(winding);
    const Vec3 stored = StoredNormal(i);
    if (Dot(normal, stored) < 1 - kTolerance) {
      Problem(name + ": its normal " + Num(stored) + " disagrees with its corners' winding " +
              Num(normal));
    }
    for (std::size_t c = 1; c < corners.size(); ++c) {
      const double off = Dot(corners[c] - corners[0], normal);
      if (std::abs(off) > kTolerance) {
        Problem(name + " is not planar: corner " + Int(static_cast<long long>(c)) + " lies " +
                Num(off) + " off its plane");
        break;
      }
    }
    // Convex and wound once: every turn goes the same way, and the turns add up to one circle.
    double turning = 0;
    for (std::size_t c = 0; c < corners.size(); ++c) {
      const Vec3& prev = corners[(c + corners.size() - 1) % corners.size()];
      const Vec3 in = corners[c] - prev;
      const Vec3 out = corners[(c + 1) % corners.size()] - corners[c];
      const double turn = Dot(Cross(in, out), normal);
      if (turn < -kTolerance * Length(in) * Length(out)) {
        Problem(name + " is not convex at corner " + Int(static_cast<long long>(c)));
        return true;
      }
      turning += std::atan2(turn, Dot(in, out));
    }
    if (std::abs(turning - 2 * std::numbers::pi) > 1e-3) {
      Problem(name + " winds around more than once");
    }
    return true;
  }

  bool SectorRangeGood(const level::Sector& sector) const {
    return sector.firstsurface >= 0 && sector.nsurfaces >= 0 &&
           static_cast<long long>(sector.firstsurface) + sector.nsurfaces <= m_level.surfaces.count;
  }

  void CheckSectorMembership() {
    std::vector<std::vector<int>> owners(static_cast<std::size_t>(m_level.surfaces.Used()));
    for (int s = 0; s < m_level.sectors.Used(); ++s) {
      const level::Sector& sector = m_level.sectors[s];
      if (!SectorRangeGood(sector)) {
        Problem("sector " + Int(s) + ": surfaces " + Int(sector.firstsurface) + " to " +
                Int(static_cast<long long>(sector.firstsurface) + sector.nsurfaces - 1) +
                " lie outside the " + Int(m_level.surfaces.count) + " surfaces");
        continue;
      }
      for (int i = sector.firstsurface; i < sector.firstsurface + sector.nsurfaces; ++i) {
        owners[static_cast<std::size_t>(i)].push_back(s);
      }
    }
    m_sectorOf.assign(owners.size(), -1);
    for (std::size_t i = 0; i < owners.size(); ++i) {
      const std::string name = "surface " + Int(static_cast<long long>(i));
      if (owners[i].empty()) {
        Problem(name + " belongs to no sector");
      } else if (owners[i].size() > 1) {
        Problem(name + " belongs to sectors " + Int(owners[i][0]) + " and " + Int(owners[i][1]));
      } else {
        m_sectorOf[i] = owners[i][0];
      }
    }
  }

  void CheckSector(int s, const std::vector<bool>& usable) {
    const level::Sector& sector = m_level.sectors[s];
    const std::string name = "sector " + Int(s);
    if (!SectorRangeGood(sector)) return;
    std::vector<int> surfaces;
    for (int i = sector.firstsurface; i < sector.firstsurface + sector.nsurfaces; ++i) {
      if (!usable[static_cast<std::size_t>(i)]) return;  // already reported
      surfaces.push_back(i);
    }
    if (surfaces.empty()) {
      Problem(name + " has no surfaces");
      return;
    }

    // Closed: every edge is met once each way, by two different surfaces.
    std::map<std::pair<int, int>, std::vector<int>> edges;
    std::set<int> used;
    for (const int i : surfaces) {
      const level::Surface& surface = m_level.surfaces[i];
      for (int c = 0; c < surface.nverts; ++c) {
        const int a = surface.vertices[static_cast<std::size_t>(c)].vertex;
        const int b = surface.vertices[static_cast<std::size_t>((c + 1) % surface.nverts)].vertex;
        edges[{a, b}].push_back(i);
        used.insert(a);
      }
    }
    for (const auto& [edge, owners] : edges) {
      const std::string edgeName = "edge " + Int(edge.first) + "-" + Int(edge.second);
      if (owners.size() > 1) {
        Problem(name + ": " + edgeName + " runs the same way in surfaces " + Int(owners[0]) +
                " and " + Int(owners[1]));
      }
      if (!edges.contains({edge.second, edge.first})) {
        Problem(name + " is not closed: " + edgeName + " of surface " + Int(owners[0]) +
                " has no surface on its other side");
      }
    }

    // Convex, every surface facing in: all of the sector's vertices lie in front of each one.
    for (const int i : surfaces) {
      const Vec3 origin = Corner(m_level.surfaces[i], 0);
      const Vec3 normal = StoredNormal(i);
      for (const int v : used) {
        if (Dot(Position(v) - origin, normal) < -kTolerance) {
          Problem(name + " is not convex, or surface " + Int(i) + " faces out of it: vertex " +
                  Int(v) + " lies behind it");
          break;
        }
      }
    }

    const std::set<int> listed(sector.vertexindices.begin(), sector.vertexindices.end());
    if (listed != used || static_cast<int>(sector.vertexindices.size()) != sector.nverts) {
      Problem(name + ": its vertex list is not the vertices of its surfaces");
    }
    Vec3 lo = Position(*used.begin()), hi = lo, sum;
    for (const int v : used) {
      const Vec3 p = Position(v);
      lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
      hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
      sum = sum + p;
    }
    const double expectedBox[6] = {lo.x, lo.y, lo.z, hi.x, hi.y, hi.z};
    for (std::size_t k = 0; k < 6; ++k) {
      if (std::abs(sector.boundbox[k] - expectedBox[k]) > kTolerance) {
        Problem(name + ": its bound box is not the box around its vertices " + Num(lo) + " " +
                Num(hi));
        break;
      }
    }
    const Vec3 center = sum * (1.0 / static_cast<double>(used.size()));
    const Vec3 stored{sector.center[0], sector.center[1], sector.center[2]};
    if (Length(stored - center) > kTolerance) {
      Problem(name + ": its centre " + Num(stored) + " is not the mean of its vertices " +
              Num(center));
    }
    double farthest = 0;
    for (const int v : used) farthest = std::max(farthest, Length(Position(v) - stored));
    if (std::abs(sector.radius - farthest) > kTolerance) {
      Problem(name + ": its radius " + Num(sector.radius) +
              " is not the distance to its farthest " + "vertex " + Num(farthest));
    }
  }

  // The vertex cycle of a surface, started at its least vertex.
  std::vector<int> Cycle(int surface, bool reversed) const {
    const level::Surface& s = m_level.surfaces[surface];
    std::vector<int> cycle;
    for (int c = 0; c < s.nverts; ++c)
      cycle.push_back(s.vertices[static_cast<std::size_t>(c)].vertex);
    if (reversed) std::reverse(cycle.begin(), cycle.end());
    std::rotate(cycle.begin(), std::min_element(cycle.begin(), cycle.end()), cycle.end());
    return cycle;
  }

  void CheckAdjoins(const std::vector<bool>& usable) {
    std::vector<std::vector<int>> users(static_cast<std::size_t>(m_level.adjoins.Used()));
    for (int i = 0; i < m_level.surfaces.Used(); ++i) {
      const int adjoin = m_level.surfaces[i].adjoin;
      if (adjoin >= 0 && adjoin < m_level.adjoins.Used()) {
        users[static_cast<std::size_t>(adjoin)].push_back(i);
      }
    }
    for (int a = 0; a < m_level.adjoins.Used(); ++a) {
      const std::string name = "adjoin " + Int(a);
      const auto& mine = users[static_cast<std::size_t>(a)];
      if (mine.size() != 1) {
        Problem(name + (mine.empty()
                            ? " is used by no surface"
                            : " is used by surfaces " + Int(mine[0]) + " and " + Int(mine[1])));
        continue;
      }
      const int mirror = m_level.adjoins[a].mirror;
      if (mirror < 0 || mirror >= m_level.adjoins.count) {
        Problem(name + ": its mirror " + Int(mirror) + " is beyond the " +
                Int(m_level.adjoins.count) + " adjoins");
        continue;
      }
      if (m_level.adjoins[mirror].mirror != a) {
        Problem(name + ": its mirror " + Int(mirror) + " points back to " +
                Int(m_level.adjoins[mirror].mirror));
        continue;
      }
      const auto& theirs = users[static_cast<std::size_t>(mirror)];
      if (theirs.size() != 1) continue;  // reported for the mirror
      const int here = mine[0];
      const int there = theirs[0];
      const auto sectorHere = m_sectorOf[static_cast<std::size_t>(here)];
      if (sectorHere != -1 && sectorHere == m_sectorOf[static_cast<std::size_t>(there)]) {
        Problem(name + " leads back into its own sector " + Int(sectorHere));
      }
      if (usable[static_cast<std::size_t>(here)] && usable[static_cast<std::size_t>(there)] &&
          Cycle(here, false) != Cycle(there, true)) {
        Problem(name + ": surface " + Int(here) + " and its mirror's surface " + Int(there) +
                " do not coincide");
      }
    }
  }

  void CheckThing(int t, const std::vector<bool>& usable) {
    const level::Thing& thing = m_level.things[t];
    const std::string name = "thing " + Int(t) + " (" + thing.name + ")";
    bool known = false;
    for (int i = 0; i < m_level.templates.Used() && !known; ++i) {
      known = level::EqualsIgnoringCase(m_level.templates[i].name, thing.templateName);
    }
    if (!known) Problem(name + ": no template is named " + thing.templateName);
    if (!m_level.sectors.InUse(thing.sector)) {
      Problem(name + ": sector " + Int(thing.sector) + " is beyond the " +
              Int(m_level.sectors.count) + " sectors");
      return;
    }
    const level::Sector& sector = m_level.sectors[thing.sector];
    if (!SectorRangeGood(sector)) return;
    const Vec3 position{thing.x, thing.y, thing.z};
    for (int i = sector.firstsurface; i < sector.firstsurface + sector.nsurfaces; ++i) {
      if (!usable[static_cast<std::size_t>(i)]) return;
      if (Dot(position - Corner(m_level.surfaces[i], 0), StoredNormal(i)) < -kTolerance) {
        Problem(name + " at " + Num(position) + " is not inside its sector " + Int(thing.sector));
        return;
      }
    }
  }

  const level::Level& m_level;
  std::vector<std::string> m_problems;
  std::vector<int> m_sectorOf;  // per surface, -1 when it belongs to no single sector
};

}  // namespace

std::vector<std::string> CheckLevelRules(const level::Level& level) {
  return RuleChecker(level).Run();
}

}  // namespace kx::building
