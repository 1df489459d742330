// An output file name claimed for one conversion. The claim creates the file exclusively, so an
// existing file is never opened for writing, also when another program races for the same name.
// Until Keep() is called the file counts as unfinished and is removed again on destruction.
#pragma once

#include <string>

namespace varnell {

class ClaimedOutputFile {
 public:
  // Runs the collision loop over name.ext, name(0).ext, name(1).ext, ... and creates the first
  // name that does not exist yet. Throws ConversionFailure when no name can be created.
  explicit ClaimedOutputFile(const std::string& requestedPath);
  ClaimedOutputFile(const ClaimedOutputFile&) = delete;
  ClaimedOutputFile& operator=(const ClaimedOutputFile&) = delete;
  ~ClaimedOutputFile();

  const std::string& path() const { return path_; }
  void Keep() { keep_ = true; }

 private:
  std::string path_;
  bool keep_ = false;
};

}  // namespace varnell
