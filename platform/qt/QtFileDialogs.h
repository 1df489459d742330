#pragma once

#include <memory>

#include <QFileDialog>

#include "platform/FileDialogs.h"

namespace varnell {

// QFileDialog in both roles. The Create* functions return the dialog the
// matching call runs, configured but not shown, so tests can inspect it.
class QtFileDialogs : public FileDialogs {
 public:
  QStringList OpenFiles(QWidget* owner, const QString& mfcFilter) override;
  std::optional<QString> BrowseFolder(QWidget* owner, const QString& title) override;

  static std::unique_ptr<QFileDialog> CreateOpenDialog(QWidget* owner, const QString& mfcFilter);
  static std::unique_ptr<QFileDialog> CreateFolderDialog(QWidget* owner, const QString& title);
};

}  // namespace varnell
