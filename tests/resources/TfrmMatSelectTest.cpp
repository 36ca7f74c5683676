#include "properties/PropertyWindowFixture.h"
#include "resources/MatBuilder.h"
#include "resources/QtMatPreview.h"

#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QTimer>

#include <fstream>
#include <gmock/gmock.h>

namespace kx::resources {
namespace {

using mapview::EditMode;
using properties::test::PropertyWindowTest;
using ::testing::ElementsAre;

/// A colormap whose entry k is f(k).
template <typename Entry>
std::string ColormapBytes(Entry entry) {
  std::string bytes(64, '\0');
  for (int k = 0; k < 256; ++k) {
    const Rgb rgb = entry(k);
    bytes += static_cast<char>(rgb.red);
    bytes += static_cast<char>(rgb.green);
    bytes += static_cast<char>(rgb.blue);
  }
  return bytes;
}

Rgb Dflt(int k) {
  return {static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(2 * k),
          static_cast<std::uint8_t>(3 * k)};
}
Rgb Other(int k) {
  return {static_cast<std::uint8_t>(255 - k), static_cast<std::uint8_t>(k), 0};
}

QStringList Items(const QListWidget& list) {
  QStringList items;
  for (int i = 0; i < list.count(); ++i) items << list.item(i)->text();
  return items;
}

class TfrmMatSelectTest : public PropertyWindowTest {
 protected:
  void SetUp() override {
    const auto game = dir.path() / "game";
    kx::test::GobBuilder()
        .Entry("mat\\brick.mat", kx::test::MatBuilder::Texture().FilledCel(8, 8, 2, 7).Bytes())
        .Entry("mat\\WALL.MAT", kx::test::MatBuilder::Colour().ColourCel(1).Bytes())
        .Entry("3do\\mat\\gun.mat", kx::test::MatBuilder::Colour().ColourCel(2).Bytes())
        .WriteTo(game / "resource" / "res2.gob");
    WriteSettings("[Directories]\r\nJKDir=" + game.string() + "\r\n");
    Start();
    auto level = kx::test::PropertyTestLevel();
    level->colormaps.count = 2;
    level->colormaps[1] = "other.cmp";
    OpenLevel(
        *level,
        {{"mat\\floor.mat",
          kx::test::MatBuilder::Texture().FilledCel(4, 4, 1, 5).FilledCel(4, 4, 1, 6).Bytes()},
         {"mat\\Wall.mat",
          kx::test::MatBuilder::Colour().ColourCel(10).ColourCel(20).ColourCel(30).Bytes()},
         {"misc\\cmp\\dflt.cmp", ColormapBytes(Dflt)},
         {"misc\\cmp\\other.cmp", ColormapBytes(Other)}});
  }

  /// Opens the selector from the Mat row of the surface page; answer works in it.
  void RunSelector(const std::function<void(QWidget&)>& answer) {
    Click(Value("lblSurfaceMat"));
    ASSERT_TRUE(AnswerModal([&] { Click(More("btnSurfaceMore")); }, answer));
  }
  static QListWidget& Materials(QWidget& dialog) {
    return *dialog.findChild<QListWidget*>("lstMats");
  }
  static const QtMatPreview& Preview(QWidget& dialog) {
    return *dialog.findChild<QtMatPreview*>("pnlMat");
  }
  static Rgb FrameColour(QWidget& dialog) { return Preview(dialog).State().Frame().At(0, 0); }
  /// Runs Add material from the selector: filter typed into the filter box, then OK.
  std::vector<std::string> AddMaterial(QWidget& selector, const QString& filter) {
    std::vector<std::string> listed;
    EXPECT_TRUE(AnswerModal([&] { Click(selector.findChild<QPushButton*>("btnAdd")); },
                            [&](QWidget& add) {
                              QTest::keyClicks(add.findChild<QLineEdit*>("edtFilter"), filter);
                              for (const QString& item :
                                   Items(*add.findChild<QListWidget*>("lstAll"))) {
                                listed.push_back(item.toStdString());
                              }
                              dynamic_cast<QDialog&>(add).accept();
                            }));
    return listed;
  }
};

TEST_F(TfrmMatSelectTest, OpensOnTheSurfacesMaterialAnimatesItsCelsAndRecoloursThemOnATick) {
  Select(EditMode::Surface, {0});
  QTimer* clock = nullptr;
  RunSelector([&](QWidget& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Select material");
    EXPECT_EQ(Items(Materials(dialog)), (QStringList{"floor.mat", "Wall.mat"}));
    EXPECT_EQ(Materials(dialog).currentRow(), 1);
    EXPECT_TRUE(Materials(dialog).currentItem()->isSelected());
    EXPECT_TRUE(Preview(dialog).isVisible());
    EXPECT_EQ(dialog.findChild<QLabel*>("lblInfo")->text(), "Number of colors: 3");
    clock = dialog.findChild<QTimer*>("clkImage");
    EXPECT_TRUE(clock->isActive());
    EXPECT_EQ(clock->interval(), 500);
    EXPECT_EQ(FrameColour(dialog), Dflt(30));  // the last cel read stays until the first tick

    EXPECT_TRUE(QTest::qWaitFor([&] { return Preview(dialog).State().CelCounter() == 1; }, 2000));
    EXPECT_EQ(FrameColour(dialog), Dflt(20));
    // Another colormap shows at the next tick, without reading the material again.
    dialog.findChild<QComboBox*>("cboPalette")->setCurrentIndex(1);
    EXPECT_EQ(FrameColour(dialog), Dflt(20));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Preview(dialog).State().CelCounter() == 2; }, 2000));
    EXPECT_EQ(FrameColour(dialog), Other(30));
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
  });
  EXPECT_FALSE(clock->isActive());
  EXPECT_EQ(Level().surfaces[0].mat, 1);
  EXPECT_FALSE(window->Editor().History().CanUndo());
}

TEST_F(TfrmMatSelectTest, OkGivesEverySelectedSurfaceTheHighlightedMaterial) {
  Select(EditMode::Surface, {1, 2});
  RunSelector([&](QWidget& dialog) {
    // The empty label highlights and previews nothing.
    EXPECT_EQ(Materials(dialog).selectedItems().size(), 0);
    EXPECT_FALSE(Preview(dialog).isVisible());
    Materials(dialog).setCurrentRow(1);
    EXPECT_TRUE(Preview(dialog).isVisible());
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnOK"), Qt::LeftButton);
  });
  EXPECT_EQ(Level().surfaces[1].mat, 1);
  EXPECT_EQ(Level().surfaces[2].mat, 1);
  EXPECT_EQ(Level().surfaces[0].mat, 1);
  EXPECT_EQ(Level().surfaces[3].mat, 0);
  EXPECT_EQ(Value("lblSurfaceMat")->text(), "");
  EXPECT_EQ(window->Editor().History().UndoName(), "Change Material");

  // A double click is OK; one surface shows its new material's name.
  Select(EditMode::Surface, {3});
  RunSelector([&](QWidget& dialog) {
    QListWidget& list = Materials(dialog);
    const QPoint item = list.visualItemRect(list.item(1)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, item);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, item);
  });
  EXPECT_EQ(Level().surfaces[3].mat, 1);
  EXPECT_EQ(Value("lblSurfaceMat")->text(), "Wall.mat");
  EXPECT_EQ(Box("edtSurface")->text(), "Wall.mat");
}

TEST_F(TfrmMatSelectTest, AddMaterialListsTheProjectAndTheGameAndAddsFindsOrRefuses) {
  Select(EditMode::Surface, {0});
  RunSelector([&](QWidget& dialog) {
    EXPECT_THAT(AddMaterial(dialog, ""),
                ElementsAre("brick.mat", "floor.mat", "gun.mat", "Wall.mat"));
    // The unfiltered list's first entry was highlighted and is added.
    EXPECT_EQ(Items(Materials(dialog)), (QStringList{"floor.mat", "Wall.mat", "brick.mat"}));
    EXPECT_EQ(Materials(dialog).currentRow(), 2);
    EXPECT_EQ(dialog.findChild<QLabel*>("lblInfo")->text(),
              "Texture size: 8x8\nNumber of textures: 1\nNumber of mip-maps per texture: 2");

    // A name the level lists already is highlighted, not added again.
    EXPECT_THAT(AddMaterial(dialog, "ALL"), ElementsAre("Wall.mat"));
    EXPECT_EQ(Materials(dialog).count(), 3);
    EXPECT_EQ(Materials(dialog).currentRow(), 1);

    // A full table says so and changes nothing.
    auto& materials = Level().materials;
    for (int i = materials.count; i < materials.Capacity(); ++i) materials[i] = {"m.mat", 1, 1};
    materials.count = materials.Capacity();
    EXPECT_THAT(AddMaterial(dialog, "gun"), ElementsAre("gun.mat"));
    EXPECT_EQ(materials.count, 1024);
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
  });
  EXPECT_EQ(Level().materials[2], (level::Material{"brick.mat", 1.0f, 1.0f}));
  EXPECT_EQ(window->Editor().History().UndoName(), "Add Material");
  EXPECT_EQ(window->Editor().History().PushCount(), 1u);
  EXPECT_EQ(ui.boxes, (std::vector<kx::test::FakeUi::Box>{
                          {platform::BoxKind::Warning,
                           "The level's materials table is full (1024 materials): gun.mat was not "
                           "added."}}));
  EXPECT_EQ(Level().surfaces[0].mat, 1);
}

TEST_F(TfrmMatSelectTest, AMaterialShorterThanItsHeadersSayIsReportedAndNotShown) {
  const std::string whole = kx::test::MatBuilder::Texture().FilledCel(64, 64, 4, 5).Bytes();
  std::ofstream(window->Editor().Values().ProjectDir / "mat" / "floor.mat",
                std::ios::binary | std::ios::trunc)
      << whole.substr(0, whole.size() - 100);
  Select(EditMode::Surface, {1});
  RunSelector([&](QWidget& dialog) {
    EXPECT_FALSE(Preview(dialog).isVisible());
    EXPECT_EQ(dialog.findChild<QLabel*>("lblInfo")->text(), "");
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
  });
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].kind, platform::BoxKind::Error);
  EXPECT_THAT(ui.boxes[0].text, ::testing::StartsWith("Read beyond end of file\n"));
  EXPECT_THAT(ui.boxes[0].text, ::testing::HasSubstr("floor.mat"));
}

}  // namespace
}  // namespace kx::resources
