#pragma once

#include "level/Level.h"
#include "mapview/Canvas.h"
#include "mapview/EditMode.h"
#include "mapview/MapView.h"
#include "mapview/TemplateLookup.h"
#include "platform/MessageBatch.h"

namespace kx::mapview {

/// What one redraw reads and where it paints. The canvas is the back buffer; showing it (the
/// copy onto the map image) is the caller's part.
struct MapFrame {
  const level::Level& level;
  MapView& view;
  PanelSize size;
  Canvas& canvas;
};

/// Paints the whole map for the mode from a cleared background: the window is recomputed, the
/// panel's part of the canvas cleared, the grid of gridStep drawn when it is above 0, then the
/// mode's layers painted in table order. Only records in use and visible are drawn. "Can't find
/// template ..." messages go to messages.
void RedrawMap(const MapFrame& frame, EditMode mode, platform::MessageBatch& messages,
               double gridStep = 0);

/// Paints only the selected records of the mode over what the canvas holds (after records were
/// added to the selection).
void DrawSelected(const MapFrame& frame, EditMode mode, platform::MessageBatch& messages);

/// The single painters the redraws are made of. Reads the frame's visible window as it is:
/// call MapView::ComputeVisibleWindow first (RedrawMap and DrawSelected do).
class MapPainter {
 public:
  explicit MapPainter(const MapFrame& frame);

  /// One edge between two vertices, skipped when both ends lie beyond the same side of the
  /// visible window; a vertex index outside the vertex table draws nothing.
  void DrawEdge(int a, int b, Colour colour);
  /// The closed outline of a surface, leaving out corners that name no vertex in use.
  void DrawSurfaceEdges(const level::Surface& surface, Colour colour);
  /// The plus-shaped cross of a vertex over, when selected, a 5x5 square.
  void DrawVertexMarker(int vertex, bool selected);
  /// A thing: a circle of its model's radius, if its template names a listed model, and a
  /// diagonal cross. A template not in the table adds "Can't find template for NAME in
  /// Draw3DThing" to messages, whether or not the thing is on the panel.
  void Draw3DThing(int thing, Colour colour, const TemplateModelIndex& templates,
                   platform::MessageBatch& messages);

 private:
  struct Corner {
    float a, b;
    PixelPoint pixel;
  };
  Corner CornerOf(int vertex) const;
  void Edge(const Corner& from, const Corner& to);

  const level::Level& m_level;
  Canvas& m_canvas;
  Projector m_project;
  ViewAxes m_axes;
  float m_minA, m_maxA, m_minB, m_maxB;
};

}  // namespace kx::mapview
