#include "engine/SourceChapters.h"

extern "C" {
#include <libavformat/avformat.h>
}

namespace varnell {

std::vector<SourceChapter> ChaptersOf(const AVFormatContext& context) {
  std::vector<SourceChapter> chapters;
  for (unsigned i = 0; i < context.nb_chapters; ++i) {
    const AVChapter& chapter = *context.chapters[i];
    const AVDictionaryEntry* title = av_dict_get(chapter.metadata, "title", nullptr, 0);
    chapters.push_back({static_cast<double>(chapter.start) * av_q2d(chapter.time_base),
                        static_cast<double>(chapter.end) * av_q2d(chapter.time_base),
                        title != nullptr ? title->value : ""});
  }
  return chapters;
}

}  // namespace varnell
