#include "platform/qt/QtFileDialogs.h"

#include <QDir>

namespace varnell {

std::unique_ptr<QFileDialog> QtFileDialogs::CreateOpenDialog(QWidget* owner,
                                                             const QString& mfcFilter) {
  auto dialog = std::make_unique<QFileDialog>(owner);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFiles);
  // Our filter strings append the pattern list to a display text that already
  // shows it; hiding the details shows the display texts exactly.
  dialog->setOption(QFileDialog::HideNameFilterDetails, true);
  dialog->setNameFilters(
      QtFilterFromMfcFilter(mfcFilter).split(QStringLiteral(";;"), Qt::SkipEmptyParts));
  return dialog;
}

std::unique_ptr<QFileDialog> QtFileDialogs::CreateFolderDialog(QWidget* owner,
                                                               const QString& title) {
  auto dialog = std::make_unique<QFileDialog>(owner, title, QDir::homePath());
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::Directory);
  dialog->setOption(QFileDialog::ShowDirsOnly, true);
  return dialog;
}

QStringList QtFileDialogs::OpenFiles(QWidget* owner, const QString& mfcFilter) {
  const std::unique_ptr<QFileDialog> dialog = CreateOpenDialog(owner, mfcFilter);
  if (dialog->exec() != QDialog::Accepted) return {};
  return dialog->selectedFiles();
}

std::optional<QString> QtFileDialogs::BrowseFolder(QWidget* owner, const QString& title) {
  const std::unique_ptr<QFileDialog> dialog = CreateFolderDialog(owner, title);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  // A confirmed choice without a path gives an empty text, not a cancel.
  return dialog->selectedFiles().value(0);
}

}  // namespace varnell
