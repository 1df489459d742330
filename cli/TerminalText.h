// Text from outside the program (file names, library messages) on its way to standard output or
// the terminal: control characters must neither end a line early nor drive the terminal.
#pragma once

#include <string>
#include <string_view>

namespace varnell {

// Returns text with every control character written as an escape, the way `ls` quotes names:
// "\n", "\t", "\r" and the like by name, any other C0 control, DEL, a C1 control or a byte that is
// not part of valid UTF-8 as "\xHH" (lower-case hex), and the backslash itself as "\\" so that an
// escape in the output always stands for one byte of the input. Valid UTF-8 passes unchanged.
std::string EscapedForTerminal(std::string_view text);

}  // namespace varnell
