#include "engine/ClaimedOutputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "engine/ConversionFailure.h"
#include "engine/OutputNaming.h"

namespace varnell {
namespace {
// Far more than any folder holds of one name; it only keeps a broken file system from looping.
constexpr int kMaxCollisionAttempts = 100000;
}  // namespace

ClaimedOutputFile::ClaimedOutputFile(const std::string& requestedPath) {
  for (int attempt = -1; attempt < kMaxCollisionAttempts; ++attempt) {
    std::string candidate = CollisionCandidate(requestedPath, attempt);
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      ::close(fd);
      path_ = std::move(candidate);
      return;
    }
    if (errno != EEXIST) {
      FailConversion("cannot create output file " + candidate + ": " + std::strerror(errno));
    }
  }
  FailConversion("cannot create output file: every name like " + requestedPath + " is taken");
}

ClaimedOutputFile::~ClaimedOutputFile() {
  if (!keep_ && !path_.empty()) ::unlink(path_.c_str());
}

}  // namespace varnell
