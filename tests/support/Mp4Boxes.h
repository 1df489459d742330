// Damage done to an MP4 written by the test-media code, box by box: the first box of a type is
// found by its four-character code, and a big-endian 32-bit field of it is overwritten.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

namespace varnell::testing {

// Overwrites the big-endian 32-bit field `offset` bytes after the type of the first `box`; an
// offset of -4 overwrites the type itself.
inline void PatchBoxField(const std::string& path, const std::string& box, std::ptrdiff_t offset,
                          std::uint32_t value) {
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), {}};
  const std::size_t at = bytes.find(box);
  ASSERT_NE(at, std::string::npos) << box;
  file.seekp(static_cast<std::streamoff>(at + box.size()) + offset);
  const char field[4] = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                         static_cast<char>(value >> 8), static_cast<char>(value)};
  file.write(field, sizeof field);
  ASSERT_TRUE(file.good());
}

// "free": a box every reader skips, so the one it replaces is as good as removed.
inline constexpr std::uint32_t kFreeBoxType = 0x66726565;

}  // namespace varnell::testing
