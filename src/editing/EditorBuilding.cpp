// The Editor's building commands: the grid, the move tool, extruding, duplicating things and
// checking the level.
#include "building/SectorGeometry.h"

#include "editing/DuplicateThings.h"
#include "editing/Editor.h"
#include "editing/Extrude.h"
#include "editing/LevelCheck.h"
#include "editing/SelectionCommands.h"
#include "editing/TableMarks.h"
#include "mapview/MapNavigation.h"

namespace kx::editing {

using mapview::EditMode;

namespace {

bool Moves(EditMode mode) {
  return mode == EditMode::Vertex || mode == EditMode::Thing;
}

const char* ModeNoun(EditMode mode) {
  switch (mode) {
    case EditMode::Vertex:
      return "Vertex";
    case EditMode::Surface:
      return "Surface";
    case EditMode::Sector:
      return "Sector";
    case EditMode::Thing:
      break;
  }
  return "Thing";
}

bool InUse(const level::Level& level, const RecordRef& record) {
  const auto inUse = [&](const auto& table) {
    return table.InUse(record.index) && table[record.index].marks.empty == 0;
  };
  switch (record.mode) {
    case EditMode::Vertex:
      return inUse(level.vertices);
    case EditMode::Surface:
      return inUse(level.surfaces);
    case EditMode::Sector:
      return inUse(level.sectors);
    case EditMode::Thing:
      break;
  }
  return inUse(level.things);
}

level::RecordMarks& MarksOf(level::Level& level, const RecordRef& record) {
  switch (record.mode) {
    case EditMode::Vertex:
      return level.vertices[record.index].marks;
    case EditMode::Surface:
      return level.surfaces[record.index].marks;
    case EditMode::Sector:
      return level.sectors[record.index].marks;
    case EditMode::Thing:
      break;
  }
  return level.things[record.index].marks;
}

// Where a record is: a vertex's or thing's place, the mean of a surface's corners or of a
// sector's vertices.
mapview::WorldPoint PlaceOf(const level::Level& level, const RecordRef& record) {
  const auto mean = [&](const std::vector<std::int32_t>& vertices) {
    building::Vec3 sum;
    int count = 0;
    for (const int v : vertices) {
      if (!level.vertices.InUse(v)) continue;
      sum = sum + building::PositionOf(level, v);
      ++count;
    }
    if (count > 0) sum = sum * (1.0 / count);
    return mapview::WorldPoint{sum.x, sum.y, sum.z};
  };
  switch (record.mode) {
    case EditMode::Vertex: {
      const auto& v = level.vertices[record.index];
      return {v.x, v.y, v.z};
    }
    case EditMode::Surface: {
      const auto& s = level.surfaces[record.index];
      std::vector<std::int32_t> corners;
      for (int c = 0; c < std::clamp(s.nverts, 0, level::capacity::kSurfaceMaxVertices); ++c) {
        corners.push_back(s.vertices[static_cast<std::size_t>(c)].vertex);
      }
      return mean(corners);
    }
    case EditMode::Sector: {
      const auto vertices = building::SectorVertices(level, record.index);
      if (!vertices.empty()) return mean(vertices);
      const auto& c = level.sectors[record.index].center;
      return {c[0], c[1], c[2]};
    }
    case EditMode::Thing:
      break;
  }
  const auto& t = level.things[record.index];
  return {t.x, t.y, t.z};
}

// The surfaces in use and selected, hidden ones included, as the selection counter counts them.
std::vector<int> SelectedSurfaces(const level::Level& level) {
  std::vector<int> selected;
  for (int i = 0; i < level.surfaces.Used(); ++i) {
    const auto& marks = level.surfaces[i].marks;
    if (marks.empty == 0 && marks.selected == 1) selected.push_back(i);
  }
  return selected;
}

}  // namespace

void Editor::SetGridShown(bool shown) {
  m_gridShown = shown;
  m_window.ShowGrid(m_gridShown, m_grid.Text());
  m_window.RedrawMap();
}

void Editor::FinerGrid() {
  StepGrid(m_grid.Finer(), "finest");
}

void Editor::CoarserGrid() {
  StepGrid(m_grid.Coarser(), "coarsest");
}

void Editor::StepGrid(bool changed, const char* limit) {
  if (!changed) {
    m_window.ShowStatus(std::string("The grid step is at its ") + limit + ", " + m_grid.Text());
    return;
  }
  m_window.ShowGrid(m_gridShown, m_grid.Text());
  if (m_gridShown) m_window.RedrawMap();
}

void Editor::SetMoveTool(bool on) {
  if (on && !Moves(m_mode)) {
    m_window.ShowStatus("The move tool moves vertices and things: choose Vertex or Thing mode");
    m_window.ShowMoveTool(m_moveTool);
    return;
  }
  if (!on && m_moveTool) {
    // A drag the tool began is dropped with it, moved or not yet.
    CancelMove();
    m_gesture.Cancel();
  }
  m_moveTool = on;
  m_gesture.SetMoveTool(on);
  m_window.ShowMoveTool(on);
}

void Editor::CancelMove() {
  if (!m_move) return;
  m_move.reset();  // every record goes back
  m_gesture.Cancel();
  m_window.RedrawMap();
}

void Editor::DragMove(const MouseInput& input) {
  if (!m_move) {
    MoveSelection selection = SelectedForMove(*m_level, m_mode);
    if (selection.indices.empty()) {
      m_window.ShowStatus(std::string("Nothing to move: select ") +
                          (m_mode == EditMode::Vertex ? "vertices" : "things") + " first");
      return;
    }
    m_move.emplace(*m_level, m_history, std::move(selection), m_view.view);
  }
  m_move->Place(DragOffset(m_view, {m_gesture.PressX(), m_gesture.PressY()}, {input.x, input.y},
                           m_grid.Step(), input.shift));
  m_window.RedrawMap();
}

void Editor::FinishMove() {
  if (!m_move) return;
  const std::size_t steps = m_history.PushCount();
  const building::RuleScope changed = m_move->Finish();
  m_move.reset();
  if (m_history.PushCount() == steps) {
    m_window.RedrawMap();  // back where the drag began
    return;
  }
  m_window.UpdatePropertyPanel();
  CheckChanged(changed);
}

void Editor::Nudge(mapview::PanDirection direction) {
  CancelMove();
  MoveSelection selection = SelectedForMove(*m_level, m_mode);
  if (selection.indices.empty()) return;
  RecordMove move(*m_level, m_history, std::move(selection), m_view.view);
  move.Place(NudgeOffset(direction, m_grid.Step()));
  const building::RuleScope changed = move.Finish();
  m_window.UpdatePropertyPanel();
  CheckChanged(changed);
}

void Editor::CheckChanged(const building::RuleScope& changed) {
  const auto problems = building::FindRuleProblems(*m_level, &changed);
  m_window.ShowCheck(CheckEntries(problems), false);
  m_window.ShowStatus(CheckStatusText(problems.size()));
}

std::optional<std::string> Editor::ExtrudeRefusal() const {
  if (m_mode != EditMode::Surface) return "Extrude works on a surface: choose Surface mode.";
  const std::vector<int> selected = SelectedSurfaces(*m_level);
  if (selected.size() != 1) {
    return "Select exactly one surface to extrude (" + std::to_string(selected.size()) +
           " are selected).";
  }
  return editing::ExtrudeRefusal(*m_level, selected.front());
}

void Editor::Extrude(double distance) {
  CancelMove();
  auto refusal = ExtrudeRefusal();
  if (!refusal) refusal = DistanceRefusal(distance);
  if (refusal) {
    m_ui.ShowMessage(platform::BoxKind::Warning, *refusal);
    return;
  }
  const int surface = SelectedSurfaces(*m_level).front();
  auto change = Change("Extrude Surface");
  const Extrusion made = ExtrudeSurface(change, surface, distance);
  change.Commit();
  // The far wall is selected instead, so that E again extrudes further.
  m_level->surfaces[surface].marks.selected = 0;
  m_level->surfaces[made.farWall].marks.selected = 1;
  m_window.RedrawMap();
  UpdateSelectionCount(Selection());
  m_window.UpdatePropertyPanel();
  CheckChanged(made.changed);
}

void Editor::DuplicateThings() {
  CancelMove();
  if (m_mode != EditMode::Thing) {
    m_window.ShowStatus("Duplicate copies things: choose Thing mode");
    return;
  }
  const MoveSelection selection = SelectedForMove(*m_level, EditMode::Thing);
  if (const auto refusal = DuplicateRefusal(*m_level, selection.indices.size())) {
    m_ui.ShowMessage(platform::BoxKind::Warning, *refusal);
    return;
  }
  auto change = Change(DuplicateStepName(selection.indices.size()));
  const std::vector<int> copies =
      editing::DuplicateThings(change, selection.indices, m_view.view, m_grid.Step());
  change.Commit();
  for (const int t : selection.indices) m_level->things[t].marks.selected = 0;
  for (const int t : copies) m_level->things[t].marks.selected = 1;
  m_window.RedrawMap();
  UpdateSelectionCount(Selection());
  m_window.UpdatePropertyPanel();
  building::RuleScope changed;
  changed.things = copies;
  CheckChanged(changed);
}

void Editor::CheckLevel() {
  CancelMove();
  const auto problems = building::FindRuleProblems(*m_level);
  m_window.ShowCheck(CheckEntries(problems), true);
  m_window.ShowStatus(CheckStatusText(problems.size()));
}

void Editor::ShowRecord(const RecordRef& record) {
  CancelMove();
  if (!InUse(*m_level, record)) {
    m_window.ShowStatus(std::string(ModeNoun(record.mode)) + " " + std::to_string(record.index) +
                        " is no longer in the level");
    return;
  }
  if (record.mode != m_mode) SetEditMode(record.mode);
  ForEachMarks(*m_level, record.mode, [](level::RecordMarks& marks) { marks.selected = 0; });
  level::RecordMarks& marks = MarksOf(*m_level, record);
  marks.visible = 1;
  marks.selected = 1;
  mapview::CentreOn(m_view, m_size, PlaceOf(*m_level, record));
  m_window.RedrawMap();
  UpdateSelectionCount(Selection());
  m_window.UpdatePropertyPanel();
}

}  // namespace kx::editing
