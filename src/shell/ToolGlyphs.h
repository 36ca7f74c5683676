#pragma once

#include <QIcon>

namespace kx::shell {

/// The faces of the tool buttons and the window's icon, drawn in code so that no image files or
/// image plug-ins are needed. Each is a 20 x 20 glyph; Qt greys it for a disabled button.
enum class Glyph { New, Open, Save, Preview3d, Vertex, Surface, Sector, Thing, Grid, Move };

QIcon GlyphIcon(Glyph glyph);

/// The program's icon: a map with a selected surface.
QIcon ApplicationIcon();

}  // namespace kx::shell
