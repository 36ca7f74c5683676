// The main of the OpenGL test program: a QApplication on an X display (scripts/with-display.sh
// starts a virtual one), since Qt's offscreen platform draws no OpenGL.
#include <QApplication>

#include <gmock/gmock.h>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication application(argc, argv);
  ::testing::InitGoogleMock(&argc, argv);
  return RUN_ALL_TESTS();
}
