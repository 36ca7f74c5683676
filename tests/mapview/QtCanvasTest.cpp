#include "mapview/PixelCanvas.h"
#include "mapview/QtCanvas.h"

#include <QImage>

#include <gtest/gtest.h>

namespace kx::mapview {
namespace {

constexpr Colour kInk{10, 20, 30};
constexpr Colour kPaper{200, 200, 200};
constexpr Colour kFill{1, 2, 3};

TEST(QtCanvasTest, LinesRectanglesAndPixelsMatchTheRasterCanvas) {
  const auto paint = [](Canvas& c) {
    c.SetPen(kInk);
    c.MoveTo(3, 5);
    c.LineTo(40, 5);
    c.LineTo(40, 30);
    c.LineTo(20, 10);
    c.MoveTo(-10, 47);
    c.LineTo(100, 47);
    c.SetFill(kFill);
    c.Rectangle(50, 20, 46, 24);
    c.SetNoPen();
    c.Rectangle(2, 40, 8, 44);
    c.LineTo(0, 0);
    c.SetPixel(60, 2, kInk);
    c.SetPixel(-1, 2, kInk);
  };
  QImage image(64, 48, QImage::Format_RGB32);
  image.fill(QColor(kPaper.r, kPaper.g, kPaper.b));
  {
    QtCanvas qt(image);
    paint(qt);
  }
  PixelCanvas raster(64, 48);
  raster.Fill(kPaper);
  paint(raster);
  EXPECT_EQ(image.pixel(50, 24), kInk.Rgb32());  // a rectangle includes both corners
  EXPECT_EQ(image.pixel(8, 44), kFill.Rgb32());
  EXPECT_TRUE(image == QtImageOf(raster));
}

TEST(QtImageOfTest, SharesThePixelsOfTheRasterCanvas) {
  PixelCanvas canvas(30, 20);
  const QImage image = QtImageOf(canvas);
  EXPECT_EQ(image.constBits(), reinterpret_cast<const uchar*>(canvas.Bits()));
  canvas.SetPixel(29, 19, kInk);
  EXPECT_EQ(image.pixel(29, 19), kInk.Rgb32());
  EXPECT_EQ(image.size(), QSize(30, 20));
}

}  // namespace
}  // namespace kx::mapview
