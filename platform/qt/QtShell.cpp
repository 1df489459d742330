#include "platform/qt/QtShell.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace varnell {

QUrl QtShell::UrlFor(const QString& pathOrUrl) {
  if (pathOrUrl.isEmpty()) return {};
  // Only these schemes are taken as addresses: a local file may well be
  // called "notes:draft", and that must not become a URL with scheme "notes".
  for (const char* scheme : {"http://", "https://", "file://"}) {
    if (pathOrUrl.startsWith(QLatin1String(scheme), Qt::CaseInsensitive))
      return QUrl(pathOrUrl, QUrl::TolerantMode);
  }
  return QUrl::fromLocalFile(QFileInfo(pathOrUrl).absoluteFilePath());
}

bool QtShell::Open(const QString& pathOrUrl) {
  const QUrl url = UrlFor(pathOrUrl);
  if (!url.isValid()) return false;
  return QDesktopServices::openUrl(url);
}

}  // namespace varnell
