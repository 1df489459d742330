#include "media/StreamChoice.h"

namespace varnell {
namespace {

bool IsAttachedPicture(const AVStream& stream) {
  return (stream.disposition & AV_DISPOSITION_ATTACHED_PIC) != 0;
}

// Keeps the first candidate, replaced once by the first that is marked default.
void Consider(int& chosen, bool& chosenIsDefault, const AVStream& stream) {
  const bool isDefault = (stream.disposition & AV_DISPOSITION_DEFAULT) != 0;
  if (chosen == StreamChoice::kNoStream || (isDefault && !chosenIsDefault)) {
    chosen = stream.index;
    chosenIsDefault = isDefault;
  }
}

}  // namespace

StreamChoice ChooseStreams(const AVFormatContext& format) {
  StreamChoice choice;
  bool audioIsDefault = false;
  bool videoIsDefault = false;
  for (unsigned i = 0; i < format.nb_streams; ++i) {
    const AVStream& stream = *format.streams[i];
    switch (stream.codecpar->codec_type) {
      case AVMEDIA_TYPE_AUDIO:
        Consider(choice.audio, audioIsDefault, stream);
        break;
      case AVMEDIA_TYPE_VIDEO:
        if (!IsAttachedPicture(stream)) {
          Consider(choice.video, videoIsDefault, stream);
        } else if (choice.cover == StreamChoice::kNoStream && stream.attached_pic.size > 0) {
          choice.cover = stream.index;
        }
        break;
      default:
        break;
    }
  }
  return choice;
}

}  // namespace varnell
