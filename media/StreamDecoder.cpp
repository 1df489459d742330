#include "media/StreamDecoder.h"

namespace varnell {

int StreamDecoder::Open(const AVStream& stream, Threads threads) {
  context_.reset();
  const AVCodec* codec = avcodec_find_decoder(stream.codecpar->codec_id);
  if (codec == nullptr) return AVERROR_DECODER_NOT_FOUND;
  ffmpeg::CodecContextPtr context(avcodec_alloc_context3(codec));
  if (!context) return AVERROR(ENOMEM);
  int result = avcodec_parameters_to_context(context.get(), stream.codecpar);
  if (result < 0) return result;
  context->pkt_timebase = stream.time_base;
  if (threads == Threads::EveryCore) context->thread_count = kEveryCoreThreadCount;
  result = avcodec_open2(context.get(), codec, nullptr);
  if (result < 0) return result;
  context_ = std::move(context);
  return 0;
}

}  // namespace varnell
