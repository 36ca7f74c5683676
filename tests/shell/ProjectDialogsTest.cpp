#include "support/TempDir.h"

#include "project/TfrmNewProject.h"
#include "project/TfrmOpenProject.h"
#include "project/TfrmSelectJKL.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kx::project {
namespace {

template <typename T>
T* Child(QWidget& parent, const char* name) {
  T* found = parent.findChild<T*>(name);
  EXPECT_NE(found, nullptr) << name;
  return found;
}

class NewProjectDialogTest : public ::testing::Test {
 public:
  NewProjectDialogTest() {
    dialog.show();
    dialog.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }
  ~NewProjectDialogTest() override { dialog.hide(); }

  QLineEdit* Edit(const char* name) { return Child<QLineEdit>(dialog, name); }
  // A click on the radio button's circle: its label may not reach the button's middle.
  void Choose(const char* name) {
    auto* button = Child<QRadioButton>(dialog, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
  }
  QPushButton* Ok() { return Child<QPushButton>(dialog, "btnOK"); }
  // Types text into the field, replacing what it held, as the user does.
  void Type(const char* name, const QString& text) {
    QLineEdit* edit = Edit(name);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
  // Moves the focus on to the next field, so that the field is left.
  void Leave(const char* name) {
    Edit(name)->setFocus();
    Edit("edtName")->setFocus();
    if (std::string(name) == "edtName") Edit("edtJKL")->setFocus();
  }

  TfrmNewProject dialog;
};

TEST_F(NewProjectDialogTest, StartsOnANewProjectWithOkDisabledAndTheUserArchiveHidden) {
  EXPECT_EQ(dialog.windowTitle(), "New JK Project");
  EXPECT_TRUE(Child<QRadioButton>(dialog, "rdbNew")->isChecked());
  EXPECT_FALSE(Child<QRadioButton>(dialog, "rdbLucasArts")->isEnabled());
  EXPECT_EQ(Child<QRadioButton>(dialog, "rdbLucasArts")->text(), "Open a &LucasArts Original GOB2");
  EXPECT_TRUE(Child<QGroupBox>(dialog, "grpNewProject")->isVisible());
  EXPECT_FALSE(Child<QGroupBox>(dialog, "grpUserGOB2")->isVisible());
  EXPECT_FALSE(Ok()->isEnabled());
  EXPECT_TRUE(Ok()->isDefault());
  EXPECT_EQ(Edit("edtName")->toolTip(), "This is the name of the level visible to the end user");
  EXPECT_EQ(Edit("edtJKL")->toolTip(), "This is the internal name of the level file");
  EXPECT_EQ(Edit("edtGOB2")->toolTip(), "This is the name of the distributed GOB2 file");
  EXPECT_EQ(Edit("edtUserGOB2")->toolTip(), "This is the name of distributed GOB2 file");
}

TEST_F(NewProjectDialogTest, TheGob2NameIsCheckedAsTypedAndCompletedWhenLeft) {
  Type("edtName", "Abc Station");
  Type("edtJKL", "01abc.jkl");
  EXPECT_FALSE(Ok()->isEnabled());
  Type("edtGOB2", "ABCDEFGH");
  EXPECT_TRUE(Ok()->isEnabled());
  Leave("edtGOB2");
  EXPECT_EQ(Edit("edtGOB2")->text(), "ABCDEFGH.GOB");
  EXPECT_TRUE(Ok()->isEnabled());

  Type("edtGOB2", "ABCDEFGHI");
  EXPECT_FALSE(Ok()->isEnabled());
  Type("edtGOB2", "abcdefgh.gob");
  EXPECT_TRUE(Ok()->isEnabled());
  Leave("edtGOB2");
  EXPECT_EQ(Edit("edtGOB2")->text(), "ABCDEFGH.GOB");

  // Emptying another field disables OK again; leaving an empty GOB2 field keeps it empty.
  Type("edtName", "");
  EXPECT_FALSE(Ok()->isEnabled());
  Type("edtName", "Abc Station");
  Type("edtGOB2", "");
  Leave("edtGOB2");
  EXPECT_EQ(Edit("edtGOB2")->text(), "");
  EXPECT_FALSE(Ok()->isEnabled());

  Type("edtGOB2", "mine");
  QTest::keyClick(Edit("edtGOB2"), Qt::Key_Return);  // OK without leaving the field
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const auto answer = dialog.Answer();
  EXPECT_EQ(answer.kind, platform::NewProjectAnswer::Kind::NewProject);
  EXPECT_EQ(answer.levelName, "Abc Station");
  EXPECT_EQ(answer.jklName, "01abc.jkl");
  EXPECT_EQ(answer.gob2Name, "MINE.GOB");
}

TEST_F(NewProjectDialogTest, AUserArchiveMustBeAnExistingFile) {
  kx::test::TempDir dir;
  const auto archive = dir.Write("downloads/mine.gob", "GOB ");
  Type("edtName", "Abc");
  Type("edtJKL", "a.jkl");
  Type("edtGOB2", "A");
  ASSERT_TRUE(Ok()->isEnabled());

  Choose("rdbUserGOB2");
  EXPECT_FALSE(Child<QGroupBox>(dialog, "grpNewProject")->isVisible());
  EXPECT_TRUE(Child<QGroupBox>(dialog, "grpUserGOB2")->isVisible());
  EXPECT_FALSE(Ok()->isEnabled());
  Type("edtUserGOB2", QString::fromStdString((dir.path() / "downloads").string()));
  EXPECT_FALSE(Ok()->isEnabled());  // a folder
  Type("edtUserGOB2", QString::fromStdString(archive.string()) + "x");
  EXPECT_FALSE(Ok()->isEnabled());
  QTest::keyClick(Edit("edtUserGOB2"), Qt::Key_Backspace);
  EXPECT_TRUE(Ok()->isEnabled());
  // Typing in the hidden group does not decide OK for the user archive.
  Edit("edtJKL")->setText("");
  EXPECT_TRUE(Ok()->isEnabled());

  QTest::mouseClick(Ok(), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Answer().kind, platform::NewProjectAnswer::Kind::UserGob2);
  EXPECT_EQ(dialog.Answer().userGob2, archive.string());

  // Back to a new project: its own fields decide again.
  dialog.show();
  Choose("rdbNew");
  EXPECT_FALSE(Ok()->isEnabled());
}

TEST(SelectJklDialogTest, TheFirstLevelIsTakenUnlessAnotherIsChosen) {
  TfrmSelectJKL dialog;
  EXPECT_EQ(dialog.windowTitle(), "Select JKL-file");
  EXPECT_EQ(Child<QLabel>(dialog, "lblSelectJKL")->text(),
            "There are more than one JKL-file within this GOB2. Please select the one to use:");
  dialog.Fill({"01abc.jkl", "02xyz.jkl", "03end.jkl"});
  EXPECT_EQ(dialog.Highlighted(), 0);
  auto* list = Child<QListWidget>(dialog, "lstJKLs");
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->item(1)->text(), "02xyz.jkl");

  dialog.show();
  const QRect row = list->visualItemRect(list->item(2));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.Highlighted(), 2);

  dialog.Fill({"b.jkl", "c.jkl"});  // reused: a fresh list
  EXPECT_EQ(dialog.Highlighted(), 0);
  EXPECT_EQ(list->count(), 2);
}

TEST(OpenProjectDialogTest, OkOpensOnlyAHighlightedProject) {
  TfrmOpenProject dialog;
  EXPECT_EQ(dialog.windowTitle(), "Open a JK project");
  dialog.Fill({"Abc Station", "Xyz Base"});
  auto* ok = Child<QPushButton>(dialog, "btnOK");
  auto* list = Child<QListWidget>(dialog, "lstProjects");
  EXPECT_EQ(dialog.Highlighted(), std::nullopt);
  EXPECT_FALSE(ok->isEnabled());
  dialog.show();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(1)).center());
  EXPECT_EQ(dialog.Highlighted(), 1);
  EXPECT_TRUE(ok->isEnabled());
  QTest::mouseClick(Child<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);

  dialog.Fill({"Abc Station", "Xyz Base"});
  EXPECT_FALSE(ok->isEnabled());
  dialog.show();
  const QPoint first = list->visualItemRect(list->item(0)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Highlighted(), 0);
}

}  // namespace
}  // namespace kx::project
