#include "info/FileInformationTexts.h"

#include <QCoreApplication>
#include <cctype>
#include <charconv>
#include <climits>
#include <system_error>

namespace varnell {
namespace {

// Blanks and a plus sign are skipped as the C conversions skip them; from_chars takes neither.
const char* SkipToNumber(const std::string& text) {
  const char* at = text.c_str();
  while (std::isspace(static_cast<unsigned char>(*at))) ++at;
  if (*at == '+' && at[1] != '-') ++at;
  return at;
}

double LeadingDouble(const std::string& text) {
  const char* first = SkipToNumber(text);
  double value = 0;
  const auto [end, error] = std::from_chars(first, text.c_str() + text.size(), value);
  (void)end;
  return error == std::errc() ? value : 0.0;
}

}  // namespace

long LeadingInteger(const std::string& text) {
  const char* first = SkipToNumber(text);
  long value = 0;
  const auto [end, error] = std::from_chars(first, text.c_str() + text.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) return *first == '-' ? LONG_MIN : LONG_MAX;
  return error == std::errc() ? value : 0;
}

// "%f" of the kilobits, then cut at the point. Formatted with to_chars rather than printf: the
// application object sets the user's locale, whose decimal comma would leave the point unfound.
QString FormatBitRate(const std::string& bitsPerSecond) {
  if (bitsPerSecond.empty()) return QString();
  char formatted[400];
  const auto [end, error] =
      std::to_chars(formatted, formatted + sizeof formatted, LeadingDouble(bitsPerSecond) / 1000.0,
                    std::chars_format::fixed, 6);
  if (error != std::errc()) return QString();
  const std::string text(formatted, end);
  const std::size_t point = text.find('.');
  if (point == std::string::npos || point == 0) return QString::fromStdString(text);
  return QString::fromStdString(text.substr(0, point)) +
         QCoreApplication::translate("varnell::FileInformationTexts", " Kbps");
}

QString ChannelText(const std::string& channels) {
  if (channels == "1")
    return QCoreApplication::translate("varnell::FileInformationTexts", "1 Channel Mono");
  if (channels == "2")
    return QCoreApplication::translate("varnell::FileInformationTexts", "2 Channel stereo");
  if (channels == "6")
    return QCoreApplication::translate("varnell::FileInformationTexts", "6 Channel stereo");
  return QString::fromStdString(channels);
}

FileInformationTexts DescribeForDisplay(const MediaInformation& info) {
  FileInformationTexts texts;
  const QString path = QString::fromStdString(info.sourcePath);
  texts.fileName = path.mid(path.lastIndexOf('/') + 1);
  texts.mediaLength = QString::fromStdString(info.mediaLength);
  texts.frameRate = QString::fromStdString(info.frameRate);
  texts.videoBitRate = FormatBitRate(info.videoBitRate);
  if (!info.width.empty() && !info.height.empty()) {
    texts.resolution = QString::fromStdString(info.width + "*" + info.height);
  }
  if (LeadingInteger(info.videoCodec) < 1) {
    texts.resolution.clear();
    texts.frameRate.clear();
    texts.videoBitRate.clear();
  }
  if (!info.sampleRate.empty()) texts.samples = QString::fromStdString(info.sampleRate) + " Hz";
  texts.channel = ChannelText(info.channels);
  texts.audioBitRate = FormatBitRate(info.audioBitRate);
  if (LeadingInteger(info.audioCodec) < 1) {
    texts.audioBitRate.clear();
    texts.channel.clear();
    texts.samples.clear();
  }
  return texts;
}

}  // namespace varnell
