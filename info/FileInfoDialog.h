// The modal file information dialog: what the last probe found in the selected source, shown
// read-only. It probes nothing itself; the main window opens it after a successful probe and
// ignores its result. User-interface thread only.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <map>

#include "engine/MediaInformation.h"
#include "info/FileInformationTexts.h"

namespace varnell {

class FileInfoDialog : public QDialog {
  Q_OBJECT
 public:
  // The strings are copied: the dialog shows them as they were when it was opened.
  explicit FileInfoDialog(const MediaInformation& info, QWidget* parent = nullptr);

  // The edit control with this id of template 165; null for any other id.
  QLineEdit* edit(int id) const;
  QPushButton* okButton() const { return ok_; }
  const FileInformationTexts& texts() const { return texts_; }

 protected:
  // Runs once, before the first showing, as the dialog's initialisation does.
  bool OnInitDialog();
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreateControls();
  void DoDataExchange();

  MediaInformation info_;
  FileInformationTexts texts_;  // all empty until OnInitDialog
  std::map<int, QLineEdit*> edits_;
  QPushButton* ok_ = nullptr;
  bool initialised_ = false;
};

}  // namespace varnell
