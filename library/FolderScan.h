// Turns a folder tree into the files a batch can take: every regular file below the folder,
// folder by folder in natural order (a folder's files before its subfolders), each probed, those
// without sound FFmpeg can read counted rather than named. Hidden names (a leading "."), entries
// that cannot be read, and symbolic links that lead out of the tree or back up into a folder the
// walk is inside (a loop) are passed over; other links inside the tree are followed.
//
// Threads: ScanFolder runs on the thread that calls it (the window gives it a thread of its own)
// and calls `found` there; `cancel` may be set from any thread and is read before every entry.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "engine/SourceProbe.h"

namespace varnell {

struct ScannedFile {
  std::string path;  // the scanned folder as given, then the names below it
  // From the scanned folder's parent: "Lib/Disc 1/x.m4a" for a scan of ".../Lib".
  std::string relativePath;
  ProbeResult probe;

  // Where its output goes below the output folder: "Lib/Disc 1".
  std::string outputSubfolder() const;
};

struct FolderScanCount {
  int accepted = 0;
  int notAudio = 0;  // regular files FFmpeg cannot open as sound
  bool cancelled = false;
};

FolderScanCount ScanFolder(const std::string& folder, const std::atomic<bool>& cancel,
                           const std::function<void(const ScannedFile&)>& found);

// The name a scan of `folder` gives its files' relative paths: the folder's own name, also when
// it is given as "." or with a trailing "/"; empty for the root.
std::string ScannedFolderName(const std::string& folder);

// True for an existing folder (or a link to one): what a scan takes.
bool IsFolder(const std::string& path);

}  // namespace varnell
