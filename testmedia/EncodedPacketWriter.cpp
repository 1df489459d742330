#include "testmedia/EncodedPacketWriter.h"

#include <filesystem>

#include "testmedia/FfmpegError.h"

namespace varnell::testmedia {

bool WriteEncodedPackets(AVCodecContext* encoder, AVPacket* packet, AVStream* stream,
                         AVFormatContext* output, bool& finished, const std::string& what,
                         std::string* error) {
  for (;;) {
    const int rc = avcodec_receive_packet(encoder, packet);
    if (rc == AVERROR(EAGAIN)) return true;
    if (rc == AVERROR_EOF) {
      finished = true;
      return true;
    }
    if (rc < 0) return Fail(error, DescribeFFmpegError("receiving " + what + " packet", rc));
    packet->stream_index = stream->index;
    // write_header may have changed the stream's time base from the encoder's.
    av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
    const int written = av_interleaved_write_frame(output, packet);
    if (written < 0)
      return Fail(error, DescribeFFmpegError("writing " + what + " packet", written));
  }
}

bool WriteOrRemove(const std::string& path, std::string* error,
                   const std::function<bool(std::string*, bool&)>& write) {
  bool fileOpened = false;
  if (write(error, fileOpened)) return true;
  if (fileOpened) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }
  return false;
}

}  // namespace varnell::testmedia
