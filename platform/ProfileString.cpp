#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QThread>

#include "platform/IniFile.h"

namespace varnell {
namespace {

// Another copy holds the lock only for one read-modify-write of a small file.
constexpr int kLockTimeoutMs = 5000;
constexpr int kLockPollMs = 3;

// QLockFile::tryLock(timeout) doubles its sleep after every miss, so under
// contention a waiter may sleep through every moment the lock is free and
// time out; short even polls give each waiter its fair chance.
bool LockWithin(QLockFile& lock, int timeoutMs) {
  const QDeadlineTimer deadline(timeoutMs);
  while (!lock.tryLock(0)) {
    if (lock.error() != QLockFile::LockFailedError || deadline.hasExpired()) return false;
    QThread::msleep(kLockPollMs);
  }
  return true;
}

std::optional<QByteArray> ReadWhole(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return bytes;
}

}  // namespace

std::optional<QString> ReadProfileString(const QString& iniPath, const QString& section, const QString& key) {
  const std::optional<QByteArray> bytes = ReadWhole(iniPath);
  if (!bytes) return std::nullopt;
  return IniFile::Parse(*bytes).Value(section, key);
}

bool WriteProfileString(const QString& iniPath, const QString& section, const QString& key, const QString& value) {
  const QFileInfo info(iniPath);
  if (!info.absoluteDir().exists()) return false;

  QLockFile lock(info.absoluteFilePath() + QStringLiteral(".lock"));
  if (!LockWithin(lock, kLockTimeoutMs)) return false;

  IniFile ini;
  if (QFile::exists(iniPath)) {
    // An unreadable store must not be replaced by one holding only this key.
    const std::optional<QByteArray> bytes = ReadWhole(iniPath);
    if (!bytes) return false;
    ini = IniFile::Parse(*bytes);
  }
  if (!ini.SetValue(section, key, value)) return false;

  // QSaveFile writes a temporary file beside the target and renames it over
  // the target on commit; without a commit the temporary file is removed.
  QSaveFile out(iniPath);
  if (!out.open(QIODevice::WriteOnly)) return false;
  const QByteArray bytes = ini.Serialize();
  if (out.write(bytes) != bytes.size()) return false;
  return out.commit();
}

}  // namespace varnell
