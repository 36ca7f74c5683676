#include "project/TfrmNewProject.h"
#include "project/TfrmOpenProject.h"
#include "project/TfrmSelectJKL.h"
#include "shell/QtUi.h"
#include "shell/TfrmSplash.h"
#include "shell/TfrmUngobing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace kx::shell {
namespace {

using platform::BoxKind;

TEST(QtUiTest, MessageBoxesCarryTheirKindsTitleIconAndButtons) {
  const struct {
    BoxKind kind;
    const char* title;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
  } cases[] = {
      {BoxKind::Warning, "Warning", QMessageBox::Warning, QMessageBox::Ok},
      {BoxKind::Error, "Error", QMessageBox::Critical, QMessageBox::Ok},
      {BoxKind::Information, "Information", QMessageBox::Information, QMessageBox::Ok},
      {BoxKind::Confirm, "Confirm", QMessageBox::Question, QMessageBox::Yes | QMessageBox::No},
      {BoxKind::Plain, "Orbandel Kelvarix 1.0", QMessageBox::NoIcon, QMessageBox::Ok},
  };
  for (const auto& c : cases) {
    const auto box = MakeMessageBox(c.kind, "first\rsecond\r\nthird", nullptr);
    EXPECT_EQ(box->windowTitle(), c.title);
    EXPECT_EQ(box->icon(), c.icon) << c.title;
    EXPECT_EQ(box->standardButtons(), c.buttons) << c.title;
    EXPECT_EQ(box->text(), "first\nsecond\nthird");
  }
  // The game's 8-bit text is shown one character per byte; UTF-8 paths as UTF-8.
  EXPECT_EQ(MakeMessageBox(BoxKind::Error, "Can't find \xE9t\xE9.3do", nullptr)->text(),
            QString::fromUtf8("Can't find \u00E9t\u00E9.3do"));
  EXPECT_EQ(MakeMessageBox(BoxKind::Error, "/home/j\xC3\xBCrgen", nullptr)->text(),
            QString::fromUtf8("/home/j\u00FCrgen"));
}

class QtUiWindowTest : public ::testing::Test {
 public:
  template <typename T>
  static T* Child(const QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  static void DoubleClick(QListWidget* list, int row) {
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  }
  QLabel* Item() { return Child<QLabel>(progress, "lblFilename"); }
  QProgressBar* Bar() { return Child<QProgressBar>(progress, "barUngob"); }

  QMainWindow main;
  QtUi ui{&main};
  TfrmUngobing& progress = ui.ProgressWindow();
};

TEST_F(QtUiWindowTest, TheProgressWindowShowsEachOperationWhileItRunsAndCannotBeClosed) {
  ui.ProgressBegin("Parsing 01abc.jkl...", "Parsing section: ", 250);
  EXPECT_TRUE(progress.isVisible());
  EXPECT_EQ(progress.windowTitle(), "Parsing 01abc.jkl...");
  EXPECT_EQ(Child<QGroupBox>(progress, "grpUngob")->title(), "Parsing section: ");
  EXPECT_EQ(Bar()->maximum(), 250);
  EXPECT_FALSE(progress.close());
  EXPECT_TRUE(progress.isVisible());

  // Pending events run while the operation asks for them, and the item shows before the end.
  bool timerRan = false;
  QTimer::singleShot(0, [&] { timerRan = true; });
  ui.ProgressSetItem("jkl\\01abc.jkl");
  QElapsedTimer clock;
  clock.start();
  while (!timerRan && clock.elapsed() < 2000) ui.ProcessEvents();
  EXPECT_TRUE(timerRan);
  EXPECT_EQ(Item()->text(), "jkl\\01abc.jkl");

  ui.ProgressSetItem("GEORESOURCE");
  ui.ProgressSetPosition(120);
  ui.ProgressEnd();
  EXPECT_FALSE(progress.isVisible());
  // What the operation set last is what the window showed last.
  EXPECT_EQ(Item()->text(), "GEORESOURCE");
  EXPECT_EQ(Bar()->value(), 120);

  // An operation with nothing to do: an empty bar, no busy indicator.
  ui.ProgressBegin("Parsing 3DO files...", "Parsing: ", 0);
  EXPECT_EQ(Bar()->value(), 0);
  EXPECT_GT(Bar()->maximum(), Bar()->minimum());
  ui.ProgressEnd();
}

TEST_F(QtUiWindowTest, TheBusyCursorNestsAndRestoresNothingOfAnyoneElses) {
  QApplication::setOverrideCursor(Qt::CrossCursor);  // someone else's
  ui.SetBusyCursor(true);
  ui.SetBusyCursor(true);
  ui.SetBusyCursor(false);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  ui.SetBusyCursor(false);
  ui.SetBusyCursor(false);  // one too many restores nothing of anyone else's
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::CrossCursor);
  QApplication::restoreOverrideCursor();
}

TEST_F(QtUiWindowTest, TheJklChooserTakesTheFirstLevelUnlessAnotherIsChosen) {
  const auto& dialog = ui.SelectJklDialog();
  auto* list = Child<QListWidget>(dialog, "lstJKLs");
  QTimer::singleShot(0, [&] { DoubleClick(list, 2); });
  EXPECT_EQ(ui.ChooseJkl({"01abc.jkl", "02xyz.jkl", "03end.jkl"}), 2);
  QTimer::singleShot(0, [&] { Child<QPushButton>(dialog, "btnOK")->click(); });
  EXPECT_EQ(ui.ChooseJkl({"b.jkl", "c.jkl"}), 0);  // a fresh list
  EXPECT_EQ(list->count(), 2);
}

TEST_F(QtUiWindowTest, OpenProjectTakesOnlyAHighlightedProjectToOpenOrRemove) {
  const auto& dialog = ui.OpenProjectDialog();
  auto* ok = Child<QPushButton>(dialog, "btnOK");
  auto* remove = Child<QPushButton>(dialog, "btnRemove");
  auto* list = Child<QListWidget>(dialog, "lstProjects");
  const auto highlight = [&](int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
  };
  QTimer::singleShot(0, [&] {
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_FALSE(remove->isEnabled());
    highlight(1);
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_TRUE(remove->isEnabled());
    QTest::mouseClick(Child<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
  });
  EXPECT_EQ(ui.ChooseProject({"Abc Station", "Xyz Base"}), std::nullopt);
  QTimer::singleShot(0, [&] {
    EXPECT_FALSE(ok->isEnabled());  // a fresh list has nothing highlighted
    DoubleClick(list, 0);
  });
  EXPECT_EQ(ui.ChooseProject({"Abc Station", "Xyz Base"}), 0);
  QTimer::singleShot(0, [&] {
    EXPECT_FALSE(remove->isEnabled());
    highlight(1);
    QTest::mouseClick(remove, Qt::LeftButton);
  });
  EXPECT_EQ(ui.ChooseProject({"Abc Station", "Xyz Base"}),
            platform::ProjectChoice(platform::ProjectChoice::Action::Remove, 1));

  QTimer::singleShot(0, [&] { ui.NewProjectDialog().reject(); });
  EXPECT_EQ(ui.AskNewProject(), std::nullopt);
}

TEST_F(QtUiWindowTest, TheSaveQuestionAnswersYesNoOrCancelAndEscapeIsCancel) {
  const struct {
    QMessageBox::StandardButton press;  // NoButton: Escape
    platform::YesNoCancel answer;
  } cases[] = {{QMessageBox::Yes, platform::YesNoCancel::Yes},
               {QMessageBox::No, platform::YesNoCancel::No},
               {QMessageBox::Cancel, platform::YesNoCancel::Cancel},
               {QMessageBox::NoButton, platform::YesNoCancel::Cancel}};
  for (const auto& c : cases) {
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->windowTitle(), "Confirm");
      EXPECT_EQ(box->text(), "Save changes to Abc Station?");
      EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      if (c.press == QMessageBox::NoButton) {
        QTest::keyClick(box, Qt::Key_Escape);
      } else {
        box->button(c.press)->click();
      }
    });
    EXPECT_EQ(ui.AskYesNoCancel("Save changes to Abc Station?"), c.answer);
  }
}

TEST(SplashTest, ClosesItselfWhenItsTimerFires) {
  TfrmSplash splash(nullptr, 20);
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(splash.exec(), QDialog::Accepted);
  EXPECT_GE(clock.elapsed(), 15);
}

}  // namespace
}  // namespace kx::shell
