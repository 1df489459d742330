#pragma once

#include <QString>

namespace varnell {

// The folder holding the running executable, without a trailing "/": where the
// program keeps what lives "beside the program" (the bin/ store, OutPut/,
// help.html). Needs the QCoreApplication to exist.
QString ExecutableFolder();

// Whether this process may create files in `folder`, as the kernel decides it
// (access(W_OK)): false for a folder that is missing, not a folder, read-only to
// this user or on a read-only mount. A writable program folder is a build folder
// or a portable copy, which keeps everything beside the program; an installed
// program's folder is not.
bool IsWritableFolder(const QString& folder);

// Whether the program keeps its settings and first outputs beside itself: its folder is
// writable and is not an installed tree (PREFIX/bin with the help page in
// PREFIX/share/varnell/ and none beside the program). An installed program run by root, or
// installed under ~/.local, thus still keeps them in the user's folders, never in bin/.
bool KeepsFilesBesideProgram(const QString& programFolder);

// The help page: help.html beside the program (the build folder), else the
// installed copy in ../share/varnell/; empty when neither exists.
QString HelpPagePath(const QString& programFolder);

}  // namespace varnell
