// Moving a file into the user's trash can in the freedesktop layout the desktops share, so
// that the desktop's file manager lists it and can put it back. A file on the home trash's file
// system goes to $XDG_DATA_HOME/Trash (~/.local/share/Trash); one on another file system goes to
// the trash at the top of its own: $topdir/.Trash/$uid when the administrator made a sticky
// $topdir/.Trash, else $topdir/.Trash-$uid. The file is only ever renamed: it is never copied
// and deleted, and never replaces another file, so a failure leaves it where it was.
//
// Threads: any; two calls at once get different names in the trash (the name is claimed by
// creating its info file exclusively).
#pragma once

#include <optional>
#include <string>

namespace varnell {

// Nothing when `path` now lies in a trash can; else, in words, why it stays where it is.
std::optional<std::string> MoveToTrash(const std::string& path);

}  // namespace varnell
