#include "properties/PropertyWindowFixture.h"

#include <QCheckBox>
#include <QGroupBox>

#include <gmock/gmock.h>

namespace kx::properties::test {
namespace {

using mapview::EditMode;

class TfrmFlagsTest : public PropertyWindowTest {
 protected:
  void SetUp() override {
    Start();
    OpenLevel(*kx::test::PropertyTestLevel());
  }

  /// The checked boxes' bit values, and what the dialog shows, when it comes up.
  struct Shown {
    std::string group, sum, box4;
    std::vector<int> checked;
  };
  static Shown Read(QWidget& dialog) {
    Shown shown;
    shown.group = dialog.findChild<QGroupBox*>("grpFlags")->title().toStdString();
    shown.sum = dialog.findChild<QLabel*>("lblSum")->text().toStdString();
    shown.box4 = dialog.findChild<QCheckBox*>("chk4")->text().toStdString();
    for (int bit = 1; bit <= 32768; bit *= 2) {
      if (dialog.findChild<QCheckBox*>(QString("chk%1").arg(bit))->isChecked()) {
        shown.checked.push_back(bit);
      }
    }
    return shown;
  }
  static void Toggle(QWidget& dialog, int bit) {
    auto* box = dialog.findChild<QCheckBox*>(QString("chk%1").arg(bit));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
  }
  /// Opens the flags editor from row label's "more" button; answer clicks and closes it.
  Shown RunFlags(const char* label, const char* more, const std::function<void(QWidget&)>& answer) {
    Click(Value(label));
    Shown shown;
    EXPECT_TRUE(AnswerModal([&] { Click(More(more)); },
                            [&](QWidget& dialog) {
                              shown = Read(dialog);
                              answer(dialog);
                            }));
    return shown;
  }
};

TEST_F(TfrmFlagsTest, LoadsTheWordKeepsItsBitsAboveTheBoxesAndOkWritesIt) {
  Select(EditMode::Surface, {0});
  std::string afterClick;
  const Shown shown = RunFlags("lblSurfaceSurfflags", "btnSurfaceMore", [&](QWidget& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Flags Editor");
    EXPECT_EQ(dialog.findChild<QCheckBox*>("chk4")->accessibleName(), "Solid surface?");
    Toggle(dialog, 2);
    Toggle(dialog, 8192);
    afterClick = dialog.findChild<QLabel*>("lblSum")->text().toStdString();
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnOK"), Qt::LeftButton);
  });
  EXPECT_EQ(shown.group, "Surface: Surfflags");
  EXPECT_EQ(shown.box4, "Solid surface?");
  EXPECT_EQ(shown.sum, "0x12345");
  EXPECT_THAT(shown.checked, ::testing::ElementsAre(1, 4, 64, 256, 512, 8192));
  EXPECT_EQ(afterClick, "0x10347");
  EXPECT_EQ(Level().surfaces[0].surfflags, 0x10347u);
  EXPECT_EQ(Value("lblSurfaceSurfflags")->text(), "0x10347");
  EXPECT_EQ(Box("edtSurface")->text(), "0x10347");
  EXPECT_EQ(window->Editor().History().UndoName(), "Change Surfflags");

  // The next showing starts from its own caller's word and table.
  const Shown faces = RunFlags("lblSurfaceFaceflags", "btnSurfaceMore",
                               [](QWidget& dialog) { dynamic_cast<QDialog&>(dialog).accept(); });
  EXPECT_EQ(faces.group, "Surface: Faceflags");
  EXPECT_EQ(faces.box4, "Unknown 3");
  EXPECT_EQ(faces.sum, "0x0004");
  EXPECT_THAT(faces.checked, ::testing::ElementsAre(4));
  EXPECT_EQ(window->Editor().History().PushCount(), 1u);  // OK on an unchanged word
  // The Enter that closed the dialog comes up on the "more" button: no key of the editor there.
  QTest::keyRelease(More("btnSurfaceMore"), Qt::Key_Return);
  EXPECT_EQ(Box("edtSurface")->y(), Value("lblSurfaceFaceflags")->y() - 4);
  EXPECT_EQ(Focus(), More("btnSurfaceMore"));
}

TEST_F(TfrmFlagsTest, CancelChangesNothingWhateverWasClicked) {
  Select(EditMode::Sector, {0});
  const Shown shown = RunFlags("lblSectorFlags", "btnSectorMore", [&](QWidget& dialog) {
    Toggle(dialog, 4);
    Toggle(dialog, 1);
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
  });
  EXPECT_EQ(shown.group, "Sector: Flags");
  EXPECT_EQ(Level().sectors[0].flags, 0x10004u);
  EXPECT_EQ(Value("lblSectorFlags")->text(), "0x10004");
  EXPECT_FALSE(window->Editor().History().CanUndo());
}

TEST_F(TfrmFlagsTest, SeveralRecordsStartFromZeroAndEachKeepsItsOwnHighBits) {
  Select(EditMode::Sector, {0, 1});
  std::string afterClick;
  const Shown shown = RunFlags("lblSectorFlags", "btnSectorMore", [&](QWidget& dialog) {
    Toggle(dialog, 8);
    afterClick = dialog.findChild<QLabel*>("lblSum")->text().toStdString();
    dynamic_cast<QDialog&>(dialog).accept();
  });
  EXPECT_EQ(shown.sum, "0x0000");
  EXPECT_THAT(shown.checked, ::testing::IsEmpty());
  EXPECT_EQ(afterClick, "0x0008");
  EXPECT_EQ(Level().sectors[0].flags, 0x10008u);
  EXPECT_EQ(Level().sectors[1].flags, 0x8u);
  EXPECT_EQ(window->Editor().History().PushCount(), 1u);
}

}  // namespace
}  // namespace kx::properties::test
