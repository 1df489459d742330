#include "library/Trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <vector>

namespace varnell {
namespace {

namespace fs = std::filesystem;

// A trash can: its folder (holding files/ and info/), and for a can at the top of a file
// system that top, against which the info file's Path is written relative.
struct TrashCan {
  std::string folder;
  std::string topdir;  // empty for the home trash: its Paths are absolute
};

std::string ErrorText(int error) { return std::generic_category().message(error); }

std::optional<std::string> HomeTrashFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data != nullptr && data[0] == '/') return std::string(data) + "/Trash";
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] != '/') return std::nullopt;
  return std::string(home) + "/.local/share/Trash";
}

// The device a path is on, or would be on once created: that of its nearest existing folder.
std::optional<dev_t> DeviceOf(fs::path path) {
  struct stat status {};
  while (::stat(path.c_str(), &status) != 0) {
    if (!path.has_relative_path()) return std::nullopt;
    path = path.parent_path();
  }
  return status.st_dev;
}

// The top of the file system `folder` is on: the highest folder above it on the same device.
fs::path TopOfFileSystem(fs::path folder, dev_t device) {
  while (folder.has_relative_path()) {
    struct stat status {};
    const fs::path parent = folder.parent_path();
    if (::stat(parent.c_str(), &status) != 0 || status.st_dev != device) break;
    folder = parent;
  }
  return folder;
}

// A folder of a trash can: made private when missing; one that is there must be a real folder
// (no symbolic link another user could point elsewhere) of this user's.
int EnsurePrivateFolder(const std::string& folder) {
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return errno;
  struct stat status {};
  if (::lstat(folder.c_str(), &status) != 0) return errno;
  if (!S_ISDIR(status.st_mode)) return ENOTDIR;
  if (status.st_uid != ::getuid()) return EACCES;
  return 0;
}

int PrepareCan(const TrashCan& can) {
  for (const std::string& folder : {can.folder, can.folder + "/files", can.folder + "/info"}) {
    if (const int error = EnsurePrivateFolder(folder); error != 0) return error;
  }
  return 0;
}

// The path as the info file's Path key holds it: bytes outside the URI's unreserved set (and
// "/") as %XX.
std::string Escaped(const std::string& path) {
  std::string escaped;
  for (const char character : path) {
    const auto byte = static_cast<unsigned char>(character);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
        (byte >= '0' && byte <= '9') || byte == '-' || byte == '_' || byte == '.' || byte == '~' ||
        byte == '/') {
      escaped += character;
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", byte);
      escaped += hex;
    }
  }
  return escaped;
}

std::string InfoText(const std::string& keptPath) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char date[32];
  std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
  return "[Trash Info]\nPath=" + Escaped(keptPath) + "\nDeletionDate=" + date + "\n";
}

// "song.m4a", "song.2.m4a", "song.3.m4a"...; a leading dot is no extension.
std::string NumberedName(const std::string& name, int number) {
  if (number == 1) return name;
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) return name + "." + std::to_string(number);
  return name.substr(0, dot) + "." + std::to_string(number) + name.substr(dot);
}

int WriteInfo(int descriptor, const std::string& text) {
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t count = ::write(descriptor, text.data() + written, text.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return count < 0 ? errno : EIO;
    written += static_cast<std::size_t>(count);
  }
  return 0;
}

// Renames without ever replacing a file at `to`.
int RenameWithoutReplacing(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // A file system without the no-replace rename: the name is checked just before.
  struct stat status {};
  if (::lstat(to.c_str(), &status) == 0) return EEXIST;
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// Moves the file into the can under a name of its own there; 0, or the error that kept it out.
int PutInto(const TrashCan& can, const fs::path& absolute) {
  const std::string name = absolute.filename().string();
  const std::string kept =
      can.topdir.empty() ? absolute.string() : absolute.lexically_relative(can.topdir).string();
  const std::string text = InfoText(kept);
  constexpr int kMostNames = 10000;
  for (int number = 1; number <= kMostNames; ++number) {
    const std::string candidate = NumberedName(name, number);
    const std::string info = can.folder + "/info/" + candidate + ".trashinfo";
    const int descriptor = ::open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (descriptor < 0) {
      if (errno == EEXIST) continue;
      return errno;
    }
    int error = WriteInfo(descriptor, text);
    if (::close(descriptor) != 0 && error == 0) error = errno;
    if (error == 0) error = RenameWithoutReplacing(absolute, can.folder + "/files/" + candidate);
    if (error == 0) return 0;
    ::unlink(info.c_str());
    if (error != EEXIST) return error;
  }
  return EEXIST;
}

// The cans at the top of a file system this user may use, the administrator's first.
std::vector<TrashCan> CansAtTop(const fs::path& topdir) {
  const std::string uid = std::to_string(::getuid());
  std::vector<TrashCan> cans;
  const std::string shared = (topdir / ".Trash").string();
  struct stat status {};
  if (::lstat(shared.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
      (status.st_mode & S_ISVTX) != 0) {
    cans.push_back({shared + "/" + uid, topdir.string()});
  }
  cans.push_back({(topdir / (".Trash-" + uid)).string(), topdir.string()});
  return cans;
}

}  // namespace

std::optional<std::string> MoveToTrash(const std::string& path) {
  struct stat source {};
  if (::lstat(path.c_str(), &source) != 0) return "it cannot be found: " + ErrorText(errno);
  if (S_ISDIR(source.st_mode)) return "it is a folder";
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error).lexically_normal();
  if (error) return "its folder cannot be told: " + error.message();

  const std::optional<std::string> home = HomeTrashFolder();
  const std::optional<dev_t> homeDevice = home ? DeviceOf(*home) : std::nullopt;
  if (homeDevice && *homeDevice == source.st_dev) {
    fs::create_directories(fs::path(*home).parent_path(), error);
    const TrashCan can{*home, {}};
    int failure = PrepareCan(can);
    if (failure == 0) failure = PutInto(can, absolute);
    if (failure == 0) return std::nullopt;
    // Another mount of the same file system still needs a can of its own.
    if (failure != EXDEV) return "it cannot be moved into " + *home + ": " + ErrorText(failure);
  }

  std::string lastFailure;
  for (const TrashCan& can : CansAtTop(TopOfFileSystem(absolute.parent_path(), source.st_dev))) {
    int failure = PrepareCan(can);
    if (failure == 0) failure = PutInto(can, absolute);
    if (failure == 0) return std::nullopt;
    lastFailure = can.folder + ": " + ErrorText(failure);
  }
  return "it lies on another file system than the Trash, which it would have to be copied to, "
         "and that file system has no trash folder it can go to (" +
         lastFailure + ")";
}

}  // namespace varnell
