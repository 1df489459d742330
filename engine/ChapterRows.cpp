#include "engine/ChapterRows.h"

#include <cmath>
#include <cstdint>

#include "engine/ClipTime.h"

namespace varnell {
namespace {

std::string WholeSecondsText(double seconds) {
  return FormatClipTime(static_cast<std::int64_t>(std::floor(seconds)));
}

}  // namespace

TaskRow ChapterRow(const TaskRow& whole, const SourceChapter& chapter, int number) {
  TaskRow row = whole;
  row.startTime = WholeSecondsText(chapter.startSeconds);
  row.endTime = WholeSecondsText(chapter.endSeconds);
  row.endChosen = false;
  row.exactBeginSeconds = chapter.startSeconds;
  row.exactEndSeconds = chapter.endSeconds;
  row.chapterTitle = chapter.title;
  row.chapterNumber = number;
  return row;
}

std::vector<TaskRow> ChapterRows(const TaskRow& whole, const std::vector<SourceChapter>& chapters) {
  std::vector<TaskRow> rows;
  if (chapters.size() < kFewestChaptersToSplit) return rows;
  for (std::size_t index = 0; index < chapters.size(); ++index) {
    rows.push_back(ChapterRow(whole, chapters[index], static_cast<int>(index) + 1));
  }
  return rows;
}

}  // namespace varnell
