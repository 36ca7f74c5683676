#include "building/LevelRules.h"

#include "building/SectorGeometry.h"
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

constexpr double kTolerance = kPlaneTolerance;

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
  RuleChecker(const level::Level& level, const RuleScope* scope) : m_level(level) {
    const auto mark = [](std::vector<bool>& in, int size, const std::vector<int>* named) {
      in.assign(static_cast<std::size_t>(size), named == nullptr);
      if (!named) return;
      for (const int i : *named) {
        if (i >= 0 && i < size) in[static_cast<std::size_t>(i)] = true;
      }
    };
    mark(m_surfaceNamed, level.surfaces.Used(), scope ? &scope->surfaces : nullptr);
    mark(m_sectorNamed, level.sectors.Used(), scope ? &scope->sectors : nullptr);
    mark(m_thingNamed, level.things.Used(), scope ? &scope->things : nullptr);
    m_usable.assign(static_cast<std::size_t>(level.surfaces.Used()), kUnknown);
  }

  std::vector<RuleProblem> Run() {
    for (int i = 0; i < m_level.surfaces.Used(); ++i) {
      if (m_surfaceNamed[static_cast<std::size_t>(i)]) Usable(i);
    }
    CheckSectorMembership();
    for (int s = 0; s < m_level.sectors.Used(); ++s) {
      if (m_sectorNamed[static_cast<std::size_t>(s)]) CheckSector(s);
    }
    CheckAdjoins();
    for (int t = 0; t < m_level.things.Used(); ++t) {
      if (m_thingNamed[static_cast<std::size_t>(t)]) CheckThing(t);
    }
    return std::move(m_problems);
  }

 private:
  static constexpr signed char kUnknown = -1;

  void Problem(RuleRecord record, int index, std::string text) {
    const std::vector<bool>* named = record == RuleRecord::Surface  ? &m_surfaceNamed
                                     : record == RuleRecord::Sector ? &m_sectorNamed
                                     : record == RuleRecord::Thing  ? &m_thingNamed
                                                                    : nullptr;
    if (named && !(*named)[static_cast<std::size_t>(index)]) return;
    m_problems.push_back({std::move(text), record, index});
  }
  void SurfaceProblem(int i, std::string text) { Problem(RuleRecord::Surface, i, std::move(text)); }
  void SectorProblem(int s, std::string text) { Problem(RuleRecord::Sector, s, std::move(text)); }

  // Whether a surface's corners can be used further; its problems are found once, the first
  // time it is asked about.
  bool Usable(int i) {
    auto& known = m_usable[static_cast<std::size_t>(i)];
    if (known == kUnknown) known = CheckSurface(i) ? 1 : 0;
    return known == 1;
  }

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
      SurfaceProblem(i, name + " has " + Int(surface.nverts) + " corners");
      return false;
    }
    if (surface.mat < -1 || surface.mat >= m_level.materials.count) {
      SurfaceProblem(i, name + " names material " + Int(surface.mat) + ", beyond the " +
                            Int(m_level.materials.count) + " materials");
    }
    if (surface.adjoin < -1 || surface.adjoin >= m_level.adjoins.count) {
      SurfaceProblem(i, name + " names adjoin " + Int(surface.adjoin) + ", beyond the " +
                            Int(m_level.adjoins.count) + " adjoins");
    }
    bool indicesGood = true;
    for (int c = 0; c < surface.nverts; ++c) {
      const auto& corner = surface.vertices[static_cast<std::size_t>(c)];
      if (!m_level.vertices.InUse(corner.vertex)) {
        SurfaceProblem(i, name + ": corner " + Int(c) + " names vertex " + Int(corner.vertex) +
                              ", beyond the " + Int(m_level.vertices.count) + " vertices");
        indicesGood = false;
      }
      if (!m_level.texturevertices.InUse(corner.texvertex)) {
        SurfaceProblem(i, name + ": corner " + Int(c) + " names texture vertex " +
                              Int(corner.texvertex) + ", beyond the " +
                              Int(m_level.texturevertices.count) + " texture vertices");
      }
    }
    if (!indicesGood) return false;

    std::vector<Vec3> corners;
    for (int c = 0; c < surface.nverts; ++c) {
      const int next = surface.vertices[static_cast<std::size_t>((c + 1) % surface.nverts)].vertex;
      if (surface.vertices[static_cast<std::size_t>(c)].vertex == next) {
        SurfaceProblem(i, name + " repeats vertex " + Int(next) + " at corner " + Int(c));
        return false;
      }
      corners.push_back(Corner(surface, c));
    }
    const Vec3 winding = NewellNormal(corners);
    if (Length(winding) < 1e-9) {
      SurfaceProblem(i, name + " has no area");
      return false;
    }
    const Vec3 normal = Normalized(winding);
    const Vec3 stored = StoredNormal(i);
    if (Dot(normal, stored) < 1 - kTolerance) {
      SurfaceProblem(i, name + ": its normal " + Num(stored) +
                            " disagrees with its corners' winding " + Num(normal));
    }
    for (std::size_t c = 1; c < corners.size(); ++c) {
      const double off = Dot(corners[c] - corners[0], normal);
      if (std::abs(off) > kTolerance) {
        SurfaceProblem(i, name + " is not planar: corner " + Int(static_cast<long long>(c)) +
                              " lies " + Num(off) + " off its plane");
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
        SurfaceProblem(i, name + " is not convex at corner " + Int(static_cast<long long>(c)));
        return true;
      }
      turning += std::atan2(turn, Dot(in, out));
    }
    if (std::abs(turning - 2 * std::numbers::pi) > 1e-3) {
      SurfaceProblem(i, name + " winds around more than once");
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
        SectorProblem(s,
                      "sector " + Int(s) + ": surfaces " + Int(sector.firstsurface) + " to " +
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
      const int surface = static_cast<int>(i);
      const std::string name = "surface " + Int(surface);
      if (owners[i].empty()) {
        SurfaceProblem(surface, name + " belongs to no sector");
      } else if (owners[i].size() > 1) {
        SurfaceProblem(surface, name + " belongs to sectors " + Int(owners[i][0]) + " and " +
                                    Int(owners[i][1]));
      } else {
        m_sectorOf[i] = owners[i][0];
      }
    }
  }

  void CheckSector(int s) {
    const level::Sector& sector = m_level.sectors[s];
    const std::string name = "sector " + Int(s);
    if (!SectorRangeGood(sector)) return;
    std::vector<int> surfaces;
    for (int i = sector.firstsurface; i < sector.firstsurface + sector.nsurfaces; ++i) {
      if (!Usable(i)) return;  // reported with the surface
      surfaces.push_back(i);
    }
    if (surfaces.empty()) {
      SectorProblem(s, name + " has no surfaces");
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
        SectorProblem(s, name + ": " + edgeName + " runs the same way in surfaces " +
                             Int(owners[0]) + " and " + Int(owners[1]));
      }
      if (!edges.contains({edge.second, edge.first})) {
        SectorProblem(s, name + " is not closed: " + edgeName + " of surface " + Int(owners[0]) +
                             " has no surface on its other side");
      }
    }

    // Convex, every surface facing in: all of the sector's vertices lie in front of each one.
    for (const int i : surfaces) {
      const Vec3 origin = Corner(m_level.surfaces[i], 0);
      const Vec3 normal = StoredNormal(i);
      for (const int v : used) {
        if (Dot(Position(v) - origin, normal) < -kTolerance) {
          SectorProblem(s, name + " is not convex, or surface " + Int(i) +
                               " faces out of it: vertex " + Int(v) + " lies behind it");
          break;
        }
      }
    }

    const std::set<int> listed(sector.vertexindices.begin(), sector.vertexindices.end());
    if (listed != used || static_cast<int>(sector.vertexindices.size()) != sector.nverts) {
      SectorProblem(s, name + ": its vertex list is not the vertices of its surfaces");
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
        SectorProblem(s, name + ": its bound box is not the box around its vertices " + Num(lo) +
                             " " + Num(hi));
        break;
      }
    }
    const Vec3 center = sum * (1.0 / static_cast<double>(used.size()));
    const Vec3 stored{sector.center[0], sector.center[1], sector.center[2]};
    if (Length(stored - center) > kTolerance) {
      SectorProblem(s, name + ": its centre " + Num(stored) + " is not the mean of its vertices " +
                           Num(center));
    }
    double farthest = 0;
    for (const int v : used) farthest = std::max(farthest, Length(Position(v) - stored));
    if (std::abs(sector.radius - farthest) > kTolerance) {
      SectorProblem(s, name + ": its radius " + Num(sector.radius) +
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

  void CheckAdjoins() {
    std::vector<std::vector<int>> users(static_cast<std::size_t>(m_level.adjoins.Used()));
    for (int i = 0; i < m_level.surfaces.Used(); ++i) {
      const int adjoin = m_level.surfaces[i].adjoin;
      if (adjoin >= 0 && adjoin < m_level.adjoins.Used()) {
        users[static_cast<std::size_t>(adjoin)].push_back(i);
      }
    }
    const bool whole =
        std::all_of(m_surfaceNamed.begin(), m_surfaceNamed.end(), [](bool named) { return named; });
    const auto namedUser = [&](int adjoin) {
      if (adjoin < 0 || adjoin >= m_level.adjoins.Used()) return false;
      const auto& those = users[static_cast<std::size_t>(adjoin)];
      return std::any_of(those.begin(), those.end(), [&](int surface) {
        return m_surfaceNamed[static_cast<std::size_t>(surface)];
      });
    };
    for (int a = 0; a < m_level.adjoins.Used(); ++a) {
      if (!whole && !namedUser(a) && !namedUser(m_level.adjoins[a].mirror)) continue;
      const std::string name = "adjoin " + Int(a);
      const auto& mine = users[static_cast<std::size_t>(a)];
      // An adjoin's problem is shown with the surface that uses it, or with none.
      const auto problem = [&](std::string text) {
        if (mine.empty()) {
          Problem(RuleRecord::None, -1, std::move(text));
        } else {
          m_problems.push_back({std::move(text), RuleRecord::Surface, mine[0]});
        }
      };
      if (mine.size() != 1) {
        problem(name + (mine.empty()
                            ? " is used by no surface"
                            : " is used by surfaces " + Int(mine[0]) + " and " + Int(mine[1])));
        continue;
      }
      const int mirror = m_level.adjoins[a].mirror;
      if (mirror < 0 || mirror >= m_level.adjoins.count) {
        problem(name + ": its mirror " + Int(mirror) + " is beyond the " +
                Int(m_level.adjoins.count) + " adjoins");
        continue;
      }
      if (m_level.adjoins[mirror].mirror != a) {
        problem(name + ": its mirror " + Int(mirror) + " points back to " +
                Int(m_level.adjoins[mirror].mirror));
        continue;
      }
      if (mirror >= m_level.adjoins.Used()) continue;
      const auto& theirs = users[static_cast<std::size_t>(mirror)];
      if (theirs.size() != 1) continue;  // reported for the mirror
      const int here = mine[0];
      const int there = theirs[0];
      const auto sectorHere = m_sectorOf[static_cast<std::size_t>(here)];
      if (sectorHere != -1 && sectorHere == m_sectorOf[static_cast<std::size_t>(there)]) {
        problem(name + " leads back into its own sector " + Int(sectorHere));
      }
      if (Usable(here) && Usable(there) && Cycle(here, false) != Cycle(there, true)) {
        problem(name + ": surface " + Int(here) + " and its mirror's surface " + Int(there) +
                " do not coincide");
      }
    }
  }

  void CheckThing(int t) {
    const level::Thing& thing = m_level.things[t];
    const std::string name = "thing " + Int(t) + " (" + thing.name + ")";
    const auto problem = [&](std::string text) { Problem(RuleRecord::Thing, t, std::move(text)); };
    bool known = false;
    for (int i = 0; i < m_level.templates.Used() && !known; ++i) {
      known = level::EqualsIgnoringCase(m_level.templates[i].name, thing.templateName);
    }
    if (!known) problem(name + ": no template is named " + thing.templateName);
    if (!m_level.sectors.InUse(thing.sector)) {
      problem(name + ": sector " + Int(thing.sector) + " is beyond the " +
              Int(m_level.sectors.count) + " sectors");
      return;
    }
    const level::Sector& sector = m_level.sectors[thing.sector];
    if (!SectorRangeGood(sector)) return;
    for (int i = sector.firstsurface; i < sector.firstsurface + sector.nsurfaces; ++i) {
      if (!Usable(i)) return;
    }
    const Vec3 position{thing.x, thing.y, thing.z};
    if (!SectorHolds(m_level, thing.sector, position)) {
      problem(name + " at " + Num(position) + " is not inside its sector " + Int(thing.sector));
    }
  }

  const level::Level& m_level;
  std::vector<bool> m_surfaceNamed, m_sectorNamed, m_thingNamed;
  std::vector<signed char> m_usable;  // per surface: kUnknown, 0 or 1
  std::vector<RuleProblem> m_problems;
  std::vector<int> m_sectorOf;  // per surface, -1 when it belongs to no single sector
};

}  // namespace

std::vector<RuleProblem> FindRuleProblems(const level::Level& level, const RuleScope* scope) {
  return RuleChecker(level, scope).Run();
}

std::vector<std::string> CheckLevelRules(const level::Level& level) {
  std::vector<std::string> texts;
  for (auto& problem : FindRuleProblems(level)) texts.push_back(std::move(problem.text));
  return texts;
}

}  // namespace kx::building
