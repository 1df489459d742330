#include "platform/testing/ScriptedFileDialogs.h"

namespace varnell {

QStringList ScriptedFileDialogs::OpenFiles(QWidget*, const QString& mfcFilter) {
  openFilters.push_back(mfcFilter);
  if (openAnswers.empty()) return {};
  QStringList answer = openAnswers.front();
  openAnswers.pop_front();
  return answer;
}

std::optional<QString> ScriptedFileDialogs::BrowseFolder(QWidget*, const QString& title,
                                                         const QString& startFolder) {
  folderTitles.push_back(title);
  folderStarts.push_back(startFolder);
  std::optional<QString> answer;
  if (!folderAnswers.empty()) {
    answer.swap(folderAnswers.front());
    folderAnswers.pop_front();
  }
  return answer;
}

}  // namespace varnell
