#include "support/LevelCompare.h"

#include "level/EpisodeFile.h"
#include "level/JklReader.h"
#include "level/JklWriter.h"
#include "properties/HeaderForm.h"
#include "shell/MainWindowFixture.h"

#include <QComboBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <gmock/gmock.h>

namespace kx::properties {
namespace {

using platform::BoxKind;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Box = kx::test::FakeUi::Box;

/// The main window; the Edit menu's dialogs are driven while they are shown modally.
class ModalDialogsTest : public shell::test::MainWindowTest {
 protected:
  /// Chooses the Edit menu item and, once its dialog is shown, runs act on it; act must close
  /// it (a dialog left open fails the test and is cancelled).
  void WithDialog(const char* item, const char* dialogName, const std::function<void()>& act) {
    bool ran = false;
    QTimer::singleShot(0, window.get(), [&] {
      ran = true;
      m_dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!m_dialog || m_dialog->objectName() != dialogName) {
        ADD_FAILURE() << dialogName << " is not shown";
        if (m_dialog) m_dialog->reject();
        return;
      }
      // The main window's own activation may still be on its way; the dialog comes after it.
      QCoreApplication::processEvents();
      m_dialog->activateWindow();
      EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == m_dialog; }));
      act();
      if (m_dialog->isVisible()) {
        ADD_FAILURE() << dialogName << " is still open";
        m_dialog->reject();
      }
    });
    Item(item)->trigger();
    EXPECT_TRUE(ran);
  }

  template <typename T = QLineEdit>
  T* In(const char* name) const {
    T* found = m_dialog->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  void Type(const char* name, const QString& text) const {
    auto* box = In(name);
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
  }
  void Click(const char* button) const {
    QTest::mouseClick(In<QPushButton>(button), Qt::LeftButton);
  }
  std::string Saved() const {
    return level::FormatLevel(window->Editor().Level(), "jkl\\01abc.jkl", "2024-01-01 00:00");
  }
  const editing::EditHistory& History() const { return window->Editor().History(); }

  QDialog* m_dialog = nullptr;
};

/// The main window with the small test level open.
class LevelDialogsTest : public ModalDialogsTest {
 protected:
  void SetUp() override {
    Start();
    NewProjectFrom("one.gob", {"01abc.jkl"});
    ui.boxes.clear();
  }
};

TEST_F(LevelDialogsTest, HeaderReportsTheFirstInvalidBoxAndStoresOnlyWhenAllAreValid) {
  WithDialog("mnuHeader", "frmEditHeader", [&] {
    EXPECT_EQ(m_dialog->windowTitle(), "Header");
    EXPECT_EQ(In("edtGravity")->text(), "1.000000");
    EXPECT_EQ(In("edtVersion")->text(), "1");
    QStringList names;
    for (const char* name : {"edtVersion", "edtHorizonX", "edtMipMap3", "edtGouraud"}) {
      names << In(name)->accessibleName();
    }
    EXPECT_EQ(names.join("|"),
              "Version|Horizon Sky Offset (X)|MipMap Distances (3)|Gouraud distance");

    Type("edtGravity", "abc");
    Type("edtGouraud", "x");
    Click("btnOK");
    EXPECT_THAT(ui.boxes, ElementsAre(Box{BoxKind::Error, "Error in field \"World Gravity\""}));
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(In("edtGravity")->text(), "abc");
    EXPECT_EQ(QApplication::focusWidget(), In("edtGravity"));
    Type("edtGravity", "2");
    Type("edtVersion", "3");
    Type("edtGouraud", "7.5");
    Click("btnOK");
  });
  const level::LevelHeader& header = window->Editor().Level().header;
  EXPECT_EQ(header.worldGravity, 2.0f);
  EXPECT_EQ(header.version, 3);
  EXPECT_EQ(header.gouraudDistance, 7.5f);
  EXPECT_EQ(History().UndoName(), "Change Header");

  // Each label's access key reaches its (first) box; Cancel after editing changes nothing.
  const std::string before = Saved();
  WithDialog("mnuHeader", "frmEditHeader", [&] {
    EXPECT_EQ(In("edtGravity")->text(), "2.000000");
    const std::pair<Qt::Key, const char*> keys[] = {
        {Qt::Key_V, "edtVersion"}, {Qt::Key_G, "edtGravity"},   {Qt::Key_Z, "edtCeilingSkyZ"},
        {Qt::Key_D, "edtHDist"},   {Qt::Key_R, "edtPixPerRev"}, {Qt::Key_H, "edtHorizonX"},
        {Qt::Key_M, "edtMipMap1"}, {Qt::Key_L, "edtLOD1"},      {Qt::Key_P, "edtPerspective"},
        {Qt::Key_U, "edtGouraud"}};
    for (const auto& [key, box] : keys) {
      QTest::keyClick(m_dialog, key, Qt::AltModifier);
      EXPECT_EQ(QApplication::focusWidget(), In(box)) << box;
    }
    Type("edtGravity", "5");
    Type("edtLOD3", "9");
    Click("btnCancel");
  });
  EXPECT_EQ(Saved(), before);
  EXPECT_EQ(History().StepCount(), 1u);

  // OK without a change leaves no step.
  WithDialog("mnuHeader", "frmEditHeader", [&] { Click("btnOK"); });
  EXPECT_EQ(History().StepCount(), 1u);
}

TEST_F(LevelDialogsTest, CopyrightSaysWhichLinesASavedLevelWouldNotKeepBeforeStoringThem) {
  window->Editor().Level().copyright.count = 1;
  window->Editor().Level().copyright[0] = "@@..@@";
  WithDialog("mnuCopyright", "frmEditCopyright", [&] {
    EXPECT_EQ(m_dialog->windowTitle(), "Copyright ");
    auto* memo = In<QPlainTextEdit>("mmoCopyright");
    EXPECT_EQ(memo->accessibleName(), "Copyright text");
    EXPECT_EQ(memo->toPlainText(), "@@..@@");
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "SECTION: THINGS");
    Click("btnOK");
    EXPECT_THAT(ui.boxes, ElementsAre(::testing::Field(&Box::kind, BoxKind::Error)));
    for (int i = 0; i < 15; ++i) QTest::keyClick(memo, Qt::Key_Backspace);
    QTest::keyClicks(memo, "(c) me # 2024");
    Click("btnOK");  // the question is answered No
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(ui.boxes.back(),
              (Box{BoxKind::Confirm,
                   "Not all of the copyright text is kept as it is typed:\r\rLine 2 reads back as "
                   "\"(c) me\": a line ends at \"#\".\r\rKeep the text anyway?"}));
    ui.yesNoAnswers.push_back(true);
    Click("btnOK");
  });
  const auto& copyright = window->Editor().Level().copyright;
  EXPECT_EQ(copyright.count, 2);
  EXPECT_EQ(copyright[1], "(c) me # 2024");  // kept as typed until the level is saved
  EXPECT_EQ(History().UndoName(), "Change Copyright");

  const std::string before = Saved();
  WithDialog("mnuCopyright", "frmEditCopyright", [&] {
    QTest::keyClicks(In<QPlainTextEdit>("mmoCopyright"), "more");
    Click("btnCancel");
  });
  EXPECT_EQ(Saved(), before);
}

TEST_F(LevelDialogsTest, EpisodeSelectsTheTypesItemAndKeepsATypeTheListDoesNotHold) {
  auto& episode = window->Editor().Level().episode;
  episode.type = 8;
  WithDialog("mnuEpisodeInfo", "frmEpisodeInfo", [&] {
    EXPECT_EQ(In("edtEpisodeName")->text(), "Test Episode");
    EXPECT_EQ(In("edtEpisodeName")->accessibleName(), "Episode name");
    auto* types = In<QComboBox>("cboEpisodeType");
    EXPECT_EQ(types->accessibleName(), "Episode type");
    EXPECT_FALSE(types->isEditable());
    EXPECT_EQ(types->currentText(), "Special/CTF");
    Click("btnOK");
  });
  EXPECT_FALSE(History().CanUndo());

  episode.type = 5;
  WithDialog("mnuEpisodeInfo", "frmEpisodeInfo", [&] {
    EXPECT_EQ(In<QComboBox>("cboEpisodeType")->currentIndex(), -1);
    Type("edtEpisodeName", "Renamed");
    Click("btnOK");
  });
  EXPECT_EQ(episode, (level::EpisodeInfo{"Renamed", 5}));
  EXPECT_EQ(History().UndoName(), "Change Episode Info");

  WithDialog("mnuEpisodeInfo", "frmEpisodeInfo", [&] {
    auto* types = In<QComboBox>("cboEpisodeType");
    types->setFocus();
    QTest::keyClick(types, Qt::Key_Down);
    QTest::keyClick(types, Qt::Key_Down);
    EXPECT_EQ(types->currentText(), "Deathmatch");
    Click("btnOK");
  });
  EXPECT_EQ(episode, (level::EpisodeInfo{"Renamed", 2}));
}

TEST_F(LevelDialogsTest, TheTemplateWindowOpensOnNoneAndLeavesTheLevelAsItIs) {
  const level::Level before = window->Editor().Level();
  WithDialog("mnuTemplates", "frmTemplates", [&] {
    EXPECT_EQ(In<QTreeWidget>("treeHierarchy")->currentItem()->text(0), "none");
    EXPECT_EQ(In<QTreeWidget>("treeHierarchy")->topLevelItem(0)->child(0)->text(0), "crate");
    Click("btnOK");
  });
  EXPECT_TRUE(window->Editor().Level() == before);
}

TEST_F(ModalDialogsTest, ACorpusLevelKeepsWhatTheThreeDialogsChangedThroughASave) {
  const auto corpus = kx::test::CorpusDir();
  if (corpus.empty()) GTEST_SKIP() << "no corpus on this machine";
  const auto gob = corpus / "saberworks+massassi-static" / "source" / "tutorials" / "rd" /
                   "rotdoor1.zip.contents" / "RotDoor1.gob";
  auto expected = std::make_unique<level::Level>();
  level::ReadLevel(*expected, gob.string() + ".contents/jkl/rotdoor1.jkl", "rotdoor1.jkl", ui);
  Start();
  platform::NewProjectAnswer answer;
  answer.userGob2 = gob.string();
  ui.newProjectAnswers.push_back(answer);
  Press(Button("btnNew"));
  ASSERT_TRUE(window->Editor().ProjectOpen());
  ui.boxes.clear();

  WithDialog("mnuHeader", "frmEditHeader", [&] {
    Type("edtGravity", "9.5");
    Click("btnOK");
  });
  WithDialog("mnuCopyright", "frmEditCopyright", [&] {
    auto* memo = In<QPlainTextEdit>("mmoCopyright");
    QTest::keyClick(memo, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClicks(memo, "Edited with Kelvarix");
    Click("btnOK");
  });
  WithDialog("mnuEpisodeInfo", "frmEpisodeInfo", [&] {
    Type("edtEpisodeName", "Door Test");
    Click("btnOK");
  });
  EXPECT_THAT(ui.boxes, IsEmpty());
  EXPECT_EQ(History().PushCount(), 3u);
  Press(Button("btnSave"));

  const auto& values = window->Editor().Values();
  auto saved = std::make_unique<level::Level>();
  level::ReadLevel(*saved, values.ProjectDir / "jkl" / values.JKLName, values.JKLName, ui);
  level::EpisodeInfo episode;
  level::ReadEpisode(episode, values.ProjectDir / "episode.jk");
  expected->header.worldGravity = 9.5f;
  expected->copyright[0] = "Edited with Kelvarix";
  EXPECT_EQ(kx::test::FirstLevelDifference(*expected, *saved), "");
  EXPECT_EQ(saved->copyright.count, 34);
  EXPECT_EQ(episode, (level::EpisodeInfo{"Door Test", 1}));
}

}  // namespace
}  // namespace kx::properties
