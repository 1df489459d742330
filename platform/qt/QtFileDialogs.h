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
  std::optional<QString> BrowseFolder(QWidget* owner, const QString& title,
                                      const QString& startFolder = {}) override;

  static std::unique_ptr<QFileDialog> CreateOpenDialog(QWidget* owner, const QString& mfcFilter);
  // The files an accepted open dialog hands back: every name typed in its name field (several
  // in quotes), also those its filter hides, which the dialog itself drops once one typed name
  // matches; what it selected when nothing was typed or it has no name field (a desktop's own
  // dialog).
  static QStringList ChosenFiles(const QFileDialog& dialog);
  static std::unique_ptr<QFileDialog> CreateFolderDialog(QWidget* owner, const QString& title,
                                                         const QString& startFolder = {});
};

}  // namespace varnell
