#include "editing/Editor.h"

#include "editing/CommandTexts.h"
#include "editing/SaveQuestion.h"
#include "editing/SelectionCommands.h"
#include "level/JklWriter.h"
#include "level/Words.h"
#include "mapview/Colour.h"
#include "mapview/MapDrawing.h"
#include "mapview/ZoomToFit.h"
#include "platform/CommandError.h"
#include "platform/MessageBatch.h"
#include "project/RunInGame.h"
#include "project/StartUp.h"

#include <algorithm>
#include <cstdlib>
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
  if (m_recoverySchedule.Changed(m_history.PushCount()) && m_history.Modified()) WriteRecovery();
  ShowUnsavedMark();
  m_window.LevelChanged(parts);
}

void Editor::ShowUnsavedMark() {
  if (!ProjectOpen()) return;
  const bool unsaved = m_history.Modified();
  if (unsaved == m_captionMarked) return;
  m_captionMarked = unsaved;
  m_ui.SetMainCaption(project::ProjectCaption(m_values.LevelName, unsaved));
}

bool Editor::SaveChangesFirst() {
  return editing::SaveChangesFirst(ProjectOpen() && m_history.Modified(), m_values.LevelName, m_ui,
                                   [this] { SaveProject(); });
}

void Editor::WriteRecovery() {
  try {
    m_recovery.Write(*m_level);
    m_recoveryHeld = true;
    m_recoverySchedule.Written();
  } catch (const CommandError& error) {
    m_ui.Note("The recovery file " + m_recovery.ShownName() +
              " could not be written: " + error.FullText());
  }
}

void Editor::RemoveRecovery() {
  try {
    m_recovery.Remove();
    m_recoveryHeld = false;
  } catch (const CommandError& error) {
    m_ui.Note("The recovery file " + m_recovery.ShownName() +
              " could not be removed: " + error.FullText());
  }
}

void Editor::RecoveryTick(RecoverySchedule::Clock::time_point now) {
  // A move being dragged shows records at places that are no change of the level yet.
  if (!ProjectOpen() || m_move) return;
  const bool unsaved = m_history.Modified();
  // Undone back to its save, the level needs no recovery; the file would bring back what was
  // undone.
  if (!unsaved && m_recoveryHeld) RemoveRecovery();
  if (m_recoverySchedule.Tick(now, unsaved)) WriteRecovery();
}

void Editor::OfferRecovery() {
  if (!m_recovery.NewerThanLevel()) return;
  const std::string question = "Unsaved changes of " + m_values.LevelName +
                               " were kept in the recovery file " + m_recovery.ShownName() +
                               ", which is newer than the level file.\r\rRestore them? No " +
                               "deletes the recovery file.";
  if (!m_ui.AskYesNo(question)) {
    RemoveRecovery();
    return;
  }
  auto restored = std::make_unique<level::Level>();
  restored->episode = m_level->episode;
  try {
    m_recovery.Read(*restored, m_ui);
  } catch (const CommandError& error) {
    m_ui.ShowMessage(platform::BoxKind::Error,
                     "The recovery file " + m_recovery.ShownName() +
                         " could not be read; the level is opened as it was saved.\r" +
                         error.FullText());
    return;
  }
  // No change of the editor touches the models, so the radii just read for the level file's
  // models are those of the recovered level's.
  for (int i = 0; i < restored->models.Used(); ++i) {
    for (int j = 0; j < m_level->models.Used(); ++j) {
      if (level::EqualsIgnoringCase(restored->models[i].name, m_level->models[j].name)) {
        restored->models[i].radius = m_level->models[j].radius;
        break;
      }
    }
  }
  *m_level = std::move(*restored);
  m_history.MarkUnsaved();
  m_recoveryHeld = true;
}

void Editor::Undo() {
  CancelMove();
  if (!m_history.CanUndo()) return;
  m_history.Undo(*m_level);
  AfterHistoryMove();
}

void Editor::Redo() {
  CancelMove();
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
  CancelMove();
  if (ProjectOpen() && m_history.Modified()) {
    // One question, not two: saving or dropping the changes is the answer to leaving.
    if (!SaveChangesFirst()) return false;
    m_settings.reset();
  } else if (!project::ConfirmExit(m_ui, m_settings)) {
    return false;
  }
  RemoveRecovery();
  return true;
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
  mapview::RedrawMap({*m_level, m_view, m_size, *m_backBuffer}, m_mode, messages,
                     m_gridShown ? m_grid.Step() : 0);
}

void Editor::PaintSelected() {
  platform::MessageBatch messages(m_ui);
  mapview::DrawSelected({*m_level, m_view, m_size, *m_backBuffer}, m_mode, messages);
}

void Editor::SetView(mapview::View view) {
  m_window.ShowView(view);
  m_view.SetView(view);
  // Most levels lie far from where a view starts, and a fit in one view leaves the others
  // empty: a view that would show nothing shows the level instead.
  mapview::FitWhenNothingOnMap(m_view, *m_level, m_size);
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

void Editor::WheelZoom(int px, int py, int angleDelta) {
  const int notches = m_wheel.Add(angleDelta);
  bool zoomed = false;
  for (int n = 0; n < std::abs(notches); ++n) {
    zoomed |= mapview::ZoomAboutPixel(m_view, m_size, {px, py}, notches > 0);
  }
  if (zoomed) m_window.RedrawMap();
}

void Editor::SetEditMode(EditMode mode) {
  // A mode change returns to selecting.
  if (m_moveTool) SetMoveTool(false);
  m_window.ShowEditMode(mode);
  m_mode = mode;
  m_window.RedrawMap();
  UpdateSelectionCount(Selection());
  m_window.FocusKeyboardSink();
}

void Editor::ClearSelection() {
  editing::ClearSelection(Selection());
}

void Editor::SelectAll() {
  editing::SelectAll(Selection());
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
  // A second button pressed while a move is dragged starts afresh.
  CancelMove();
  if (input.pan && !m_gesture.Pressed()) {
    m_pan.emplace(m_view, mapview::PixelPoint{input.x, input.y});
    return;
  }
  m_gesture.Press(input);
}

bool Editor::MouseMove(const MouseInput& input) {
  if (m_pan) {
    m_pan->MoveTo(m_view, {input.x, input.y});
    m_window.RedrawMap();
    return false;
  }
  if (!m_gesture.Move(input)) return false;
  // A gesture is a move or a box as it began, whatever the tool became since.
  if (!m_gesture.Moving()) return true;
  DragMove(input);
  return false;
}

void Editor::MouseUp(const MouseInput& input) {
  if (m_pan) {
    m_pan.reset();
    return;
  }
  const auto pick = m_gesture.Release(input);
  if (!pick) return;
  if (pick->kind == GesturePick::Kind::Move) {
    DragMove(input);
    FinishMove();
  } else if (pick->kind == GesturePick::Kind::InBox) {
    PickInBox(Selection(), pick->left, pick->top, pick->right, pick->bottom, pick->select);
  } else {
    PickAt(Selection(), pick->x, pick->y, pick->select, pick->ctrl);
  }
}

KeyAction Editor::KeyDown(Key key, KeyModifiers modifiers) {
  if (key == Key::Escape && m_move) {
    // Escape drops a move being dragged, and the gesture with it.
    CancelMove();
    return {};
  }
  const KeyAction action = KeyActionFor(key, modifiers, m_mode, m_moveTool);
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
    case KeyCommand::ToggleGrid:
      SetGridShown(!m_gridShown);
      break;
    case KeyCommand::FinerGrid:
      FinerGrid();
      break;
    case KeyCommand::CoarserGrid:
      CoarserGrid();
      break;
    case KeyCommand::ToggleMoveTool:
      SetMoveTool(!m_moveTool);
      break;
    case KeyCommand::LeaveMoveTool:
      SetMoveTool(false);
      break;
    case KeyCommand::NudgeLeft:
      Nudge(mapview::PanDirection::Left);
      break;
    case KeyCommand::NudgeRight:
      Nudge(mapview::PanDirection::Right);
      break;
    case KeyCommand::NudgeUp:
      Nudge(mapview::PanDirection::Up);
      break;
    case KeyCommand::NudgeDown:
      Nudge(mapview::PanDirection::Down);
      break;
    case KeyCommand::Extrude:
    case KeyCommand::Duplicate:
    case KeyCommand::NewProject:
    case KeyCommand::OpenProject:
    case KeyCommand::SaveProject:
    case KeyCommand::None:
      break;
  }
  return action;
}

void Editor::NewProject() {
  CancelMove();
  auto context = Project();
  if (!SaveChangesFirst()) return;
  project::NewProjectCommand(context);
}

void Editor::OpenProject() {
  CancelMove();
  auto context = Project();
  if (!SaveChangesFirst()) return;
  project::OpenProjectCommand(context);
}

void Editor::SaveProject() {
  if (!ProjectOpen()) throw CommandError("No project is open");
  CancelMove();
  platform::BusyCursor busy(m_ui);
  level::SaveLevel(*m_level, m_values.ProjectDir, m_values.JKLName, m_ui);
  m_history.MarkSaved();
  m_recoverySchedule.Written();
  RemoveRecovery();
  ShowUnsavedMark();
  m_window.ShowStatus(SavedText(m_values.JKLName, LocalTimeNow()));
}

void Editor::GobProject() {
  auto context = Project();
  project::GobProjectCommand(context);
  m_window.ShowStatus(PackedText(m_values.GOB2Name, LocalTimeNow()));
}

void Editor::RunProject() {
  auto context = Project();
  project::RunProjectCommand(context);
}

void Editor::BeforeProjectLoad() {
  CancelMove();
  ResetMarks(Selection());
}

void Editor::ProjectOpened() {
  // The project left behind had its changes saved or dropped on the way here.
  if (m_recoveryHeld) RemoveRecovery();
  m_recovery = RecoveryFile(m_values);
  m_recoveryHeld = false;
  m_recoverySchedule.Restart();
  m_history.Clear();
  m_captionMarked = false;  // the project's caption was just set, without the mark
  OfferRecovery();
  // The sector picks look surfaces up in this index; it describes the level just read.
  m_sectorIndex = SurfaceSectorIndex(*m_level);
  m_window.EnableProjectCommands();
  // Each of these redraws the map, the second for the mode the project opens in.
  SetView(mapview::View::Top);
  SetEditMode(EditMode::Surface);
  ShowUnsavedMark();
}

}  // namespace kx::editing
