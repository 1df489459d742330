#include "platform/testing/ScriptedFileDialogs.h"

namespace varnell {

QStringList ScriptedFileDialogs::OpenFiles(QWidget*, const QString& mfcFilter) {
  openFilters.push_back(mfcFilter);
  if (openAnswers.empty()) return {};
  QStringList answer = openAnswers.front();
  openAnswers.pop_front();
  return answer;
}

std::optional<QString> ScriptedFileDialogs::BrowseFolder(QWidget*, const QString& title) {
  folderTitles.push_back(title);
  std::optional<QString> answer;
  if (!folderAnswers.empty()) {
    answer.swap(folderAnswers.front());
    folderAnswers.pop_front();
  }
  return answer;
}

}  // namespace varnell
