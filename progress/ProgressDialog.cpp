#include "progress/ProgressDialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <algorithm>
#include <array>
#include <vector>

#include "controls/TemplateBuilder.h"
#include "controls/TemplateDialog.h"

namespace varnell {
namespace {

// Template 129, 8 pt.
constexpr int kWidthUnits = 324;
constexpr int kHeightUnits = 89;
constexpr std::array<ControlTemplate, 10> kControls{{
    {0, ControlKind::Caption,
     QT_TRANSLATE_NOOP("ProgressDialogTemplate", "Current File Converting:"), 19, 5, 74, 8},
    {ProgressDialog::kCurrentFileLabel, ControlKind::SkinLabel, "", 101, 5, 196, 8},
    {ProgressDialog::kCurrentFileBar, ControlKind::ProgressBar, "", 20, 17, 282, 14},
    {0, ControlKind::Caption, QT_TRANSLATE_NOOP("ProgressDialogTemplate", "Total Progress:"), 20,
     36, 47, 8},
    {ProgressDialog::kTotalLabel, ControlKind::SkinLabel, "", 79, 36, 196, 8},
    {ProgressDialog::kTotalBar, ControlKind::ProgressBar, "", 21, 47, 281, 14},
    {ProgressDialog::kShutDown, ControlKind::CheckBox,
     QT_TRANSLATE_NOOP("ProgressDialogTemplate", "Shut down computer when conversion completed"),
     21, 66, 170, 13},
    {ProgressDialog::kStop, ControlKind::PushButton,
     QT_TRANSLATE_NOOP("ProgressDialogTemplate", "Stop"), 253, 65, 50, 19},
    // The pause button and the preview box of the template stay hidden and do nothing.
    {ProgressDialog::kPause, ControlKind::PushButton,
     QT_TRANSLATE_NOOP("ProgressDialogTemplate", "Pause"), 3, 31, 11, 19, false},
    {ProgressDialog::kShowPreview, ControlKind::CheckBox,
     QT_TRANSLATE_NOOP("ProgressDialogTemplate", "Show preview"), 0, 74, 8, 10, false, false},
}};

// The template's captions were measured for a narrower font than a Linux desktop's: a caption
// keeps its whole text, and the label beside it starts after it.
void FitCaption(QLabel* caption, QWidget* beside) {
  FitCaptionToText(*caption);
  caption->resize(caption->width(), beside->height());
  const int left = std::max(beside->x(), caption->geometry().right() + 6);
  beside->setGeometry(left, beside->y(), beside->geometry().right() - left + 1, beside->height());
}

}  // namespace

ProgressDialog::ProgressDialog(QWidget* parent) : QDialog(parent) {
  SetUpTemplateDialog(*this, tr("Varnell"), QSize(kWidthUnits, kHeightUnits));
  std::vector<QLabel*> captions;
  TemplateBuilder builder(*this, TemplateFont::Shell8pt, "ProgressDialogTemplate");
  builder.Then(ControlKind::Caption, [&captions](const ControlTemplate&, QLabel& caption) {
    captions.push_back(&caption);
  });
  builder.Then(ControlKind::ProgressBar, [](const ControlTemplate&, QProgressBar& bar) {
    bar.setRange(0, 100);
    bar.setTextVisible(false);
    bar.setAlignment(Qt::AlignCenter);
  });
  builder.Build(kControls);
  currentFileLabel_ = builder.control<SkinLabel>(kCurrentFileLabel);
  totalLabel_ = builder.control<SkinLabel>(kTotalLabel);
  currentFileBar_ = builder.control<QProgressBar>(kCurrentFileBar);
  totalBar_ = builder.control<QProgressBar>(kTotalBar);
  shutDownBox_ = builder.control<QCheckBox>(kShutDown);
  stopButton_ = builder.control<QPushButton>(kStop);
  builder.control<QCheckBox>(kShowPreview)->setChecked(true);

  // The bars are read by what they measure; the captions above them lead their labels.
  currentFileBar_->setAccessibleName(tr("Current file's progress"));
  totalBar_->setAccessibleName(tr("Total progress"));
  FitCaption(captions[0], currentFileLabel_);
  FitCaption(captions[1], totalLabel_);
  // The box's text may run up to the Stop button.
  shutDownBox_->setFixedWidth(stopButton_->x() - shutDownBox_->x() - 4);
  stopButton_->setToolTip(tr("Stop converting"));
  stopButton_->setAutoDefault(false);
  connect(stopButton_, &QPushButton::clicked, this, &ProgressDialog::RequestStop);
  connect(shutDownBox_, &QCheckBox::toggled, this, &ProgressDialog::shutDownToggled);
}

int ProgressDialog::exec() {
  // Every run starts as the template has it: both labels "Converting...", bars empty, the
  // shut-down box clear.
  stopRequested_ = false;
  closing_ = false;
  currentFileLabel_->ChangeText(tr("Converting..."));
  totalLabel_->ChangeText(tr("Converting..."));
  currentFileBar_->setValue(0);
  totalBar_->setValue(0);
  ShowTimeLeft(QString());
  {
    const QSignalBlocker quiet(shutDownBox_);
    shutDownBox_->setChecked(false);
  }
  return QDialog::exec();
}

void ProgressDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // In the middle of the main window: Qt's own placement allows for a guessed window frame.
  if (parentWidget() != nullptr)
    move(pos() + parentWidget()->window()->frameGeometry().center() - frameGeometry().center());
  currentFileLabel_->ChangeBackgroundFlash(false);
}

void ProgressDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
      event->key() == Qt::Key_Enter) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

// The close box and Alt+F4 stop the batch exactly as Stop does.
void ProgressDialog::closeEvent(QCloseEvent* event) {
  if (closing_) return QDialog::closeEvent(event);
  event->ignore();
  RequestStop();
}

void ProgressDialog::RequestStop() {
  if (stopRequested_ || closing_) return;
  stopRequested_ = true;
  emit stopRequested();
}

void ProgressDialog::EndRun() {
  closing_ = true;
  done(QDialog::Accepted);
}

// A row that has no percent yet (it opens) leaves the file's label and bar as they were.
void ProgressDialog::ShowProgress(const Progress& progress) {
  const QString name = progress.sourcePath.mid(progress.sourcePath.lastIndexOf('/') + 1);
  if (progress.filePercent >= 0 && !progress.sourcePath.isEmpty()) {
    currentFileLabel_->ChangeText(
        tr("%1   %2% has completed").arg(name, QString::number(progress.filePercent)));
  }
  totalLabel_->ChangeText(tr("%1 Task Completed / Total %2 Task(s)")
                              .arg(progress.completedTasks)
                              .arg(progress.taskCount));
  if (progress.taskCount > 0) {
    // Whole tasks in hundredths first, so that 1 of 3 stands at 33, as a truncating count does.
    const double hundredths = progress.completedTasks * 100.0 + progress.convertingTasks * 100.0;
    totalBar_->setValue(std::clamp(static_cast<int>(hundredths / progress.taskCount), 0, 100));
  }
  if (progress.filePercent >= 0 && progress.filePercent <= 100)
    currentFileBar_->setValue(progress.filePercent);
  ShowTimeLeft(progress.timeLeft);
}

// The total bar carries the time left as its text: the template has no room for another line.
void ProgressDialog::ShowTimeLeft(const QString& text) {
  totalBar_->setFormat(text);
  totalBar_->setTextVisible(!text.isEmpty());
}

}  // namespace varnell
