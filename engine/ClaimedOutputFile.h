// The output of one conversion while it is being written: a hidden temporary file in the output
// folder (".NAME.EXT.partial-XXXXXX"), created exclusively and written only through the
// descriptor that the creation returned. No name is opened twice and no symlink is followed, so
// an existing file is never touched, also when another program races for a name.
//
// The descriptor holds an exclusive advisory lock (flock) on the file from its creation until it
// is published or removed, also while a finished output waits for its turn to be named: a later
// run clears only the temporaries nobody holds (AbandonedTemporaries). The folder is held by a
// descriptor too, so the file is removed wherever its folder has gone meanwhile.
//
// Publish() gives the finished file the first free name of the collision loop (name.ext,
// name(0).ext, ...) without replacing anything, and only while the hidden name still is the file
// the descriptor holds. Until then the final name does not exist at all: a run that is killed
// leaves at most the hidden file, never a half-written file under a name that looks finished. A
// claim destroyed unpublished removes its temporary file (when the name still is its own).
//
// One claim belongs to the thread converting its row, then to whichever thread publishes it.
#pragma once

#include <string>

namespace varnell {

class ClaimedOutputFile {
 public:
  // Creates and locks the temporary file beside requestedPath. Throws ConversionFailure when it
  // cannot.
  explicit ClaimedOutputFile(std::string requestedPath);
  ClaimedOutputFile(const ClaimedOutputFile&) = delete;
  ClaimedOutputFile& operator=(const ClaimedOutputFile&) = delete;
  ~ClaimedOutputFile();

  // The open descriptor of the temporary file; valid until Publish().
  int descriptor() const { return descriptor_; }
  const std::string& temporaryPath() const { return temporaryPath_; }
  const std::string& requestedPath() const { return requestedPath_; }

  // Renames the file to the first free name of the collision loop from `firstAttempt` on (see
  // CollisionCandidate), passing over every attempt at which `pairedWith`'s name of the same
  // attempt is taken, so that the two can be named alike. Returns the attempt that named it.
  // Throws ConversionFailure (and keeps the file temporary, so it is removed) when the file
  // reports a write error, its hidden name was replaced, or the rename fails.
  int Publish(int firstAttempt = -1, const ClaimedOutputFile* pairedWith = nullptr);

  // The published name once Publish() succeeded; the requested name before.
  const std::string& path() const { return published_ ? publishedPath_ : requestedPath_; }

 private:
  // True when the file now has the name `candidate`; false when that name is taken.
  bool TryPublishAs(const std::string& candidate);
  // Unlinks the hidden name when it still is this file; what another program put there stays.
  void RemoveHiddenName() const;

  std::string requestedPath_;
  std::string temporaryPath_;
  std::string temporaryName_;  // in folder_
  std::string publishedPath_;
  int folder_ = -1;
  int descriptor_ = -1;
  bool published_ = false;
};

}  // namespace varnell
