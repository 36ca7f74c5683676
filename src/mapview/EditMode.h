#pragma once

namespace kx::mapview {

/// Which table the user works on; the map's layers and the picks follow it.
enum class EditMode { Vertex = 1, Surface = 2, Sector = 3, Thing = 4 };

}  // namespace kx::mapview
