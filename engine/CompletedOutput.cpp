#include "engine/CompletedOutput.h"

namespace varnell {

CompletedOutput::CompletedOutput(std::unique_ptr<ClaimedOutputFile> file,
                                 std::optional<ThumbnailWriter> thumbnail, bool stopped,
                                 double seconds)
    : file_(std::move(file)),
      thumbnail_(std::move(thumbnail)),
      stopped_(stopped),
      seconds_(seconds) {}

void AppendNote(std::string& notes, std::string_view note) {
  if (note.empty()) return;
  if (!notes.empty()) notes += "; ";
  notes += note;
}

void CompletedOutput::AddNote(std::string note) { AppendNote(notes_, note); }

FileConversionResult CompletedOutput::Publish() {
  if (!file_) return {std::string(), true, 0.0, std::string()};
  if (thumbnail_) {
    thumbnail_->PublishWith(*file_);
  } else {
    file_->Publish();
  }
  FileConversionResult result{file_->path(), stopped_, seconds_, notes_};
  if (thumbnail_ && !thumbnail_->failure().empty()) {
    AppendNote(result.note, "thumbnail not written: " + thumbnail_->failure());
  }
  return result;
}

}  // namespace varnell
