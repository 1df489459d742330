// The box a batch that ran to its end shows, instead of its completion message, when the user
// asked for the computer to be powered off: "The computer will power off in 60 seconds", the
// text counting down once a second, and Cancel. exec() returns Accepted when the count reaches
// zero and Rejected on Cancel, Escape or the close box; each exec() counts from 60 again. It
// powers nothing off itself: its owner (BatchController) does on Accepted. User-interface
// thread only.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <chrono>

namespace varnell {

class PowerOffCountdown : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kSeconds = 60;

  explicit PowerOffCountdown(QWidget* parent = nullptr);

  // "The computer will power off in 60 seconds" ... "in 1 second".
  static QString Text(int secondsLeft);

  // How long one counted second lasts; tests give a short one instead of waiting a minute.
  void setTickInterval(std::chrono::milliseconds interval) { tick_.setInterval(interval); }
  int secondsLeft() const { return secondsLeft_; }
  QLabel* text() const { return text_; }
  QPushButton* cancelButton() const { return cancel_; }

  void done(int result) override;

 signals:
  // The text now counts `secondsLeft`; 60 as the box opens.
  void secondsLeftChanged(int secondsLeft);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Show(int secondsLeft);

  QLabel* text_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QTimer tick_;
  int secondsLeft_ = kSeconds;
};

}  // namespace varnell
