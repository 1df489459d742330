// The task rows of a file split into its chapters. The window's Split into Chapters and
// varnell-convert --split-chapters build them alike. Any thread; it shares nothing.
#pragma once

#include <cstddef>
#include <vector>

#include "engine/ConversionJob.h"
#include "engine/SourceChapter.h"

namespace varnell {

// A file with fewer chapters is converted whole: one chapter is the whole file anyway.
constexpr std::size_t kFewestChaptersToSplit = 2;

// A copy of `whole` (source, check, subfolder, duration text) for chapter `number` (from 1): the
// chapter's exact range, title and number. The start and end texts show the range in whole
// seconds, cut down as a row's end shows the file's length, so the clip dialog opens on them and
// the last chapter's end is the file's end.
TaskRow ChapterRow(const TaskRow& whole, const SourceChapter& chapter, int number);

// One ChapterRow per chapter, in the chapters' order; empty when there are fewer than
// kFewestChaptersToSplit.
std::vector<TaskRow> ChapterRows(const TaskRow& whole, const std::vector<SourceChapter>& chapters);

}  // namespace varnell
