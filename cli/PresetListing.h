// What `varnell-convert --list-presets` prints: one line per preset in code order, with the
// choices a conversion with that preset and no other option takes. Main thread only.
#pragma once

#include <string>

namespace varnell {

// "90000<TAB>ASF - Advanced Streaming Format(*.asf)<TAB>.asf<TAB>MP3, 128 kbps, 44100 Hz, 2
// channels<TAB>MPEG4, 320*240, 29.97 fps, 1000 kbps", each line ending in a newline; the video
// column is "no video" for a sound-only preset, and a lossless encoder has no bit rate.
std::string PresetListing();

}  // namespace varnell
