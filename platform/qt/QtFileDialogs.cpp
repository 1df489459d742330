#include "platform/qt/QtFileDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

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

std::unique_ptr<QFileDialog> QtFileDialogs::CreateFolderDialog(QWidget* owner, const QString& title,
                                                               const QString& startFolder) {
  const QString start = QFileInfo(startFolder).isDir() ? startFolder : QDir::homePath();
  auto dialog = std::make_unique<QFileDialog>(owner, title, start);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::Directory);
  dialog->setOption(QFileDialog::ShowDirsOnly, true);
  return dialog;
}

QStringList QtFileDialogs::ChosenFiles(const QFileDialog& dialog) {
  const auto* nameField = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  const QString typed = nameField != nullptr ? nameField->text().trimmed() : QString();
  if (typed.isEmpty()) return dialog.selectedFiles();
  QStringList names;
  if (typed.contains(QLatin1Char('"'))) {
    // "a.m4a" "b.wav": the names are the quoted parts.
    const QStringList parts = typed.split(QLatin1Char('"'));
    for (qsizetype i = 1; i < parts.size(); i += 2) {
      if (!parts[i].isEmpty()) names << parts[i];
    }
  } else {
    names << typed;
  }
  const QDir folder = dialog.directory();
  QStringList files;
  for (const QString& name : names) {
    const QString path = QDir::cleanPath(folder.absoluteFilePath(name));
    if (!files.contains(path)) files << path;
  }
  return files;
}

QStringList QtFileDialogs::OpenFiles(QWidget* owner, const QString& mfcFilter) {
  const std::unique_ptr<QFileDialog> dialog = CreateOpenDialog(owner, mfcFilter);
  if (dialog->exec() != QDialog::Accepted) return {};
  return ChosenFiles(*dialog);
}

std::optional<QString> QtFileDialogs::BrowseFolder(QWidget* owner, const QString& title,
                                                   const QString& startFolder) {
  const std::unique_ptr<QFileDialog> dialog = CreateFolderDialog(owner, title, startFolder);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  // A confirmed choice without a path gives an empty text, not a cancel.
  return dialog->selectedFiles().value(0);
}

}  // namespace varnell
