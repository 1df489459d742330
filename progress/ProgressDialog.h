// The progress window in front of the main window while a batch converts: the file being
// converted and its percent, the finished-task count, two bars (the total's saying the batch's
// time left once it can be told), Stop, and the box asking for the
// computer to be shut down afterwards. It shows what its owner tells it and hands back the
// user's decisions (stop, shut down) as signals; it never waits for the batch. User-interface
// thread only.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QProgressBar>
#include <QPushButton>

#include "controls/SkinLabel.h"

namespace varnell {

class ProgressDialog : public QDialog {
  Q_OBJECT
 public:
  enum ControlId {
    kStop = 1000,
    kCurrentFileBar = 1011,
    kTotalBar = 1012,
    kCurrentFileLabel = 1018,
    kTotalLabel = 1019,
    kPause = 1082,
    kShowPreview = 1120,
    kShutDown = 1148
  };

  explicit ProgressDialog(QWidget* parent = nullptr);

  // Stop, the close box and Alt+F4: stopRequested, once per run. The window stays open until
  // EndRun, so the stop's end is shown as it comes instead of being waited for.
  void RequestStop();
  // The batch has ended, by itself or by the stop: the window closes and exec returns.
  void EndRun();

  struct Progress {
    QString sourcePath;    // column 0 of the row shown, empty when there is none
    int filePercent = -1;  // that row's, -1 while it opens
    int completedTasks = 0;
    // The converted fractions of the rows being converted, summed (two rows at 50%: 1.0); the
    // total bar stands at (completedTasks + convertingTasks) / taskCount.
    double convertingTasks = 0.0;
    int taskCount = 0;
    QString timeLeft;  // "About 2 min 10 s left"; empty while it cannot be told
  };
  void ShowProgress(const Progress& progress);

  SkinLabel* currentFileLabel() const { return currentFileLabel_; }
  SkinLabel* totalLabel() const { return totalLabel_; }
  QProgressBar* currentFileBar() const { return currentFileBar_; }
  QProgressBar* totalBar() const { return totalBar_; }
  QCheckBox* shutDownBox() const { return shutDownBox_; }
  QPushButton* stopButton() const { return stopButton_; }

  int exec() override;

 signals:
  void stopRequested();
  void shutDownToggled(bool on);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void reject() override {}  // Esc never closes or stops anything

 private:
  void ShowTimeLeft(const QString& text);

  SkinLabel* currentFileLabel_ = nullptr;
  SkinLabel* totalLabel_ = nullptr;
  QProgressBar* currentFileBar_ = nullptr;
  QProgressBar* totalBar_ = nullptr;
  QCheckBox* shutDownBox_ = nullptr;
  QPushButton* stopButton_ = nullptr;
  bool stopRequested_ = false;
  bool closing_ = false;
};

}  // namespace varnell
