// The files named on the window program's command line (`varnell FILE...`, as the desktop's
// "Open with" starts it), read from the arguments Qt leaves after taking its own (-platform and
// the like). There are no options: anything else that starts with '-' is ignored and named back
// so the caller can say so; "--" ends the options, so a file whose name starts with '-' can
// follow it.
#pragma once

#include <QString>
#include <QStringList>

namespace varnell {

struct CommandLineFiles {
  QStringList paths;           // absolute, in the order given
  QStringList ignoredOptions;  // as typed
};

// `arguments` includes the program's own name first, as QCoreApplication::arguments() gives it.
// Relative paths are taken from `currentFolder`; a file: URL is taken as its local path.
CommandLineFiles ReadCommandLineFiles(const QStringList& arguments, const QString& currentFolder);

// The line the program prints on standard error for an ignored option.
QString IgnoredOptionNotice(const QString& option);

}  // namespace varnell
