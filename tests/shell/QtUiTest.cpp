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
  struct Case {
    BoxKind kind;
    const char* title;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
  };
  for (const Case& c :
       {Case{BoxKind::Warning, "Warning", QMessageBox::Warning, QMessageBox::Ok},
        Case{BoxKind::Error, "Error", QMessageBox::Critical, QMessageBox::Ok},
        Case{BoxKind::Information, "Information", QMessageBox::Information, QMessageBox::Ok},
        Case{BoxKind::Confirm, "Confirm", QMessageBox::Question,
             QMessageBox::Yes | QMessageBox::No},
        Case{BoxKind::Plain, "Orbandel Kelvarix 1.0", QMessageBox::NoIcon, QMessageBox::Ok}}) {
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
  QMainWindow main;
  QtUi ui{&main};
  TfrmUngobing& progress = ui.ProgressWindow();
  QLabel* Item() { return progress.findChild<QLabel*>("lblFilename"); }
  QProgressBar* Bar() { return progress.findChild<QProgressBar*>("barUngob"); }
  QGroupBox* Group() { return progress.findChild<QGroupBox*>("grpUngob"); }
};

TEST_F(QtUiWindowTest, TheProgressWindowShowsEachOperationAndCannotBeClosed) {
  EXPECT_EQ(progress.windowTitle(), "Ungobing...");
  EXPECT_EQ(Group()->title(), "Extracting file: ");
  EXPECT_TRUE(progress.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(progress.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
  EXPECT_FALSE(progress.windowFlags().testFlag(Qt::WindowCloseButtonHint));
  EXPECT_EQ(progress.size(), QSize(420, 86));

  ui.ProgressBegin("Parsing 01abc.jkl...", "Parsing section: ", 250);
  EXPECT_TRUE(progress.isVisible());
  EXPECT_EQ(progress.windowTitle(), "Parsing 01abc.jkl...");
  EXPECT_EQ(Group()->title(), "Parsing section: ");
  EXPECT_EQ(Bar()->maximum(), 250);
  EXPECT_EQ(Bar()->value(), 0);
  EXPECT_FALSE(progress.close());
  EXPECT_TRUE(progress.isVisible());

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

TEST_F(QtUiWindowTest, PendingEventsRunWhileAnOperationAsksForThem) {
  ui.ProgressBegin("Ungobing a.gob...", "Extracting file: ", 10);
  bool timerRan = false;
  QTimer::singleShot(0, [&] { timerRan = true; });
  ui.ProgressSetItem("jkl\\01abc.jkl");
  QElapsedTimer clock;
  clock.start();
  while (!timerRan && clock.elapsed() < 2000) ui.ProcessEvents();
  EXPECT_TRUE(timerRan);
  // The item was shown when the events ran, before the operation ended.
  EXPECT_EQ(Item()->text(), "jkl\\01abc.jkl");
  ui.ProgressEnd();
}

TEST_F(QtUiWindowTest, BusyCursorNestsAndTheCaptionGoesToTheMainWindow) {
  ui.SetBusyCursor(true);
  ui.SetBusyCursor(true);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  ui.SetBusyCursor(false);
  EXPECT_NE(QApplication::overrideCursor(), nullptr);
  ui.SetBusyCursor(false);
  ui.SetBusyCursor(false);  // one too many restores nothing of anyone else's
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  ui.SetMainCaption("Orbandel Kelvarix 1.0 Preview Release 1 Build 631 - Abc Station");
  EXPECT_EQ(main.windowTitle(), "Orbandel Kelvarix 1.0 Preview Release 1 Build 631 - Abc Station");
}

TEST_F(QtUiWindowTest, TheListDialogsAnswerWithTheEntryTheUserChose) {
  QTimer::singleShot(0, [&] {
    auto* list = ui.SelectJklDialog().findChild<QListWidget*>("lstJKLs");
    list->setCurrentRow(1);
    ui.SelectJklDialog().findChild<QPushButton*>("btnOK")->click();
  });
  EXPECT_EQ(ui.ChooseJkl({"01abc.jkl", "02xyz.jkl"}), 1);

  QTimer::singleShot(0,
                     [&] { ui.OpenProjectDialog().findChild<QPushButton*>("btnCancel")->click(); });
  EXPECT_EQ(ui.ChooseProject({"Abc Station"}), std::nullopt);

  QTimer::singleShot(0, [&] { ui.NewProjectDialog().reject(); });
  EXPECT_EQ(ui.AskNewProject(), std::nullopt);
}

TEST(SplashTest, ClosesItselfWhenItsTimerFires) {
  TfrmSplash splash(nullptr, 20);
  EXPECT_EQ(splash.findChild<QLabel*>("lblProduct")->text(), "Kelvarix 1.0");
  EXPECT_EQ(splash.findChild<QLabel*>("lblBuild")->text(), "Preview Release 1 Build 631");
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(splash.exec(), QDialog::Accepted);
  EXPECT_GE(clock.elapsed(), 15);
  EXPECT_LT(clock.elapsed(), 3000);
  EXPECT_EQ(TfrmSplash::kShowMilliseconds, 4000);
}

}  // namespace
}  // namespace kx::shell
