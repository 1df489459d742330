// Times adding many files to the main window through the file dialog (offscreen, scripted
// dialog, real probes). Prints the seconds for the whole batch and per file.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>

#include "BenchPlatform.h"
#include "app/MainWindow.h"
#include "engine/LibraryLog.h"
#include "resources/VarnellResources.h"
#include "testmedia/SampleMediaWriter.h"

int main(int argc, char** argv) {
  using namespace varnell;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  InitVarnellResources();
  QuietLibraryLog();
  const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
  const QString folder = QDir::tempPath() + "/varnell-add-bench";
  QDir(folder).removeRecursively();
  QDir().mkpath(folder + "/program/bin");
  QStringList files;
  testmedia::SampleSpec spec;
  spec.seconds = 3.0;
  spec.path = (folder + "/source.m4a").toStdString();
  std::string error;
  if (!testmedia::WriteSampleMedia(spec, &error)) {
    std::fprintf(stderr, "cannot write the sample: %s\n", error.c_str());
    return 1;
  }
  for (int i = 0; i < count; ++i) {
    const QString copy = QString("%1/track%2.m4a").arg(folder).arg(i, 4, 10, QChar('0'));
    QFile::copy(QString::fromStdString(spec.path), copy);
    files << copy;
  }

  BenchPlatform services;
  ScriptedFileDialogs& dialogs = services.dialogs;
  ApplicationState state;
  MainWindow window(state, services.platform, folder + "/program");
  window.show();
  dialogs.openAnswers.push_back(files);
  QElapsedTimer timer;
  timer.start();
  window.taskListController().AddFiles();
  const double seconds = timer.nsecsElapsed() / 1e9;
  std::printf("added %d of %d files in %.2f s (%.2f ms per file)\n",
              window.taskList()->GetItemCount(), count, seconds, seconds * 1000 / count);
  QDir(folder).removeRecursively();
  return window.taskList()->GetItemCount() == count ? 0 : 1;
}
