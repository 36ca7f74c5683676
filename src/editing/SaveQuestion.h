#pragma once

#include "platform/Ui.h"

#include <functional>
#include <string>
#include <string_view>

namespace kx::editing {

/// "Save changes to LEVEL?"
std::string SaveQuestionText(std::string_view levelName);

/// Before a command that would lose unsaved changes (a new or another project, leaving): asks
/// SaveQuestionText with Yes, No and Cancel. Yes runs save (its failure ends the command with
/// it), No goes on without saving, Cancel stops the command. Without unsaved changes nothing is
/// asked. Returns whether the command goes on.
bool SaveChangesFirst(bool unsaved, std::string_view levelName, platform::Ui& ui,
                      const std::function<void()>& save);

}  // namespace kx::editing
