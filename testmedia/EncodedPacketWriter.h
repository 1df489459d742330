// Pieces every test-media writer shares: moving an encoder's finished packets into the muxer,
// and removing a file whose writing failed half way.
#pragma once

#include <functional>
#include <string>

#include "media/FFmpegHandles.h"

namespace varnell::testmedia {

// Receives every packet the encoder has ready and writes it to `stream` of `output`; sets
// `finished` when the encoder has delivered its last packet. `what` names the stream in errors.
bool WriteEncodedPackets(AVCodecContext* encoder, AVPacket* packet, AVStream* stream,
                         AVFormatContext* output, bool& finished, const std::string& what,
                         std::string* error);

// Runs `write` (which reports through `fileOpened` whether it created the file); a half-written
// file could pass for valid input in a later test, so a failed write removes it.
bool WriteOrRemove(const std::string& path, std::string* error,
                   const std::function<bool(std::string*, bool&)>& write);

}  // namespace varnell::testmedia
