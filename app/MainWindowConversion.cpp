// The window's two batch commands, which differ only in the kind of batch (BatchController runs
// it), and the quit signals, which end a running batch before the program.
#include <QApplication>

#include "app/MainWindow.h"

namespace varnell {

void MainWindow::StartConverting() { Launch(JobKind::ConvertFiles); }

void MainWindow::MergeFiles() { Launch(JobKind::MergeFiles); }

void MainWindow::Launch(JobKind kind) {
  // Convert and Merge are disabled while a folder is scanned; its rows are not all in yet.
  if (taskListController_->scanningFolders()) return;
  preview_->Stop();
  batch_->Launch(kind, outputFolder_->currentText(), profile_->currentText(),
                 state_.outputSettings);
  if (storeUnwritable_ && !storeUnwritableTold_ && !closing_) {
    storeUnwritableTold_ = true;
    ShowMessage(tr("The output folder cannot be kept for the next start: %1 cannot be written.")
                    .arg(store_.storePath()));
  }
}

void MainWindow::QuitOnSignal() {
  // The batch quits the program once the stop has brought the rows up to date.
  if (batch_->StopToQuit()) return;
  // A box or dialog open over the window (the completion message, the clip editor, Settings)
  // is closed as its Cancel would close it; otherwise its own event loop would keep the program
  // running behind it after the window is gone.
  constexpr int kMostNestedDialogs = 16;
  for (int nested = 0; nested < kMostNestedDialogs; ++nested) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == this) break;
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    } else {
      modal->close();
    }
  }
  CloseProgram();
}

}  // namespace varnell
