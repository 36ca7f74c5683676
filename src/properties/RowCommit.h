#pragma once

#include "editing/Editor.h"
#include "mapview/EditMode.h"
#include "properties/PropertyRows.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kx::properties {

/// A thing's line in the level file, line end included, is kept within this many characters:
/// Params that would make it longer are refused. Real levels' thing lines stay near 300.
inline constexpr std::size_t kMaxThingLine = 1024;

/// Commits text typed into a typed row of mode's page: when the text is valid for the row and
/// every selected record can hold the value, writes it into every selected record as one step
/// named row.StepName() and returns the value label's new text. Returns nullopt, writing
/// nothing, when the text is refused, when no record is selected, or for a chosen row.
///  - Integer rows take a valid integer (shown as typed; the thing's Sector in decimal). Adjoin
///    must be -1 or an index of the adjoins table, a thing's Sector -1 or one of the sectors.
///  - Float rows take a valid, finite float (shown as FormatFloat6).
///  - Rotation takes three valid finite floats separated by blanks: pitch, yaw, roll.
///  - Params take a text without a line break or other control character (tabs aside) and
///    without "#", which the reader would cut the line at; blanks at either end are dropped, as
///    the reader drops them. Each thing's line must stay within kMaxThingLine.
std::optional<std::string> CommitTyped(editing::Editor& editor, mapview::EditMode mode,
                                       const RowInfo& row, std::string_view text);

}  // namespace kx::properties
