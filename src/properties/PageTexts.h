#pragma once

#include "level/Level.h"
#include "mapview/EditMode.h"

#include <string>
#include <vector>

namespace kx::properties {

/// The index of "the selected record" of mode's table: the first in use, visible and selected;
/// -1 when there is none (or for a mode without a page).
int SelectedRecord(const level::Level& level, mapview::EditMode mode);

/// Every selected record of mode's table (in use, visible and selected), in table order.
std::vector<int> SelectedRecords(const level::Level& level, mapview::EditMode mode);

/// The value texts of mode's page, one per row. They are filled from the selected record only
/// when count (the selection counter) is 1 and such a record exists; otherwise every text is
/// empty. The vertex page has no rows.
std::vector<std::string> PageTexts(const level::Level& level, mapview::EditMode mode, int count);

/// Three floats as the panel shows them: FormatFloat6 texts separated by one blank.
std::string Floats3Text(float a, float b, float c);

}  // namespace kx::properties
