// The progress window in front of the main window while a batch converts: the file being
// converted and its percent, the finished-task count, two bars, Stop, and the box asking for the
// computer to be shut down afterwards. It learns everything from the progress tick, which the
// main window runs every 300 ms on the user-interface thread; it only hands back the user's
// decisions (stop, shut down).
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QProgressBar>
#include <QPushButton>
#include <functional>

#include "controls/SkinLabel.h"
#include "engine/AVConvert.h"

namespace varnell {

class ProgressDialog : public QDialog {
  Q_OBJECT
 public:
  enum ControlId { kStop = 1000, kCurrentFileBar = 1011, kTotalBar = 1012, kCurrentFileLabel = 1018,
                   kTotalLabel = 1019, kPause = 1082, kShowPreview = 1120, kShutDown = 1148 };

  explicit ProgressDialog(QWidget* parent = nullptr);

  // Set by the opener before each run.
  void SetEngine(AVConvert* engine) { engine_ = engine; }
  std::function<void()> killProgressTimer;            // stops the owner's timer 1
  std::function<void(bool)> setShutDownFlag;           // the owner's shut-down flag

  // Stop flag, timer 1 killed, then waits for the worker (keeping the window responsive) and
  // closes. Also how the window closes when the batch has ended by itself.
  void StopSequence();

  // The display half of the progress tick.
  struct TickValues {
    QString sourcePath;  // column 0 of the row being converted, empty when there is none
    int filePercent = -1;
    int taskIndex = -1;
    int itemCount = 0;
    int completedTasks = 0;
    int taskCount = 0;
  };
  void ShowTick(const TickValues& values);

  SkinLabel* currentFileLabel() const { return currentFileLabel_; }
  SkinLabel* totalLabel() const { return totalLabel_; }
  QProgressBar* currentFileBar() const { return currentFileBar_; }
  QProgressBar* totalBar() const { return totalBar_; }
  QCheckBox* shutDownBox() const { return shutDownBox_; }
  QPushButton* stopButton() const { return stopButton_; }

  int exec() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void reject() override {}  // Esc never closes or stops anything

 private:
  void WaitForWorker();

  AVConvert* engine_ = nullptr;
  SkinLabel* currentFileLabel_;
  SkinLabel* totalLabel_;
  QProgressBar* currentFileBar_;
  QProgressBar* totalBar_;
  QCheckBox* shutDownBox_;
  QPushButton* stopButton_;
  bool closing_ = false;
};

}  // namespace varnell
