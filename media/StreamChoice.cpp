#include "media/StreamChoice.h"

namespace varnell {
namespace {

bool IsAttachedPicture(const AVStream& stream) {
  return (stream.disposition & AV_DISPOSITION_ATTACHED_PIC) != 0;
}

}  // namespace

StreamChoice ChooseStreams(const AVFormatContext& format) {
  StreamChoice choice;
  for (unsigned i = 0; i < format.nb_streams; ++i) {
    const AVStream& stream = *format.streams[i];
    switch (stream.codecpar->codec_type) {
      case AVMEDIA_TYPE_AUDIO:
        choice.audio = stream.index;
        break;
      case AVMEDIA_TYPE_VIDEO:
        if (!IsAttachedPicture(stream)) {
          choice.video = stream.index;
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
