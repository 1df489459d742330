// Whole reads and writes at an offset of an open file, for the patches the engine makes to an
// output after its muxer has finished with it. Used by the thread that writes that output.
#pragma once

#include <cstddef>
#include <cstdint>

namespace varnell {

// All `size` bytes or a ConversionFailure that begins with `what`; the end of the file is a
// failure too.
void ReadBytesAt(int descriptor, std::uint8_t* into, std::size_t size, std::uint64_t offset,
                 const char* what);
void WriteBytesAt(int descriptor, const std::uint8_t* from, std::size_t size, std::uint64_t offset,
                  const char* what);

}  // namespace varnell
