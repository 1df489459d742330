#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace varnell {

// Reading the freedesktop.org desktop entry of the default web browser and
// turning its Exec line into a program and arguments. Pure functions apart
// from FindDesktopEntry, which looks at the file system.

// The Exec value of the [Desktop Entry] group, with the string escapes (\s \n
// \t \r \\) undone; nothing when the group or the key is missing.
std::optional<QString> ReadDesktopEntryExec(const QString& entryText);

// The part of an Exec value before its first file or URL field code (%u %U %f
// %F), where the address goes. A field code standing alone in double quotes
// takes its opening quote with it. Other field codes are dropped and "%%"
// becomes "%". A value without such a field code is kept whole.
QString CutExecAtFieldCode(const QString& exec);

// Splits an Exec value into arguments: separated by blanks; inside double
// quotes blanks are kept and a backslash escapes '"', '`', '$' and '\'.
// Nothing for an unterminated quote.
std::optional<QStringList> SplitExecArguments(const QString& exec);

// Program and arguments that open url: the cut Exec value, split, with url as
// one more argument of its own. Nothing when the value names no program.
std::optional<QStringList> BrowserCommandLine(const QString& exec, const QString& url);

// The folders desktop entries are installed in, most important first: the
// applications folders of XDG_DATA_HOME (default ~/.local/share) and of each
// XDG_DATA_DIRS entry (default /usr/local/share:/usr/share). Relative folders
// are ignored, as the base directory rules ask.
QStringList ApplicationFolders(const QString& dataHome, const QString& dataDirs,
                               const QString& homeFolder);
// The same from this process's environment.
QStringList ApplicationFoldersOfThisSession();

// The file of a desktop file id such as "vendor-browser.desktop", which may
// also live in a subfolder ("vendor/browser.desktop"). The first folder that
// holds it wins. Empty when no folder does, or the id is not a plain file name.
QString FindDesktopEntry(const QString& desktopId, const QStringList& applicationFolders);

}  // namespace varnell
