#pragma once

#include <QString>

namespace varnell {

// The folder holding the running executable, without a trailing "/": where the
// program keeps what lives "beside the program" (the bin/ store, OutPut/,
// help.html). Needs the QCoreApplication to exist.
QString ExecutableFolder();

}  // namespace varnell
