#include "app/PowerOffCountdown.h"

#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>

namespace varnell {

PowerOffCountdown::PowerOffCountdown(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Information"));
  setModal(true);
  text_ = new QLabel(Text(kSeconds), this);
  cancel_ = new QPushButton(tr("Cancel"), this);
  // Enter, like Escape, keeps the computer on: whoever is there to press a key wants it on.
  cancel_->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addLayout(buttons);
  tick_.setInterval(std::chrono::seconds(1));
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(&tick_, &QTimer::timeout, this, [this] {
    if (secondsLeft_ <= 1) {
      accept();
      return;
    }
    Show(secondsLeft_ - 1);
  });
}

QString PowerOffCountdown::Text(int secondsLeft) {
  return secondsLeft == 1 ? tr("The computer will power off in 1 second")
                          : tr("The computer will power off in %1 seconds").arg(secondsLeft);
}

void PowerOffCountdown::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A spontaneous show is the window system mapping the box again, not a new countdown.
  if (event->spontaneous()) return;
  Show(kSeconds);
  tick_.start();
}

void PowerOffCountdown::done(int result) {
  tick_.stop();
  QDialog::done(result);
}

void PowerOffCountdown::Show(int secondsLeft) {
  secondsLeft_ = secondsLeft;
  text_->setText(Text(secondsLeft));
  emit secondsLeftChanged(secondsLeft);
}

}  // namespace varnell
