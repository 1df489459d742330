// The profile functions on a store that copies of the program share, in a folder that someone
// else may also write to. Every file is opened once and judged by its descriptor, never by a
// check of its name beforehand: only a regular file of a bounded size is read, opening never
// waits on a FIFO or a device, and nothing is created or replaced through a symbolic link.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>

#include "platform/IniFile.h"

namespace varnell {
namespace {

// A store holds a handful of lines; anything bigger is not ours.
constexpr qint64 kMaxStoreBytes = 64 * 1024;
// Another copy holds the lock only for one read-modify-write of a small file.
constexpr int kLockTimeoutMs = 5000;
constexpr int kLockPollMs = 3;
constexpr mode_t kNewStoreMode = 0644;

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

struct StoreContents {
  bool missing = false;             // nothing under the name at all
  std::optional<QByteArray> bytes;  // set only for a readable regular file within the bound
  mode_t mode = kNewStoreMode;
};

// O_NONBLOCK lets the open return at once on a FIFO; fstat then tells what was opened.
StoreContents ReadStore(const QString& path, int extraFlags) {
  StoreContents contents;
  const int fd = ::open(QFile::encodeName(path).constData(),
                        O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | extraFlags);
  if (fd < 0) {
    contents.missing = errno == ENOENT;
    return contents;
  }
  const Descriptor file(fd);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxStoreBytes) {
    return contents;
  }
  contents.mode = info.st_mode & 07777;
  QByteArray bytes;
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return contents;
    if (got == 0) break;
    bytes.append(buffer, got);
    if (bytes.size() > kMaxStoreBytes) return contents;  // it grew while being read
  }
  contents.bytes = bytes;
  return contents;
}

bool WriteAll(int fd, const QByteArray& bytes) {
  qsizetype done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote =
        ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += wrote;
  }
  return true;
}

// Writes a complete new file beside the store, created exclusively (so never through a link
// planted under its name), and renames it over the store: a reader sees the old or the new file.
bool ReplaceStore(const QString& path, const QByteArray& bytes, mode_t mode) {
  const QByteArray target = QFile::encodeName(path);
  for (int attempt = 0; attempt < 16; ++attempt) {
    const QByteArray temporary =
        target + '.' + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
    const int fd =
        ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return false;
    Descriptor out(fd);
    bool written = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    written = out.Close() && written;
    if (written && ::rename(temporary.constData(), target.constData()) == 0) return true;
    ::unlink(temporary.constData());
    return false;
  }
  return false;
}

// Serialises the read-modify-write of copies side by side. The kernel drops a flock() with its
// holder, so a killed copy leaves no stale lock behind. The holder removes the lock file before it
// lets go; a waiter that then gets the lock of the removed file finds another inode (or none)
// under the name and starts again on the file that is there now.
class StoreLock {
 public:
  explicit StoreLock(const QString& path) : path_(QFile::encodeName(path)) {}
  StoreLock(const StoreLock&) = delete;
  StoreLock& operator=(const StoreLock&) = delete;
  ~StoreLock() {
    if (fd_ < 0) return;
    ::unlink(path_.constData());
    ::close(fd_);
  }

  bool Acquire(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
      const int fd =
          ::open(path_.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
      if (fd < 0) return false;  // also a link or a dangling link under the lock's name
      Descriptor lock(fd);
      struct stat held {};
      if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) return false;
      while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired()) return false;
        QThread::msleep(kLockPollMs);
      }
      struct stat named {};
      if (::lstat(path_.constData(), &named) == 0 && named.st_dev == held.st_dev &&
          named.st_ino == held.st_ino) {
        fd_ = lock.Release();
        return true;
      }
      if (deadline.hasExpired()) return false;
    }
  }

 private:
  QByteArray path_;
  int fd_ = -1;
};

}  // namespace

std::optional<QString> ReadProfileString(const QString& iniPath, const QString& section,
                                         const QString& key) {
  const StoreContents contents = ReadStore(iniPath, 0);
  if (!contents.bytes) return std::nullopt;
  return IniFile::Parse(*contents.bytes).Value(section, key);
}

bool WriteProfileString(const QString& iniPath, const QString& section, const QString& key,
                        const QString& value) {
  const QFileInfo info(iniPath);
  if (!info.absoluteDir().exists()) return false;
  const QString store = info.absoluteFilePath();

  StoreLock lock(store + QStringLiteral(".lock"));
  if (!lock.Acquire(kLockTimeoutMs)) return false;

  // Anything under the name but a readable regular store (a link, a FIFO, a device, a file too big
  // to be ours) is left as it is, rather than replaced by a store holding only this key.
  const StoreContents existing = ReadStore(store, O_NOFOLLOW);
  if (!existing.bytes && !existing.missing) return false;
  IniFile ini = existing.bytes ? IniFile::Parse(*existing.bytes) : IniFile();
  if (!ini.SetValue(section, key, value)) return false;
  return ReplaceStore(store, ini.Serialize(), existing.mode);
}

}  // namespace varnell
