#pragma once

#include "support/EditorProject.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

#include "shell/TfrmMain.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kx::shell::test {

/// The names of the menus, menu items and tool buttons that are disabled, and that are checked.
struct ControlStates {
  std::vector<std::string> off, checked;
};

/// The main window on a scripted Ui with its program folder in a temporary folder, shown and
/// started (the preview warning answered).
class MainWindowTest : public ::testing::Test {
 public:
  MainWindowTest() { std::filesystem::create_directories(ProgramDir()); }
  ~MainWindowTest() override {
    if (window) window->hide();
  }

  std::filesystem::path ProgramDir() const { return dir.path() / "prog"; }
  void WriteSettings(const std::string& text) const { dir.Write("prog/Kelvarix.ini", text); }

  void Start() {
    window = std::make_unique<TfrmMain>(&ui, ProgramDir());
    window->show();
    // The first showing runs the start-up once the window is up.
    QCoreApplication::processEvents();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  // Starts the window and makes the project "Starter" (jkl\start.jkl) from nothing: the one
  // closed room with its player and lamp.
  void StartWithStarterRoom() {
    Start();
    ui.boxes.clear();
    platform::NewProjectAnswer answer;
    answer.kind = platform::NewProjectAnswer::Kind::NewProject;
    answer.levelName = "Starter";
    answer.jklName = "start";
    answer.gob2Name = "START.GOB";
    ui.newProjectAnswers.push_back(answer);
    Press(Button("btnNew"));
  }

  /// Starts the window with the project "Level 01ABC" (jkl\01abc.jkl) open and nothing
  /// unsaved: made from a user archive the first time, opened from the project list after.
  void StartWithProject() {
    Start();
    if (!std::filesystem::exists(ProgramDir() / "Projects" / "Level 01ABC")) {
      NewProjectFrom("p.gob", {"01abc.jkl"});
    } else {
      ui.projectChoices = {0};
      Press(Button("btnOpen"));
    }
    ASSERT_TRUE(window->Editor().ProjectOpen());
    ui.boxes.clear();
  }

  template <typename T>
  T* Find(const char* name) const {
    T* found = window->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QAction* Item(const char* name) const { return Find<QAction>(name); }
  QToolButton* Button(const char* name) const { return Find<QToolButton>(name); }
  QLineEdit* KeySink() const { return Find<QLineEdit>("edtKeybHandler"); }
  QString Counter() const { return Find<QLabel>("pnlNSelect")->text(); }
  QString PageInFront() const {
    return Find<QStackedWidget>("pnlInfo")->currentWidget()->objectName();
  }
  void Press(QToolButton* button) const { QTest::mouseClick(button, Qt::LeftButton); }

  ControlStates States() const {
    ControlStates states;
    for (QObject* child : window->findChildren<QObject*>()) {
      bool enabled = true, checked = false;
      if (auto* menu = qobject_cast<QMenu*>(child)) {
        enabled = menu->isEnabled();
      } else if (auto* item = qobject_cast<QAction*>(child)) {
        enabled = item->isEnabled(), checked = item->isChecked();
      } else if (auto* button = qobject_cast<QToolButton*>(child)) {
        enabled = button->isEnabled(), checked = button->isChecked();
      } else {
        continue;
      }
      const std::string name = child->objectName().toStdString();
      if (!enabled && !name.empty()) states.off.push_back(name);
      if (checked) states.checked.push_back(name);
    }
    return states;
  }

  /// The map pixel of a world point of the Top view, and the back buffer's colour there.
  QPoint At(float x, float y) const {
    const auto& editor = window->Editor();
    const auto pixel = editor.View().ProjectPoint(x, y, 0, editor.MapSize());
    return {pixel.x, pixel.y};
  }
  std::uint32_t BufferAt(float x, float y) const {
    const QPoint p = At(x, y);
    return window->Editor().BackBuffer().PixelAt(p.x(), p.y());
  }

  /// File > New project with a user archive holding the given levels (written to
  /// downloads/ARCHIVE); choice answers the JKL chooser.
  void NewProjectFrom(const std::string& archive, const std::vector<std::string>& jklNames,
                      std::optional<int> choice = std::nullopt) {
    platform::NewProjectAnswer answer;
    answer.kind = platform::NewProjectAnswer::Kind::UserGob2;
    answer.userGob2 =
        kx::test::WriteUserArchive(dir.path() / "downloads" / archive, jklNames).string();
    ui.newProjectAnswers.push_back(answer);
    ui.jklChoices.push_back(choice);
    Press(Button("btnNew"));
  }

  kx::test::TempDir dir;
  kx::test::FakeUi ui;
  std::unique_ptr<TfrmMain> window;
};

}  // namespace kx::shell::test
