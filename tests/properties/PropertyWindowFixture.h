#pragma once

#include "support/GobBuilder.h"

#include "level/JklReader.h"
#include "level/JklWriter.h"
#include "properties/PropertyTestLevel.h"
#include "shell/MainWindowFixture.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace kx::properties::test {

/// The main window with a project of the given level open, and the steps the panel's tests
/// take: selecting records as a pick does, clicking value labels, answering modal dialogs.
class PropertyWindowTest : public shell::test::MainWindowTest {
 public:
  using Files = std::vector<std::pair<std::string, std::string>>;

  /// Opens a project of level, with the extra archive entries files, through File > New
  /// project; the boxes shown so far are dropped.
  void OpenLevel(const level::Level& level, const Files& files = {}) {
    kx::test::GobBuilder archive;
    archive.Entry("jkl\\test.jkl", level::FormatLevel(level, "jkl\\test.jkl", "2000-01-01 00:00"));
    archive.Entry("episode.jk", "\"Test Episode\"\r\nTYPE 1\r\n");
    archive.Entry("misc\\cogstrings.uni", "MSGS 1\r\n\"TEST\" 0 \"Test Level\"\r\nEND\r\n");
    for (const auto& [name, bytes] : files) archive.Entry(name, bytes);
    platform::NewProjectAnswer answer;
    answer.kind = platform::NewProjectAnswer::Kind::UserGob2;
    answer.userGob2 = archive.WriteTo(dir.path() / "downloads" / "test.gob").string();
    ui.newProjectAnswers.push_back(answer);
    Press(Button("btnNew"));
    ASSERT_TRUE(window->Editor().ProjectOpen());
    ui.boxes.clear();
  }
  /// The project's level file as the level reader gives it back.
  level::Level SavedLevel() {
    level::Level saved;
    const auto& values = window->Editor().Values();
    level::ReadLevel(saved, values.ProjectDir / "jkl" / values.JKLName, values.JKLName, ui);
    return saved;
  }

  level::Level& Level() { return window->Editor().Level(); }
  /// Selects exactly indices of mode's table and ends as a pick does: the counter and the
  /// panel follow.
  void Select(mapview::EditMode mode, std::initializer_list<int> indices) {
    kx::test::SelectOnly(Level(), mode, indices);
    window->Editor().SetEditMode(mode);
    window->UpdatePropertyPanel();
  }

  QLabel* Value(const char* name) const { return Find<QLabel>(name); }
  QLineEdit* Box(const char* name) const { return Find<QLineEdit>(name); }
  QPushButton* More(const char* name) const { return Find<QPushButton>(name); }
  void Click(QWidget* widget) const { QTest::mouseClick(widget, Qt::LeftButton); }
  QWidget* Focus() const { return QApplication::focusWidget(); }
  /// A key pressed and released on the widget that has the focus.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const {
    QTest::keyClick(Focus(), key, modifiers);
  }
  /// Replaces the text of the focused edit box as a user does: select all, type.
  void Type(const QString& text) const {
    QTest::keyClick(Focus(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Focus(), text);
  }

  /// Runs open, which shows a modal dialog, and answer on that dialog once it is up; answer
  /// closes it. Returns whether a dialog came up.
  bool AnswerModal(const std::function<void()>& open, const std::function<void(QWidget&)>& answer) {
    bool shown = false;
    QTimer timer;  // gone with this call, so it never fires into a later test
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (!dialog) return;
      shown = true;
      answer(*dialog);
      if (dialog->isVisible()) {
        ADD_FAILURE() << "the answer left the dialog open";
        dialog->close();
      }
    });
    timer.start(0);
    open();
    // A window manager gives the main window back its activation when a dialog closes; the
    // offscreen platform has none.
    QApplication::setActiveWindow(window.get());
    return shown;
  }
};

}  // namespace kx::properties::test
