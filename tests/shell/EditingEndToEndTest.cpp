// A real level changed through the panel's rows and dialogs, saved, and read back.
#include "support/LevelCompare.h"
#include "support/TempDir.h"

#include "level/Numbers.h"
#include "level/Words.h"
#include "properties/PropertyWindowFixture.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QListWidget>

#include <gtest/gtest.h>

namespace kx::shell::test {
namespace {

namespace fs = std::filesystem;
using mapview::EditMode;
using properties::test::PropertyWindowTest;

class EditingEndToEndTest : public PropertyWindowTest {
 protected:
  /// The saved level file without its first line, which names the time of the save.
  std::string SavedText() {
    const auto& values = window->Editor().Values();
    const std::string text = kx::test::ReadAll(values.ProjectDir / "jkl" / values.JKLName);
    return text.substr(text.find('\n') + 1);
  }
};

TEST_F(EditingEndToEndTest, ACorpusLevelKeepsEveryChangeMadeOnThePanelAndNothingElse) {
  const fs::path archive = kx::test::CorpusDir() / "saberworks+massassi-static" / "source" /
                           "tutorials" / "advancedlighting" / "glowdemo.zip.contents" /
                           "glowdemo.gob";
  if (!fs::exists(archive)) GTEST_SKIP() << "no corpus on this machine";
  Start();
  platform::NewProjectAnswer answer;
  answer.kind = platform::NewProjectAnswer::Kind::UserGob2;
  answer.userGob2 = archive.string();
  ui.newProjectAnswers.push_back(answer);
  Press(Button("btnNew"));
  ASSERT_TRUE(window->Editor().ProjectOpen());
  level::Level expected = Level();
  Press(Button("btnSave"));
  const std::string asOpened = SavedText();

  // A surface: its material from the selector, its light typed, one flag bit clicked.
  const int surface = 10;
  int material = -1;
  for (int i = 0; i < Level().materials.Used() && material < 0; ++i) {
    if (level::EqualsIgnoringCase(Level().materials[i].name, "lampglow.mat") &&
        Level().surfaces[surface].mat != i) {
      material = i;
    }
  }
  ASSERT_GE(material, 0);
  Select(EditMode::Surface, {surface});
  Click(Value("lblSurfaceMat"));
  ASSERT_TRUE(AnswerModal([&] { Click(More("btnSurfaceMore")); },
                          [&](QWidget& selector) {
                            selector.findChild<QListWidget*>("lstMats")->setCurrentRow(material);
                            QTest::mouseClick(selector.findChild<QPushButton*>("btnOK"),
                                              Qt::LeftButton);
                          }));
  expected.surfaces[surface].mat = material;
  const int light = expected.surfaces[surface].light + 7;
  Click(Value("lblSurfaceLight"));
  Type(QString::number(light));
  Key(Qt::Key_Return);
  expected.surfaces[surface].light = light;
  Click(Value("lblSurfaceSurfflags"));
  ASSERT_TRUE(AnswerModal([&] { Click(More("btnSurfaceMore")); },
                          [&](QWidget& flags) {
                            flags.findChild<QCheckBox*>("chk8")->click();
                            dynamic_cast<QDialog&>(flags).accept();
                          }));
  expected.surfaces[surface].surfflags ^= 8u;

  // A sector: its tint from the colour dialog, its ambient light typed.
  const int sector = 3;
  Select(EditMode::Sector, {sector});
  Click(Value("lblSectorTint"));
  ASSERT_TRUE(AnswerModal([&] { Click(More("btnSectorMore")); },
                          [&](QWidget& dialog) {
                            auto& colours = dynamic_cast<QColorDialog&>(dialog);
                            colours.setCurrentColor(QColor(51, 102, 204));
                            colours.accept();
                          }));
  expected.sectors[sector].tint = {0.2f, 0.4f, 0.8f};
  Click(Value("lblSectorAmbientLight"));
  Type("0.625");
  Key(Qt::Key_Escape);
  expected.sectors[sector].ambientlight = 0.625f;

  // A thing moved: X, Y and Z typed one after the other.
  const int thing = 3;
  Select(EditMode::Thing, {thing});
  Click(Value("lblThingX"));
  for (const char* value : {"-1.5", "2.25", "0.125"}) {
    Type(value);
    Key(Qt::Key_Return);
  }
  expected.things[thing].x = -1.5f;
  expected.things[thing].y = 2.25f;
  expected.things[thing].z = 0.125f;

  Press(Button("btnSave"));
  EXPECT_TRUE(ui.boxes.empty() || ui.boxes.back().kind != platform::BoxKind::Error);
  const level::Level saved = SavedLevel();
  EXPECT_EQ(saved.surfaces[surface].mat, material);
  EXPECT_EQ(saved.surfaces[surface].light, light);
  EXPECT_EQ(saved.surfaces[surface].surfflags, expected.surfaces[surface].surfflags);
  EXPECT_EQ(level::FormatFloat6(saved.sectors[sector].tint[0]), "0.200000");
  EXPECT_EQ(level::FormatFloat6(saved.sectors[sector].tint[2]), "0.800000");
  EXPECT_EQ(saved.sectors[sector].ambientlight, 0.625f);
  EXPECT_EQ(saved.things[thing].x, -1.5f);
  EXPECT_EQ(saved.things[thing].z, 0.125f);
  // Record by record, the rest of the level is as it was read.
  EXPECT_EQ(kx::test::FirstLevelDifference(saved, expected), "");
  EXPECT_EQ(window->Editor().History().PushCount(), 8u);

  // Edit > Undo takes the eight steps back, newest first, and the level saves as it was read;
  // Redo makes them again.
  QAction* undo = Item("mnuUndo");
  QAction* redo = Item("mnuRedo");
  EXPECT_EQ(undo->text().toStdString(), "&Undo Change Z");
  const std::string changed = SavedText();
  for (int step = 0; step < 8; ++step) undo->trigger();
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_EQ(redo->text().toStdString(), "&Redo Change Material");
  Press(Button("btnSave"));
  EXPECT_EQ(SavedText(), asOpened);
  for (int step = 0; step < 8; ++step) redo->trigger();
  Press(Button("btnSave"));
  EXPECT_EQ(SavedText(), changed);
}

}  // namespace
}  // namespace kx::shell::test
