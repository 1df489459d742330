#include "engine/ClaimedOutputFile.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "engine/ConversionFailure.h"
#include "engine/FileIdentity.h"
#include "engine/OutputNaming.h"
#include "engine/TemporaryOutputName.h"

extern "C" {
#include <libavutil/error.h>
}

namespace varnell {
namespace {

// Far more than any folder holds of one name; it only keeps a broken file system from looping.
constexpr int kMaxCollisionAttempts = 100000;
// Random suffixes tried before giving up; a clash needs another file of the same hidden name.
constexpr int kMaxTemporaryAttempts = 100;
constexpr const char* kReplaced = "the temporary output was replaced";

// Every finished output waiting for an earlier row's name holds its file and its folder open, so
// a long batch of one name needs two descriptors per row. The soft limit is raised to the hard
// one, once per process; past that a row fails with "Too many open files".
void AllowEveryOpenFileTheSystemGrants() {
  static const bool raised = [] {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == limit.rlim_max) return false;
    limit.rlim_cur = limit.rlim_max;
    return ::setrlimit(RLIMIT_NOFILE, &limit) == 0;
  }();
  (void)raised;
}

// A file system without locks (flock fails other than EINTR) takes the file unlocked; a run
// clearing that folder cannot lock it either, and so removes nothing there.
void LockExclusively(int descriptor) {
  while (::flock(descriptor, LOCK_EX) != 0 && errno == EINTR) {
  }
}

bool NameTaken(const std::string& path) {
  struct stat ignored {};
  return ::fstatat(AT_FDCWD, path.c_str(), &ignored, AT_SYMLINK_NOFOLLOW) == 0;
}

}  // namespace

ClaimedOutputFile::ClaimedOutputFile(std::string requestedPath)
    : requestedPath_(std::move(requestedPath)) {
  AllowEveryOpenFileTheSystemGrants();
  const std::string prefix = TemporaryOutputPrefix(requestedPath_);
  const std::size_t slash = prefix.rfind('/');
  const std::string namePrefix = prefix.substr(slash == std::string::npos ? 0 : slash + 1);
  folder_ = ::open(OutputFolderOf(requestedPath_).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (folder_ < 0) FailConversion("cannot create output file " + requestedPath_, AVERROR(errno));

  for (int attempt = 0; attempt < kMaxTemporaryAttempts; ++attempt) {
    std::string name = namePrefix + RandomTemporarySuffix();
    // Readable too: finished files are read back and patched (the ID3 comment frame of
    // Id3CommentFrame.h, the MP4 gapless tag of Mp4GaplessTag.h).
    const int fd =
        ::openat(folder_, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      const int error = errno;
      ::close(folder_);
      FailConversion("cannot create output file " + requestedPath_, AVERROR(error));
    }
    // Locked before anything is written. A run clearing the folder at this very moment may have
    // taken the new file for an abandoned one before the lock; it removed the name then, so the
    // name is looked at once the lock is held, and another one tried when it is gone.
    LockExclusively(fd);
    if (!NameHoldsFile(folder_, name.c_str(), fd)) {
      ::close(fd);
      continue;
    }
    descriptor_ = fd;
    temporaryPath_ = prefix.substr(0, prefix.size() - namePrefix.size()) + name;
    temporaryName_ = std::move(name);
    return;
  }
  ::close(folder_);
  FailConversion("cannot create output file " + requestedPath_ +
                 ": no free temporary name in its folder");
}

ClaimedOutputFile::~ClaimedOutputFile() {
  if (descriptor_ >= 0) {
    // Removed while still locked, so that no clearing run looks at it half-way.
    if (!published_) RemoveHiddenName();
    ::close(descriptor_);
  }
  ::close(folder_);
}

void ClaimedOutputFile::RemoveHiddenName() const {
  if (NameHoldsFile(folder_, temporaryName_.c_str(), descriptor_)) {
    ::unlinkat(folder_, temporaryName_.c_str(), 0);
  }
}

int ClaimedOutputFile::Publish(int firstAttempt, const ClaimedOutputFile* pairedWith) {
  // A file system that reports write errors only when the file is closed (NFS) fails the row
  // here, before the file gets a name. Closing a duplicate flushes as the last close would; the
  // descriptor, and with it the lock, stays until the file has its name.
  const int duplicate = ::fcntl(descriptor_, F_DUPFD_CLOEXEC, 0);
  if (duplicate < 0 || ::close(duplicate) != 0) {
    FailConversion("cannot write output", AVERROR(errno));
  }

  for (int attempt = firstAttempt; attempt < kMaxCollisionAttempts; ++attempt) {
    if (pairedWith != nullptr &&
        NameTaken(CollisionCandidate(pairedWith->requestedPath_, attempt))) {
      continue;
    }
    std::string candidate = CollisionCandidate(requestedPath_, attempt);
    if (TryPublishAs(candidate)) {
      publishedPath_ = std::move(candidate);
      published_ = true;
      ::close(descriptor_);
      descriptor_ = -1;
      return attempt;
    }
  }
  FailConversion("cannot publish output file: every name like " + requestedPath_ + " is taken");
}

// The file is published through its hidden name, so that name is checked to be the file the
// descriptor holds before and after: a symlink or another file renamed over it is never given a
// final name, and what another program put under the hidden name is not removed.
bool ClaimedOutputFile::TryPublishAs(const std::string& candidate) {
  const char* hidden = temporaryName_.c_str();
  if (!NameHoldsFile(folder_, hidden, descriptor_)) FailConversion(kReplaced);
  const bool renamed =
      ::renameat2(folder_, hidden, AT_FDCWD, candidate.c_str(), RENAME_NOREPLACE) == 0;
  if (!renamed) {
    if (errno == EEXIST) return false;
    if (errno != EINVAL && errno != ENOSYS) {
      FailConversion("cannot publish output file " + candidate, AVERROR(errno));
    }
    // A file system without RENAME_NOREPLACE: a hard link fails on an existing name just as well.
    if (::linkat(folder_, hidden, AT_FDCWD, candidate.c_str(), 0) != 0) {
      if (errno == EEXIST) return false;
      FailConversion("cannot publish output file " + candidate, AVERROR(errno));
    }
  }
  if (!NameHoldsFile(AT_FDCWD, candidate.c_str(), descriptor_)) {
    // Replaced between the look and the publish: undone, so that the final name stays free.
    if (renamed) {
      ::renameat2(AT_FDCWD, candidate.c_str(), folder_, hidden, RENAME_NOREPLACE);
    } else {
      ::unlink(candidate.c_str());
    }
    FailConversion(kReplaced);
  }
  if (!renamed) RemoveHiddenName();
  return true;
}

}  // namespace varnell
