#include "platform/qt/DesktopEntry.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace varnell {

namespace {

const QString kEntryGroup = QStringLiteral("[Desktop Entry]");
const QString kExecKey = QStringLiteral("Exec");
const QString kDesktopSuffix = QStringLiteral(".desktop");

QString UnescapeString(QStringView value) {
  QString text;
  text.reserve(value.size());
  for (qsizetype i = 0; i < value.size(); ++i) {
    if (value[i] == u'\\' && i + 1 < value.size()) {
      const char16_t escaped = value[i + 1].unicode();
      const QChar replacement = escaped == u's'    ? QChar(u' ')
                                : escaped == u'n'  ? QChar(u'\n')
                                : escaped == u't'  ? QChar(u'\t')
                                : escaped == u'r'  ? QChar(u'\r')
                                : escaped == u'\\' ? QChar(u'\\')
                                                   : QChar();
      if (!replacement.isNull()) {
        text += replacement;
        ++i;
        continue;
      }
      // Any other backslash belongs to the Exec quoting and is undone when
      // the value is split into arguments.
    }
    text += value[i];
  }
  return text;
}

bool IsAddressFieldCode(QChar code) {
  return code == u'u' || code == u'U' || code == u'f' || code == u'F';
}

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

bool IsQuotedEscape(QChar c) { return c == u'"' || c == u'`' || c == u'$' || c == u'\\'; }

QStringList FoldersOf(const QString& pathList) {
  QStringList folders;
  for (const QString& folder : pathList.split(u':', Qt::SkipEmptyParts)) {
    if (QDir::isAbsolutePath(folder)) folders << folder;
  }
  return folders;
}

}  // namespace

std::optional<QString> ReadDesktopEntryExec(const QString& entryText) {
  bool inEntryGroup = false;
  for (const QString& rawLine : entryText.split(u'\n')) {
    const QString line = rawLine.trimmed();
    if (line.isEmpty() || line.startsWith(u'#')) continue;
    if (line.startsWith(u'[')) {
      inEntryGroup = line == kEntryGroup;
      continue;
    }
    if (!inEntryGroup) continue;
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0) continue;
    if (QStringView(line).left(equals).trimmed() == kExecKey) {
      return UnescapeString(QStringView(line).mid(equals + 1).trimmed());
    }
  }
  return std::nullopt;
}

QString CutExecAtFieldCode(const QString& exec) {
  QString kept;
  bool inQuotes = false;
  qsizetype openingQuote = -1;  // where in `kept` the current quoted argument began
  for (qsizetype i = 0; i < exec.size(); ++i) {
    const QChar c = exec[i];
    if (inQuotes && c == u'\\' && i + 1 < exec.size()) {
      // An escaped quote must not end the quoted part; the escape itself is
      // for SplitExecArguments to undo.
      kept += c;
      kept += exec[++i];
      continue;
    }
    if (c == u'"') {
      inQuotes = !inQuotes;
      if (inQuotes) openingQuote = kept.size();
      kept += c;
      continue;
    }
    if (c == u'%' && i + 1 < exec.size()) {
      const QChar code = exec[++i];
      if (code == u'%') {
        kept += u'%';
      } else if (IsAddressFieldCode(code)) {
        if (inQuotes && openingQuote == kept.size() - 1) kept.chop(1);
        return kept;
      }
      continue;
    }
    kept += c;
  }
  return kept;
}

std::optional<QStringList> SplitExecArguments(const QString& exec) {
  QStringList arguments;
  QString argument;
  bool inArgument = false;
  bool inQuotes = false;
  for (qsizetype i = 0; i < exec.size(); ++i) {
    const QChar c = exec[i];
    if (inQuotes) {
      if (c == u'\\' && i + 1 < exec.size() && IsQuotedEscape(exec[i + 1])) {
        argument += exec[++i];
      } else if (c == u'"') {
        inQuotes = false;
      } else {
        argument += c;
      }
    } else if (IsBlank(c)) {
      if (inArgument) arguments << argument;
      argument.clear();
      inArgument = false;
    } else if (c == u'"') {
      inQuotes = true;
      inArgument = true;  // "" is an argument of its own, empty
    } else {
      argument += c;
      inArgument = true;
    }
  }
  if (inQuotes) return std::nullopt;
  if (inArgument) arguments << argument;
  return arguments;
}

std::optional<QStringList> BrowserCommandLine(const QString& exec, const QString& url) {
  std::optional<QStringList> arguments = SplitExecArguments(CutExecAtFieldCode(exec));
  if (!arguments || arguments->isEmpty() || arguments->first().isEmpty()) return std::nullopt;
  arguments->append(url);
  return arguments;
}

QStringList ApplicationFolders(const QString& dataHome, const QString& dataDirs,
                               const QString& homeFolder) {
  QStringList bases;
  if (QDir::isAbsolutePath(dataHome)) {
    bases << dataHome;
  } else if (!homeFolder.isEmpty()) {
    bases << homeFolder + QStringLiteral("/.local/share");
  }
  QStringList systemBases = FoldersOf(dataDirs);
  if (systemBases.isEmpty()) systemBases = FoldersOf(QStringLiteral("/usr/local/share:/usr/share"));
  bases << systemBases;

  QStringList folders;
  for (const QString& base : bases)
    folders << QDir::cleanPath(base + QStringLiteral("/applications"));
  folders.removeDuplicates();
  return folders;
}

QStringList ApplicationFoldersOfThisSession() {
  return ApplicationFolders(qEnvironmentVariable("XDG_DATA_HOME"),
                            qEnvironmentVariable("XDG_DATA_DIRS"), QDir::homePath());
}

QString FindDesktopEntry(const QString& desktopId, const QStringList& applicationFolders) {
  // An id is a file name; one with a '/' could reach outside the folders.
  if (desktopId.contains(u'/') || !desktopId.endsWith(kDesktopSuffix) ||
      desktopId == kDesktopSuffix)
    return {};
  for (const QString& folder : applicationFolders) {
    const QFileInfo direct(folder + u'/' + desktopId);
    if (direct.exists()) return direct.filePath();
    // "vendor-browser.desktop" may be installed as "vendor/browser.desktop".
    const QDir root(folder);
    QDirIterator entries(folder, {QStringLiteral("*.desktop")}, QDir::Files,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
      const QString path = entries.next();
      QString id = root.relativeFilePath(path);
      if (id.contains(u'/') && id.replace(u'/', u'-') == desktopId) return path;
    }
  }
  return {};
}

}  // namespace varnell
