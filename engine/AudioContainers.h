// Which of the engine's audio encoders (MP3, WMA7, WMA8) each output container can carry: the
// one rule the audio sink applies before it writes anything and the command line applies to
// --encoder before it starts. No FFmpeg type appears here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnell {

// Why `codecId` (an FFmpeg AVCodecID) cannot go into the muxer of that name ("WMA audio cannot
// be stored in the mp4 format"); nothing when it can.
std::optional<std::string> AudioContainerRefusal(int codecId, std::string_view muxerName);

// The muxer FFmpeg writes a file of this name (or extension, ".asf") with; empty when none.
std::string MuxerNameFor(std::string_view fileName);

}  // namespace varnell
