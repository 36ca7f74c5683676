#include "shell/QtText.h"

#include <QFile>
#include <QStringDecoder>

namespace kx::shell {

QString DisplayText(std::string_view text) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
  QString shown = decoder.decode(bytes);
  if (decoder.hasError()) shown = QString::fromLatin1(bytes);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

std::string GameText(const QString& shown, std::string_view original) {
  if (shown == DisplayText(original)) return std::string(original);
  for (const QChar c : shown) {
    if (c.unicode() > 0xFF) return shown.toStdString();
  }
  return shown.toLatin1().toStdString();
}

std::string LocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace kx::shell
