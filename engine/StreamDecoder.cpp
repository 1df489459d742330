#include "engine/StreamDecoder.h"

namespace varnell {

int StreamDecoder::Open(const AVStream* stream) {
  const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
  if (codec == nullptr) return AVERROR_DECODER_NOT_FOUND;
  context_.reset(avcodec_alloc_context3(codec));
  if (!context_) return AVERROR(ENOMEM);
  int result = avcodec_parameters_to_context(context_.get(), stream->codecpar);
  if (result < 0) return result;
  context_->pkt_timebase = stream->time_base;
  result = avcodec_open2(context_.get(), codec, nullptr);
  return result < 0 ? result : 0;
}

const char* StreamDecoder::codecName() const {
  return context_ && context_->codec ? context_->codec->name : "none";
}

}  // namespace varnell
