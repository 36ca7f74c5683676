#pragma once

#include "editing/Picking.h"
#include "level/Level.h"
#include "mapview/EditMode.h"

namespace kx::editing {

/// The records of the mode's table that are in use and selected, hidden ones included.
int CountSelected(const level::Level& level, mapview::EditMode mode);

/// Counts the selection of the current mode's table, shows the count through the host and
/// returns it.
int UpdateSelectionCount(const SelectionContext& context);

// Commands on the current mode's table; each repaints the map through the host.

/// Unselects every record; then the count.
void ClearSelection(const SelectionContext& context);
/// Selects every visible record in use; then the added highlight, the count and the panel, as a
/// box that held them all.
void SelectAll(const SelectionContext& context);
/// Hides and unselects every selected record; then the count.
void HideSelected(const SelectionContext& context);
/// Shows every record in use; the selection is unchanged.
void ShowAll(const SelectionContext& context);
/// Hides every unselected record.
void ShowSelectionOnly(const SelectionContext& context);
/// Keeps only the lowest-numbered (highest-numbered) visible selected surface selected among
/// the visible surfaces; nothing changes when there is none. Then the count and the panel.
void KeepFirstSelectedSurface(const SelectionContext& context);
void KeepLastSelectedSurface(const SelectionContext& context);

/// Every record in use of all four tables becomes unselected and visible; then the count.
/// Run before a new level is read.
void ResetMarks(const SelectionContext& context);

}  // namespace kx::editing
