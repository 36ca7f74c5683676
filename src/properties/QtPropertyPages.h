#pragma once

#include "editing/Editor.h"
#include "platform/Ui.h"
#include "properties/PanelKeys.h"
#include "properties/PropertyPanel.h"

#include <QObject>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QColorDialog;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kx::resources {
class TfrmMatSelect;
}

namespace kx::properties {

class TfrmFlags;

/// The rows of the main window's info pages: caption and value labels, the in-place edit box
/// and the "more" button of each page, with the flags editor and the material selector they
/// open. The rules are PropertyPanel's; this only shows them and forwards events.
class QtPropertyPages final : public QObject {
  Q_OBJECT

 public:
  /// What the pages live in and use: the four info pages (vertex, surface, sector, thing), the
  /// selection counter, the keyboard sink, the colour dialog, the window that owns the dialogs,
  /// and the window's command handler, which shows a failure in an "Error" box.
  struct Window {
    editing::Editor& editor;
    platform::Ui& ui;
    std::array<QWidget*, 4> pages;
    QLabel* counter;
    QWidget* keySink;
    QColorDialog* dlgTint;
    QWidget* owner;
    std::function<bool(const std::function<void()>&)> runCommand;
  };

  explicit QtPropertyPages(const Window& window);

  /// Refills the current mode's page from the selection (UpdatePropertyPanel).
  void UpdatePropertyPanel();
  /// Empties every page and closes every editor without committing (a level is being read).
  void Reset();
  /// Commits and closes the current mode's editor when it is open.
  void CommitOpenEditor();
  /// Whether a key pressed while focus has the focus belongs to the panel rather than to the
  /// window's keyboard commands: every key while an edit box is being typed into (the key
  /// preview is off), and the editor's own keys on a "more" button.
  bool HoldsKey(const QWidget* focus, const QKeyEvent& event) const;

  const PropertyPanel& Panel() const { return m_panel; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct PageWidgets {
    const PageInfo* info = nullptr;
    QWidget* page = nullptr;
    std::vector<QLabel*> captions;
    std::vector<QLabel*> labels;
    std::vector<QFrame*> lines;
    QLineEdit* edit = nullptr;
    QPushButton* more = nullptr;
    int editX = 0;  // the page's edit box x, moved right when a caption needs the room
  };

  void CreateRows(PageWidgets& widgets);
  void Layout(const PageWidgets& widgets);
  void Render(const PageWidgets& widgets, bool withEditText);
  PageWidgets* WidgetsOf(mapview::EditMode mode);
  int Counter() const;
  std::string TypedText(const PageWidgets& widgets) const;

  // One handler of each kind serves the three pages, as edtSurfaceEnter serves the three boxes:
  // the value labels' clicks (lblSurfaceMatClick ... lblThingParamsClick), the boxes' leaving
  // (edtSurfaceExit, edtSectorExit, edtThingExit), their key releases (edtSurfaceKeyUp ...) and
  // the "more" buttons' clicks (btnSurfaceMoreClick, btnSectorMoreClick).
  void LabelClick(mapview::EditMode mode, int row);
  void edtSurfaceEnter();
  void EditExit(mapview::EditMode mode);
  void EditKeyUp(mapview::EditMode mode, PanelKey key);
  void MoreClick(mapview::EditMode mode);
  void RunFlags(mapview::EditMode mode);
  void RunTint();
  void RunMatSelect();

  Window m_window;
  PropertyPanel m_panel;
  std::array<PageWidgets, 3> m_widgets;  // surface, sector, thing
  TfrmFlags* m_flags;
  resources::TfrmMatSelect* m_matSelect;
  bool m_keyPreview = true;
  bool m_committing = false;
  std::pair<QObject*, PanelKey> m_pressed{};  // the editor key last pressed, and where
};

}  // namespace kx::properties
