#pragma once

#include "editing/ChangeSet.h"
#include "editing/Editor.h"
#include "platform/EventPacer.h"
#include "platform/Ui.h"
#include "preview3d/PreviewSession.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

class QFrame;
class QLineEdit;

namespace kx::preview3d {

class QtPreviewView;

/// The window "3D Level Preview": an empty header, and in a framed panel the drawing area
/// pnl3dpreview (PreviewWidth x PreviewHeight) with the off-screen edit box edt3dpreview that
/// holds the keyboard focus. Its OpenGL view is made when the preview starts and goes with
/// everything it uploaded when the window closes; the window cannot close while the scene is
/// being built. Keys and the mouse walk through the level (Navigation).
class Tfrm3dpreview final : public QWidget {
  Q_OBJECT

 public:
  Tfrm3dpreview(editing::Editor& editor, platform::Ui& ui, QWidget* parent);
  ~Tfrm3dpreview() override;

  /// The "3D &preview" command's start: when the display offers OpenGL 3.3, sizes and shows
  /// the window, builds the scene and returns true; otherwise shows "The 3D preview needs
  /// OpenGL 3.3: " + the reason in an "Error" box and returns false.
  bool StartPreview();
  /// A step of the editor's history changed the level: rebuilds the scene, keeping the walk.
  void LevelChanged(editing::ChangedParts parts);
  /// A project was opened: builds the scene of its level, from its player start.
  void ProjectOpened();
  /// Whether the scene is being built (the window refuses to close meanwhile).
  bool Building() const { return m_building; }
  const PreviewSession& Session() const { return m_session; }
  /// The drawing area while the preview is open; null before and after.
  QtPreviewView* View() const;

 signals:
  /// The window closed and let its OpenGL objects go: the menu item and the button follow.
  void Closed();
  /// Text for a panel of the main window's status bar: 0 the driver, 1 the build's progress
  /// and, after it, what the user should know about the materials and the palette.
  void StatusText(int panel, const QString& text);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Build { Everything, Geometry, GeometryAndMaterials };
  void BuildScene(Build what);
  void FormKeyDown(const QKeyEvent& event);
  void ViewFailed(const QString& reason);
  void Release();

  editing::Editor& m_editor;
  platform::Ui& m_ui;
  PreviewSession m_session;
  QFrame* m_pnlHeader = nullptr;
  QFrame* m_pnlFrame = nullptr;
  QLineEdit* m_edt3dpreview = nullptr;
  QPointer<QtPreviewView> m_pnl3dpreview;
  bool m_building = false;
  platform::EventPacer m_progressPacer;
  QPoint m_lookFrom;  // the pointer's last place while the right button is held
  bool m_looking = false;
  int m_wheelRest = 0;  // wheel turns short of a whole notch
};

}  // namespace kx::preview3d
