#include "resources/QtMatPreview.h"

#include <QDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace kx::resources {

namespace {

constexpr int kTickMs = 500;
constexpr int kBorder = 2;

/// imgMat: silver where no picture covers it, the picture at its top left.
class MatImage final : public QWidget {
 public:
  MatImage(QWidget* parent, const MatSelectState& state) : QWidget(parent), m_state(state) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(kSilver.red, kSilver.green, kSilver.blue));
    const RgbImage& frame = m_state.Frame();
    if (frame.width <= 0 || frame.height <= 0) return;
    const QImage image(frame.rgb.data(), frame.width, frame.height, frame.width * 3,
                       QImage::Format_RGB888);
    painter.drawImage(0, 0, image);
  }

 private:
  const MatSelectState& m_state;
};

}  // namespace

QtMatPreview::QtMatPreview(QWidget* parent, platform::Ui& ui) : QFrame(parent), m_ui(ui) {
  setObjectName("pnlMat");
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  m_imgMat = new MatImage(this, m_state);
  m_imgMat->setObjectName("imgMat");
  m_clkImage = new QTimer(this);
  m_clkImage->setObjectName("clkImage");
  m_clkImage->setInterval(kTickMs);
  connect(m_clkImage, &QTimer::timeout, this, &QtMatPreview::clkImageTimer);
  Show();
}

void QtMatPreview::Open() {
  m_state.Open();
  Show();
}

bool QtMatPreview::LoadColormap(const std::string& name) {
  return m_state.LoadColormap(name, m_paths);
}

void QtMatPreview::LoadMat(const std::string& name) {
  m_clkImage->stop();
  try {
    m_state.LoadMat(name, m_paths, m_ui);
  } catch (...) {
    Show();
    throw;
  }
  Show();
}

void QtMatPreview::Close() {
  m_state.Close();
  Show();
}

QString QtMatPreview::InfoText() const {
  QString text = QString::fromStdString(m_state.Info());
  text.replace('\r', '\n');
  return text;
}

void QtMatPreview::clkImageTimer() {
  m_state.Tick();
  m_imgMat->update();
}

void QtMatPreview::Show() {
  setVisible(m_state.PreviewVisible());
  resize(m_state.PanelWidth(), m_state.PanelHeight());
  m_imgMat->setGeometry(kBorder, kBorder, m_state.ImageWidth(), m_state.ImageHeight());
  m_imgMat->update();
  if (m_state.TimerRunning() && m_state.HasCels()) {
    if (!m_clkImage->isActive()) m_clkImage->start();
  } else {
    m_clkImage->stop();
  }
}

PreviewSide AddPreviewSide(QDialog& dialog, platform::Ui& ui) {
  auto* grpPreview = new QGroupBox("Preview: ", &dialog);
  grpPreview->setObjectName("grpPreview");
  grpPreview->setGeometry(196, 8, 282, 282);
  auto* preview = new QtMatPreview(grpPreview, ui);
  preview->move(10, 18);
  auto* lblInfo = new QLabel(&dialog);
  lblInfo->setObjectName("lblInfo");
  lblInfo->setGeometry(200, 294, 278, 48);
  lblInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  auto* btnOK = new QPushButton("&OK", &dialog);
  btnOK->setObjectName("btnOK");
  btnOK->setGeometry(316, 350, 75, 25);
  btnOK->setDefault(true);
  QObject::connect(btnOK, &QPushButton::clicked, &dialog, &QDialog::accept);
  auto* btnCancel = new QPushButton("&Cancel", &dialog);
  btnCancel->setObjectName("btnCancel");
  btnCancel->setGeometry(403, 350, 75, 25);
  QObject::connect(btnCancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  return {preview, lblInfo};
}

}  // namespace kx::resources
