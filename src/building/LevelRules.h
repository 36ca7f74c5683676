#pragma once

#include "level/Level.h"

#include <string>
#include <vector>

namespace kx::building {

/// The kind of record a broken rule is about.
enum class RuleRecord { None, Surface, Sector, Thing };

/// One broken rule: its text ("surface 4 is not planar: ...") and the record it is about.
struct RuleProblem {
  std::string text;
  RuleRecord record = RuleRecord::None;
  int index = -1;
  bool operator==(const RuleProblem&) const = default;
};

/// The records a check reports on; others are read where a named record needs them (a sector's
/// surfaces, an adjoin's mirror) but not reported on. An adjoin is reported on when a surface
/// that uses it, or uses its mirror, is named.
struct RuleScope {
  std::vector<int> surfaces;
  std::vector<int> sectors;
  std::vector<int> things;
};

/// The game's rules for a valid level, checked on the records in use: every surface planar,
/// convex, with at least three corners and a normal that agrees with its corners' winding;
/// every sector closed (each edge shared by exactly two of its surfaces, running opposite ways)
/// and convex with its surfaces facing into it, its vertex list, bound box, centre and radius
/// those of its surfaces' vertices; every adjoin used by one surface, its mirror pointing back
/// from a coinciding surface of another sector; every thing inside its sector and made from a
/// listed template. Returns one problem per broken rule, in the order surfaces, sectors, adjoins,
/// things; empty when the level keeps them all. With a scope, only problems of its records.
std::vector<RuleProblem> FindRuleProblems(const level::Level& level,
                                          const RuleScope* scope = nullptr);

/// The texts of FindRuleProblems on the whole level.
std::vector<std::string> CheckLevelRules(const level::Level& level);

}  // namespace kx::building
