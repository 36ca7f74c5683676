#pragma once

#include "building/BoxModel.h"

#include <vector>

namespace kx::demo {

/// The demo's models: a crate, a player and a light post.
std::vector<building::ModelSpec> DemoModels();

}  // namespace kx::demo
