#include "engine/DescriptorBytes.h"

#include <unistd.h>

#include <cerrno>

extern "C" {
#include <libavutil/error.h>
}

#include "engine/ConversionFailure.h"

namespace varnell {
namespace {

template <typename Bytes, typename Call>
void TransferExactly(Call call, int descriptor, Bytes* bytes, std::size_t size,
                     std::uint64_t offset, const char* what) {
  while (size > 0) {
    const ssize_t done = call(descriptor, bytes, size, static_cast<off_t>(offset));
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) FailConversion(what, AVERROR(done < 0 ? errno : EIO));
    bytes += done;
    size -= static_cast<std::size_t>(done);
    offset += static_cast<std::uint64_t>(done);
  }
}

}  // namespace

void ReadBytesAt(int descriptor, std::uint8_t* into, std::size_t size, std::uint64_t offset,
                 const char* what) {
  TransferExactly(::pread, descriptor, into, size, offset, what);
}

void WriteBytesAt(int descriptor, const std::uint8_t* from, std::size_t size, std::uint64_t offset,
                  const char* what) {
  TransferExactly(::pwrite, descriptor, from, size, offset, what);
}

}  // namespace varnell
