// FFmpeg prints its own warnings on standard error; the engine reports failures as row reasons
// instead. Programs call this once at start-up to keep FFmpeg quiet.
#pragma once

namespace varnell {

void QuietLibraryLog();

}  // namespace varnell
