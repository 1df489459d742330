#include "engine/OutputByteStream.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "engine/ConversionFailure.h"

namespace varnell {
namespace {
// Larger than avio's default, so that a long file costs fewer system calls.
constexpr int kBufferSize = 64 * 1024;
}  // namespace

OutputByteStream::OutputByteStream(int descriptor, AVFormatContext* context)
    : descriptor_(descriptor), context_(context) {
  auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
  if (buffer == nullptr) FailConversion("cannot open output file", AVERROR(ENOMEM));
  stream_ = avio_alloc_context(buffer, kBufferSize, 1, this, nullptr, &Write, &Seek);
  if (stream_ == nullptr) {
    av_free(buffer);
    FailConversion("cannot open output file", AVERROR(ENOMEM));
  }
  context_->pb = stream_;
}

OutputByteStream::~OutputByteStream() {
  if (context_->pb == stream_) context_->pb = nullptr;
  // avio may have replaced the buffer it was given, so the one it holds now is freed.
  av_freep(&stream_->buffer);
  avio_context_free(&stream_);
}

void OutputByteStream::Flush() {
  avio_flush(stream_);
  RequireSuccess(stream_->error, "cannot write output");
}

// Writes everything or reports why not; avio keeps the error and the muxer's next call returns it.
int OutputByteStream::Write(void* opaque, std::uint8_t* data, int size) {
  const int fd = static_cast<OutputByteStream*>(opaque)->descriptor_;
  int written = 0;
  while (written < size) {
    const ssize_t result = ::write(fd, data + written, static_cast<std::size_t>(size - written));
    if (result < 0) {
      if (errno == EINTR) continue;
      return AVERROR(errno);
    }
    if (result == 0) return AVERROR(EIO);
    written += static_cast<int>(result);
  }
  return written;
}

std::int64_t OutputByteStream::Seek(void* opaque, std::int64_t offset, int whence) {
  const int fd = static_cast<OutputByteStream*>(opaque)->descriptor_;
  whence &= ~AVSEEK_FORCE;
  if (whence == AVSEEK_SIZE) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) return AVERROR(errno);
    return status.st_size;
  }
  const off_t position = ::lseek(fd, static_cast<off_t>(offset), whence);
  if (position < 0) return AVERROR(errno);
  return position;
}

}  // namespace varnell
