#include "shell/MainWindowFixture.h"
#include "shell/MessagesPanel.h"
#include "shell/QtUi.h"

#include <QListWidget>
#include <QSignalSpy>

#include <gmock/gmock.h>

namespace kx::shell::test {
namespace {

using mapview::EditMode;

QStringList Rows(const QListWidget& list) {
  QStringList rows;
  for (int i = 0; i < list.count(); ++i) rows << list.item(i)->text();
  return rows;
}

TEST(MessagesPanelTest, ListsEachMessageOnceAndTellsTheRecordOfAClickedEntry) {
  MessagesPanel panel;
  panel.show();
  auto* list = panel.findChild<QListWidget*>("lstMessages");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->accessibleName(), "Messages");
  QSignalSpy activated(&panel, &MessagesPanel::RecordActivated);

  panel.AddNote("Can't find ky.3do in Parse3DOs");
  panel.AddNote("Can't find ky.3do in Parse3DOs");
  panel.AddNote("Line 12: 3 records\rbeyond the count");
  panel.Add({"sector 2 is not closed", editing::RecordRef{EditMode::Sector, 2}});
  EXPECT_EQ(Rows(*list),
            QStringList({"Can't find ky.3do in Parse3DOs", "Line 12: 3 records beyond the count",
                         "sector 2 is not closed"}));

  const auto click = [&](int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
  };
  click(0);
  EXPECT_EQ(activated.count(), 0) << "a note is about no record";
  click(2);
  ASSERT_GE(activated.count(), 1);
  EXPECT_EQ(activated.last().at(0).value<EditMode>(), EditMode::Sector);
  EXPECT_EQ(activated.last().at(1).toInt(), 2);

  panel.Clear();
  EXPECT_EQ(list->count(), 0);
  EXPECT_TRUE(panel.List().Entries().empty());
}

TEST_F(MainWindowTest, ViewMessagesShowsThePanelWhichListsWhatTheCurrentOpenNoted) {
  Start();
  auto* panel = Find<MessagesPanel>("pnlMessages");
  EXPECT_FALSE(panel->isVisible());
  EXPECT_EQ(Item("mnuMessages")->text(), "&Messages");
  Item("mnuMessages")->trigger();
  EXPECT_TRUE(panel->isVisible());
  EXPECT_TRUE(Item("mnuMessages")->isChecked());

  panel->AddNote("Can't find ky.3do in Parse3DOs");
  NewProjectFrom("one.gob", {"01abc.jkl"});  // each open starts its own list
  EXPECT_TRUE(panel->List().Entries().empty());
  Item("mnuMessages")->trigger();
  EXPECT_FALSE(panel->isVisible());
}

TEST(MessagesPanelTest, TheWindowsOwnUiHandsItsNotesToThePanel) {
  kx::test::TempDir dir;
  TfrmMain window(nullptr, dir.path());
  window.Ui().Note("Can't find template for ghost in Draw3DThing");
  ASSERT_EQ(window.Messages().List().Entries().size(), 1u);
  EXPECT_EQ(window.Messages().List().Entries()[0].text,
            "Can't find template for ghost in Draw3DThing");
}

}  // namespace
}  // namespace kx::shell::test
