#pragma once

#include "editing/EditHistory.h"

#include <ctime>
#include <string>
#include <string_view>

namespace kx::editing {

/// The Edit menu's history items: "&Undo Change Light" and "&Redo Change Material", or plain
/// "&Undo" and "&Redo" when there is no such step.
std::string UndoItemText(const EditHistory& history);
std::string RedoItemText(const EditHistory& history);

/// The status bar's note after a save and after packing, with the time of day:
/// "Saved jkl\01abc.jkl at 14:02:05", "Packed gob\MYLEVEL.GOB at 14:02:05".
std::string SavedText(std::string_view jklName, const std::tm& time);
std::string PackedText(std::string_view gob2Name, const std::tm& time);

/// The local time of day now.
std::tm LocalTimeNow();

}  // namespace kx::editing
