#include "level/JklReader.h"
#include "project/ProjectValues.h"
#include "shell/MainWindowFixture.h"

#include <QAccessible>

#include <gmock/gmock.h>

namespace kx::shell::test {
namespace {

namespace fs = std::filesystem;
using platform::BoxKind;
using platform::YesNoCancel;
using Box = kx::test::FakeUi::Box;

class SaveQuestionTest : public MainWindowTest {
 public:
  void ChangeLight(int light) {
    auto change = window->Editor().Change("Change Light");
    change.Surface(0).light = light;
    change.Commit();
  }
  int SavedLight() {
    level::Level saved;
    level::ReadLevel(saved, window->Editor().Values().ProjectDir / "jkl" / "01abc.jkl", "01abc.jkl",
                     ui);
    return saved.surfaces[0].light;
  }
};

TEST_F(SaveQuestionTest, NewOpenAndLeavingAskToSaveUnsavedChangesAndTheAnswerDecides) {
  const std::string question = "Save changes to Level 01ABC?";
  const std::string caption = project::ProjectCaption("Level 01ABC");
  const struct {
    const char* command;
    std::function<void(SaveQuestionTest&)> run;
    std::function<bool(SaveQuestionTest&)> wentOn;  // the command went on after the question
  } commands[] = {
      {"New project",
       [](SaveQuestionTest& t) {
         t.ui.newProjectAnswers = {std::nullopt};  // the dialog is then cancelled
         t.Press(t.Button("btnNew"));
       },
       [](SaveQuestionTest& t) { return t.ui.newProjectAnswers.empty(); }},
      {"Open project",
       [](SaveQuestionTest& t) {
         t.ui.projectChoices = {std::nullopt};
         t.ui.projectListsShown.clear();
         t.Press(t.Button("btnOpen"));
       },
       [](SaveQuestionTest& t) { return !t.ui.projectListsShown.empty(); }},
      {"Exit", [](SaveQuestionTest& t) { t.Item("mnuExit")->trigger(); },
       [](SaveQuestionTest& t) { return !t.window->isVisible(); }},
      {"close box", [](SaveQuestionTest& t) { t.window->close(); },
       [](SaveQuestionTest& t) { return !t.window->isVisible(); }},
  };
  int light = 0;
  int savedLight = 0;
  StartWithProject();
  for (const auto& command : commands) {
    for (const YesNoCancel answer : {YesNoCancel::Cancel, YesNoCancel::No, YesNoCancel::Yes}) {
      SCOPED_TRACE(std::string(command.command) + " answered " +
                   std::to_string(static_cast<int>(answer)));
      if (!window->isVisible()) StartWithProject();
      ChangeLight(++light);
      ASSERT_EQ(ui.captions.back(), caption + "*");
      ui.boxes.clear();
      ui.yesNoCancelAnswers = {answer};
      command.run(*this);
      // One question, the exit's own included.
      EXPECT_THAT(ui.boxes, ::testing::ElementsAre(Box{BoxKind::Confirm, question}));
      EXPECT_EQ(command.wentOn(*this), answer != YesNoCancel::Cancel);
      if (answer == YesNoCancel::Yes) savedLight = light;
      EXPECT_EQ(SavedLight(), savedLight);
      if (window->isVisible()) {
        EXPECT_EQ(ui.captions.back(), answer == YesNoCancel::Yes ? caption : caption + "*");
      }
    }
  }
  // Without unsaved changes leaving asks its own question only.
  StartWithProject();
  ui.yesNoAnswers = {false};
  Item("mnuExit")->trigger();
  EXPECT_THAT(ui.boxes,
              ::testing::ElementsAre(Box{BoxKind::Confirm, "Do you want to exit Kelvarix?"}));
  EXPECT_TRUE(window->isVisible());
}

TEST_F(SaveQuestionTest, UndoAndRedoNameTheirStepAndAnswerTheirKeys) {
  StartWithProject();
  QAction* undo = Item("mnuUndo");
  QAction* redo = Item("mnuRedo");
  EXPECT_EQ(Find<QMenu>("mnuEdit")->actions().value(0), undo);
  const auto items = [&] {
    return undo->text().toStdString() + (undo->isEnabled() ? " on" : " off") + " | " +
           redo->text().toStdString() + (redo->isEnabled() ? " on" : " off");
  };
  EXPECT_EQ(items(), "&Undo off | &Redo off");
  ChangeLight(5);
  {
    auto change = window->Editor().Change("Change Material");
    change.Surface(1).mat = 2;
    change.Commit();
  }
  EXPECT_EQ(items(), "&Undo Change Material on | &Redo off");
  // The assistive technology reads the item by its text.
  QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(Find<QMenu>("mnuEdit"));
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->child(0)->text(QAccessible::Name), "Undo Change Material");
  const auto& level = window->Editor().Level();
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* items;
    int light, mat;
  } keys[] = {
      {Qt::Key_Z, Qt::ControlModifier, "&Undo Change Light on | &Redo Change Material on", 5, 0},
      {Qt::Key_Z, Qt::ControlModifier, "&Undo off | &Redo Change Light on", 0, 0},
      {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier,
       "&Undo Change Light on | &Redo Change Material on", 5, 0},
      {Qt::Key_Y, Qt::ControlModifier, "&Undo Change Material on | &Redo off", 5, 2},
      {Qt::Key_Y, Qt::ControlModifier, "&Undo Change Material on | &Redo off", 5, 2},
  };
  for (const auto& k : keys) {
    QTest::keyClick(KeySink(), k.key, k.modifiers);
    EXPECT_EQ(items(), k.items);
    EXPECT_EQ(level.surfaces[0].light, k.light);
    EXPECT_EQ(level.surfaces[1].mat, k.mat);
  }
  EXPECT_TRUE(KeySink()->text().isEmpty());  // the keys were commands, not typing
}

TEST_F(SaveQuestionTest, SaveAndGobSayWhatTheyWroteInTheStatusBar) {
  StartWithProject();
  auto* note = Find<QLabel>("barNote");
  Press(Button("btnSave"));
  EXPECT_THAT(note->text().toStdString(),
              ::testing::MatchesRegex("Saved jkl.01abc.jkl at [0-9]{2}:[0-9]{2}:[0-9]{2}"));
  Item("mnuGobProject")->trigger();
  EXPECT_THAT(note->text().toStdString(),
              ::testing::MatchesRegex("Packed gob.P.GOB at [0-9]{2}:[0-9]{2}:[0-9]{2}"));
}

}  // namespace
}  // namespace kx::shell::test
