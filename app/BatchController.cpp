#include "app/BatchController.h"

#include <QCoreApplication>
#include <QDir>
#include <QMetaObject>
#include <algorithm>
#include <deque>
#include <functional>
#include <mutex>
#include <utility>

#include "app/ProjectLinks.h"
#include "library/TrashedSources.h"
#include "platform/DesktopOpen.h"

namespace varnell {

namespace {
const char* const kCompletedStatus = QT_TRANSLATE_NOOP("varnell::BatchController", "Completed");
const char* const kFailureStatus = QT_TRANSLATE_NOOP("varnell::BatchController", "Failure");
const char* const kSkippedStatus = QT_TRANSLATE_NOOP("varnell::BatchController", "Skipped");
const char* const kStoppedStatus = QT_TRANSLATE_NOOP("varnell::BatchController", "Stopped");

// "1:05": whole minutes and seconds, cut down, for the length a stopped file holds.
QString MinutesAndSeconds(double seconds) {
  const long long whole = static_cast<long long>(seconds);
  return QStringLiteral("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
}

// The progress window's "About 2 min 10 s left", in the user's language.
QString ShownTimeLeft(double seconds) {
  const RoundedTimeLeft left = RoundTimeLeft(seconds);
  const auto shown = [](const char* text) {
    return QCoreApplication::translate("varnell::BatchController", text);
  };
  switch (left.units) {
    case RoundedTimeLeft::Units::kSeconds:
      return shown(QT_TRANSLATE_NOOP("varnell::BatchController", "About %1 s left"))
          .arg(left.larger);
    case RoundedTimeLeft::Units::kMinutesSeconds:
      return shown(QT_TRANSLATE_NOOP("varnell::BatchController", "About %1 min %2 s left"))
          .arg(left.larger)
          .arg(left.smaller);
    case RoundedTimeLeft::Units::kHoursMinutes:
      break;
  }
  return shown(QT_TRANSLATE_NOOP("varnell::BatchController", "About %1 h %2 min left"))
      .arg(left.larger)
      .arg(left.smaller);
}

QString Files(int count) {
  return QStringLiteral("%1 %2").arg(count).arg(
      count == 1 ? QCoreApplication::translate("varnell::BatchController", "file")
                 : QCoreApplication::translate("varnell::BatchController", "files"));
}
}  // namespace

std::vector<TaskRow> TaskRowsOf(const TaskListView& list) {
  std::vector<TaskRow> tasks(list.GetItemCount());
  for (int row = 0; row < list.GetItemCount(); ++row) {
    TaskRow& task = tasks[row];
    task.checked = list.GetCheck(row);
    task.sourcePath = list.GetItemText(row, TaskListView::kSourceFile).toStdString();
    task.startTime = list.GetItemText(row, TaskListView::kStartTime).toStdString();
    task.endTime = list.GetItemText(row, TaskListView::kEndTime).toStdString();
    task.durationSeconds = list.GetItemText(row, TaskListView::kDuration).toStdString();
    task.outputSubfolder = list.GetOutputSubfolder(row).toStdString();
    const RowChapter chapter = list.GetChapter(row);
    task.exactBeginSeconds = chapter.exactBeginSeconds;
    task.exactEndSeconds = chapter.exactEndSeconds;
    task.chapterTitle = chapter.title.toStdString();
    task.chapterNumber = chapter.number;
    task.tags = list.GetNameTags(row);
  }
  return tasks;
}

// Called on the engine's threads: each report is copied into a call kept in the relay's queue,
// under its mutex, and nothing of the controller is touched here. The controller's thread is
// woken once for whatever has gathered (a queued call by name, which Qt makes and frees within its
// own library) and takes the calls out in the order they were made.
class BatchController::Relay final : public BatchObserver {
 public:
  explicit Relay(BatchController& controller) : controller_(controller) {}

  void RowStarted(int row) override {
    Post([row](BatchController& controller) { controller.OnRowStarted(row); });
  }
  void RowPercent(int row, int percent) override {
    Post([row, percent](BatchController& controller) { controller.OnRowPercent(row, percent); });
  }
  void RowPassed(int row) override {
    Post([row](BatchController& controller) { controller.OnRowPassed(row); });
  }
  void RowEnded(int row, const RowOutcome& outcome) override {
    Post([row, outcome](BatchController& controller) { controller.OnRowEnded(row, outcome); });
  }
  void BatchEnded(const BatchOutcome& outcome) override {
    Post([outcome](BatchController& controller) { controller.OnBatchEnded(outcome); });
  }

  // The calls gathered since the last take, oldest first. The controller's thread only.
  std::deque<std::function<void(BatchController&)>> Take() {
    std::lock_guard lock(mutex_);
    return std::exchange(pending_, {});
  }

 private:
  // Queued also when the engine reports on the controller's own thread (no thread could be
  // started): the reports then wait for the progress window's loop like any others.
  void Post(std::function<void(BatchController&)> call) {
    bool wake = false;
    {
      std::lock_guard lock(mutex_);
      wake = pending_.empty();
      pending_.push_back(std::move(call));
    }
    if (wake) QMetaObject::invokeMethod(&controller_, "DeliverReports", Qt::QueuedConnection);
  }

  BatchController& controller_;
  std::mutex mutex_;
  std::deque<std::function<void(BatchController&)>> pending_;
};

BatchController::BatchController(const Platform& platform, TaskListView& list, QWidget& window)
    : platform_(platform),
      list_(list),
      window_(window),
      progress_(&window),
      powerOffCountdown_(&window),
      relay_(std::make_unique<Relay>(*this)) {
  connect(&progress_, &ProgressDialog::stopRequested, this, &BatchController::Stop);
  connect(&progress_, &ProgressDialog::shutDownToggled, this,
          [this](bool on) { shutDownFlag_ = on; });
  // Between the reports (a long file's percent changes seldom) the time left still moves.
  timeLeftTimer_.setInterval(1000);
  connect(&timeLeftTimer_, &QTimer::timeout, this, [this] {
    if (running_) ShowProgress();
  });
}

BatchController::~BatchController() {
  session_.Stop();
  session_.Wait();
}

void BatchController::DeliverReports() {
  for (const auto& call : relay_->Take()) call(*this);
}

void BatchController::Launch(JobKind kind, const QString& typedFolder, const QString& profileLabel,
                             const OutputSettings& settings) {
  const QString folder = typedFolder.trimmed();
  BatchRequest request;
  request.kind = kind;
  const int rows = list_.GetItemCount();
  request.rows = TaskRowsOf(list_);
  std::vector<std::string> sources;
  for (const TaskRow& task : request.rows) sources.push_back(task.sourcePath);
  // "/" alone counts as no folder, and is refused without a word, after the checks of the
  // rows have spoken. A relative folder (a blank one too) would be taken from wherever the
  // program was started: it is refused as a folder that cannot be made.
  const bool rootFolder = folder == "/";
  request.outputFolder =
      rootFolder || !QDir::isAbsolutePath(folder) ? std::string() : folder.toStdString();
  request.output = OutputChoiceForLabel(profileLabel.toStdString());
  request.settings = settings;
  // The session's reports are queued: none is handled before the progress window's loop runs.
  if (const std::optional<LaunchRefusal> refusal = session_.Start(std::move(request), *relay_)) {
    if (!(rootFolder && *refusal == LaunchRefusal::NoOutputFolder)) ShowRefusal(*refusal);
    return;
  }
  emit outputFolderAccepted(folder);
  percents_.assign(rows, -1);
  rowsPast_.assign(rows, false);
  runningPercents_ = 0;
  shownRow_ = 0;
  completedRows_ = 0;
  failedRows_ = 0;
  skippedRows_ = 0;
  mergedRows_ = 0;
  stopAsked_ = false;
  ranToTheEnd_ = false;
  quitAfterBatch_ = false;
  running_ = true;
  merging_ = kind == JobKind::MergeFiles;
  checkedRows_ = session_.checkedRows();
  // A row converted again says nothing of its last batch until this one has its outcome: a row
  // this batch stops, or never reaches, would otherwise still read "Completed".
  for (int row = 0; row < rows; ++row) {
    if (!list_.GetCheck(row)) continue;
    list_.SetItemText(row, TaskListView::kStatus, TaskListView::tr(TaskListView::kReadyStatus));
    list_.SetItemToolTip(row, TaskListView::kStatus, QString());
  }
  // A box that opens clear never powers off: the flag starts clear with every batch.
  shutDownFlag_ = false;
  endedWhileAway_ = false;
  timeLeft_.emplace(session_.plan(), clock_());
  timeLeftTimer_.start();
  progress_.exec();
  timeLeftTimer_.stop();

  // The batch has ended (its last report closed the window); its worker is finishing its return.
  session_.Wait();
  if (settings.trashSources) TrashSources(kind, sources);
  if (quitAfterBatch_) {
    emit quitAfterBatch();
    return;
  }
  if (!ranToTheEnd_) return;
  // Nobody need be there to dismiss a box first: the countdown powers off by itself.
  if (shutDownFlag_ && PowerOffAfterCountdown()) return;
  ShowCompletionMessage();
}

void BatchController::Stop() {
  if (!running_) return;
  stopAsked_ = true;
  session_.Stop();
}

bool BatchController::StopToQuit() {
  if (!running_) return false;
  quitAfterBatch_ = true;
  Stop();
  return true;
}

void BatchController::ShowRefusal(LaunchRefusal refusal) {
  switch (refusal) {
    case LaunchRefusal::NoRows:
      ShowMessage(tr("Please add video files!"));
      break;
    case LaunchRefusal::MergeNeedsTwoRows:
      ShowMessage(tr("Merge is effective when two or more files are chosen!"));
      break;
    case LaunchRefusal::NothingChecked:
      ShowMessage(tr("Please select at least one task to convert!"));
      break;
    case LaunchRefusal::NoOutputFolder:
      ShowMessage(
          tr("The folder that you selected does not exit.Please specify a different folder!"));
      break;
  }
}

void BatchController::ShowMessage(const QString& text) {
  platform_.messages.Show(text, QString(), MessageButtons::Ok, &window_);
}

// Success is announced only when every converted row completed; a batch with failures says how
// many, and where the reasons are, and one that skipped rows counts those too.
void BatchController::ShowCompletionMessage() {
  if (skippedRows_ > 0) {
    QString text = tr("%1 converted, %2 skipped (their outputs exist)")
                       .arg(Files(completedRows_))
                       .arg(skippedRows_);
    text += failedRows_ > 0 ? tr(", %1 failed. Point at a Failure to see why.").arg(failedRows_)
                            : tr(".");
    ShowEndMessage(text, MessageButtons::Ok);
    return;
  }
  if (failedRows_ > 0) {
    ShowEndMessage(tr("%1 converted, %2 failed. Point at a Failure to see why.")
                       .arg(Files(completedRows_))
                       .arg(failedRows_),
                   MessageButtons::Ok);
    return;
  }
  const MessageChoice choice =
      ShowEndMessage(tr("Convertion Successfully!For more software, please visit our website"),
                     MessageButtons::OkCancel);
  if (choice != MessageChoice::Ok) return;
  const QString homePage = HomePageUrl();
  if (const auto reason =
          OpenForUser(platform_.shell, platform_.browser, homePage, OpenTarget::Page)) {
    ShowMessage(CannotOpenMessage(homePage, *reason));
  }
}

bool BatchController::PowerOffAfterCountdown() {
  if (endedWhileAway_ && platform_.notifier != nullptr) {
    platform_.notifier->Notify("Varnell", PowerOffCountdown::Text(PowerOffCountdown::kSeconds));
  }
  if (powerOffCountdown_.exec() != QDialog::Accepted) return false;
  if (const std::optional<QString> refusal = platform_.powerOff.PowerOffComputer()) {
    ShowMessage(tr("The computer could not be powered off: %1.").arg(*refusal));
  }
  return true;
}

MessageChoice BatchController::ShowEndMessage(const QString& text, MessageButtons buttons) {
  if (endedWhileAway_ && platform_.notifier != nullptr)
    platform_.notifier->Notify(tr("Varnell"), text);
  return platform_.messages.Show(text, tr("Information"), buttons, &window_);
}

// Each row's tool tip says what became of its source; one that stays says why.
void BatchController::TrashSources(JobKind kind, const std::vector<std::string>& sources) {
  for (const TrashedSource& trashed :
       TrashCompletedSources(sources, session_.outcomes(), session_.outcome(), kind)) {
    QTableWidgetItem* status = list_.item(trashed.row, TaskListView::kStatus);
    const QString said = status != nullptr ? status->toolTip() : QString();
    list_.SetItemToolTip(
        trashed.row, TaskListView::kStatus,
        said + (said.isEmpty() ? "" : "\n") +
            (trashed.failure.empty() ? tr("Source moved to the Trash")
                                     : tr("Source not moved to the Trash: ") +
                                           QString::fromStdString(trashed.failure)));
  }
}

// The row shown is the one the batch waits for: the first that has neither ended nor been
// passed by the merge. Rows a merge passed count as completed until their outcomes come.
void BatchController::ShowProgress() {
  const int rows = static_cast<int>(rowsPast_.size());
  while (shownRow_ < rows && rowsPast_[shownRow_]) ++shownRow_;
  ProgressDialog::Progress progress;
  if (shownRow_ < rows) {
    progress.sourcePath = list_.GetItemText(shownRow_, TaskListView::kSourceFile);
    progress.filePercent = percents_[shownRow_];
  }
  progress.completedTasks = completedRows_ + skippedRows_ + mergedRows_;
  // Each row being converted moves the total bar by its share, not only when it has ended. A
  // merge's percent is already that of the whole output.
  if (merging_) {
    progress.convertingTasks =
        std::max(0.0, progress.filePercent * checkedRows_ / 100.0 - progress.completedTasks);
  } else {
    progress.convertingTasks = runningPercents_ / 100.0;
  }
  progress.taskCount = checkedRows_;
  if (timeLeft_) {
    if (const std::optional<double> seconds = timeLeft_->SecondsLeft(clock_()))
      progress.timeLeft = ShownTimeLeft(*seconds);
  }
  progress_.ShowProgress(progress);
}

void BatchController::OnRowStarted(int row) {
  ShowProgress();
  emit rowStarted(row);
}

// Kept as a sum, so that a percent report of a long batch costs the same as one of a short one.
void BatchController::OnRowPercent(int row, int percent) {
  if (!rowsPast_[row]) runningPercents_ += std::max(percent, 0) - std::max(percents_[row], 0);
  percents_[row] = percent;
  if (timeLeft_) timeLeft_->RowPercent(row, percent);
  ShowProgress();  // the total bar moves with every row's percent
  emit rowPercent(row, percent);
}

void BatchController::LeaveRunningRows(int row) {
  if (rowsPast_[row]) return;
  rowsPast_[row] = true;
  runningPercents_ -= std::max(percents_[row], 0);
}

void BatchController::OnRowPassed(int row) {
  LeaveRunningRows(row);
  ++mergedRows_;
  ShowProgress();
}

// Every row's outcome comes once, final, in row order; a row outside the batch (unchecked) ends
// NotStarted and is left as it was.
void BatchController::OnRowEnded(int row, const RowOutcome& outcome) {
  if (rowsPast_[row]) --mergedRows_;
  LeaveRunningRows(row);
  const QString output = QString::fromStdString(outcome.outputPath);
  if (timeLeft_) timeLeft_->RowEnded(row, outcome.status == RowOutcome::Status::Completed);
  switch (outcome.status) {
    case RowOutcome::Status::Failed:
      ++failedRows_;
      list_.SetItemText(row, TaskListView::kStatus, tr(kFailureStatus));
      list_.SetItemToolTip(row, TaskListView::kStatus, QString::fromStdString(outcome.reason));
      break;
    case RowOutcome::Status::Completed:
      ++completedRows_;
      list_.SetItemText(row, TaskListView::kStatus, tr(kCompletedStatus));
      // The output, then what went wrong without failing the row (a side file not written).
      list_.SetItemToolTip(
          row, TaskListView::kStatus,
          outcome.note.empty() ? output : output + "\n" + QString::fromStdString(outcome.note));
      list_.SetCheck(row, false);
      break;
    case RowOutcome::Status::Skipped:
      // Its output existed when the batch started and is left as it is.
      ++skippedRows_;
      list_.SetItemText(row, TaskListView::kStatus, tr(kSkippedStatus));
      list_.SetItemToolTip(row, TaskListView::kStatus, output);
      list_.SetCheck(row, false);
      break;
    case RowOutcome::Status::Stopped:
    case RowOutcome::Status::NotStarted:
      // A row the stop ended with a shorter file reads "Stopped", says where that file is (for a
      // merge, the merged file) and loses its check mark like a completed row, so that the next
      // batch does not silently write a second copy; the user checks it to convert it whole.
      // A row without a file keeps its text and check mark.
      if (outcome.secondsWritten > 0.0) {
        list_.SetItemText(row, TaskListView::kStatus, tr(kStoppedStatus));
        list_.SetItemToolTip(row, TaskListView::kStatus,
                             tr("Stopped: %1 holds the first %2")
                                 .arg(output, MinutesAndSeconds(outcome.secondsWritten)));
        list_.SetCheck(row, false);
      }
      break;
  }
  ShowProgress();
  emit rowEnded(row);
}

void BatchController::OnBatchEnded(const BatchOutcome& outcome) {
  running_ = false;
  // A stop asked for after the last row had ended still counts: the message and the power-off
  // are for a batch the user let run.
  ranToTheEnd_ = !outcome.stopped && !stopAsked_;
  endedWhileAway_ = !window_.isActiveWindow() && !progress_.isActiveWindow();
  progress_.EndRun();
  emit batchEnded();
}

}  // namespace varnell
