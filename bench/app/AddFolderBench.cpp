// Times adding a folder tree to the main window (offscreen, scripted folder dialog, real scan and
// probes): from the folder being chosen to the last row in the list, and how well the window
// answers meanwhile. A timer on the user-interface thread ticks every --tick-ms; the longest gap
// between two ticks is the longest stall. Every --click-ms a click is posted on the window's
// background, behind whatever the scan has queued for the user-interface thread; the time until
// the window receives it is how long a user's click waits. The user-interface thread's own CPU
// time tells its work from the machine's other processes: longest_busy_ms is the most it worked
// between two ticks. Prints one "name value" line each.
//
// Usage: varnell-add-folder-bench FOLDER [--expect ROWS] [--tick-ms MS] [--click-ms MS]
#include <time.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "BenchPlatform.h"
#include "app/MainWindow.h"
#include "engine/LibraryLog.h"
#include "resources/VarnellResources.h"

namespace varnell {
namespace {

struct Options {
  QString folder;
  int expectedRows = -1;
  int tickMs = 5;
  int clickMs = 200;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  if (argc < 2 || argv[1][0] == '-') return false;
  options.folder = QString::fromLocal8Bit(argv[1]);
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    const int value = std::atoi(argv[i + 1]);
    if (name == "--expect") {
      options.expectedRows = value;
    } else if (name == "--tick-ms") {
      options.tickMs = value;
    } else if (name == "--click-ms") {
      options.clickMs = value;
    } else {
      return false;
    }
  }
  return argc % 2 == 0 && options.tickMs > 0 && options.clickMs > 0;
}

// CPU time of the calling thread: a gap between ticks in which the user-interface thread worked
// little was the machine's other processes, not the window's work.
qint64 ThreadCpuNs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<qint64>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Records when each posted click reaches the window, and whether the scan still ran then.
class ClickProbe : public QObject {
 public:
  ClickProbe(QWidget& target, const QElapsedTimer& clock, const TaskListController& list)
      : target_(target), clock_(clock), list_(list) {
    target_.installEventFilter(this);
  }

  void Post() {
    posted_.push_back(clock_.nsecsElapsed());
    const QPointF at(target_.width() - 40, 60);  // the header's background, beside no control
    QCoreApplication::postEvent(
        &target_, new QMouseEvent(QEvent::MouseButtonPress, at, target_.mapToGlobal(at),
                                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(
        &target_, new QMouseEvent(QEvent::MouseButtonRelease, at, target_.mapToGlobal(at),
                                  Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
  }

  int posted() const { return static_cast<int>(posted_.size()); }
  int landedDuringScan() const { return landedDuringScan_; }
  double longestWaitMs() const { return longestWaitNs_ / 1e6; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &target_ && event->type() == QEvent::MouseButtonPress &&
        landed_ < posted_.size()) {
      longestWaitNs_ = std::max(longestWaitNs_, clock_.nsecsElapsed() - posted_[landed_++]);
      if (list_.scanningFolders()) ++landedDuringScan_;
    }
    return false;
  }

 private:
  QWidget& target_;
  const QElapsedTimer& clock_;
  const TaskListController& list_;
  std::vector<qint64> posted_;
  std::size_t landed_ = 0;
  int landedDuringScan_ = 0;
  qint64 longestWaitNs_ = 0;
};

int Run(const Options& options) {
  QTemporaryDir program(QDir::tempPath() + "/varnell-folder-bench.XXXXXX");
  QDir().mkpath(program.path() + "/bin");
  BenchPlatform services;
  ApplicationState state;
  MainWindow window(state, services.platform, program.path());
  window.show();
  QCoreApplication::processEvents();
  TaskListController& list = window.taskListController();
  TaskListView& rows = *window.taskList();

  QElapsedTimer clock;
  clock.start();
  qint64 lastRowNs = 0;
  QObject::connect(rows.model(), &QAbstractItemModel::rowsInserted,
                   [&] { lastRowNs = clock.nsecsElapsed(); });
  ClickProbe clicks(window, clock, list);
  qint64 lastTickNs = -1;
  qint64 longestGapNs = 0;
  qint64 longestGapEndNs = 0;
  qint64 longestGapCpuNs = 0;
  qint64 lastTickCpuNs = 0;
  qint64 longestBusyNs = 0;     // the most this thread worked between two ticks
  int rowsAfterLongestGap = 0;  // where in the scan it was
  int ticks = 0;
  QEventLoop loop;
  QTimer tick;
  tick.setTimerType(Qt::PreciseTimer);
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    const qint64 cpuNow = ThreadCpuNs();
    if (lastTickNs >= 0 && now - lastTickNs > longestGapNs) {
      longestGapNs = now - lastTickNs;
      longestGapCpuNs = cpuNow - lastTickCpuNs;
      longestGapEndNs = now;
      rowsAfterLongestGap = rows.GetItemCount();
    }
    if (lastTickNs >= 0) longestBusyNs = std::max(longestBusyNs, cpuNow - lastTickCpuNs);
    lastTickNs = now;
    lastTickCpuNs = cpuNow;
    ++ticks;
    if (!list.scanningFolders()) loop.quit();
  });
  QTimer click;
  QObject::connect(&click, &QTimer::timeout, [&] {
    if (list.scanningFolders()) clicks.Post();
  });

  services.dialogs.folderAnswers.push_back(options.folder);
  clock.restart();
  list.AddFolder();  // returns once the scan has started
  if (!list.scanningFolders()) {
    std::fprintf(stderr, "the scan of %s did not start\n", qPrintable(options.folder));
    return 1;
  }
  tick.start(options.tickMs);
  click.start(options.clickMs);
  loop.exec();
  const double scanSeconds = clock.nsecsElapsed() / 1e9;
  tick.stop();
  click.stop();
  QCoreApplication::processEvents();  // the clicks still queued land now, after the scan

  const int found = rows.GetItemCount();
  std::printf("rows %d\n", found);
  std::printf("last_row_s %.3f\n", lastRowNs / 1e9);
  std::printf("scan_s %.3f\n", scanSeconds);
  std::printf("ticks %d\n", ticks);
  std::printf("longest_stall_ms %.1f\n", longestGapNs / 1e6);
  std::printf("longest_stall_cpu_ms %.1f\n", longestGapCpuNs / 1e6);
  std::printf("longest_stall_ended_s %.3f\n", longestGapEndNs / 1e9);
  std::printf("longest_busy_ms %.1f\n", longestBusyNs / 1e6);
  std::printf("rows_after_longest_stall %d\n", rowsAfterLongestGap);
  std::printf("clicks %d\n", clicks.posted());
  std::printf("clicks_during_scan %d\n", clicks.landedDuringScan());
  std::printf("longest_click_wait_ms %.1f\n", clicks.longestWaitMs());
  if (options.expectedRows >= 0 && found != options.expectedRows) {
    std::fprintf(stderr, "expected %d rows, the list holds %d\n", options.expectedRows, found);
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace varnell

int main(int argc, char** argv) {
  varnell::Options options;
  if (!varnell::ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: varnell-add-folder-bench FOLDER [--expect ROWS] [--tick-ms MS] "
                 "[--click-ms MS]\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  varnell::InitVarnellResources();
  varnell::QuietLibraryLog();
  return varnell::Run(options);
}
