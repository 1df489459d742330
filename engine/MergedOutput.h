// The one output of a merge: set up by the first row whose source opens (its output path, its
// tags and, for MP3, its cover), then fed by each row's own reader in turn through ONE sink: one
// encoder, one FIFO and one running sample count for the whole file, so the joins carry no
// encoder priming or padding and the timestamps run on. Flushed and finished once, after the
// last row or a stop. Owned and used by the merge worker thread.
#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "engine/AudioSink.h"
#include "engine/AudioTarget.h"
#include "engine/FileConversion.h"
#include "engine/OutputFile.h"

namespace varnell {

class AudioReader;
class MergeProgress;

class MergedOutput {
 public:
  explicit MergedOutput(AudioTarget target) : target_(target) {}

  // Appends the request's clip. Throws ConversionFailure with the row's reason; when the
  // output itself failed (its set-up, the encoder or a write), broken() is true from then on.
  // A row that fails after its first samples keeps them in the output. Returns true when the
  // stop flag ended the row.
  bool MergeRow(const FileConversionRequest& request, const std::atomic<bool>& stopFlag,
                MergeProgress& progress);

  bool broken() const;
  bool holdsSound() const { return sink_ && sink_->samplesWritten() > 0; }
  // The length of the merged sound so far.
  double seconds() const { return sink_ ? sink_->secondsWritten() : 0.0; }

  // An output that holds no sound yet is given up, so that the next row sets up its own.
  void DropIfSilent();
  // Removes the output file; nothing is left of it.
  void Discard();
  // Flushes the encoder, writes the trailer and publishes the file; returns its path. Needs
  // sound. Throws (and leaves broken()) when that fails.
  std::string Finish();

 private:
  void SetUp(const AudioReader& reader, const std::string& outputPath);

  AudioTarget target_;
  // The sink writes into the output, so it is destroyed first.
  std::optional<OutputFile> output_;
  std::optional<AudioSink> sink_;
  bool outputFailed_ = false;
};

}  // namespace varnell
