// Whether an output format's container takes an audio codec: the one rule the audio sink applies
// before it writes anything and the command line applies to --encoder before it starts. No
// FFmpeg type appears here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/OutputFormats.h"

namespace varnell {

// Why `codecId` (an FFmpeg AVCodecID) cannot go into the format ("WMA audio cannot be stored in
// the mp4 format"); nothing when it can.
std::optional<std::string> AudioContainerRefusal(int codecId, const OutputFormat& format);

// The engine's encoder for an FFmpeg AVCodecID; nothing when it has none.
const AudioEncoder* AudioEncoderOf(int codecId);

}  // namespace varnell
