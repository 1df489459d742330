#include "engine/OutputFile.h"

#include <array>
#include <cstring>
#include <string_view>

#include "engine/ConversionFailure.h"
#include "media/AttachedPicture.h"

namespace varnell {
namespace {

// Keys that describe the source container rather than the recording.
constexpr std::array<std::string_view, 5> kContainerBookkeeping{
    "major_brand", "minor_version", "compatible_brands", "handler_name", "vendor_id"};

bool IsBookkeeping(const char* key) {
  for (std::string_view k : kContainerBookkeeping) {
    if (k == key) return true;
  }
  return false;
}

// Picture codecs the ID3v2 writer can store as APIC frames.
bool IsId3PictureCodec(AVCodecID id) {
  return id == AV_CODEC_ID_MJPEG || id == AV_CODEC_ID_PNG || id == AV_CODEC_ID_GIF ||
         id == AV_CODEC_ID_TIFF || id == AV_CODEC_ID_BMP;
}

}  // namespace

OutputFile::OutputFile(std::string requestedPath, const OutputFormat& outputFormat)
    : requestedPath_(std::move(requestedPath)), format_(outputFormat) {
  const std::string muxer(outputFormat.muxer);
  const AVOutputFormat* format =
      muxer.empty() ? nullptr : av_guess_format(muxer.c_str(), nullptr, nullptr);
  if (format == nullptr) FailConversion("no output format for the name " + requestedPath_);
  AVFormatContext* raw = nullptr;
  RequireSuccess(avformat_alloc_output_context2(&raw, format, nullptr, requestedPath_.c_str()),
                 "cannot create output");
  context_.reset(raw);
  // Such a muxer opens its own files by name, which would bypass the exclusive temporary file.
  if ((format->flags & AVFMT_NOFILE) != 0) {
    FailConversion(std::string("the output format ") + format->name +
                   " cannot be written to a file");
  }
}

bool OutputFile::needsGlobalHeader() const {
  return (context_->oformat->flags & AVFMT_GLOBALHEADER) != 0;
}

AVStream* OutputFile::AddStream(const AVCodecContext* encoder) {
  AVStream* stream = avformat_new_stream(context_.get(), nullptr);
  if (stream == nullptr) FailConversion("cannot create output stream", AVERROR(ENOMEM));
  RequireSuccess(avcodec_parameters_from_context(stream->codecpar, encoder),
                 "cannot create output stream");
  stream->time_base = encoder->time_base;
  return stream;
}

std::string OutputFile::AddCoverPicture(const AVStream* sourcePicture) {
  if (sourcePicture == nullptr || !format_.cover ||
      !IsId3PictureCodec(sourcePicture->codecpar->codec_id)) {
    return std::string();
  }
  if (!AttachedPictureDecodes(*sourcePicture)) {
    return "cover left out: it does not decode as a picture";
  }
  AVStream* stream = avformat_new_stream(context_.get(), nullptr);
  if (stream == nullptr) FailConversion("cannot copy cover picture", AVERROR(ENOMEM));
  RequireSuccess(avcodec_parameters_copy(stream->codecpar, sourcePicture->codecpar),
                 "cannot copy cover picture");
  stream->codecpar->codec_tag = 0;
  stream->disposition = AV_DISPOSITION_ATTACHED_PIC;
  stream->time_base = sourcePicture->time_base;
  // The picture type and description travel in the stream's tags ("comment": "Cover (front)").
  RequireSuccess(av_dict_copy(&stream->metadata, sourcePicture->metadata, 0),
                 "cannot copy cover picture");
  coverStream_ = stream;
  coverSource_ = sourcePicture;
  return std::string();
}

void OutputFile::CopyTags(const AVDictionary* tags) {
  const AVDictionaryEntry* entry = nullptr;
  while ((entry = av_dict_get(tags, "", entry, AV_DICT_IGNORE_SUFFIX)) != nullptr) {
    if (IsBookkeeping(entry->key)) continue;
    RequireSuccess(av_dict_set(&context_->metadata, entry->key, entry->value, 0),
                   "cannot copy tags");
  }
}

void OutputFile::Start() {
  if (context_->nb_streams == 0) FailConversion("nothing to write: the output has no stream");
  claim_ = std::make_unique<ClaimedOutputFile>(requestedPath_);
  byteStream_.emplace(claim_->descriptor(), context_.get());
  ffmpeg::Dictionary options;
  if (format_.tags == TagStorage::Id3v2_3) {
    // ID3v2.3 is the tag version the widest range of players and car stereos reads.
    av_dict_set(options.address(), "id3v2_version", "3", 0);
  }
  const int header = avformat_write_header(context_.get(), options.address());
  RequireSuccess(header, "cannot write output header");

  if (coverStream_ != nullptr) {
    ffmpeg::PacketPtr picture(av_packet_clone(&coverSource_->attached_pic));
    if (!picture) FailConversion("cannot copy cover picture", AVERROR(ENOMEM));
    picture->stream_index = coverStream_->index;
    picture->pts = picture->dts = 0;
    picture->duration = 0;
    RequireSuccess(av_interleaved_write_frame(context_.get(), picture.get()),
                   "cannot write cover picture");
  }
}

void OutputFile::WritePacket(AVPacket* packet, AVRational timeBase, const AVStream& stream) {
  av_packet_rescale_ts(packet, timeBase, stream.time_base);
  packet->stream_index = stream.index;
  RequireSuccess(av_interleaved_write_frame(context_.get(), packet), "cannot write output");
}

std::unique_ptr<ClaimedOutputFile> OutputFile::Complete() {
  WriteTrailer();
  return std::move(claim_);
}

void OutputFile::WriteTrailer() {
  RequireSuccess(av_write_trailer(context_.get()), "cannot finish output");
  byteStream_->Flush();
  byteStream_.reset();
}

}  // namespace varnell
