#include "progress/ProgressDialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>

#include "controls/DialogUnits.h"
#include "controls/TemplateDialog.h"

namespace varnell {
namespace {

QRect Units(int x, int y, int width, int height) {
  return DialogUnitsToPixels(x, y, width, height, TemplateFont::Shell8pt);
}

template <typename Widget>
Widget* Place(Widget* widget, int id, const QRect& rect) {
  if (id != 0) widget->setObjectName(QString::number(id));
  widget->setGeometry(rect);
  return widget;
}

// The template's captions were measured for a narrower font than a Linux desktop's: a caption
// keeps its whole text, and the label beside it starts after it.
void FitCaption(QLabel* caption, QWidget* beside) {
  const int needed = caption->fontMetrics().horizontalAdvance(caption->text()) + 2;
  caption->resize(std::max(caption->width(), needed), beside->height());
  const int left = std::max(beside->x(), caption->geometry().right() + 6);
  beside->setGeometry(left, beside->y(), beside->geometry().right() - left + 1, beside->height());
}

}  // namespace

// Template 129: 324 x 89 dialog units, 8 pt.
ProgressDialog::ProgressDialog(QWidget* parent) : QDialog(parent) {
  SetUpTemplateDialog(*this, "Varnell", QSize(324, 89));

  auto* currentCaption = Place(new QLabel("Current File Converting:", this), 0, Units(19, 5, 74, 8));
  currentFileLabel_ = Place(new SkinLabel(kCurrentFileLabel, this), kCurrentFileLabel, Units(101, 5, 196, 8));
  currentFileBar_ = Place(new QProgressBar(this), kCurrentFileBar, Units(20, 17, 282, 14));
  auto* totalCaption = Place(new QLabel("Total Progress:", this), 0, Units(20, 36, 47, 8));
  totalLabel_ = Place(new SkinLabel(kTotalLabel, this), kTotalLabel, Units(79, 36, 196, 8));
  FitCaption(currentCaption, currentFileLabel_);
  FitCaption(totalCaption, totalLabel_);
  totalBar_ = Place(new QProgressBar(this), kTotalBar, Units(21, 47, 281, 14));
  shutDownBox_ = Place(new QCheckBox("Shut down computer when conversion completed", this), kShutDown,
                       Units(21, 66, 170, 13));
  stopButton_ = Place(new QPushButton("Stop", this), kStop, Units(253, 65, 50, 19));
  // The box's text may run up to the Stop button.
  shutDownBox_->setFixedWidth(stopButton_->x() - shutDownBox_->x() - 4);
  stopButton_->setToolTip("Stop converting");
  stopButton_->setAutoDefault(false);
  // The pause button and the preview box of the template stay hidden and do nothing.
  auto* pause = Place(new QPushButton("Pause", this), kPause, Units(3, 31, 11, 19));
  pause->hide();
  auto* preview = Place(new QCheckBox("Show preview", this), kShowPreview, Units(0, 74, 8, 10));
  preview->setChecked(true);
  preview->setEnabled(false);
  preview->hide();

  for (QProgressBar* bar : {currentFileBar_, totalBar_}) {
    bar->setRange(0, 100);
    bar->setTextVisible(false);
  }
  connect(stopButton_, &QPushButton::clicked, this, &ProgressDialog::RequestStop);
  connect(shutDownBox_, &QCheckBox::toggled, this, &ProgressDialog::shutDownToggled);
}

int ProgressDialog::exec() {
  // Every run starts as the template has it: both labels "Converting...", bars empty, the
  // shut-down box clear.
  stopRequested_ = false;
  closing_ = false;
  currentFileLabel_->ChangeText("Converting...");
  totalLabel_->ChangeText("Converting...");
  currentFileBar_->setValue(0);
  totalBar_->setValue(0);
  {
    const QSignalBlocker quiet(shutDownBox_);
    shutDownBox_->setChecked(false);
  }
  return QDialog::exec();
}

void ProgressDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
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
    currentFileLabel_->ChangeText(name + "   " + QString::number(progress.filePercent) + "% has completed");
  }
  totalLabel_->ChangeText(QString::number(progress.completedTasks) + " Task Completed / Total " +
                          QString::number(progress.taskCount) + " Task(s)");
  if (progress.taskCount > 0) totalBar_->setValue(progress.completedTasks * 100 / progress.taskCount);
  if (progress.filePercent >= 0 && progress.filePercent <= 100) currentFileBar_->setValue(progress.filePercent);
}

}  // namespace varnell
