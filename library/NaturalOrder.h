// The order a listing shows names in: runs of digits compare by their value ("Track 2" before
// "Track 10"), letters without regard to ASCII case; bytes beyond ASCII compare as they are.
// Names equal that way are ordered by their bytes, so the order is total. Any thread.
#pragma once

#include <string_view>

namespace varnell {

// True when `first` comes before `second`.
bool NaturallyBefore(std::string_view first, std::string_view second);

}  // namespace varnell
