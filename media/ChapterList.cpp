#include "media/ChapterList.h"

#include <cmath>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/mem.h>
}

namespace varnell {

int AddChapter(AVFormatContext& context, double startSeconds, double endSeconds,
               const std::string& title) {
  auto* added = static_cast<AVChapter*>(av_mallocz(sizeof(AVChapter)));
  if (added == nullptr) return AVERROR(ENOMEM);
  added->id = static_cast<int64_t>(context.nb_chapters);
  added->time_base = AVRational{1, 1000};
  added->start = std::llround(startSeconds * 1000.0);
  added->end = std::llround(endSeconds * 1000.0);
  if (!title.empty()) {
    if (const int result = av_dict_set(&added->metadata, "title", title.c_str(), 0); result < 0) {
      av_dict_free(&added->metadata);
      av_free(added);
      return result;
    }
  }
  // The _nofree form keeps the chapters already there when the array cannot grow.
  int count = static_cast<int>(context.nb_chapters);
  if (const int result = av_dynarray_add_nofree(&context.chapters, &count, added); result < 0) {
    av_dict_free(&added->metadata);
    av_free(added);
    return result;
  }
  context.nb_chapters = static_cast<unsigned>(count);
  return 0;
}

}  // namespace varnell
