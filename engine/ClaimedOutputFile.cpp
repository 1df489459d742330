#include "engine/ClaimedOutputFile.h"

#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "engine/ConversionFailure.h"
#include "engine/OutputNaming.h"

extern "C" {
#include <libavutil/error.h>
}

namespace varnell {
namespace {

// Far more than any folder holds of one name; it only keeps a broken file system from looping.
constexpr int kMaxCollisionAttempts = 100000;
// Random suffixes tried before giving up; a clash needs another file of the same hidden name.
constexpr int kMaxTemporaryAttempts = 100;
constexpr std::string_view kPartialMarker = ".partial-";
constexpr int kSuffixLength = 6;

std::string RandomSuffix() {
  static constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
  std::string suffix(kSuffixLength, ' ');
  for (char& c : suffix) c = kAlphabet[pick(generator)];
  return suffix;
}

// ".NAME.EXT.partial-" in the requested name's folder. A name close to the file system's limit
// is shortened (at a UTF-8 character boundary) so that the hidden name still fits.
std::string TemporaryPrefix(const std::string& requestedPath) {
  const std::size_t slash = requestedPath.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string name = requestedPath.substr(nameStart);
  const std::size_t room = NAME_MAX - 1 - kPartialMarker.size() - kSuffixLength;
  if (name.size() > room) {
    std::size_t cut = room;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name.resize(cut);
  }
  return requestedPath.substr(0, nameStart) + "." + name + std::string(kPartialMarker);
}

}  // namespace

ClaimedOutputFile::ClaimedOutputFile(std::string requestedPath)
    : requestedPath_(std::move(requestedPath)) {
  const std::string prefix = TemporaryPrefix(requestedPath_);
  for (int attempt = 0; attempt < kMaxTemporaryAttempts; ++attempt) {
    std::string candidate = prefix + RandomSuffix();
    const int fd =
        ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd >= 0) {
      descriptor_ = fd;
      temporaryPath_ = std::move(candidate);
      return;
    }
    if (errno != EEXIST) {
      FailConversion("cannot create output file " + requestedPath_, AVERROR(errno));
    }
  }
  FailConversion("cannot create output file " + requestedPath_ +
                 ": no free temporary name in its folder");
}

ClaimedOutputFile::~ClaimedOutputFile() {
  if (descriptor_ >= 0) ::close(descriptor_);
  if (!published_) ::unlink(temporaryPath_.c_str());
}

void ClaimedOutputFile::Close() {
  if (descriptor_ < 0) return;
  // A file system that reports write errors only when the file is closed (NFS) fails the row
  // here, before the file gets a name.
  const int closed = ::close(descriptor_);
  descriptor_ = -1;
  if (closed != 0) FailConversion("cannot write output", AVERROR(errno));
}

void ClaimedOutputFile::Publish() {
  Close();

  for (int attempt = -1; attempt < kMaxCollisionAttempts; ++attempt) {
    std::string candidate = CollisionCandidate(requestedPath_, attempt);
    if (TryPublishAs(candidate)) {
      publishedPath_ = std::move(candidate);
      published_ = true;
      return;
    }
  }
  FailConversion("cannot publish output file: every name like " + requestedPath_ + " is taken");
}

bool ClaimedOutputFile::TryPublishAs(const std::string& candidate) {
  if (::renameat2(AT_FDCWD, temporaryPath_.c_str(), AT_FDCWD, candidate.c_str(),
                  RENAME_NOREPLACE) == 0) {
    return true;
  }
  if (errno == EEXIST) return false;
  if (errno != EINVAL && errno != ENOSYS) {
    FailConversion("cannot publish output file " + candidate, AVERROR(errno));
  }
  // A file system without RENAME_NOREPLACE: a hard link fails on an existing name just as well.
  if (::link(temporaryPath_.c_str(), candidate.c_str()) != 0) {
    if (errno == EEXIST) return false;
    FailConversion("cannot publish output file " + candidate, AVERROR(errno));
  }
  ::unlink(temporaryPath_.c_str());
  return true;
}

}  // namespace varnell
