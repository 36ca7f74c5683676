#pragma once

#include "ToolCommand.h"

namespace kx::tool {

/// `3do radius`, `mat info`, `mat png` and `jkl templates`.
CommandList ResourceCommands();

}  // namespace kx::tool
