// The hidden temporary files an output is written into before it gets its final name:
// ".NAME.EXT.partial-XXXXXX" in the folder of NAME.EXT.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace varnell::testing {

inline std::vector<std::filesystem::path> PartialFilesOf(const std::filesystem::path& finalName) {
  const std::string prefix = "." + finalName.filename().string() + ".partial-";
  std::vector<std::filesystem::path> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(finalName.parent_path(), error)) {
    if (entry.path().filename().string().starts_with(prefix)) found.push_back(entry.path());
  }
  return found;
}

// Bytes written so far into the partial files of finalName; files may vanish while counting.
inline std::uintmax_t PartialBytesOf(const std::filesystem::path& finalName) {
  std::uintmax_t bytes = 0;
  for (const auto& partial : PartialFilesOf(finalName)) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(partial, error);
    if (!error) bytes += size;
  }
  return bytes;
}

}  // namespace varnell::testing
