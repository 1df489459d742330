#include "engine/OutputFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstring>
#include <string_view>

extern "C" {
#include <libavutil/avstring.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

#include "engine/ChapterFrames.h"
#include "engine/ConversionFailure.h"
#include "engine/Id3CommentFrame.h"
#include "engine/OggChapterComments.h"
#include "engine/VorbisPictureBlock.h"
#include "media/AttachedPicture.h"
#include "media/ChapterList.h"

namespace varnell {
namespace {

// The Vorbis comment that carries an Ogg output's cover.
constexpr const char* kPictureComment = "METADATA_BLOCK_PICTURE";

// Keys that describe the source container rather than the recording, and an Ogg source's cover
// comment: a cover goes only the cover's way, checked that it decodes. Every muxer replaces the
// encoder tag with its own; the replacing would move the last tag (a chapter's NAME comment)
// into the old one's place, before the chapter's time, where FFmpeg's reader no longer finds it.
constexpr std::array<const char*, 7> kNotRecordingTags{
    "major_brand", "minor_version", "compatible_brands", "handler_name",
    "vendor_id",   "encoder",       kPictureComment};

// An MP4 track's default language, "und" (undetermined), says nothing about the recording.
bool IsRecordingTag(const AVDictionaryEntry& tag) {
  for (const char* k : kNotRecordingTags) {
    if (av_strcasecmp(k, tag.key) == 0) return false;
  }
  return av_strcasecmp(tag.key, "language") != 0 || std::strcmp(tag.value, "und") != 0;
}

// JPEG and PNG go into every container that stores a cover; the ID3v2 writer takes a few more
// as APIC frames.
bool IsCoverCodec(AVCodecID id, TagStorage tags) {
  if (id == AV_CODEC_ID_MJPEG || id == AV_CODEC_ID_PNG) return true;
  return tags == TagStorage::Id3v2_3 &&
         (id == AV_CODEC_ID_GIF || id == AV_CODEC_ID_TIFF || id == AV_CODEC_ID_BMP);
}

// Vorbis comment names are read in any case, but the ones players write and list are upper case
// (TITLE, ARTIST, DATE). The muxer itself renames album_artist, track and disc (ALBUMARTIST,
// TRACKNUMBER, DISCNUMBER), in any case, and comment: to DESCRIPTION, the Vorbis comment
// field for it; FFmpeg 5.1 leaves no way to write a COMMENT field.
std::string VorbisCommentName(const char* key) {
  std::string name(key);
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

// The picture as the source stores it. The depth is that of the decoded pixels (24 for a colour
// JPEG), 0 when the source does not say.
CoverPicture CoverPictureOf(const AVStream& picture) {
  const AVCodecParameters& parameters = *picture.codecpar;
  CoverPicture cover;
  cover.mimeType = parameters.codec_id == AV_CODEC_ID_PNG ? "image/png" : "image/jpeg";
  const AVDictionaryEntry* title = av_dict_get(picture.metadata, "title", nullptr, 0);
  if (title != nullptr) cover.description = title->value;
  cover.width = parameters.width;
  cover.height = parameters.height;
  if (const AVPixFmtDescriptor* pixels =
          av_pix_fmt_desc_get(static_cast<AVPixelFormat>(parameters.format))) {
    for (int c = 0; c < pixels->nb_components; ++c) cover.bitsPerPixel += pixels->comp[c].depth;
    if ((pixels->flags & AV_PIX_FMT_FLAG_PAL) != 0) cover.paletteColours = 1 << cover.bitsPerPixel;
  }
  cover.data = {picture.attached_pic.data, static_cast<std::size_t>(picture.attached_pic.size)};
  return cover;
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
  firstPageOpen_ = isOgg();
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
      !IsCoverCodec(sourcePicture->codecpar->codec_id, format_.tags)) {
    return std::string();
  }
  if (!AttachedPictureDecodes(*sourcePicture)) {
    return "cover left out: it does not decode as a picture";
  }
  // The ogg muxer refuses a picture stream but writes the container's tags into each stream's
  // comment header; the flac muxer makes its PICTURE block of a stream, as the others do.
  if (format_.tags == TagStorage::VorbisComments && muxerName() != std::string_view("flac")) {
    RequireSuccess(av_dict_set(&context_->metadata, kPictureComment,
                               VorbisPictureBlock(CoverPictureOf(*sourcePicture)).c_str(), 0),
                   "cannot copy cover picture");
    return std::string();
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
    if (IsRecordingTag(*entry)) SetTag(entry->key, entry->value);
  }
}

void OutputFile::SetTag(const char* key, const std::string& value) {
  const std::string name =
      format_.tags == TagStorage::VorbisComments ? VorbisCommentName(key) : key;
  RequireSuccess(av_dict_set(&context_->metadata, name.c_str(), value.c_str(), 0),
                 "cannot copy tags");
}

void OutputFile::ReserveChapterRoom(const std::vector<std::string>& titles) {
  std::vector<SourceChapter> planned;
  for (const std::string& title : titles) planned.push_back({0.0, 0.0, title});
  if (isOgg()) oggChapterRoom_ = std::move(planned);
  if (muxerName() != std::string_view("mp3")) return;
  id3ChapterRoom_ = std::max(id3ChapterRoom_, Id3ChapterFrames(planned).size());
}

void OutputFile::Start() {
  if (context_->nb_streams == 0) FailConversion("nothing to write: the output has no stream");
  claim_ = std::make_unique<ClaimedOutputFile>(requestedPath_);
  byteStream_.emplace(claim_->descriptor(), context_.get());
  ffmpeg::Dictionary options;
  if (format_.tags == TagStorage::Id3v2_3) {
    // ID3v2.3 is the tag version the widest range of players and car stereos reads. The aiff
    // muxer writes its ID3 chunk only when asked; the mp3 muxer always writes the tag.
    RequireSuccess(av_dict_set(options.address(), "id3v2_version", "3", 0), "cannot write tags");
    TakeOutId3Comment();
    if (muxerName() == std::string_view("mp3")) {
      // FFmpeg's ID3 writer would write chapters too, but only in the header, before a merge
      // knows them: the engine writes its own frames into the padding, in every case alike.
      id3ChapterRoom_ = std::max(id3ChapterRoom_, Id3ChapterFrames(chapters_).size());
      if (id3ChapterRoom_ > 0) {
        context_->metadata_header_padding = static_cast<int>(id3Comment_.size() + id3ChapterRoom_);
      }
    }
    if (muxerName() == std::string_view("aiff")) {
      RequireSuccess(av_dict_set(options.address(), "write_id3v2", "1", 0), "cannot write tags");
    }
  }
  if (firstPageOpen_) AddVorbisChapterComments();
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
  if (firstPageOpen_) EndFirstPage();
}

// The muxer would write the comment as a TXXX frame; it leaves the frame's room instead.
void OutputFile::TakeOutId3Comment() {
  const AVDictionaryEntry* comment = av_dict_get(context_->metadata, "comment", nullptr, 0);
  if (comment == nullptr || *comment->value == '\0') return;
  id3Comment_ = Id3CommentFrame(comment->value);
  RequireSuccess(av_dict_set(&context_->metadata, "comment", nullptr, 0), "cannot write tags");
  context_->metadata_header_padding = static_cast<int>(id3Comment_.size());
}

// FFmpeg 5.1's ogg muxer writes the context's chapters into an Opus stream's comments but not
// into a Vorbis one's: the engine writes them as tags for both, so they read alike.
void OutputFile::AddVorbisChapterComments() {
  const auto& chapters = oggChapterRoom_.empty() ? chapters_ : oggChapterRoom_;
  for (const auto& [name, value] : VorbisChapterComments(chapters)) {
    RequireSuccess(av_dict_set(&context_->metadata, name.c_str(), value.c_str(), 0),
                   "cannot write chapters");
  }
}

// A stopped output ends before its source's chapters do, and a chapter running past the sound
// would lengthen an MP4 movie: the chapters end with the audio's last whole millisecond.
std::vector<SourceChapter> OutputFile::ChaptersWithinSound() const {
  if (!audioGaps_ || audioSampleRate_ <= 0) return chapters_;
  const double soundEnd =
      std::floor(static_cast<double>(audioGaps_->length) * 1000.0 / audioSampleRate_) / 1000.0;
  return ChaptersInClip(chapters_, 0.0, soundEnd);
}

// The mov muxer makes its chapter track in the trailer when the header had no chapters.
void OutputFile::AddMp4Chapters() {
  for (const SourceChapter& chapter : ChaptersWithinSound()) {
    RequireSuccess(AddChapter(*context_, chapter.startSeconds, chapter.endSeconds, chapter.title),
                   "cannot write chapters");
  }
}

// FFmpeg's Ogg demuxer loses 128 samples of a stream whose first page is also its last (audio
// shorter than the muxer's one-second pages): the first packet gets a page of its own.
void OutputFile::EndFirstPage() {
  firstPageOpen_ = false;
  RequireSuccess(av_write_frame(context_.get(), nullptr), "cannot write output");
}

// The mov muxer writes its index (moov) after the sound, so the tag patched into it moves no
// sample.
std::unique_ptr<ClaimedOutputFile> OutputFile::Complete() {
  if (isMp4Family()) AddMp4Chapters();
  WriteTrailer();
  if (audioGaps_ && isMp4Family()) WriteItunesGaplessTag(claim_->descriptor(), *audioGaps_);
  return std::move(claim_);
}

void OutputFile::CountMovieTimeIn(int sampleRate) {
  audioSampleRate_ = sampleRate;
  if (!isMp4Family()) return;
  RequireSuccess(av_opt_set_int(context_->priv_data, "movie_timescale", sampleRate, 0),
                 "cannot create output");
}

bool OutputFile::isOgg() const {
  const std::string_view muxer = context_->oformat->name;
  return muxer == "ogg" || muxer == "opus";
}

bool OutputFile::isMp4Family() const {
  const std::string_view muxer = context_->oformat->name;
  return muxer == "ipod" || muxer == "mp4" || muxer == "mov";
}

void OutputFile::WriteTrailer() {
  RequireSuccess(av_write_trailer(context_.get()), "cannot finish output");
  byteStream_->Flush();
  byteStream_.reset();
  if (!oggChapterRoom_.empty())
    RewriteOggChapterComments(claim_->descriptor(), ChaptersWithinSound());
  if (!id3Comment_.empty() || id3ChapterRoom_ > 0) {
    std::vector<std::uint8_t> frames = id3Comment_;
    // A merge's row whose source read differently when the room was planned could leave its
    // chapters larger than that room: the complete file keeps the chapters that fit.
    std::vector<SourceChapter> kept = ChaptersWithinSound();
    std::vector<std::uint8_t> chapters = Id3ChapterFrames(kept);
    while (chapters.size() > id3ChapterRoom_) {
      kept.pop_back();
      chapters = Id3ChapterFrames(kept);
    }
    frames.insert(frames.end(), chapters.begin(), chapters.end());
    WriteIntoId3Padding(claim_->descriptor(), frames, id3Comment_.size() + id3ChapterRoom_);
  }
}

}  // namespace varnell
