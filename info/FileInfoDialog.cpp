#include "info/FileInfoDialog.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <algorithm>
#include <vector>

#include "controls/ControlLookup.h"
#include "controls/TemplateBuilder.h"
#include "controls/TemplateDialog.h"
#include "info/FileInformationTemplate.h"

namespace varnell {

using namespace file_information;

FileInfoDialog::FileInfoDialog(const MediaInformation& info, QWidget* parent)
    : QDialog(parent), info_(info) {
  SetUpTemplateDialog(*this, tr("File Information"), QSize(kWidthUnits, kHeightUnits));
  CreateControls();
  // The OK button closes as Cancel does; Escape and the close box reach reject() on their own.
  connect(ok_, &QPushButton::clicked, this, &QDialog::reject);
}

void FileInfoDialog::CreateControls() {
  std::vector<QLabel*> captions;
  TemplateBuilder builder(*this, TemplateFont::Shell8pt, "FileInformationTemplate");
  builder.Then(ControlKind::Caption, [&captions](const ControlTemplate&, QLabel& caption) {
    captions.push_back(&caption);
  });
  builder.Then(ControlKind::GroupBox, [](const ControlTemplate&, QGroupBox& group) {
    // The template puts a group's first row just under its top edge, where the title runs
    // through the frame line; styles that set the title above the line would put that line
    // across the row.
    group.setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
  });
  builder.Then(ControlKind::Edit, [&, this](const ControlTemplate& control, QLineEdit& edit) {
    edit.setReadOnly(true);
    edit.setFrame(true);
    edits_[control.id] = &edit;
  });
  builder.Build(kControls);
  ok_ = builder.control<QPushButton>(kOk);
  // Not a default button: Enter ends the dialog as OK does, not through this button.
  ok_->setAutoDefault(false);

  // The captions were measured for a narrower font than a Linux desktop's: every caption keeps
  // its whole text, and the column of edits starts after the widest one, keeping its right edge.
  int captionsEnd = 0;
  for (QLabel* caption : captions) {
    FitCaptionToText(*caption);
    captionsEnd = std::max(captionsEnd, caption->geometry().right() + 4);
  }
  for (auto& [id, edit] : edits_) {
    const int left = std::max(edit->x(), captionsEnd);
    edit->setGeometry(left, edit->y(), edit->geometry().right() - left + 1, edit->height());
  }
  // A caption is as tall as its template line; centred on its edit it reads as one row.
  for (QLabel* caption : captions) caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QLineEdit* FileInfoDialog::edit(int id) const { return FindControl(edits_, id); }

void FileInfoDialog::showEvent(QShowEvent* event) {
  if (!initialised_) {
    initialised_ = true;
    OnInitDialog();
  }
  QDialog::showEvent(event);
}

bool FileInfoDialog::OnInitDialog() {
  texts_ = DescribeForDisplay(info_);
  DoDataExchange();
  return true;
}

// Texts to controls only: the edits are read-only, nothing is ever read back.
void FileInfoDialog::DoDataExchange() {
  const std::pair<int, const QString*> exchange[] = {
      {kFileName, &texts_.fileName},         {kMediaLength, &texts_.mediaLength},
      {kResolution, &texts_.resolution},     {kFrameRate, &texts_.frameRate},
      {kSamples, &texts_.samples},           {kChannel, &texts_.channel},
      {kAudioBitRate, &texts_.audioBitRate}, {kVideoBitRate, &texts_.videoBitRate},
  };
  for (const auto& [id, text] : exchange) {
    QLineEdit* target = edits_.at(id);
    target->setText(*text);
    target->setCursorPosition(0);  // a long path shows its beginning, as the edit scrolls
  }
}

// Enter ends the dialog with OK, unless the OK button has the focus: then it is that button's
// click, which closes as Cancel.
void FileInfoDialog::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    if (focusWidget() == ok_) {
      ok_->click();
    } else {
      accept();
    }
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace varnell
