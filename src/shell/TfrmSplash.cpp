#include "shell/TfrmSplash.h"

#include "platform/AppInfo.h"
#include "shell/ToolGlyphs.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace kx::shell {

TfrmSplash::TfrmSplash(QWidget* parent, int milliseconds)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName("frmSplash");
  setWindowTitle(QString::fromUtf8(platform::kApplicationTitle.data(),
                                   static_cast<qsizetype>(platform::kApplicationTitle.size())));
  setStyleSheet(
      "QDialog#frmSplash { background: #2f3a4a; border: 1px solid #101820; }"
      "QLabel { color: #e8ecf0; }");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(28, 22, 28, 22);
  layout->setSpacing(6);

  auto* icon = new QLabel(this);
  icon->setPixmap(ApplicationIcon().pixmap(64, 64));
  icon->setAlignment(Qt::AlignCenter);
  layout->addWidget(icon);

  const auto addLine = [&](const char* name, const QString& text, int pointSize, bool bold) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    layout->addWidget(label);
  };
  addLine("lblProduct", "Kelvarix 1.0", 20, true);
  addLine("lblBuild", QString("Preview Release 1 Build %1").arg(platform::kBuildNumber), 10, false);
  addLine("lblCopyright", "Copyright \u00A9 Orbandel. A level editor for Jedi Knight.", 9, false);
  addLine("lblMail", "Questions and reports: see README.md beside the program", 9, false);
  addLine("lblWeb", "Levels, tutorials and tools: the Jedi Knight editing community", 9, false);
  setFixedSize(sizeHint().expandedTo(QSize(420, 0)));

  m_timer = new QTimer(this);
  m_timer->setObjectName("timeSplash");
  m_timer->setSingleShot(true);
  m_timer->setInterval(milliseconds);
  connect(m_timer, &QTimer::timeout, this, &QDialog::accept);
}

void TfrmSplash::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  m_timer->start();
}

void TfrmSplash::mousePressEvent(QMouseEvent*) {
  m_timer->stop();
  accept();
}

void TfrmSplash::keyPressEvent(QKeyEvent*) {
  m_timer->stop();
  accept();
}

}  // namespace kx::shell
