#include "editing/Editor.h"

#include "editing/SelectionCommands.h"
#include "level/JklWriter.h"
#include "mapview/Colour.h"
#include "mapview/MapDrawing.h"
#include "mapview/ZoomToFit.h"
#include "platform/CommandError.h"
#include "platform/MessageBatch.h"
#include "project/RunInGame.h"
#include "project/StartUp.h"

#include <algorithm>
#include <cstring>

namespace kx::editing {

using mapview::EditMode;
using mapview::PixelCanvas;
using platform::CommandError;

namespace {

mapview::PanelSize Clamped(mapview::PanelSize size) {
  return {std::clamp(size.width, 1, PixelCanvas::kMaxSide),
          std::clamp(size.height, 1, PixelCanvas::kMaxSide)};
}

std::unique_ptr<PixelCanvas> BlankBuffer(mapview::PanelSize size) {
  auto canvas = std::make_unique<PixelCanvas>(size.width, size.height);
  canvas->Fill(mapview::colours::kBackground);
  return canvas;
}

}  // namespace

Editor::Editor(platform::Ui& ui, EditorWindow& window)
    : m_ui(ui),
      m_window(window),
      m_level(std::make_unique<level::Level>()),
      m_view(mapview::MapView::AtStart(m_size)),
      m_backBuffer(BlankBuffer(m_size)) {
  m_history.SetListener([this](ChangedParts parts) { LevelChanged(parts); });
}

Editor::~Editor() = default;

SelectionContext Editor::Selection() {
  return SelectionContext{*m_level, m_view, m_size, m_mode, m_sectorIndex, m_ui, m_window};
}

project::ProjectContext Editor::Project() {
  // The settings file is open from the first showing of the window until the exit is confirmed.
  if (!m_settings) throw CommandError("The settings file is not open");
  return project::ProjectContext{m_values, *m_settings, *m_level, m_ui, m_window};
}

void Editor::LevelChanged(ChangedParts parts) {
  // Sector picks look surfaces up in this index; a change can add surfaces or move ranges.
  if (parts.Has(RecordKind::Sector) || parts.Has(RecordKind::Counts)) {
    m_sectorIndex = SurfaceSectorIndex(*m_level);
  }
  if (parts.TouchesMap()) m_window.RedrawMap();
  m_window.LevelChanged(parts);
}

void Editor::Undo() {
  if (!m_history.CanUndo()) return;
  m_history.Undo(*m_level);
  AfterHistoryMove();
}

void Editor::Redo() {
  if (!m_history.CanRedo()) return;
  m_history.Redo(*m_level);
  AfterHistoryMove();
}

void Editor::AfterHistoryMove() {
  // Records a step appended may be gone again, with their selection.
  UpdateSelectionCount(Selection());
  m_window.UpdatePropertyPanel();
}

void Editor::StartUp(const std::filesystem::path& programDir) {
  m_settings = project::StartUp(m_values, programDir, m_ui);
  m_view = mapview::MapView::AtStart(m_size);
  m_window.FocusKeyboardSink();
}

bool Editor::ConfirmExit() {
  return project::ConfirmExit(m_ui, m_settings);
}

void Editor::ResizeMap(mapview::PanelSize size) {
  size = Clamped(size);
  if (size.width == m_size.width && size.height == m_size.height) return;
  auto resized = BlankBuffer(size);
  // While the divider is dragged the map is not redrawn; what both sizes share stays in place.
  const int rows = std::min(size.height, m_backBuffer->Height());
  const auto columns = static_cast<std::size_t>(std::min(size.width, m_backBuffer->Width()));
  for (int y = 0; y < rows; ++y) {
    std::memcpy(resized->Bits() + static_cast<std::size_t>(y) * size.width,
                m_backBuffer->Bits() + static_cast<std::size_t>(y) * m_backBuffer->Width(),
                columns * sizeof(std::uint32_t));
  }
  m_backBuffer = std::move(resized);
  m_size = size;
}

void Editor::PaintMap() {
  platform::MessageBatch messages(m_ui);
  mapview::RedrawMap({*m_level, m_view, m_size, *m_backBuffer}, m_mode, messages);
}

void Editor::PaintSelected() {
  platform::MessageBatch messages(m_ui);
  mapview::DrawSelected({*m_level, m_view, m_size, *m_backBuffer}, m_mode, messages);
}

void Editor::SetView(mapview::View view) {
  m_window.ShowView(view);
  m_view.SetView(view);
  m_window.RedrawMap();
}

void Editor::PanView(mapview::PanDirection direction, bool fast) {
  m_view.PanView(direction, fast);
  m_window.RedrawMap();
}

void Editor::ZoomIn() {
  if (m_view.ZoomIn(m_size)) m_window.RedrawMap();
}

void Editor::ZoomOut() {
  if (m_view.ZoomOut(m_size)) m_window.RedrawMap();
}

void Editor::ZoomToFit() {
  if (mapview::ZoomToFit(m_view, *m_level, m_size)) m_window.RedrawMap();
}

void Editor::SetEditMode(EditMode mode) {
  m_window.ShowEditMode(mode);
  m_mode = mode;
  m_window.RedrawMap();
  UpdateSelectionCount(Selection());
  m_window.FocusKeyboardSink();
}

void Editor::ClearSelection() {
  editing::ClearSelection(Selection());
}

void Editor::ClearSelectionFromCounter() {
  editing::ClearSelection(Selection());
  m_window.UpdatePropertyPanel();
}

void Editor::HideSelected() {
  editing::HideSelected(Selection());
}

void Editor::ShowAll() {
  editing::ShowAll(Selection());
}

void Editor::ShowSelectionOnly() {
  editing::ShowSelectionOnly(Selection());
}

void Editor::KeepFirstSelectedSurface() {
  editing::KeepFirstSelectedSurface(Selection());
}

void Editor::KeepLastSelectedSurface() {
  editing::KeepLastSelectedSurface(Selection());
}

void Editor::MouseDown(const MouseInput& input) {
  m_gesture.Press(input);
}

bool Editor::MouseMove(const MouseInput& input) {
  return m_gesture.Move(input);
}

void Editor::MouseUp(const MouseInput& input) {
  const auto pick = m_gesture.Release(input);
  if (!pick) return;
  if (pick->kind == GesturePick::Kind::InBox) {
    PickInBox(Selection(), pick->left, pick->top, pick->right, pick->bottom, pick->select);
  } else {
    PickAt(Selection(), pick->x, pick->y, pick->select, pick->ctrl);
  }
}

KeyAction Editor::KeyDown(Key key, KeyModifiers modifiers) {
  const KeyAction action = KeyActionFor(key, modifiers, m_mode);
  switch (action.command) {
    case KeyCommand::PanLeft:
      PanView(mapview::PanDirection::Left, action.fast);
      break;
    case KeyCommand::PanRight:
      PanView(mapview::PanDirection::Right, action.fast);
      break;
    case KeyCommand::PanUp:
      PanView(mapview::PanDirection::Up, action.fast);
      break;
    case KeyCommand::PanDown:
      PanView(mapview::PanDirection::Down, action.fast);
      break;
    case KeyCommand::ZoomIn:
      ZoomIn();
      break;
    case KeyCommand::ZoomOut:
      ZoomOut();
      break;
    case KeyCommand::KeepFirstSelectedSurface:
      KeepFirstSelectedSurface();
      break;
    case KeyCommand::KeepLastSelectedSurface:
      KeepLastSelectedSurface();
      break;
    case KeyCommand::ViewTop:
      SetView(mapview::View::Top);
      break;
    case KeyCommand::ViewFront:
      SetView(mapview::View::Front);
      break;
    case KeyCommand::ViewRight:
      SetView(mapview::View::Right);
      break;
    case KeyCommand::ModeVertex:
      SetEditMode(EditMode::Vertex);
      break;
    case KeyCommand::ModeSurface:
      SetEditMode(EditMode::Surface);
      break;
    case KeyCommand::ModeSector:
      SetEditMode(EditMode::Sector);
      break;
    case KeyCommand::ModeThing:
      SetEditMode(EditMode::Thing);
      break;
    case KeyCommand::HideSelected:
      HideSelected();
      break;
    case KeyCommand::ClearSelection:
      ClearSelection();
      break;
    case KeyCommand::NewProject:
    case KeyCommand::OpenProject:
    case KeyCommand::SaveProject:
    case KeyCommand::None:
      break;
  }
  return action;
}

void Editor::NewProject() {
  auto context = Project();
  project::NewProjectCommand(context);
}

void Editor::OpenProject() {
  auto context = Project();
  project::OpenProjectCommand(context);
}

void Editor::SaveProject() {
  if (!ProjectOpen()) throw CommandError("No project is open");
  platform::BusyCursor busy(m_ui);
  level::SaveLevel(*m_level, m_values.ProjectDir, m_values.JKLName, m_ui);
  m_history.MarkSaved();
}

void Editor::GobProject() {
  auto context = Project();
  project::GobProjectCommand(context);
}

void Editor::RunProject() {
  auto context = Project();
  project::RunProjectCommand(context);
}

void Editor::BeforeProjectLoad() {
  ResetMarks(Selection());
}

void Editor::ProjectOpened() {
  // The sector picks look surfaces up in this index; it describes the level just read.
  m_sectorIndex = SurfaceSectorIndex(*m_level);
  m_history.Clear();
  m_window.EnableProjectCommands();
  // Each of these redraws the map, the second for the mode the project opens in.
  SetView(mapview::View::Top);
  SetEditMode(EditMode::Surface);
}

}  // namespace kx::editing
