#pragma once

#include "ToolCommand.h"

namespace kx::tool {

/// `jkl stats` and `jkl normalize`: level files read and written as the editor does.
CommandList JklCommands();

}  // namespace kx::tool
