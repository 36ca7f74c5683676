#pragma once

#include "platform/Ui.h"

#include <exception>
#include <functional>

namespace kx::platform {

/// The top-level handler around every user command: runs it, and when it fails shows the
/// failure in an "Error" box (a CommandError's FullText(), or the text of any other exception)
/// so that the program goes on with whatever state the command reached. Returns whether the
/// command ran to its end.
bool RunCommand(Ui& ui, const std::function<void()>& command);

/// Shows a failure in an "Error" box as the top-level handler does, for a command that reports
/// a failure itself before it cleans up and goes on.
void ShowFailure(Ui& ui, const std::exception_ptr& failure);

}  // namespace kx::platform
