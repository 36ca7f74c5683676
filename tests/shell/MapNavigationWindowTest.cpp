#include "mapview/MapNavigation.h"
#include "mapview/ZoomToFit.h"
#include "shell/MainWindowFixture.h"
#include "shell/MapImage.h"

#include <QAccessible>
#include <QWheelEvent>

#include <gmock/gmock.h>

namespace kx::shell::test {
namespace {

class MapNavigationWindowTest : public MainWindowTest {
 public:
  void SetUp() override {
    StartWithProject();
    map = Find<MapImage>("imgMap");
  }
  void Wheel(QPoint at, int angleDelta) {
    QWheelEvent event(at, map->mapToGlobal(at), {}, {0, angleDelta}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(map, &event);
  }
  QString Field(const char* name) const { return Find<QLabel>(name)->text(); }

  MapImage* map = nullptr;
};

TEST_F(MapNavigationWindowTest, TheWheelZoomsAboutThePointerAndSpaceDragPansWithIt) {
  auto& editor = window->Editor();
  const QPoint pointer(140, 90);
  const auto under = editor.View().UnprojectPoint(pointer.x(), pointer.y(), editor.MapSize());
  const auto pixelOf = [&](const mapview::WorldPoint& p) {
    const auto pixel = editor.View().ProjectPoint(static_cast<float>(p.x), static_cast<float>(p.y),
                                                  0, editor.MapSize());
    return QPoint(pixel.x, pixel.y);
  };
  Wheel(pointer, 120);
  EXPECT_EQ(editor.View().scale, 100.0f);
  Wheel(pointer, 120);
  Wheel(pointer, -120);
  EXPECT_EQ(editor.View().scale, 100.0f);
  EXPECT_LE((pixelOf(under) - pointer).manhattanLength(), 1);
  EXPECT_EQ(Field("barScale"), "100 px/unit");

  // Space held: the drag moves the map with the pointer and selects nothing.
  QTest::keyPress(KeySink(), Qt::Key_Space);
  QTest::mousePress(map, Qt::LeftButton, {}, pointer);
  QTest::mouseMove(map, pointer + QPoint(-60, 35));
  QTest::mouseMove(map, pointer + QPoint(25, -17));
  QTest::mouseRelease(map, Qt::LeftButton, {}, pointer + QPoint(25, -17));
  QTest::keyRelease(KeySink(), Qt::Key_Space);
  EXPECT_EQ(pixelOf(under), pointer + QPoint(25, -17));
  EXPECT_EQ(Counter(), "0");
  // Without Space the same drag draws the rubber band again.
  auto* band = Find<QWidget>("shpBox");
  QTest::mousePress(map, Qt::LeftButton, {}, pointer);
  QTest::mouseMove(map, pointer + QPoint(25, -17));
  EXPECT_TRUE(band->isVisible());
  QTest::mouseRelease(map, Qt::LeftButton, {}, pointer + QPoint(25, -17));
  EXPECT_EQ(pixelOf(under), pointer + QPoint(25, -17));
}

TEST_F(MapNavigationWindowTest, TheStatusBarShowsThePointersLevelPointAndTheScale) {
  auto* pointerField = Find<QLabel>("barPointer");
  auto* scaleField = Find<QLabel>("barScale");
  EXPECT_EQ(pointerField->accessibleDescription(), "Pointer position");
  EXPECT_EQ(scaleField->accessibleDescription(), "Scale");
  EXPECT_EQ(scaleField->text(), "50 px/unit");
  // World (2, 1.5) is pixel (100, H - 75) at the start scale.
  const int height = window->Editor().MapSize().height;
  QTest::mouseMove(map, {100, height - 75});
  EXPECT_EQ(pointerField->text(), "2.000, 1.500");
  QAccessibleInterface* readable = QAccessible::queryAccessibleInterface(pointerField);
  ASSERT_NE(readable, nullptr);
  EXPECT_EQ(readable->text(QAccessible::Name), "2.000, 1.500");
  EXPECT_EQ(readable->text(QAccessible::Description), "Pointer position");
  // A change of the view changes the level point under the pointer.
  Item("mnuFront")->trigger();
  const auto& editor = window->Editor();
  EXPECT_EQ(pointerField->text().toStdString(),
            mapview::PointerPositionText(editor.View(), editor.MapSize(), {100, height - 75}));
  EXPECT_NE(pointerField->text(), "2.000, 1.500");
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(map, &leave);
  EXPECT_EQ(pointerField->text(), "");
}

TEST_F(MapNavigationWindowTest, KeysSelectAllClearZoomAndFitBesideTheKeypad) {
  const auto& editor = window->Editor();
  QLineEdit* sink = KeySink();
  QTest::keyClick(sink, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Counter(), "2");
  QTest::keyClick(sink, Qt::Key_Escape);
  EXPECT_EQ(Counter(), "0");
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    float scale;
  } zooms[] = {
      {Qt::Key_Equal, Qt::ControlModifier, 100},
      {Qt::Key_Minus, Qt::ControlModifier, 50},
      {Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, 25},  // once, not twice
      {Qt::Key_Plus, Qt::KeypadModifier, 50},
  };
  for (const auto& z : zooms) {
    QTest::keyClick(sink, z.key, z.modifiers);
    EXPECT_EQ(editor.View().scale, z.scale) << z.key;
  }
  // Home brings the level back after it was panned away.
  for (int i = 0; i < 20; ++i) QTest::keyClick(sink, Qt::Key_Left, Qt::ControlModifier);
  ASSERT_FALSE(mapview::AnyVertexOnMap(editor.View(), editor.Level(), editor.MapSize()));
  QTest::keyClick(sink, Qt::Key_Home);
  EXPECT_TRUE(mapview::AnyVertexOnMap(editor.View(), editor.Level(), editor.MapSize()));
}

}  // namespace
}  // namespace kx::shell::test
