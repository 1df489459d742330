// Clip-time texts of the task list: hours:minutes:seconds, every part at least two digits
// ("00:03:07", "123:04:05").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnell {

// Negative seconds are shown as "00:00:00".
std::string FormatClipTime(std::int64_t seconds);

// hours x 3600 + minutes x 60 + seconds, where hours is the text before the first ":", minutes the
// two characters after it and seconds the text after the last ":", each read like atoi.
std::int64_t ParseClipTime(std::string_view text);

// True for the strict form the command line accepts: digits ":" two digits ":" two digits, with
// minutes and seconds below 60.
bool IsWellFormedClipTime(std::string_view text);

}  // namespace varnell
