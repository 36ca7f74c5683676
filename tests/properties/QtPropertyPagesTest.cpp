#include "level/Numbers.h"
#include "properties/PropertyWindowFixture.h"
#include "shell/MapImage.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QListWidget>

#include <gmock/gmock.h>

namespace kx::properties::test {
namespace {

using mapview::EditMode;

class QtPropertyPagesTest : public PropertyWindowTest {
 protected:
  void SetUp() override {
    Start();
    OpenLevel(*kx::test::PropertyTestLevel());
  }
  /// Where the editor is: the edit box and "more" button shown, and the row the box stands on.
  std::string Editor(const char* box, const char* more) const {
    std::string state =
        Box(box)->isVisible() ? (Box(box)->isEnabled() ? "typed" : "chosen") : "closed";
    if (More(more)->isVisible()) state += "+more";
    return state;
  }
};

TEST_F(QtPropertyPagesTest, ValuesAreTypedAndCommittedWithTheKeysRoundTheWholePage) {
  Select(EditMode::Surface, {0});
  EXPECT_EQ(Value("lblSurfaceLight")->text(), "3");
  Click(Value("lblSurfaceLight"));
  QLineEdit* box = Box("edtSurface");
  EXPECT_EQ(Editor("edtSurface", "btnSurfaceMore"), "typed");
  EXPECT_EQ(Focus(), box);
  EXPECT_EQ(box->text(), "3");
  EXPECT_EQ(box->selectedText(), "3");
  EXPECT_EQ(box->y(), Value("lblSurfaceLight")->y() - 4);

  // A text that is no integer is dropped; Enter moves on to Tex.
  Type("12abc");
  Key(Qt::Key_Return);
  EXPECT_EQ(Value("lblSurfaceLight")->text(), "3");
  EXPECT_EQ(box->text(), "1");
  EXPECT_EQ(box->y(), Value("lblSurfaceTex")->y() - 4);
  // Digits typed into the box are text, not the view keys.
  Type("2");
  EXPECT_EQ(window->Editor().View().view, mapview::View::Top);
  Key(Qt::Key_Up);
  EXPECT_EQ(Value("lblSurfaceTex")->text(), "2");
  EXPECT_EQ(Level().surfaces[0].tex, 2);
  EXPECT_EQ(window->Editor().History().UndoName(), "Change Tex");

  // Page Down goes to the last row, Down from there to the first, a chosen row.
  Key(Qt::Key_PageDown);
  EXPECT_EQ(box->y(), Value("lblSurfaceExtralight")->y() - 4);
  Key(Qt::Key_Down);
  EXPECT_EQ(Editor("edtSurface", "btnSurfaceMore"), "chosen+more");
  EXPECT_EQ(Focus(), More("btnSurfaceMore"));
  EXPECT_EQ(box->text(), "Wall.mat");
  // The editor's keys on the "more" button move the editor and leave the map where it is.
  const float originY = window->Editor().View().originY;
  Key(Qt::Key_Up);
  EXPECT_EQ(window->Editor().View().originY, originY);
  EXPECT_EQ(Editor("edtSurface", "btnSurfaceMore"), "typed");
  EXPECT_EQ(box->y(), Value("lblSurfaceExtralight")->y() - 4);
  Key(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(box->y(), Value("lblSurfaceMat")->y() - 4);
  Key(Qt::Key_Down);
  EXPECT_EQ(Focus(), More("btnSurfaceMore"));
  Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(box->y(), Value("lblSurfaceExtralight")->y() - 4);
  Type("2.5");
  Key(Qt::Key_PageUp);
  EXPECT_EQ(Value("lblSurfaceExtralight")->text(), "2.500000");
  EXPECT_EQ(box->y(), Value("lblSurfaceMat")->y() - 4);
  // Other keys on the button are still the map's.
  Key(Qt::Key_S);
  EXPECT_EQ(window->Editor().Mode(), EditMode::Sector);
  EXPECT_EQ(Focus(), KeySink());

  // Escape and Tab commit and close.
  Select(EditMode::Thing, {1});
  Click(Value("lblThingParams"));
  Type("light=0.5");
  Key(Qt::Key_Tab);
  EXPECT_EQ(Editor("edtThing", "btnThingMore"), "closed");
  EXPECT_EQ(Focus(), KeySink());
  EXPECT_EQ(Level().things[1].params, "light=0.5");
  Click(Value("lblThingSector"));
  Type("$2");
  Key(Qt::Key_Escape);
  EXPECT_EQ(Editor("edtThing", "btnThingMore"), "closed");
  EXPECT_EQ(Value("lblThingSector")->text(), "2");
  EXPECT_EQ(Level().things[1].sector, 2);
  EXPECT_EQ(window->Editor().History().PushCount(), 4u);
}

TEST_F(QtPropertyPagesTest, ClickingAnotherRowKeepsWhatWasTypedAndLeavingTheBoxCommitsIt) {
  Select(EditMode::Sector, {0, 2});
  EXPECT_EQ(Value("lblSectorAmbientLight")->text(), "");
  Click(Value("lblSectorAmbientLight"));
  EXPECT_EQ(Box("edtSector")->text(), "");
  Type("0.75");
  Click(Value("lblSectorExtraLight"));
  EXPECT_EQ(Level().sectors[0].ambientlight, 0.75f);
  EXPECT_EQ(Level().sectors[2].ambientlight, 0.75f);
  EXPECT_EQ(Level().sectors[1].ambientlight, 0.0f);
  Type("0.25");
  window->Editor().SetEditMode(EditMode::Surface);  // takes the focus away from the box
  EXPECT_EQ(Level().sectors[0].extralight, 0.25f);
  EXPECT_EQ(Level().sectors[2].extralight, 0.25f);
}

TEST_F(QtPropertyPagesTest, NothingOpensWithoutASelectionAndTheCounterClearsAfterCommitting) {
  Select(EditMode::Surface, {});
  Click(Value("lblSurfaceLight"));
  EXPECT_EQ(Editor("edtSurface", "btnSurfaceMore"), "closed");

  Select(EditMode::Surface, {1});
  Click(Value("lblSurfaceLight"));
  Type("9");
  QTest::mouseDClick(Find<QLabel>("pnlNSelect"), Qt::LeftButton);
  EXPECT_EQ(Level().surfaces[1].light, 9);
  EXPECT_EQ(Counter(), "0");
  EXPECT_EQ(Editor("edtSurface", "btnSurfaceMore"), "closed");
  EXPECT_EQ(Value("lblSurfaceLight")->text(), "");
}

TEST_F(QtPropertyPagesTest, SaveTakesTheValueStillInTheBoxAndAThingsNewPlaceIsDrawn) {
  Select(EditMode::Thing, {0});
  const auto before = window->Editor().BackBuffer().Bits();
  std::vector<std::uint32_t> map(
      before, before + window->Editor().MapSize().width * window->Editor().MapSize().height);
  Click(Value("lblThingX"));
  Type("2");
  Key(Qt::Key_Return);
  EXPECT_EQ(Level().things[0].x, 2.0f);
  const auto after = window->Editor().BackBuffer().Bits();
  EXPECT_FALSE(std::equal(map.begin(), map.end(), after));
  EXPECT_EQ(window->Editor().History().UndoName(), "Change X");

  EXPECT_EQ(Box("edtThing")->y(), Value("lblThingY")->y() - 4);
  Type("-4.25");
  Press(Button("btnSave"));
  const level::Level saved = SavedLevel();
  EXPECT_EQ(saved.things[0].x, 2.0f);
  EXPECT_EQ(saved.things[0].y, -4.25f);
  EXPECT_FALSE(window->Editor().History().Modified());
}

TEST_F(QtPropertyPagesTest, TheTintDialogStartsFromTheSectorAndItsColourIsStored) {
  Select(EditMode::Sector, {0});
  Click(Value("lblSectorTint"));
  QPushButton* more = More("btnSectorMore");
  ASSERT_TRUE(more->isVisible());
  QColor start;
  EXPECT_TRUE(AnswerModal([&] { Click(more); },
                          [&](QWidget& dialog) {
                            auto& colours = dynamic_cast<QColorDialog&>(dialog);
                            start = colours.currentColor();
                            colours.setCurrentColor(QColor(255, 0, 128));
                            colours.accept();
                          }));
  EXPECT_EQ(start, QColor(128, 255, 64));
  EXPECT_EQ(Level().sectors[0].tint, (std::array<float, 3>{1.0f, 0.0f, 128.0f / 255.0f}));
  EXPECT_EQ(Value("lblSectorTint")->text(), "");
  EXPECT_EQ(window->Editor().History().UndoName(), "Change Tint");

  // With two sectors the dialog starts from black and both get the colour; Cancel changes
  // nothing.
  Select(EditMode::Sector, {0, 1});
  Click(Value("lblSectorTint"));
  for (const bool ok : {true, false}) {
    EXPECT_TRUE(AnswerModal([&] { Click(More("btnSectorMore")); },
                            [&](QWidget& dialog) {
                              auto& colours = dynamic_cast<QColorDialog&>(dialog);
                              start = colours.currentColor();
                              colours.setCurrentColor(ok ? Qt::white : Qt::red);
                              ok ? colours.accept() : colours.reject();
                            }));
    EXPECT_EQ(start, QColor(Qt::black));
  }
  for (const int s : {0, 1}) {
    EXPECT_EQ(Level().sectors[s].tint, (std::array<float, 3>{1.0f, 1.0f, 1.0f}));
  }
  EXPECT_EQ(window->Editor().History().PushCount(), 2u);
}

TEST_F(QtPropertyPagesTest, EveryControlIsNamedForScreenReaders) {
  for (const char* name : {"lblSurfaceMat", "lblSectorAmbientLight", "lblThingX"}) {
    Find<QLabel>(name);
  }
  EXPECT_EQ(Value("lblSurfaceMat")->accessibleDescription(), "Mat");
  EXPECT_EQ(Value("lblSectorAmbientLight")->accessibleDescription(), "Ambient Light");
  EXPECT_EQ(Value("lblThingX")->accessibleDescription(), "X");
  for (const char* box : {"edtSurface", "edtSector", "edtThing"}) {
    EXPECT_EQ(Box(box)->accessibleName(), "Value");
  }
  for (const char* more : {"btnSurfaceMore", "btnSectorMore", "btnThingMore"}) {
    EXPECT_EQ(More(more)->accessibleName(), "More");
  }
  EXPECT_EQ(Find<shell::MapImage>("imgMap")->accessibleName(), "Map");
  EXPECT_EQ(Button("btnSector")->accessibleName(), "Sector Mode");
  EXPECT_EQ(Button("btnTop")->accessibleName(), "View - Top");
  EXPECT_EQ(Find<QLabel>("lblSum")->accessibleDescription(), "Flag word");
  EXPECT_EQ(Find<QListWidget>("lstMats")->accessibleName(), "Materials in level");
  EXPECT_EQ(Find<QComboBox>("cboPalette")->accessibleName(), "Colormap");
}

}  // namespace
}  // namespace kx::properties::test
