#include "engine/OutputNaming.h"

#include <algorithm>

namespace varnell {

std::string OutputBaseName(std::string_view sourcePath) {
  const std::size_t slash = sourcePath.rfind('/');
  const std::string_view fileName =
      slash == std::string_view::npos ? sourcePath : sourcePath.substr(slash + 1);
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return std::string(fileName);
  return std::string(fileName.substr(0, dot));
}

std::string BuildOutputPath(std::string_view folder, std::string_view sourcePath,
                            std::string_view extension) {
  std::string path(folder);
  path += '/';
  path += OutputBaseName(sourcePath);
  path += extension;
  return path;
}

std::string OutputFolderOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return ".";
  return slash == 0 ? "/" : std::string(path.substr(0, slash));
}

namespace {

// Where CollisionCandidate puts the number: before the extension, or at the end of a name
// without one.
std::size_t NumberPosition(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot <= nameStart) dot = path.size();
  return dot;
}

// True when `candidate` is base's stem + "(digits)" + base's extension.
bool IsNumberedCandidateOf(std::string_view candidate, std::string_view base) {
  const std::size_t at = NumberPosition(base);
  const std::string_view stem = base.substr(0, at);
  const std::string_view extension = base.substr(at);
  if (candidate.size() < base.size() + 3 || candidate.substr(0, stem.size()) != stem ||
      candidate.substr(candidate.size() - extension.size()) != extension) {
    return false;
  }
  const std::string_view number =
      candidate.substr(stem.size(), candidate.size() - extension.size() - stem.size());
  if (number.front() != '(' || number.back() != ')') return false;
  const std::string_view digits = number.substr(1, number.size() - 2);
  return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string CollisionCandidate(std::string_view path, int attempt) {
  if (attempt < 0) return std::string(path);
  const std::size_t dot = NumberPosition(path);
  std::string candidate(path.substr(0, dot));
  candidate += '(' + std::to_string(attempt) + ')';
  candidate += path.substr(dot);
  return candidate;
}

bool CollisionLoopsMeet(std::string_view first, std::string_view second) {
  return first == second || IsNumberedCandidateOf(first, second) ||
         IsNumberedCandidateOf(second, first);
}

}  // namespace varnell
