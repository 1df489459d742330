#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace varnell {

QString ApplicationTitle() {
  // completeBaseName drops only the last suffix, as "name.v2.exe" -> "name.v2".
  return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString EffectiveCaption(const QString& caption) {
  return caption.isEmpty() ? ApplicationTitle() : caption;
}

}  // namespace varnell
