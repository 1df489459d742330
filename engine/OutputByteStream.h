// The muxer's byte stream over a descriptor that someone else owns: a custom AVIOContext whose
// write and seek callbacks go straight to the descriptor, so the muxer writes the very file the
// exclusive create opened instead of opening a name itself. Seeking is supported (the MP3 muxer
// patches its Xing/LAME header at the trailer, ASF and MP4 rewrite their headers).
//
// The stream is attached to one format context as its pb and detached again before it is freed,
// on every path: the context's own deleter closes pb as an avio_open stream, which this is not.
// Declare the owner after the format context so that it is destroyed first.
#pragma once

extern "C" {
#include <libavformat/avformat.h>
}

#include <cstdint>

namespace varnell {

class OutputByteStream {
 public:
  // Attaches a new stream over descriptor to context->pb. Throws ConversionFailure.
  OutputByteStream(int descriptor, AVFormatContext* context);
  OutputByteStream(const OutputByteStream&) = delete;
  OutputByteStream& operator=(const OutputByteStream&) = delete;
  ~OutputByteStream();

  // Writes out what is buffered; throws ConversionFailure with the first write error, if any.
  void Flush();

 private:
  static int Write(void* opaque, std::uint8_t* data, int size);
  static std::int64_t Seek(void* opaque, std::int64_t offset, int whence);

  int descriptor_;
  AVFormatContext* context_;
  AVIOContext* stream_ = nullptr;
};

}  // namespace varnell
