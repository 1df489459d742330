// One output file: the muxer of its output format, its streams and tags, header, packets and
// trailer. The muxer writes into a hidden temporary file through the descriptor of its exclusive
// creation; Complete() hands over the finished file for its caller to publish. An OutputFile
// destroyed before that removes its temporary file, so a failed row leaves no file at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/ClaimedOutputFile.h"
#include "engine/Mp4GaplessTag.h"
#include "engine/OutputByteStream.h"
#include "engine/SourceChapter.h"
#include "media/FFmpegHandles.h"
#include "settings/OutputFormats.h"

namespace varnell {

class OutputFile {
 public:
  // Sets up the format's muxer; a format FFmpeg cannot write, or a muxer that would open files
  // itself, fails here, before anything touches the disk. The format outlives the output (the
  // formats are one static table).
  OutputFile(std::string requestedPath, const OutputFormat& format);

  bool needsGlobalHeader() const;
  const char* muxerName() const { return context_->oformat->name; }
  const OutputFormat& format() const { return format_; }

  // A stream carrying what this encoder produces; call before Start(). An output holds as many
  // streams as its muxer takes; each sink writes its packets to its own.
  AVStream* AddStream(const AVCodecContext* encoder);
  // Carries a source's attached picture (stream copy) when the format stores a cover; in Ogg
  // Vorbis and Opus, which take no picture stream, as a picture comment instead. A picture
  // that does not decode is left out: the muxer would fail the whole output on it. Returns the
  // note that says so, or nothing when there is nothing to say.
  std::string AddCoverPicture(const AVStream* sourcePicture);
  // Container and stream tags of the source, without the MP4 container's own bookkeeping; in
  // Vorbis comments under the upper-case names players list.
  void CopyTags(const AVDictionary* tags);
  // One tag by FFmpeg's generic name ("title", "track"), named as CopyTags names it.
  void SetTag(const char* key, const std::string& value);

  // The chapters the output carries, in its own seconds: ID3v2.3 CHAP frames and a CTOC in an
  // MP3, the chapter track (and chpl) of an MP4-family file, CHAPTERxxx comments in Ogg Vorbis
  // and Opus; other formats have no form for them and leave them out. Given before Start() they
  // reach every such format; given later (a merge knows its chapters at its end) only an
  // MP4-family output, and an MP3 or Ogg output that reserved the room for them.
  void KeepChapters(std::vector<SourceChapter> chapters) { chapters_ = std::move(chapters); }
  // Before Start(): an MP3 leaves room in its tag, an Ogg output in its comment header, for
  // chapters with these titles, to be given once they are known. Chapters with fewer of the
  // titles fit as well.
  void ReserveChapterRoom(const std::vector<std::string>& titles);

  // Creates the temporary file and writes the header into it.
  void Start();
  // Writes an encoded packet of `stream` (one AddStream returned) whose timestamps are in
  // timeBase; takes the packet's contents.
  void WritePacket(AVPacket* packet, AVRational timeBase, const AVStream& stream);
  // An MP4-family muxer counts the movie's time, which its edit lists are written in, in
  // milliseconds; counted in the audio's samples, the audio's edit list ends on its last sample
  // instead of a rounded one. Before Start(); other muxers ignore it. The rate also ends the
  // chapters with the sound.
  void CountMovieTimeIn(int sampleRate);
  // The audio encoder's priming and padding around the audio, told once the encoder is flushed:
  // Complete() writes them into an MP4-family file as the iTunes gapless tag.
  void RecordAudioGaps(const AudioGaps& gaps) { audioGaps_ = gaps; }

  // Writes the trailer (and the gapless tag) and hands over its claim: the complete file, still
  // under its hidden name and held open and locked, to be published (or, destroyed unpublished,
  // removed) by the caller.
  std::unique_ptr<ClaimedOutputFile> Complete();

  // The name the output was asked for.
  const std::string& path() const { return requestedPath_; }

 private:
  void TakeOutId3Comment();
  void AddVorbisChapterComments();
  void AddMp4Chapters();
  std::vector<SourceChapter> ChaptersWithinSound() const;
  void WriteTrailer();
  bool isMp4Family() const;
  bool isOgg() const;
  void EndFirstPage();

  std::string requestedPath_;
  const OutputFormat& format_;
  // Destroyed in reverse order: the byte stream detaches from the context's pb before the
  // context is freed, and the descriptor is closed (an unfinished file removed) last.
  std::unique_ptr<ClaimedOutputFile> claim_;
  ffmpeg::OutputContextPtr context_;
  std::optional<OutputByteStream> byteStream_;
  AVStream* coverStream_ = nullptr;
  const AVStream* coverSource_ = nullptr;
  // The ID3 comment frame, written into the tag's padding once the file is complete.
  std::vector<std::uint8_t> id3Comment_;
  std::vector<SourceChapter> chapters_;
  // An MP3's room for its chapter frames, at the end of its tag's padding; 0 for other formats.
  std::size_t id3ChapterRoom_ = 0;
  // An Ogg merge's planned chapters (titles, zero times), holding the room in its comment header
  // that the chapters take once the file is complete; empty for other outputs.
  std::vector<SourceChapter> oggChapterRoom_;
  int audioSampleRate_ = 0;  // as told to CountMovieTimeIn; 0 without audio
  std::optional<AudioGaps> audioGaps_;
  bool firstPageOpen_ = false;  // an Ogg output before its first packet's page is written
};

}  // namespace varnell
