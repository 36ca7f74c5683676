#include "mapview/MapDrawing.h"

#include "mapview/LevelGeometry.h"
#include "mapview/MapGrid.h"

#include <array>
#include <optional>

namespace kx::mapview {

MapPainter::MapPainter(const MapFrame& frame)
    : m_level(frame.level),
      m_canvas(frame.canvas),
      m_project(frame.view, frame.size),
      m_axes(frame.view.Axes()) {
  const VisibleWindow& window = frame.view.visibleWindow;
  switch (frame.view.view) {
    case View::Top:
      m_minA = window.minX, m_maxA = window.maxX, m_minB = window.minY, m_maxB = window.maxY;
      break;
    case View::Front:
      m_minA = window.minX, m_maxA = window.maxX, m_minB = window.minZ, m_maxB = window.maxZ;
      break;
    case View::Right:
    default:
      m_minA = window.minY, m_maxA = window.maxY, m_minB = window.minZ, m_maxB = window.maxZ;
      break;
  }
}

MapPainter::Corner MapPainter::CornerOf(int vertex) const {
  const level::Vertex& v = m_level.vertices[vertex];
  return {m_axes.A(v.x, v.y), m_axes.B(v.y, v.z), m_project(v.x, v.y, v.z)};
}

// Only edges wholly beyond one side of the window are skipped, on world coordinates and before
// any pixel is computed; an edge whose ends lie on opposite sides outside is still drawn.
void MapPainter::Edge(const Corner& from, const Corner& to) {
  if ((from.a > m_maxA && to.a > m_maxA) || (from.a < m_minA && to.a < m_minA) ||
      (from.b > m_maxB && to.b > m_maxB) || (from.b < m_minB && to.b < m_minB)) {
    return;
  }
  m_canvas.MoveTo(from.pixel.x, from.pixel.y);
  m_canvas.LineTo(to.pixel.x, to.pixel.y);
}

void MapPainter::DrawEdge(int a, int b, Colour colour) {
  const int used = m_level.vertices.Used();
  if (a < 0 || a >= used || b < 0 || b >= used) return;
  m_canvas.SetPen(colour);
  Edge(CornerOf(a), CornerOf(b));
}

void MapPainter::DrawSurfaceEdges(const level::Surface& surface, Colour colour) {
  const Outline outline = OutlineOf(m_level, surface);
  if (outline.count == 0) return;
  m_canvas.SetPen(colour);
  std::array<Corner, level::capacity::kSurfaceMaxVertices> corners;
  for (int k = 0; k < outline.count; ++k) {
    corners[static_cast<std::size_t>(k)] = CornerOf(outline.vertices[static_cast<std::size_t>(k)]);
  }
  for (int k = 0; k + 1 < outline.count; ++k) {
    Edge(corners[static_cast<std::size_t>(k)], corners[static_cast<std::size_t>(k + 1)]);
  }
  Edge(corners[static_cast<std::size_t>(outline.count - 1)], corners[0]);
}

void MapPainter::DrawVertexMarker(int vertex, bool selected) {
  if (vertex < 0 || vertex >= m_level.vertices.Used()) return;
  const Corner corner = CornerOf(vertex);
  // Markers reach past their point, so they are kept up to 2 world units beyond the window.
  if (corner.a > m_maxA + 2.0f || corner.a < m_minA - 2.0f || corner.b > m_maxB + 2.0f ||
      corner.b < m_minB - 2.0f) {
    return;
  }
  const int cx = corner.pixel.x;
  const int cy = corner.pixel.y;
  if (selected) {
    m_canvas.SetPen(colours::kSelectedVertex);
    m_canvas.SetFill(colours::kSelectedVertex);
    m_canvas.Rectangle(cx - 2, cy - 2, cx + 2, cy + 2);
  }
  m_canvas.SetPixel(cx, cy, colours::kVertex);
  m_canvas.SetPixel(cx - 1, cy, colours::kVertex);
  m_canvas.SetPixel(cx + 1, cy, colours::kVertex);
  m_canvas.SetPixel(cx, cy - 1, colours::kVertex);
  m_canvas.SetPixel(cx, cy + 1, colours::kVertex);
}

void MapPainter::Draw3DThing(int thing, Colour colour, const TemplateModelIndex& templates,
                             platform::MessageBatch& messages) {
  if (thing < 0 || thing >= m_level.things.Used()) return;
  const level::Thing& t = m_level.things[thing];
  float r = 0;
  bool hasModel = false;
  const auto found = templates.Lookup(t.templateName);
  if (found.templateIndex < 0) {
    messages.Add("Can't find template for " + t.templateName + " in Draw3DThing");
  } else if (found.modelIndex >= 0) {
    r = m_level.models[found.modelIndex].radius;
    hasModel = true;
  }
  const float a = m_axes.A(t.x, t.y);
  const float b = m_axes.B(t.y, t.z);
  if (a > m_maxA + r || a < m_minA - r || b > m_maxB + r || b < m_minB - r) return;

  m_canvas.SetPen(colour);
  m_canvas.SetNoFill();
  const float fa = m_project.OffsetA(t.x, t.y);
  const float fb = m_project.OffsetB(t.y, t.z);
  const int height = m_project.Height();
  if (hasModel) {
    const float radius = r * m_project.Scale();
    m_canvas.Ellipse(RoundPixel(fa - radius), height - RoundPixel(fb - radius),
                     RoundPixel(fa + radius), height - RoundPixel(fb + radius));
  }
  const int cx = RoundPixel(fa);
  const int cy = height - RoundPixel(fb);
  m_canvas.SetPixel(cx, cy, colour);
  m_canvas.SetPixel(cx - 1, cy - 1, colour);
  m_canvas.SetPixel(cx + 1, cy - 1, colour);
  m_canvas.SetPixel(cx - 1, cy + 1, colour);
  m_canvas.SetPixel(cx + 1, cy + 1, colour);
}

namespace {

enum class Layer { Unselected, Selected };

bool InLayer(const level::RecordMarks& marks, Layer layer) {
  return marks.IsCandidate() && (marks.selected == 1) == (layer == Layer::Selected);
}

Colour LayerColour(Layer layer) {
  return layer == Layer::Selected ? colours::kSelected : colours::kLine;
}

void AllSurfaceEdges(const level::Level& level, MapPainter& painter, Colour colour) {
  for (int s = 0; s < level.surfaces.Used(); ++s) {
    if (level.surfaces[s].marks.IsCandidate()) painter.DrawSurfaceEdges(level.surfaces[s], colour);
  }
}

void PaintLayer(const MapFrame& frame, EditMode mode, Layer layer, MapPainter& painter,
                const TemplateModelIndex* templates, platform::MessageBatch& messages) {
  const level::Level& level = frame.level;
  switch (mode) {
    case EditMode::Vertex:
      for (int v = 0; v < level.vertices.Used(); ++v) {
        if (InLayer(level.vertices[v].marks, layer)) {
          painter.DrawVertexMarker(v, layer == Layer::Selected);
        }
      }
      break;
    case EditMode::Surface:
      for (int s = 0; s < level.surfaces.Used(); ++s) {
        if (InLayer(level.surfaces[s].marks, layer)) {
          painter.DrawSurfaceEdges(level.surfaces[s], LayerColour(layer));
        }
      }
      break;
    case EditMode::Sector:
      // A sector's surfaces are drawn whatever their own marks say.
      for (int c = 0; c < level.sectors.Used(); ++c) {
        if (!InLayer(level.sectors[c].marks, layer)) continue;
        const SurfaceRange range = SurfacesOf(level, level.sectors[c]);
        for (int s = range.first; s < range.end; ++s) {
          painter.DrawSurfaceEdges(level.surfaces[s], LayerColour(layer));
        }
      }
      break;
    case EditMode::Thing:
      for (int t = 0; t < level.things.Used(); ++t) {
        if (InLayer(level.things[t].marks, layer)) {
          painter.Draw3DThing(t, LayerColour(layer), *templates, messages);
        }
      }
      break;
  }
}

}  // namespace

void RedrawMap(const MapFrame& frame, EditMode mode, platform::MessageBatch& messages,
               double gridStep) {
  frame.view.ComputeVisibleWindow(frame.size);
  frame.canvas.SetNoPen();
  frame.canvas.SetFill(colours::kBackground);
  frame.canvas.Rectangle(-1, -1, frame.size.width + 1, frame.size.height + 1);
  if (gridStep > 0) DrawGrid(frame.canvas, frame.view, frame.size, gridStep);

  MapPainter painter(frame);
  std::optional<TemplateModelIndex> templates;
  if (mode == EditMode::Thing) templates.emplace(frame.level);
  // Vertex and Thing modes draw the outlines under their records, ignoring the surface marks.
  if (mode == EditMode::Vertex) AllSurfaceEdges(frame.level, painter, colours::kLine);
  if (mode == EditMode::Thing) AllSurfaceEdges(frame.level, painter, colours::kDimLine);
  const TemplateModelIndex* index = templates ? &*templates : nullptr;
  PaintLayer(frame, mode, Layer::Unselected, painter, index, messages);
  PaintLayer(frame, mode, Layer::Selected, painter, index, messages);
}

void DrawSelected(const MapFrame& frame, EditMode mode, platform::MessageBatch& messages) {
  frame.view.ComputeVisibleWindow(frame.size);
  MapPainter painter(frame);
  std::optional<TemplateModelIndex> templates;
  if (mode == EditMode::Thing) templates.emplace(frame.level);
  PaintLayer(frame, mode, Layer::Selected, painter, templates ? &*templates : nullptr, messages);
}

}  // namespace kx::mapview
