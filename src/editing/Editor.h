#pragma once

#include "editing/EditHistory.h"
#include "editing/EditorWindow.h"
#include "editing/KeyTable.h"
#include "editing/LevelChange.h"
#include "editing/MouseGesture.h"
#include "editing/Picking.h"
#include "editing/RecordMove.h"
#include "editing/RecoveryFile.h"
#include "editing/RecoverySchedule.h"
#include "editing/SurfaceSectorIndex.h"
#include "level/Level.h"
#include "mapview/EditMode.h"
#include "mapview/MapGrid.h"
#include "mapview/MapNavigation.h"
#include "mapview/MapView.h"
#include "mapview/PixelCanvas.h"
#include "platform/SettingsFile.h"
#include "platform/Ui.h"
#include "project/ProjectStore.h"
#include "project/ProjectValues.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace kx::editing {

/// Everything the editor holds for the whole run (the level, the project values, the settings
/// file, the map's view, the edit mode, the back buffer, the mouse gesture) and the commands of
/// the main window on them, so that they run and are tested without a window. The window is
/// told what to show through EditorWindow; the user is reached through Ui. Commands throw
/// platform::CommandError for the window's command router to show.
class Editor {
 public:
  Editor(platform::Ui& ui, EditorWindow& window);
  ~Editor();
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  level::Level& Level() { return *m_level; }
  const level::Level& Level() const { return *m_level; }
  project::ProjectValues& Values() { return m_values; }
  const project::ProjectValues& Values() const { return m_values; }
  /// The settings file from StartUp until the exit is confirmed; null outside that time.
  platform::SettingsFile* Settings() { return m_settings ? &*m_settings : nullptr; }
  mapview::MapView& View() { return m_view; }
  const mapview::MapView& View() const { return m_view; }
  mapview::EditMode Mode() const { return m_mode; }
  /// The back buffer: as large as the map, drawn by PaintMap and PaintSelected.
  const mapview::PixelCanvas& BackBuffer() const { return *m_backBuffer; }
  mapview::PanelSize MapSize() const { return m_size; }
  const MouseGesture& Gesture() const { return m_gesture; }
  /// Whether a project has been opened.
  bool ProjectOpen() const { return !m_values.ProjectDir.empty(); }

  /// The main window's first showing: the preview warning, the program folder, the settings
  /// file, the game folder and preview size, the map view's start values, the keyboard focus.
  void StartUp(const std::filesystem::path& programDir);
  /// Asks "Do you want to exit Kelvarix?", or with unsaved changes "Save changes to LEVEL?"
  /// instead (Yes saves first, Cancel stays); when leaving is confirmed releases the settings
  /// file, removes the recovery file and returns true.
  bool ConfirmExit();

  /// The map's new size in pixels (each side at least 1). The back buffer follows it, keeping
  /// the pixels the old and new sizes share; the caller redraws when it wants a fresh map.
  void ResizeMap(mapview::PanelSize size);
  /// Paints the whole map into the back buffer (RedrawMap); template messages in one box.
  void PaintMap();
  /// Paints the selected records of the mode over the back buffer (DrawSelected).
  void PaintSelected();

  /// The view commands; each ends with a redraw. A view that shows no vertex of the level after
  /// the switch is zoomed to fit it.
  void SetView(mapview::View view);
  void PanView(mapview::PanDirection direction, bool fast);
  void ZoomIn();
  void ZoomOut();
  /// Fits every vertex of the level on the map with a margin; nothing happens without vertices.
  void ZoomToFit();
  /// Checks the mode's menu item and button, switches the mode, brings its property page to the
  /// front, redraws, counts the new mode's selection and takes the focus to the keyboard sink.
  /// The marks of every table and the view stay as they are.
  void SetEditMode(mapview::EditMode mode);

  /// The wheel turned over map pixel (px, py) by angleDelta (120 a notch): each whole notch
  /// zooms in (away from the user) or out by one keypad step about that pixel.
  void WheelZoom(int px, int py, int angleDelta);

  /// The selection commands on the current mode's table.
  void ClearSelection();
  /// Selects every visible record of the mode, as one box would.
  void SelectAll();
  /// The counter's double click: clears the selection and refreshes the property panel.
  void ClearSelectionFromCounter();
  void HideSelected();
  void ShowAll();
  void ShowSelectionOnly();
  void KeepFirstSelectedSurface();
  void KeepLastSelectedSurface();

  /// The mouse on the map: a press and release is a click, with a move between them a box. A
  /// press with input.pan (Space held) starts a drag that pans the map instead.
  void MouseDown(const MouseInput& input);
  /// Returns whether the rubber band changed.
  bool MouseMove(const MouseInput& input);
  void MouseUp(const MouseInput& input);

  /// Runs the map command of a key and returns what the key asked for. New, Open and Save are
  /// left to the caller, which runs them only while their menu items are enabled.
  KeyAction KeyDown(Key key, KeyModifiers modifiers);

  /// Starts a named change of the Level ("Change Light"): every write into the Level goes
  /// through one, and its Commit makes it one step of the history. After a step is made, undone
  /// or redone the map is redrawn when it shows what changed and the window is told
  /// (EditorWindow::LevelChanged).
  LevelChange Change(std::string name) {
    CancelMove();  // a move being dragged is no part of it
    return LevelChange(*m_level, m_history, std::move(name));
  }
  const EditHistory& History() const { return m_history; }
  /// Takes the newest step back, or makes the first undone step again, and refreshes the
  /// counter and the property panel; nothing happens when there is no such step.
  void Undo();
  void Redo();

  /// The grid under the level: shown or not, and its step, which moves snap to whether or not
  /// it is shown. Each change redraws the map and tells the window (EditorWindow::ShowGrid).
  bool GridShown() const { return m_gridShown; }
  const mapview::GridStep& Grid() const { return m_grid; }
  void SetGridShown(bool shown);
  void FinerGrid();
  void CoarserGrid();

  /// The move tool: while it is on, a drag on the map moves the selected vertices or things
  /// (one step of the history per drag, the map showing them at their new place meanwhile)
  /// instead of selecting with a box. It turns on in Vertex and Thing mode only (elsewhere the
  /// status bar says so); turning it off, or a mode change, puts a move being dragged back.
  bool MoveToolOn() const { return m_moveTool; }
  void SetMoveTool(bool on);
  /// Whether a move is being dragged.
  bool MoveUnderWay() const { return m_move.has_value(); }
  /// Shifts the selected vertices or things one grid step the way the arrow points on the
  /// map, as one step of the history.
  void Nudge(mapview::PanDirection direction);

  /// Why Edit > Extrude cannot run on the selection (not exactly one selected surface in
  /// Surface mode, or ExtrudeRefusal's reasons), or none.
  std::optional<std::string> ExtrudeRefusal() const;
  /// Extrudes the one selected surface distance units into a new sector, as one step "Extrude
  /// Surface", and selects the new sector's far wall; a refusal is shown in a "Warning" box and
  /// changes nothing. The records it changed are checked.
  void Extrude(double distance);
  /// Thing mode: appends a copy of each selected thing one grid step along the view's
  /// horizontal axis, as one step, and selects the copies instead.
  void DuplicateThings();
  /// Tools > Check level: the level rules on the whole level; the window lists the problems and
  /// the status bar says "Level OK" or how many there are.
  void CheckLevel();
  /// Selects only the record (switching to its mode first), shows it when hidden and centres
  /// the map on it; a record no longer in the level is a note in the status bar.
  void ShowRecord(const RecordRef& record);

  /// The File menu's project commands. New and Open first ask whether to save unsaved changes.
  void NewProject();
  void OpenProject();
  /// Writes the level file and the episode file of the open project; the Level then counts as
  /// saved, the recovery file goes and the status bar says what was written.
  void SaveProject();
  /// Packs the project and says so in the status bar.
  void GobProject();
  void RunProject();

  /// The window's ProjectWindow calls: before a level is read every record becomes unselected
  /// and visible; after it was read the project commands are enabled, the top view and the
  /// surface mode chosen and the map drawn.
  void BeforeProjectLoad();
  void ProjectOpened();

  /// A turn of the recovery clock (the window's timer, every few seconds; tests hand in their
  /// own times): writes the recovery file when it is due, removes it when the level is back at
  /// its save. A failed write is a note, never an interruption.
  void RecoveryTick(RecoverySchedule::Clock::time_point now);
  const RecoveryFile& Recovery() const { return m_recovery; }

 private:
  SelectionContext Selection();
  void LevelChanged(ChangedParts parts);
  void AfterHistoryMove();
  project::ProjectContext Project();
  bool SaveChangesFirst();
  void ShowUnsavedMark();
  void OfferRecovery();
  void WriteRecovery();
  void RemoveRecovery();
  void CancelMove();
  void DragMove(const MouseInput& input);
  void FinishMove();
  void CheckChanged(const building::RuleScope& changed);
  void StepGrid(bool changed, const char* limit);

  platform::Ui& m_ui;
  EditorWindow& m_window;
  std::unique_ptr<level::Level> m_level;
  project::ProjectValues m_values;
  std::optional<platform::SettingsFile> m_settings;
  mapview::PanelSize m_size{1, 1};
  mapview::MapView m_view;
  mapview::EditMode m_mode = mapview::EditMode::Surface;
  SurfaceSectorIndex m_sectorIndex;
  EditHistory m_history;
  std::unique_ptr<mapview::PixelCanvas> m_backBuffer;
  MouseGesture m_gesture;
  std::optional<mapview::PanDrag> m_pan;
  mapview::WheelNotches m_wheel;
  RecoveryFile m_recovery;
  RecoverySchedule m_recoverySchedule;
  bool m_recoveryHeld = false;  // the recovery file holds changes of this session
  bool m_captionMarked = false;
  mapview::GridStep m_grid;
  bool m_gridShown = false;
  bool m_moveTool = false;
  std::optional<RecordMove> m_move;  // a move being dragged, open until the release
};

}  // namespace kx::editing
