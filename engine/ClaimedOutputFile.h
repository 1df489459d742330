// The output of one conversion while it is being written: a hidden temporary file in the output
// folder (".NAME.EXT.partial-XXXXXX"), created exclusively and written only through the
// descriptor that the creation returned. No name is opened twice and no symlink is followed, so
// an existing file is never touched, also when another program races for a name.
//
// Publish() gives the finished file the first free name of the collision loop (name.ext,
// name(0).ext, ...) without replacing anything. Until then the final name does not exist at all:
// a run that is killed leaves at most the hidden file, never a half-written file under a name
// that looks finished. A claim destroyed unpublished removes its temporary file.
//
// One claim belongs to the thread converting its row.
#pragma once

#include <string>

namespace varnell {

class ClaimedOutputFile {
 public:
  // Creates the temporary file beside requestedPath. Throws ConversionFailure when it cannot.
  explicit ClaimedOutputFile(std::string requestedPath);
  ClaimedOutputFile(const ClaimedOutputFile&) = delete;
  ClaimedOutputFile& operator=(const ClaimedOutputFile&) = delete;
  ~ClaimedOutputFile();

  // The open descriptor of the temporary file; valid until Publish().
  int descriptor() const { return descriptor_; }
  const std::string& temporaryPath() const { return temporaryPath_; }

  // Closes the descriptor; the file stays temporary (and is removed with the claim) until
  // Publish(). A finished output waiting for its turn to be named holds no descriptor. Throws
  // ConversionFailure when the close reports a write error. Does nothing the second time.
  void Close();
  // Closes the file when still open and renames it to the first free name of the collision loop.
  // Throws ConversionFailure (and keeps the file temporary, so it is removed) when either fails.
  void Publish();

  // The published name once Publish() succeeded; the requested name before.
  const std::string& path() const { return published_ ? publishedPath_ : requestedPath_; }

 private:
  // True when the file now has the name `candidate`; false when that name is taken.
  bool TryPublishAs(const std::string& candidate);

  std::string requestedPath_;
  std::string temporaryPath_;
  std::string publishedPath_;
  int descriptor_ = -1;
  bool published_ = false;
};

}  // namespace varnell
