#pragma once

#include <deque>
#include <vector>

#include "platform/FileDialogs.h"

namespace varnell {

// Test double: records what each dialog was opened with and answers from a
// script per dialog kind; a used-up script answers "cancelled".
class ScriptedFileDialogs : public FileDialogs {
 public:
  QStringList OpenFiles(QWidget* owner, const QString& mfcFilter) override;
  std::optional<QString> BrowseFolder(QWidget* owner, const QString& title,
                                      const QString& startFolder = {}) override;

  std::deque<QStringList> openAnswers;
  std::deque<std::optional<QString>> folderAnswers;
  std::vector<QString> openFilters, folderTitles, folderStarts;
};

}  // namespace varnell
