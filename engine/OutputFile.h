// One output file: the muxer chosen from the file name, its streams and tags, the exclusive
// claim of the name, header, packets and trailer. An OutputFile that is destroyed before Finish()
// succeeded removes its file, so a failed row never leaves a file that looks finished.
#pragma once

#include <optional>
#include <string>

#include "engine/ClaimedOutputFile.h"
#include "media/FFmpegHandles.h"

namespace varnell {

class OutputFile {
 public:
  // Chooses the muxer from the name's extension; an unknown extension fails here, before
  // anything touches the disk.
  explicit OutputFile(std::string requestedPath);

  bool needsGlobalHeader() const;
  const char* muxerName() const { return context_->oformat->name; }

  // A stream carrying what this encoder produces; call before Start(). An output holds as many
  // streams as its muxer takes; each sink writes its packets to its own.
  AVStream* AddStream(const AVCodecContext* encoder);
  // Carries a source's attached picture (stream copy) when the container can hold one.
  void AddCoverPicture(const AVStream* sourcePicture);
  // Container and stream tags of the source, without the MP4 container's own bookkeeping.
  void CopyTags(const AVDictionary* tags);

  // Claims the name (collision loop, exclusive creation), opens it and writes the header.
  void Start();
  // Writes an encoded packet of `stream` (one AddStream returned) whose timestamps are in
  // timeBase; takes the packet's contents.
  void WritePacket(AVPacket* packet, AVRational timeBase, const AVStream& stream);
  // Writes the trailer and closes the file; the file is kept from then on.
  void Finish();

  // The name actually written: the requested one, or name(N).ext after collisions.
  const std::string& path() const;

 private:
  std::string requestedPath_;
  // Declared before the context so that the file is closed before an unfinished one is removed.
  std::optional<ClaimedOutputFile> claim_;
  ffmpeg::OutputContextPtr context_;
  AVStream* coverStream_ = nullptr;
  const AVStream* coverSource_ = nullptr;
};

}  // namespace varnell
