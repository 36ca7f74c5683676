#include "support/FakeUi.h"
#include "support/MapTestLevel.h"

#include "mapview/MapDrawing.h"
#include "mapview/PixelCanvas.h"
#include "mapview/QtCanvas.h"

#include <QImage>

#include <gtest/gtest.h>
#include <random>

namespace kx::mapview {
namespace {

constexpr Colour kInk{10, 20, 30};
constexpr Colour kPaper{200, 200, 200};
constexpr Colour kFill{1, 2, 3};

// Draws the same shapes on a QtCanvas and on a PixelCanvas of the same size.
class CanvasPair {
 public:
  CanvasPair(int w, int h) : m_image(w, h, QImage::Format_RGB32), m_pixels(w, h) {
    m_image.fill(QColor(kPaper.r, kPaper.g, kPaper.b));
    m_pixels.Fill(kPaper);
  }
  template <typename Paint>
  void Both(Paint paint) {
    {
      QtCanvas qt(m_image);
      paint(static_cast<Canvas&>(qt));
    }
    paint(static_cast<Canvas&>(m_pixels));
  }
  std::uint32_t Qt(int x, int y) const { return m_image.pixel(x, y); }
  std::uint32_t Raster(int x, int y) const { return m_pixels.PixelAt(x, y); }
  int Differences() const {
    int count = 0;
    for (int y = 0; y < m_image.height(); ++y) {
      for (int x = 0; x < m_image.width(); ++x) count += Qt(x, y) != Raster(x, y);
    }
    return count;
  }
  // Pixels painted in one picture where the other painted nothing within one pixel: QPainter
  // rounds the steps of a sloping line differently, which moves some pixels by one, no more.
  // The border is left out: there the neighbour may have moved off the image.
  int Strays(Colour ground) const {
    const auto paintedNear = [&](const auto& pixel, int x, int y) {
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const int nx = x + dx, ny = y + dy;
          if (nx >= 0 && ny >= 0 && nx < m_image.width() && ny < m_image.height() &&
              pixel(nx, ny) != ground.Rgb32()) {
            return true;
          }
        }
      }
      return false;
    };
    const auto qt = [&](int x, int y) { return Qt(x, y); };
    const auto raster = [&](int x, int y) { return Raster(x, y); };
    int count = 0;
    for (int y = 1; y + 1 < m_image.height(); ++y) {
      for (int x = 1; x + 1 < m_image.width(); ++x) {
        count += Qt(x, y) != ground.Rgb32() && !paintedNear(raster, x, y);
        count += Raster(x, y) != ground.Rgb32() && !paintedNear(qt, x, y);
      }
    }
    return count;
  }
  int Inked(Colour ground = kPaper) const {
    int count = 0;
    for (int y = 0; y < m_image.height(); ++y) {
      for (int x = 0; x < m_image.width(); ++x) count += Qt(x, y) != ground.Rgb32();
    }
    return count;
  }

 private:
  QImage m_image;
  PixelCanvas m_pixels;
};

TEST(QtCanvasTest, StraightAndDiagonalLinesRectanglesAndPixelsMatchTheRasterCanvas) {
  CanvasPair pair(64, 48);
  pair.Both([](Canvas& c) {
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
    c.SetPixel(60, 2, kInk);
    c.SetPixel(-1, 2, kInk);
  });
  EXPECT_EQ(pair.Qt(3, 5), kInk.Rgb32());  // both ends of a line
  EXPECT_EQ(pair.Qt(40, 30), kInk.Rgb32());
  EXPECT_EQ(pair.Qt(46, 20), kInk.Rgb32());  // rectangle outline at both corners
  EXPECT_EQ(pair.Qt(50, 24), kInk.Rgb32());
  EXPECT_EQ(pair.Qt(48, 22), kFill.Rgb32());
  EXPECT_EQ(pair.Qt(8, 44), kFill.Rgb32());
  EXPECT_EQ(pair.Differences(), 0);
}

TEST(QtCanvasTest, EllipseFillsItsBoxExactly) {
  CanvasPair pair(64, 64);
  pair.Both([](Canvas& c) {
    c.SetPen(kInk);
    c.SetNoFill();
    c.Ellipse(10, 20, 50, 40);
  });
  for (const auto& [x, y] : {std::pair{10, 30}, {50, 30}, {30, 20}, {30, 40}}) {
    EXPECT_EQ(pair.Qt(x, y), kInk.Rgb32()) << x << "," << y;
  }
  for (const auto& [x, y] : {std::pair{9, 30}, {51, 30}, {30, 19}, {30, 41}, {30, 30}}) {
    EXPECT_EQ(pair.Qt(x, y), kPaper.Rgb32()) << x << "," << y;
  }
  EXPECT_EQ(pair.Strays(kPaper), 0);
}

TEST(QtCanvasTest, AMapDrawnWithQPainterLooksLikeTheRasterOne) {
  test::MapTestLevel built;
  std::mt19937 random(3);
  std::uniform_real_distribution<float> coordinate(0, 20);
  for (int i = 0; i < 40; ++i) {
    const float x = coordinate(random), y = coordinate(random);
    built.Square(x, y, x + coordinate(random) / 4, y + coordinate(random) / 5);
    const int a = built.Vertex(coordinate(random), coordinate(random));
    const int b = built.Vertex(coordinate(random), coordinate(random));
    const int c = built.Vertex(coordinate(random), coordinate(random));
    built.Surface({a, b, c});
  }
  CanvasPair pair(400, 300);
  MapView view;
  view.scale = 19.5f;
  test::FakeUi ui;
  pair.Both([&](Canvas& c) {
    platform::MessageBatch messages(ui);
    RedrawMap(MapFrame{built.level(), view, {400, 300}, c}, EditMode::Vertex, messages);
  });
  EXPECT_GT(pair.Inked(colours::kBackground), 2000);
  EXPECT_EQ(pair.Strays(colours::kBackground), 0);
}

TEST(QtImageOfTest, SharesThePixelsOfTheRasterCanvas) {
  PixelCanvas canvas(30, 20);
  canvas.Fill(kPaper);
  const QImage image = QtImageOf(canvas);
  EXPECT_EQ(image.constBits(), reinterpret_cast<const uchar*>(canvas.Bits()));
  canvas.SetPixel(29, 19, kInk);
  EXPECT_EQ(image.pixel(29, 19), kInk.Rgb32());
  EXPECT_EQ(image.size(), QSize(30, 20));
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
}

}  // namespace
}  // namespace kx::mapview
