#include "platform/ExecutableFolder.h"

#include <QCoreApplication>

namespace varnell {

QString ExecutableFolder() { return QCoreApplication::applicationDirPath(); }

}  // namespace varnell
