#include "engine/PacketStepper.h"

#include "engine/ConversionFailure.h"

namespace varnell {

PacketStepper::PacketStepper() : packet_(av_packet_alloc()) {
  if (!packet_) FailConversion("out of memory", AVERROR(ENOMEM));
}

bool PacketStepper::Read(SourceFile& source) {
  const int read = av_read_frame(source.context(), packet_.get());
  if (read == AVERROR_EOF) return false;
  if (read < 0) FailConversion("cannot read source", read);
  return true;
}

}  // namespace varnell
