// The main of the OpenGL test program: a QApplication on an X display (scripts/with-display.sh
// starts a virtual one), since Qt's offscreen platform draws no OpenGL.
#include <QApplication>

#include <dlfcn.h>
#include <gmock/gmock.h>

int main(int argc, char** argv) {
  // Mesa unloads its software driver when the display closes at exit; LeakSanitizer would then
  // take what the driver still held for leaks. Kept loaded, its memory is looked through.
  dlopen(KX_GL_DRIVER, RTLD_NOW | RTLD_NODELETE);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication application(argc, argv);
  ::testing::InitGoogleMock(&argc, argv);
  return RUN_ALL_TESTS();
}
