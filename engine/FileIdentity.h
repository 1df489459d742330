// Whether a name still is a given open file: the hidden temporary's name can be renamed over by
// another program while the file is written through its descriptor.
#pragma once

namespace varnell {

// True when `name`, looked up in `folder` (a directory descriptor, or AT_FDCWD for a path)
// without following a symlink, is the very file (device and inode) `descriptor` holds.
bool NameHoldsFile(int folder, const char* name, int descriptor);

}  // namespace varnell
