// How a reader of one stream goes through its source a packet at a time, the same for sound and
// for video: each step reads one packet and decodes it when it is of the reader's stream; the
// step that meets the end of the source, or that leaves the reader's budget filled, finishes the
// reader, once. Owned and used by the worker thread of the reader's file.
#pragma once

#include "media/FFmpegHandles.h"
#include "media/SourceFile.h"

namespace varnell {

class PacketStepper {
 public:
  // Throws ConversionFailure when memory runs out.
  PacketStepper();

  // The reader's own parts: budgetReached() says whether it has delivered all it may,
  // decode(const AVPacket*) takes a packet of its stream, finish() drains it. Returns false at
  // the step that finishes the reader and at every step after it, which then does nothing.
  // Throws ConversionFailure when the source cannot be read.
  template <typename BudgetReached, typename Decode, typename Finish>
  bool Step(SourceFile& source, int streamIndex, BudgetReached budgetReached, Decode decode,
            Finish finish) {
    if (finished_) return false;
    if (!budgetReached() && Read(source)) {
      const ffmpeg::PacketUnref unref(packet_.get());
      if (packet_->stream_index == streamIndex) decode(packet_.get());
      if (!budgetReached()) return true;
    }
    finished_ = true;
    finish();
    return false;
  }

 private:
  // Reads the next packet; false at the end of the source.
  bool Read(SourceFile& source);

  ffmpeg::PacketPtr packet_;
  bool finished_ = false;
};

}  // namespace varnell
