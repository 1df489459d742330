// The modal about box: the program's banner, its version and links to the project's support
// and home pages. Opened by the main window's About button and system-menu entry; its result
// is not used. User-interface thread only.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "controls/HyperLink.h"
#include "platform/BrowserLauncher.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"

namespace varnell {

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  enum ControlId { kOk = 1, kSupportLink = 1101, kHomePageLink = 1102, kVersion = 1103 };

  // The links open their pages through these services, which outlive the dialog; the box is
  // centred over `owner` when it opens.
  AboutDialog(Shell& shell, MessageBox& messages, BrowserLauncher& browser,
              QWidget* owner = nullptr);

  HyperLink* supportLink() const { return supportLink_; }
  HyperLink* homePageLink() const { return homePageLink_; }
  QPushButton* okButton() const { return ok_; }
  QLabel* picture() const { return picture_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();
  void SetUpLink(HyperLink* link, const QString& url);
  void CentreOverOwner();

  Shell& shell_;
  MessageBox& messages_;
  BrowserLauncher& browser_;
  HyperLink* supportLink_ = nullptr;
  HyperLink* homePageLink_ = nullptr;
  QPushButton* ok_ = nullptr;
  QLabel* picture_ = nullptr;
  bool initialised_ = false;
};

}  // namespace varnell
