#include "support/EditorProject.h"
#include "support/FakeUi.h"
#include "support/GobBuilder.h"
#include "support/TempDir.h"

#include "preview3d/PreviewTestLevels.h"
#include "preview3d/QtPreviewView.h"
#include "preview3d/Tfrm3dpreview.h"
#include "shell/TfrmMain.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <cstdlib>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::preview3d {
namespace {

using platform::BoxKind;
using Box = kx::test::FakeUi::Box;

/// The scripted Ui, with a hook into the build's event processing.
class PreviewUi : public kx::test::FakeUi {
 public:
  std::function<void()> whileBuilding;
  void ProcessEvents() override {
    FakeUi::ProcessEvents();
    if (whileBuilding) std::exchange(whileBuilding, nullptr)();
  }
};

/// The main window, started, holding the box room as if its project had been opened (its
/// folder holds the room's materials and colormap), with a 200 x 150 preview.
class PreviewWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir.path() / "prog");
    window = std::make_unique<shell::TfrmMain>(&ui, dir.path() / "prog");
    window->show();
    QCoreApplication::processEvents();  // the start-up runs once the window is up
    editing::Editor& editor = window->Editor();
    editor.Values().ProjectDir = dir.path() / "project";
    editor.Values().PreviewWidth = 200;
    editor.Values().PreviewHeight = 150;
    editor.Level() = *test::BoxRoom(editor.Values().ProjectDir);
    window->EnableProjectCommands();
    ui.boxes.clear();
  }
  void TearDown() override {
    if (Preview() && Preview()->isVisible()) Preview()->close();
    window->hide();
  }

  template <typename T>
  T* Find(const char* name) const {
    T* found = window->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  Tfrm3dpreview* Preview() const { return window->Preview(); }
  QString Panel(int index) const {
    return Find<QStatusBar>("barStatus")->findChildren<QLabel*>().at(index)->text();
  }
  bool Checked() const {
    const bool item = Find<QAction>("mnu3dpreview")->isChecked();
    EXPECT_EQ(Find<QToolButton>("btn3dpreview")->isChecked(), item);
    return item;
  }
  Vec3 CameraAt() const { return Preview()->Session().Walk().camera.Position(); }
  void Open() {
    QTest::mouseClick(Find<QToolButton>("btn3dpreview"), Qt::LeftButton);
    ASSERT_NE(Preview(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Preview()));
    // On X11 the window becomes active when the server's focus event arrives, some time after
    // it is exposed; until then no widget has the focus.
    ASSERT_TRUE(QTest::qWaitForWindowActive(Preview()));
  }

  kx::test::TempDir dir;
  PreviewUi ui;
  std::unique_ptr<shell::TfrmMain> window;
};

TEST_F(PreviewWindowTest, OpensFromTheButtonOrTheItemAndClosesWithItsView) {
  Open();
  EXPECT_TRUE(Checked());
  EXPECT_EQ(Preview()->windowTitle(), "3D Level Preview");
  QtPreviewView* view = Preview()->View();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->objectName(), "pnl3dpreview");
  EXPECT_EQ(view->size(), QSize(200, 150));
  EXPECT_EQ(QApplication::focusWidget(), Preview()->findChild<QLineEdit*>("edt3dpreview"));
  EXPECT_EQ(Preview()->Session().Scene().geometry.surfaces, 6);
  // Panel 0 names the driver; panel 1 ends with the build's last surface, counted from 1.
  EXPECT_FALSE(Panel(0).isEmpty());
  EXPECT_EQ(Panel(1), "6/6");
  // It draws: the room's far wall fills the middle of the picture.
  QTest::qWait(50);
  const QImage frame = view->grabFramebuffer();
  const resources::Rgb north = test::FaceColour(test::Face::North);
  EXPECT_EQ(frame.pixelColor(100, 75), QColor(north.red, north.green, north.blue));
  EXPECT_TRUE(ui.boxes.empty());

  // Closing the window lets its view go, and the item and the button follow it.
  EXPECT_TRUE(Preview()->close());
  EXPECT_FALSE(Checked());
  EXPECT_EQ(Preview()->View(), nullptr);
  EXPECT_TRUE(Preview()->Session().Scene().geometry.vertices.empty());

  // The menu item does what the button does, and closes the window again.
  Find<QAction>("mnu3dpreview")->trigger();
  EXPECT_TRUE(Checked());
  ASSERT_NE(Preview()->View(), nullptr);
  EXPECT_TRUE(Preview()->isVisible());
  Find<QAction>("mnu3dpreview")->trigger();
  EXPECT_FALSE(Checked());
  EXPECT_FALSE(Preview()->isVisible());
  EXPECT_EQ(Preview()->View(), nullptr);
}

TEST_F(PreviewWindowTest, KeysAndTheMouseWalkWithoutReachingTheMap) {
  Open();
  QLineEdit* keys = Preview()->findChild<QLineEdit*>("edt3dpreview");
  const mapview::MapView map = window->Editor().View();
  EXPECT_EQ(Preview()->Session().PlayerStart(), 1);
  EXPECT_FLOAT_EQ(CameraAt().y, 1);

  QTest::keyClick(keys, Qt::Key_Up);
  EXPECT_FLOAT_EQ(CameraAt().y, 1.05f);
  QTest::keyClick(keys, Qt::Key_W, Qt::ShiftModifier);
  EXPECT_FLOAT_EQ(CameraAt().y, 1.3f);
  QTest::keyClick(keys, Qt::Key_D);
  EXPECT_FLOAT_EQ(CameraAt().x, 1.05f);
  QTest::keyClick(keys, Qt::Key_Plus, Qt::KeypadModifier);
  QTest::keyClick(keys, Qt::Key_Plus);  // the main keyboard's + is no scale key
  EXPECT_EQ(Preview()->Session().Walk().meshScale, 2.0f);
  QTest::keyClick(keys, Qt::Key_Right);
  EXPECT_GT(Preview()->Session().Walk().camera.Direction().x, 0.09f);
  EXPECT_TRUE(keys->text().isEmpty());
  // The map saw none of these keys.
  EXPECT_EQ(window->Editor().View().originX, map.originX);
  EXPECT_EQ(window->Editor().View().originY, map.originY);
  EXPECT_EQ(window->Editor().Mode(), mapview::EditMode::Surface);

  // The right button held and the pointer moved left turns left; the wheel moves on.
  QtPreviewView* view = Preview()->View();
  const auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButton button,
                        Qt::MouseButtons held) {
    QMouseEvent event(type, at, view->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
  };
  const float before = Preview()->Session().Walk().camera.Direction().x;
  send(QEvent::MouseButtonPress, {100, 75}, Qt::RightButton, Qt::RightButton);
  send(QEvent::MouseMove, {60, 75}, Qt::NoButton, Qt::RightButton);
  send(QEvent::MouseButtonRelease, {60, 75}, Qt::RightButton, Qt::NoButton);
  send(QEvent::MouseMove, {10, 75}, Qt::NoButton, Qt::NoButton);  // no button: no turn
  EXPECT_NEAR(Preview()->Session().Walk().camera.Direction().x, before - std::sin(0.2f), 0.02f);
  const Vec3 at = CameraAt();
  QWheelEvent wheel({100, 75}, view->mapToGlobal(QPointF(100, 75)), {}, {0, 240}, Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view, &wheel);
  EXPECT_NEAR(Length(CameraAt() - at), 2 * Navigation::kMoveStep, 1e-5f);
}

TEST_F(PreviewWindowTest, EditsAndAProjectOpenRebuildTheScene) {
  Open();
  editing::Editor& editor = window->Editor();
  QTest::keyClick(Preview()->findChild<QLineEdit*>("edt3dpreview"), Qt::Key_Up);
  const Vec3 walked = CameraAt();
  {
    auto change = editor.Change("Change Adjoin");
    change.Surface(2).adjoin = 0;  // the south wall becomes a passage
    change.Sector(0).extralight = 0.25f;
    change.Commit();
  }
  const PreviewScene& scene = Preview()->Session().Scene();
  EXPECT_EQ(scene.geometry.surfaces, 5);
  EXPECT_FLOAT_EQ(scene.geometry.vertices[0].grey, 1.25f);
  EXPECT_EQ(CameraAt().y, walked.y);  // the walk goes on where it was
  editor.Undo();
  EXPECT_EQ(Preview()->Session().Scene().geometry.surfaces, 6);

  // A material renamed to one that is nowhere: its texture goes, the fallback takes its place.
  EXPECT_EQ(scene.materials.textures.size(), 7u);
  {
    auto change = editor.Change("Change Material");
    change.Material(3).name = "gone.mat";
    change.Commit();
  }
  EXPECT_EQ(Preview()->Session().Scene().materials.textures.size(), 6u);
  EXPECT_EQ(Preview()->Session().Scene().materials.TextureOf(3), 0);
  EXPECT_EQ(CameraAt().y, walked.y);

  // Another project: its level, from its own start (the kept player start, thing 1, is not in
  // that level, so the camera stands at the origin).
  platform::NewProjectAnswer answer;
  answer.kind = platform::NewProjectAnswer::Kind::UserGob2;
  answer.userGob2 = kx::test::WriteUserArchive(dir.path() / "user.gob", {"01abc.jkl"}).string();
  ui.newProjectAnswers.push_back(answer);
  ui.yesNoCancelAnswers = {platform::YesNoCancel::No};  // the renamed material is not saved
  QTest::mouseClick(Find<QToolButton>("btnNew"), Qt::LeftButton);
  ASSERT_EQ(editor.Values().JKLName, "01abc.jkl");
  EXPECT_EQ(Preview()->Session().Scene().geometry.surfaces, 0);  // its squares are passages
  EXPECT_EQ(Preview()->Session().PlayerStart(), 1);
  EXPECT_EQ(CameraAt().x, 0.0f);
  EXPECT_EQ(CameraAt().y, 0.0f);
  EXPECT_EQ(Panel(1), "The level has no colormap: grey palette");
}

TEST_F(PreviewWindowTest, TheWindowStaysOpenWhileTheSceneIsBuilt) {
  bool closed = true;
  ui.whileBuilding = [&] { closed = Preview()->close(); };
  Open();
  EXPECT_FALSE(closed);
  EXPECT_TRUE(Preview()->isVisible());
  EXPECT_TRUE(Checked());
  EXPECT_EQ(Preview()->Session().Scene().geometry.surfaces, 6);
  EXPECT_EQ(ui.busyDepth, 0);
  EXPECT_EQ(ui.maxBusyDepth, 1);
  EXPECT_TRUE(Preview()->close());
}

// Run by ctest on a driver told to offer OpenGL 3.0 (kx_gl_tests.WithoutOpenGl33).
TEST_F(PreviewWindowTest, WithoutOpenGl33ItSaysWhyAndTheEditorGoesOn) {
  if (!std::getenv("KX_EXPECT_NO_OPENGL33")) {
    GTEST_SKIP() << "needs a display without OpenGL 3.3; ctest runs it so";
  }
  if (QtPreviewRenderer::ProbeOpenGl().isEmpty()) {
    GTEST_SKIP() << "this driver ignores MESA_GL_VERSION_OVERRIDE and offers OpenGL 3.3";
  }
  QTest::mouseClick(Find<QToolButton>("btn3dpreview"), Qt::LeftButton);
  EXPECT_THAT(ui.boxes, ::testing::ElementsAre(
                            Box{BoxKind::Error,
                                "The 3D preview needs OpenGL 3.3: the display offers OpenGL 3.0"}));
  EXPECT_FALSE(Checked());
  EXPECT_TRUE(Preview() == nullptr || !Preview()->isVisible());
  QTest::mouseClick(Find<QToolButton>("btnFront"), Qt::LeftButton);
  EXPECT_EQ(window->Editor().View().view, mapview::View::Front);
}

}  // namespace
}  // namespace kx::preview3d
