#include "library/FolderScan.h"

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/OutputNaming.h"
#include "library/NaturalOrder.h"

namespace varnell {
namespace {

using Identity = std::pair<dev_t, ino_t>;

std::string RealPath(const std::string& path) {
  std::unique_ptr<char, decltype(&::free)> resolved(::realpath(path.c_str(), nullptr), &::free);
  return resolved ? std::string(resolved.get()) : std::string();
}

bool IsWithin(const std::string& path, const std::string& root) {
  if (root == "/") return !path.empty();
  return path == root || (path.size() > root.size() && path.compare(0, root.size(), root) == 0 &&
                          path[root.size()] == '/');
}

// The names of one folder, hidden ones left out, in natural order; empty when it cannot be read.
std::vector<std::string> SortedNames(const std::string& folder) {
  std::vector<std::string> names;
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return names;
  while (const dirent* entry = ::readdir(listing)) {
    if (entry->d_name[0] != '.') names.emplace_back(entry->d_name);
  }
  ::closedir(listing);
  std::sort(names.begin(), names.end(), NaturallyBefore);
  return names;
}

class TreeWalk {
 public:
  TreeWalk(std::string root, const std::atomic<bool>& cancel,
           const std::function<void(const ScannedFile&)>& found)
      : realRoot_(std::move(root)), cancel_(cancel), found_(found) {}

  // `path` as the caller names it, `relative` as the files below it are to be named.
  void Folder(const std::string& path, const std::string& relative, const struct stat& own) {
    walking_.push_back({own.st_dev, own.st_ino});
    std::vector<std::tuple<std::string, std::string, struct stat>> subfolders;
    for (const std::string& name : SortedNames(path)) {
      if (cancel_.load()) break;
      const std::string entry = (path == "/" ? path : path + '/') + name;
      const std::string entryRelative = relative.empty() ? name : relative + '/' + name;
      struct stat status {};
      if (!Reachable(entry, status)) continue;
      if (S_ISDIR(status.st_mode)) {
        subfolders.emplace_back(entry, entryRelative, status);
      } else if (S_ISREG(status.st_mode) && ::access(entry.c_str(), R_OK) == 0) {
        File(entry, entryRelative);
      }
    }
    for (const auto& [subfolder, subfolderRelative, status] : subfolders) {
      if (cancel_.load()) break;
      Folder(subfolder, subfolderRelative, status);
    }
    walking_.pop_back();
  }

  FolderScanCount& count() { return count_; }

 private:
  // Fills `status` with what the entry is, following a link that stays inside the tree; false
  // for an entry to pass over: a link out of the tree or to nothing, or a folder the walk is
  // already inside (a loop). A link to a file or to a folder elsewhere in the tree is taken
  // under its own name, as the file manager shows it.
  bool Reachable(const std::string& entry, struct stat& status) {
    if (::lstat(entry.c_str(), &status) != 0) return false;
    if (S_ISLNK(status.st_mode)) {
      const std::string target = RealPath(entry);
      if (target.empty() || !IsWithin(target, realRoot_)) return false;
      if (::stat(entry.c_str(), &status) != 0) return false;
    }
    if (!S_ISDIR(status.st_mode)) return S_ISREG(status.st_mode);
    return std::find(walking_.begin(), walking_.end(), Identity{status.st_dev, status.st_ino}) ==
           walking_.end();
  }

  void File(const std::string& path, const std::string& relative) {
    ScannedFile file{path, relative, ProbeSource(path)};
    if (!file.probe.ok() || file.probe.audioStreamIndex < 0) {
      ++count_.notAudio;
      return;
    }
    ++count_.accepted;
    found_(file);
  }

  const std::string realRoot_;
  const std::atomic<bool>& cancel_;
  const std::function<void(const ScannedFile&)>& found_;
  std::vector<Identity> walking_;  // the folders from the root down to the one being listed
  FolderScanCount count_;
};

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

std::string ScannedFile::outputSubfolder() const { return OutputFolderOf(relativePath); }

std::string ScannedFolderName(const std::string& folder) {
  std::string name = WithoutTrailingSlashes(folder);
  const std::size_t slash = name.rfind('/');
  name = slash == std::string::npos ? name : name.substr(slash + 1);
  if (name != "." && name != ".." && !name.empty()) return name;
  const std::string real = RealPath(folder);
  return real.size() > 1 ? real.substr(real.rfind('/') + 1) : std::string();
}

bool IsFolder(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

FolderScanCount ScanFolder(const std::string& folder, const std::atomic<bool>& cancel,
                           const std::function<void(const ScannedFile&)>& found) {
  const std::string root = WithoutTrailingSlashes(folder);
  TreeWalk walk(RealPath(root), cancel, found);
  struct stat status {};
  if (::stat(root.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
    walk.Folder(root, ScannedFolderName(root), status);
  }
  walk.count().cancelled = cancel.load();
  return walk.count();
}

}  // namespace varnell
