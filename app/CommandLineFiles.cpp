#include "app/CommandLineFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>

namespace varnell {

CommandLineFiles ReadCommandLineFiles(const QStringList& arguments, const QString& currentFolder) {
  CommandLineFiles files;
  bool optionsEnded = false;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
      continue;
    }
    // A lone "-" is a name like any other (it will be reported as an invalid file).
    if (!optionsEnded && argument.size() > 1 && argument.startsWith('-')) {
      files.ignoredOptions << argument;
      continue;
    }
    QString path = argument;
    if (argument.startsWith("file:", Qt::CaseInsensitive)) path = QUrl(argument).toLocalFile();
    files.paths << QDir::cleanPath(QDir(currentFolder).absoluteFilePath(path));
  }
  return files;
}

QString IgnoredOptionNotice(const QString& option) {
  return QCoreApplication::translate("varnell::CommandLineFiles",
                                     "varnell: ignoring the unknown option %1 (put -- before a "
                                     "file name that starts with -)")
      .arg(option);
}

}  // namespace varnell
