// Times a batch converted by the main window's own launch path: eight long recordings added
// through the (scripted) file dialog and converted to the window's default MP3 profile by a click
// on Start converting, which runs the modal progress window, the rows' outcomes in the Status
// column and the completion message. The engine converts one row at a time in one set of runs and
// one row per core in the other; with --convert, varnell-convert converts the same files with the
// same number of files at once beside each, alternating, so drift on the machine falls on all
// alike. Prints the median wall time of each, their ratios, and the process's peak resident memory.
//
// Usage: varnell-window-convert-bench [--files N] [--seconds S] [--repeats R] [--idle-wait W]
//                                     [--convert PATH-TO-varnell-convert]
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "BenchPlatform.h"
#include "app/MainWindow.h"
#include "app/MainWindowTemplate.h"
#include "engine/LibraryLog.h"
#include "resources/VarnellResources.h"
#include "testmedia/SampleMediaWriter.h"

namespace varnell {
namespace {

struct Options {
  int files = 8;
  double seconds = 120.0;
  int repeats = 3;
  double idleWaitSeconds = 20.0;
  std::string convert;  // varnell-convert, timed on the same files; empty: the window alone
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    const char* value = argv[i + 1];
    if (name == "--files") {
      options.files = std::atoi(value);
    } else if (name == "--seconds") {
      options.seconds = std::atof(value);
    } else if (name == "--repeats") {
      options.repeats = std::atoi(value);
    } else if (name == "--idle-wait") {
      options.idleWaitSeconds = std::atof(value);
    } else if (name == "--convert") {
      options.convert = value;
    } else {
      return false;
    }
  }
  return argc % 2 == 1 && options.files > 0 && options.seconds > 0 && options.repeats > 0;
}

// Seconds the machine's cores have been busy since boot (every process, ours included).
double MachineBusySeconds() {
  std::ifstream stat("/proc/stat");
  std::string cpu;
  stat >> cpu;
  std::vector<long long> fields(8, 0);
  for (long long& field : fields) stat >> field;
  const long long idle = fields[3] + fields[4];
  return (std::accumulate(fields.begin(), fields.end(), 0LL) - idle) /
         static_cast<double>(sysconf(_SC_CLK_TCK));
}

double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  auto seconds = [](const timeval& value) { return value.tv_sec + value.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double OwnCpuSeconds() { return CpuSeconds(RUSAGE_SELF); }

long PeakResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Other processes share the cores: before each run, wait (up to `limit` seconds) for one
// second in which the machine is under a tenth of a core busy. What still competes shows in
// the "other" figure of the run.
void WaitForIdleCores(double limit) {
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < limit * 1000) {
    const double before = MachineBusySeconds();
    QThread::sleep(1);
    if (MachineBusySeconds() - before < 0.1) return;
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct RunFigures {
  double wallSeconds =
      0;  // the click, until the progress window closed and the message was answered
  double rowsSeconds = 0;  // the click, until the last row's result was final
  double cpuSeconds = 0, otherSeconds = 0;
};

class WindowBatch {
 public:
  WindowBatch(const Options& options, const QString& folder)
      : options_(options),
        folder_(folder),
        window_(state_, services_.platform, folder + "/program") {
    window_.show();
  }

  bool AddSources(std::string& error) {
    QStringList paths;
    for (int i = 0; i < options_.files; ++i) {
      testmedia::SampleSpec spec;
      spec.seconds = options_.seconds;
      spec.frequencyHz = 330 + 55 * i;  // distinct tones: no two sources alike
      spec.path = QString("%1/track%2.m4a").arg(folder_).arg(i).toStdString();
      if (!testmedia::WriteSampleMedia(spec, &error)) return false;
      paths << QString::fromStdString(spec.path);
    }
    sources_ = paths;
    services_.dialogs.openAnswers.push_back(paths);
    window_.taskListController().AddFiles();
    if (window_.taskList()->GetItemCount() != options_.files) {
      error = "the window took " + std::to_string(window_.taskList()->GetItemCount()) + " rows";
      return false;
    }
    return true;
  }

  QString ProfileName() const { return window_.profileBox()->currentText(); }
  const QStringList& sources() const { return sources_; }

  // One batch with `rowWorkers` rows at a time into a fresh folder; false with a reason when
  // the window did not convert every row into a file of plausible size.
  bool Run(int rowWorkers, const QString& outputFolder, RunFigures& figures, std::string& error) {
    QDir().mkpath(outputFolder);
    TaskListView& list = *window_.taskList();
    for (int row = 0; row < list.GetItemCount(); ++row) {
      list.SetCheck(row, true);
      list.SetItemText(row, TaskListView::kStatus, " Ready");
      list.SetItemToolTip(row, TaskListView::kStatus, "");
    }
    window_.outputFolderBox()->setEditText(outputFolder);
    window_.batch().setRowWorkers(rowWorkers);
    services_.messages.shown.clear();
    services_.messages.answers = {MessageChoice::Cancel};  // the web site is not opened

    WaitForIdleCores(options_.idleWaitSeconds);
    const double busyBefore = MachineBusySeconds();
    const double cpuBefore = OwnCpuSeconds();
    QElapsedTimer timer;
    // The last row's outcome as the window shows it, apart from the end of the batch and the
    // message.
    figures.rowsSeconds = -1;
    const QMetaObject::Connection lastRow =
        QObject::connect(&window_.batch(), &BatchController::rowEnded, [&](int row) {
          if (row == options_.files - 1) figures.rowsSeconds = timer.nsecsElapsed() / 1e9;
        });
    timer.start();
    window_.button(main_window::kConvert)->click();
    figures.wallSeconds = timer.nsecsElapsed() / 1e9;
    QObject::disconnect(lastRow);
    figures.cpuSeconds = OwnCpuSeconds() - cpuBefore;
    figures.otherSeconds = std::max(0.0, MachineBusySeconds() - busyBefore - figures.cpuSeconds);
    return Verify(outputFolder, error);
  }

 private:
  bool Verify(const QString& outputFolder, std::string& error) {
    const TaskListView& list = *window_.taskList();
    const auto& shown = services_.messages.shown;
    if (shown.size() != 1 || !shown[0].text.startsWith("Convertion Successfully!")) {
      error = "no completion message";
      return false;
    }
    // 80 % of what the profile's 128 kb/s implies for the source's length.
    const qint64 minimumBytes = static_cast<qint64>(128000 / 8 * options_.seconds * 0.8);
    for (int row = 0; row < list.GetItemCount(); ++row) {
      const QString status = list.GetItemText(row, TaskListView::kStatus);
      const QString output = list.item(row, TaskListView::kStatus)->toolTip();
      if (status != "Completed" || QFileInfo(output).absolutePath() != outputFolder) {
        error = QString("row %1 says \"%2\" (%3)").arg(row).arg(status, output).toStdString();
        return false;
      }
      if (QFileInfo(output).size() < minimumBytes) {
        error =
            QString("%1 holds %2 bytes").arg(output).arg(QFileInfo(output).size()).toStdString();
        return false;
      }
    }
    const int written = QDir(outputFolder).entryList({"*.mp3"}, QDir::Files).size();
    if (written != list.GetItemCount()) {
      error = std::to_string(written) + " outputs written";
      return false;
    }
    return true;
  }

  const Options& options_;
  QString folder_;
  QStringList sources_;
  BenchPlatform services_;
  ApplicationState state_;
  MainWindow window_;
};

// varnell-convert on the window's sources, `jobs` files at once, into a fresh folder; false with
// a reason when it failed or did not write every file.
bool RunConverter(const Options& options, const QStringList& sources, int jobs,
                  const QString& outputFolder, RunFigures& figures, std::string& error) {
  QDir().mkpath(outputFolder);
  QStringList arguments{"--jobs", QString::number(jobs), "--output-dir", outputFolder};
  arguments << sources;
  WaitForIdleCores(options.idleWaitSeconds);
  QProcess converter;
  converter.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  const double busyBefore = MachineBusySeconds();
  const double childBefore = CpuSeconds(RUSAGE_CHILDREN);
  QElapsedTimer timer;
  timer.start();
  converter.start(QString::fromStdString(options.convert), arguments);
  const bool finished = converter.waitForFinished(-1);
  figures.wallSeconds = figures.rowsSeconds = timer.nsecsElapsed() / 1e9;
  figures.cpuSeconds = CpuSeconds(RUSAGE_CHILDREN) - childBefore;
  figures.otherSeconds = std::max(0.0, MachineBusySeconds() - busyBefore - figures.cpuSeconds);
  if (!finished || converter.exitStatus() != QProcess::NormalExit || converter.exitCode() != 0) {
    error = "varnell-convert failed: " + converter.readAllStandardOutput().toStdString();
    return false;
  }
  const int written = QDir(outputFolder).entryList({"*.mp3"}, QDir::Files).size();
  if (written != sources.size()) {
    error = std::to_string(written) + " outputs written by varnell-convert";
    return false;
  }
  return true;
}

int Main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(
        stderr,
        "usage: %s [--files N] [--seconds S] [--repeats R] [--idle-wait W] [--convert PATH]\n",
        argv[0]);
    return 2;
  }
  QTemporaryDir work(QDir::tempPath() + "/varnell-window-bench.XXXXXX");
  if (!work.isValid()) {
    std::fprintf(stderr, "cannot make a work folder in %s\n", qPrintable(QDir::tempPath()));
    return 1;
  }
  const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  QDir().mkpath(work.path() + "/program/bin");
  WindowBatch batch(options, work.path());
  std::string error;
  if (!batch.AddSources(error)) {
    std::fprintf(stderr, "cannot add the sources: %s\n", error.c_str());
    return 1;
  }
  std::printf("sources: %d x %.0fs 44.1 kHz stereo AAC (.m4a), profile %s, %d repeats, %d cores\n",
              options.files, options.seconds, qPrintable(batch.ProfileName()), options.repeats,
              cores);

  // Sides 0 and 1: the window with 1 and C row workers; 2 and 3: varnell-convert --jobs 1 and C.
  const int workerCounts[] = {1, cores, 1, cores};
  const int sides = options.convert.empty() ? 2 : 4;
  std::vector<RunFigures> runs[4];
  long peakAfterOneRow = 0;
  for (int repeat = 0; repeat < options.repeats; ++repeat) {
    for (int side = 0; side < sides; ++side) {
      const QString output = QString("%1/out-%2-%3").arg(work.path()).arg(side).arg(repeat);
      const bool window = side < 2;
      RunFigures figures;
      const bool counted = window ? batch.Run(workerCounts[side], output, figures, error)
                                  : RunConverter(options, batch.sources(), workerCounts[side],
                                                 output, figures, error);
      if (!counted) {
        std::fprintf(stderr, "run %d with %d row workers does not count: %s\n", repeat,
                     workerCounts[side], error.c_str());
        return 1;
      }
      std::printf(
          "run %d, %s, %d row worker(s): %.3f s wall, %.3f s rows, %.3f s cpu, %.3f s other\n",
          repeat, window ? "window" : "varnell-convert", workerCounts[side], figures.wallSeconds,
          figures.rowsSeconds, figures.cpuSeconds, figures.otherSeconds);
      std::fflush(stdout);
      runs[side].push_back(figures);
      if (repeat == 0 && side == 0) peakAfterOneRow = PeakResidentKiB();
      QDir(output).removeRecursively();
    }
  }

  auto median = [&runs](int side, double RunFigures::*field) {
    std::vector<double> values;
    for (const RunFigures& run : runs[side]) values.push_back(run.*field);
    return Median(values);
  };
  const double one = median(0, &RunFigures::wallSeconds);
  const double all = median(1, &RunFigures::wallSeconds);
  const double ratio = one / all;
  const double rowsRatio =
      median(0, &RunFigures::rowsSeconds) / median(1, &RunFigures::rowsSeconds);
  std::printf(
      "\nmedian over %d runs: wall = the click until the message was answered, rows = until "
      "the last row was final,\ncpu = user+sys of this process, other = CPU used by other "
      "processes meanwhile\n",
      options.repeats);
  std::printf("%-24s %10s %10s %10s %10s\n", "rows", "wall_s", "rows_s", "cpu_s", "other_s");
  for (int side = 0; side < sides; ++side) {
    std::printf("%-16s N=%-5d %10.3f %10.3f %10.3f %10.3f\n",
                side < 2 ? "window" : "varnell-convert", workerCounts[side],
                median(side, &RunFigures::wallSeconds), median(side, &RunFigures::rowsSeconds),
                median(side, &RunFigures::cpuSeconds), median(side, &RunFigures::otherSeconds));
  }
  std::printf("ratio N=1 / N=%d: %.3f wall (goal >= 1.8 on two cores: %s), %.3f rows\n", cores,
              ratio, ratio >= 1.8 ? "PASS" : "MISS", rowsRatio);
  if (sides == 4) {
    // The window's own cost: its launch, progress window and Status column over the same work.
    for (int side = 0; side < 2; ++side) {
      const double versus =
          median(side, &RunFigures::wallSeconds) / median(side + 2, &RunFigures::wallSeconds);
      std::printf("ratio window / varnell-convert, N=%d: %.3f wall (goal <= 1.03: %s)\n",
                  workerCounts[side], versus, versus <= 1.03 ? "PASS" : "MISS");
    }
  }
  std::printf("peak RSS: %ld KiB after the first N=1 batch, %ld KiB after all batches\n",
              peakAfterOneRow, PeakResidentKiB());
  if (median(1, &RunFigures::otherSeconds) > all / 10) {
    std::printf(
        "WARNING: other processes used the CPUs during the N=%d runs; the ratio understates "
        "the window's parallelism. Rerun on an idle machine.\n",
        cores);
  }
  return 0;
}

}  // namespace
}  // namespace varnell

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  varnell::InitVarnellResources();
  varnell::QuietLibraryLog();
  return varnell::Main(argc, argv);
}
