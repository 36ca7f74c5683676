// Walks the editor window through opening a project and every mode and view, taking a
// screenshot of the whole screen with ImageMagick's import after each step, so that the window
// can be looked at as a user sees it. Not a test: run it under Xvfb with the xcb platform.
//   kx_screen_tour OUT_DIR ARCHIVE.gob
#include "editing/Editor.h"
#include "shell/TfrmMain.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

/// Photographs the whole screen into a folder, numbering the shots. The editor runs with its
/// own dialogs; each one that opens is photographed and answered: the new-project dialog with
/// the user archive, every other with OK. The progress window is photographed once.
class Tour : public QObject {
 public:
  Tour(fs::path folder, QString archive) : m_folder(std::move(folder)), m_archive(archive) {
    startTimer(50);
    // The level dialogs are first given text they refuse or question, and OK is pressed, so
    // that their message boxes are photographed too.
    const auto type = [](QDialog* dialog, const char* name, const QString& text) {
      if (auto* line = dialog->findChild<QLineEdit*>(name)) line->setText(text);
      if (auto* box = dialog->findChild<QPlainTextEdit*>(name)) {
        box->moveCursor(QTextCursor::End);
        box->insertPlainText(text);
      }
    };
    m_scripts["frmEditHeader"] = {[=](QDialog* d) {
      type(d, "edtGravity", "abc");
      type(d, "edtGouraud", "x");
    }};
    m_scripts["frmEditCopyright"] = {
        [=](QDialog* d) { type(d, "mmoCopyright", "\nSECTION: HEADER"); },
        [=](QDialog* d) {
          auto* box = d->findChild<QPlainTextEdit*>("mmoCopyright");
          for (int i = 0; i < 15; ++i) box->textCursor().deletePreviousChar();
          type(d, "mmoCopyright", "(c) 2024 # Kelvarix\n\nmore");
        }};
  }

  void Shot(const std::string& name) {
    QElapsedTimer clock;  // lets the window settle first
    clock.start();
    while (clock.elapsed() < 400) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    char number[16];
    std::snprintf(number, sizeof number, "%02d-", ++m_count);
    const fs::path file = m_folder / (number + name + ".png");
    QProcess::execute("/usr/bin/import",
                      {"-window", "root", QString::fromStdString(file.string())});
    std::cout << "shot " << file.string() << '\n';
  }

 protected:
  void timerEvent(QTimerEvent*) override {
    if (m_answering) return;
    m_answering = true;
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      auto& script = m_scripts[dialog->objectName()];
      if (!script.empty()) {
        script.front()(dialog);
        script.erase(script.begin());
        Shot(dialog->objectName().toStdString() + "-typed");
        // Pressed after this handler, so that the message box it opens is answered here.
        QTimer::singleShot(0, dialog->findChild<QPushButton*>("btnOK"), &QPushButton::click);
        m_answering = false;
        return;
      }
      if (auto* projects = dialog->findChild<QListWidget*>("lstProjects")) {
        projects->setCurrentRow(0);
      }
      if (auto* user = dialog->findChild<QRadioButton*>("rdbUserGOB2")) {
        QTest::mouseClick(user, Qt::LeftButton, {}, QPoint(6, user->height() / 2));
        dialog->findChild<QLineEdit*>("edtUserGOB2")->setText(m_archive);
      }
      // The template window shows where the selected thing's template comes from, and then
      // what a filter leaves of the tree.
      if (auto* find = dialog->findChild<QPushButton*>("btnFind"); find && find->isEnabled()) {
        find->click();
        Shot("frmTemplates-find");
        dialog->findChild<QLineEdit*>("edtFilter")->setText("or");
      }
      Shot(dialog->objectName().isEmpty() ? "box" : dialog->objectName().toStdString());
      dialog->accept();
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->objectName() == "frmUngobing" && window->isVisible() && !m_progressShot) {
        m_progressShot = true;
        Shot("progress");
      }
    }
    m_answering = false;
  }

 private:
  fs::path m_folder;
  QString m_archive;
  int m_count = 0;
  bool m_answering = false;
  bool m_progressShot = false;
  std::map<QString, std::vector<std::function<void(QDialog*)>>> m_scripts;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::cerr << "usage: kx_screen_tour OUT_DIR ARCHIVE.gob\n";
    return 1;
  }
  fs::create_directories(fs::path(argv[1]) / "prog");
  Tour tour(argv[1], QString::fromLocal8Bit(argv[2]));
  kx::shell::TfrmMain window(nullptr, fs::path(argv[1]) / "prog");
  window.show();
  tour.Shot("empty-window");  // the start-up box is photographed as it shows

  const auto step = [&](std::initializer_list<const char*> items, const char* shot) {
    for (const char* name : items) window.findChild<QAction*>(name)->trigger();
    tour.Shot(shot);
  };
  QWidget* map = window.findChild<QWidget*>("imgMap");
  const auto drag = [&](QPoint from, QPoint to, const std::string& mode) {
    QTest::mousePress(map, Qt::LeftButton, {}, from);
    QTest::mouseMove(map, to);
    tour.Shot(mode + "-rubber-band");
    QTest::mouseRelease(map, Qt::LeftButton, {}, to);
    tour.Shot(mode + "-box-selected");
  };
  const int w = map->width(), h = map->height();
  step({"mnuNewProject"}, "surface-top-as-opened");
  step({"mnuZoomToFit"}, "surface-top-fit");
  drag({w / 5, h / 5}, {w * 3 / 5, h * 3 / 4}, "surface");
  step({"mnuVertex"}, "vertex-mode");
  drag({w / 3, h / 3}, {w * 2 / 3, h * 2 / 3}, "vertex");
  window.findChild<QAction*>("mnuSector")->trigger();
  QTest::mouseClick(map, Qt::LeftButton, {}, map->rect().center());
  tour.Shot("sector-mode-click");
  step({"mnuThing"}, "thing-mode");
  step({"mnuFront", "mnuZoomToFit"}, "thing-front-fit");
  step({"mnuRight", "mnuZoomToFit", "mnuSurface"}, "surface-right-fit");
  // The Edit menu's level dialogs, each photographed as it opens; the template window with
  // the level's first thing selected by a box around it.
  window.findChild<QAction*>("mnuThing")->trigger();
  if (window.Editor().Level().things.count > 0) {
    const auto& thing = window.Editor().Level().things[0];
    const auto at =
        window.Editor().View().ProjectPoint(thing.x, thing.y, thing.z, window.Editor().MapSize());
    QTest::mousePress(map, Qt::LeftButton, {}, QPoint(at.x - 6, at.y - 6));
    QTest::mouseMove(map, QPoint(at.x + 6, at.y + 6));
    QTest::mouseRelease(map, Qt::LeftButton, {}, QPoint(at.x + 6, at.y + 6));
  }
  for (const char* item : {"mnuHeader", "mnuCopyright", "mnuEpisodeInfo", "mnuTemplates"}) {
    window.findChild<QAction*>(item)->trigger();
  }
  window.findChild<QAction*>("mnuTop")->trigger();
  QTest::keyClick(window.findChild<QLineEdit*>("edtKeybHandler"), Qt::Key_Plus, Qt::KeypadModifier);
  tour.Shot("surface-top-zoomed-in");
  window.resize(1200, 900);
  tour.Shot("surface-top-larger-window");

  // A change made as the property panel makes it: the caption's mark and the Edit menu's items.
  // Shortcuts go to the active window; without a window manager a closed box does not give the
  // activation back by itself.
  window.resize(800, 600);
  const auto activate = [&] {
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) std::cout << "the window is not active\n";
  };
  const auto caption = [&] {
    std::cout << "caption " << window.windowTitle().toStdString() << '\n';
  };
  QLineEdit* keys = window.findChild<QLineEdit*>("edtKeybHandler");
  activate();
  QTest::keyClick(keys, Qt::Key_Home);
  const auto changeLight = [&](int light) {
    auto change = window.Editor().Change("Change Light");
    change.Surface(0).light = light;
    change.Commit();
  };
  changeLight(5);
  caption();
  auto* edit = window.findChild<QMenu*>("mnuEdit");
  const auto showEdit = [&](const std::string& shot) {
    edit->popup(window.mapToGlobal(QPoint(60, 25)));
    tour.Shot(shot);
    edit->hide();
  };
  showEdit("edit-menu-after-a-change");
  activate();
  QTest::keyClick(keys, Qt::Key_Z, Qt::ControlModifier);
  caption();
  showEdit("edit-menu-after-undo");
  activate();
  QTest::keyClick(keys, Qt::Key_Y, Qt::ControlModifier);
  caption();

  // The wheel about the pointer, the pointer's level point, and a Space-drag.
  QWidget* mapImage = window.findChild<QWidget*>("imgMap");
  const QPoint pointer(mapImage->width() * 2 / 5, mapImage->height() / 2);
  QTest::mouseMove(mapImage, pointer);
  for (const int delta : {120, 120}) {
    QWheelEvent wheel(pointer, mapImage->mapToGlobal(pointer), {}, {0, delta}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(mapImage, &wheel);
  }
  tour.Shot("wheel-zoomed-about-the-pointer");
  QTest::keyPress(keys, Qt::Key_Space);
  QTest::mousePress(mapImage, Qt::LeftButton, {}, pointer);
  QTest::mouseMove(mapImage, pointer + QPoint(150, 80));
  QTest::mouseRelease(mapImage, Qt::LeftButton, {}, pointer + QPoint(150, 80));
  QTest::keyRelease(keys, Qt::Key_Space);
  tour.Shot("space-dragged");
  QTest::keyClick(keys, Qt::Key_A, Qt::ControlModifier);
  tour.Shot("select-all");
  QTest::keyClick(keys, Qt::Key_Escape);
  QTest::keyClick(keys, Qt::Key_Home);
  tour.Shot("escape-and-home");

  // Leaving with the change unsaved asks to save it (the box is answered Cancel), then Save.
  window.findChild<QAction*>("mnuExit")->trigger();
  activate();
  window.findChild<QAction*>("mnuSave")->trigger();
  caption();
  tour.Shot("saved");

  // What a session that ended without leaving would have left: a recovery file newer than the
  // level. Opening the project offers it (the box is answered No, which deletes it).
  changeLight(6);
  window.Editor().Recovery().Write(window.Editor().Level());
  const auto recovered = window.Editor().Recovery().LevelPath();
  fs::last_write_time(recovered, fs::last_write_time(recovered) + std::chrono::seconds(5));
  activate();
  QTest::keyClick(keys, Qt::Key_Z, Qt::ControlModifier);
  caption();
  step({"mnuOpenProject"}, "reopened");
  caption();
  window.hide();
  return 0;
}
