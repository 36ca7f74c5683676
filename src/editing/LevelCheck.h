#pragma once

#include "building/LevelRules.h"

#include "editing/MessageList.h"

#include <string>
#include <vector>

namespace kx::editing {

/// The Messages panel's entries for the problems a check found: each problem's text, with the
/// record it is about when that is a surface, sector or thing.
std::vector<MessageEntry> CheckEntries(const std::vector<building::RuleProblem>& problems);

/// What the status bar says after a check: "Level OK", "1 problem", "N problems".
std::string CheckStatusText(std::size_t problems);

}  // namespace kx::editing
