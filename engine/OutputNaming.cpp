#include "engine/OutputNaming.h"

namespace varnell {

std::string FormatExtension(std::string_view formatName) {
  const std::size_t star = formatName.rfind('*');
  std::string_view rest = star == std::string_view::npos ? formatName : formatName.substr(star + 1);
  const std::size_t close = rest.find(')');
  if (close != std::string_view::npos) rest = rest.substr(0, close);
  return std::string(rest);
}

std::string OutputBaseName(std::string_view sourcePath) {
  const std::size_t slash = sourcePath.rfind('/');
  const std::string_view fileName =
      slash == std::string_view::npos ? sourcePath : sourcePath.substr(slash + 1);
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return std::string(fileName);
  return std::string(fileName.substr(0, dot));
}

std::string BuildOutputPath(std::string_view folder, std::string_view sourcePath,
                            std::string_view formatName) {
  std::string path(folder);
  path += '/';
  path += OutputBaseName(sourcePath);
  path += FormatExtension(formatName);
  return path;
}

std::string CollisionCandidate(std::string_view path, int attempt) {
  if (attempt < 0) return std::string(path);
  const std::size_t slash = path.rfind('/');
  const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot <= nameStart) dot = path.size();
  std::string candidate(path.substr(0, dot));
  candidate += '(' + std::to_string(attempt) + ')';
  candidate += path.substr(dot);
  return candidate;
}

}  // namespace varnell
