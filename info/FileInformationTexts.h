// What the file information dialog shows for the media information strings of a probe: the
// display rules on their own, so that they hold whatever window shows them.
#pragma once

#include <QString>
#include <string>

#include "engine/MediaInformation.h"

namespace varnell {

struct FileInformationTexts {
  QString fileName;
  QString mediaLength;
  QString resolution;
  QString frameRate;
  QString samples;
  QString channel;
  QString audioBitRate;
  QString videoBitRate;
};

// Empty groups for a missing stream are decided by the codec numbers alone: a probe reports
// "0" for the width, height and bit rates of a stream it did not find, which would otherwise
// show as "0*0" and "0 Kbps".
FileInformationTexts DescribeForDisplay(const MediaInformation& info);

// Bit/s text -> whole kilobits with " Kbps"; truncated, never rounded. Empty stays empty.
QString FormatBitRate(const std::string& bitsPerSecond);

// "1", "2" and "6" get their names; any other count is shown as it is.
QString ChannelText(const std::string& channels);

// The value of the integer the text starts with (after blanks), 0 when it starts with none.
long LeadingInteger(const std::string& text);

}  // namespace varnell
