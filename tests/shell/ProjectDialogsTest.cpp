#include "support/TempDir.h"

#include "project/TfrmNewProject.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kx::project {
namespace {

using Kind = platform::NewProjectAnswer::Kind;

class NewProjectDialogTest : public ::testing::Test {
 public:
  NewProjectDialogTest() {
    dialog.show();
    dialog.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }
  ~NewProjectDialogTest() override { dialog.hide(); }

  template <typename T = QLineEdit>
  T* Child(const char* name) {
    T* found = dialog.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  bool OkEnabled() { return Child<QPushButton>("btnOK")->isEnabled(); }
  // A click on the radio button's circle: its label may not reach the button's middle.
  void Choose(const char* name) {
    auto* button = Child<QRadioButton>(name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
  }
  // Types text into the field, replacing what it held, as the user does.
  void Type(const char* name, const QString& text) {
    Child(name)->setFocus();
    Child(name)->selectAll();
    QTest::keyClick(Child(name), Qt::Key_Delete);
    QTest::keyClicks(Child(name), text);
  }
  // Leaves the GOB2 field for the next one.
  void LeaveGob2() {
    Child("edtGOB2")->setFocus();
    Child("edtName")->setFocus();
  }

  TfrmNewProject dialog;
};

TEST_F(NewProjectDialogTest, StartsOnANewProjectWhoseGob2NameIsCheckedAsTypedAndCompletedWhenLeft) {
  EXPECT_TRUE(Child<QRadioButton>("rdbNew")->isChecked());
  EXPECT_FALSE(Child<QRadioButton>("rdbLucasArts")->isEnabled());
  EXPECT_TRUE(Child<QGroupBox>("grpNewProject")->isVisible());
  EXPECT_FALSE(Child<QGroupBox>("grpUserGOB2")->isVisible());
  EXPECT_FALSE(OkEnabled());
  EXPECT_TRUE(Child<QPushButton>("btnOK")->isDefault());

  // The GOB2 name is checked as typed and completed when left.
  Type("edtName", "Abc Station");
  Type("edtJKL", "01abc.jkl");
  EXPECT_FALSE(OkEnabled());
  for (const auto& [typed, ok] :
       {std::pair{"ABCDEFGH", true}, {"ABCDEFGHI", false}, {"abcdefgh.gob", true}, {"", false}}) {
    Type("edtGOB2", typed);
    EXPECT_EQ(OkEnabled(), ok) << typed;
  }
  Type("edtGOB2", "abcdefgh");
  LeaveGob2();
  EXPECT_EQ(Child("edtGOB2")->text(), "ABCDEFGH.GOB");
  Type("edtGOB2", "mine");
  Type("edtName", "");  // emptying another field disables OK again
  EXPECT_FALSE(OkEnabled());
  Type("edtName", "Abc Station");
  Child("edtGOB2")->setFocus();
  QTest::keyClick(Child("edtGOB2"), Qt::Key_Return);  // OK without leaving the field
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const auto answer = dialog.Answer();
  EXPECT_EQ(answer.kind, Kind::NewProject);
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
  ASSERT_TRUE(OkEnabled());

  Choose("rdbUserGOB2");
  EXPECT_FALSE(Child<QGroupBox>("grpNewProject")->isVisible());
  EXPECT_TRUE(Child<QGroupBox>("grpUserGOB2")->isVisible());
  EXPECT_FALSE(OkEnabled());
  Type("edtUserGOB2", QString::fromStdString((dir.path() / "downloads").string()));
  EXPECT_FALSE(OkEnabled());  // a folder
  Type("edtUserGOB2", QString::fromStdString(archive.string()) + "x");
  EXPECT_FALSE(OkEnabled());
  QTest::keyClick(Child("edtUserGOB2"), Qt::Key_Backspace);
  EXPECT_TRUE(OkEnabled());
  Child("edtJKL")->setText("");  // the hidden group does not decide OK for the user archive
  EXPECT_TRUE(OkEnabled());

  QTest::mouseClick(Child<QPushButton>("btnOK"), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Answer().kind, Kind::UserGob2);
  EXPECT_EQ(dialog.Answer().userGob2, archive.string());
  dialog.show();
  Choose("rdbNew");  // back to a new project: its own fields decide again
  EXPECT_FALSE(OkEnabled());
}

}  // namespace
}  // namespace kx::project
