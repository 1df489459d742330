#include "app/VarnellApplication.h"

#include <QDir>
#include <QProcessEnvironment>
#include <QTimer>
#include <cstdio>

#include "app/CommandLineFiles.h"
#include "app/MainWindow.h"
#include "app/ProgramTranslations.h"
#include "app/QuitSignalNotifier.h"
#include "controls/ControlAccessibility.h"
#include "engine/FileSizeLimitSignal.h"
#include "engine/LibraryLog.h"
#include "platform/ExecutableFolder.h"
#include "platform/qt/DesktopBrowserLauncher.h"
#include "platform/qt/FreedesktopNotifier.h"
#include "platform/qt/LogindPowerOff.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtShell.h"
#include "resources/VarnellResources.h"

namespace varnell {

VarnellApplication::VarnellApplication(int& argc, char** argv) : QApplication(argc, argv) {
  InstallControlAccessibility();
}

int VarnellApplication::InitInstance() {
  InitVarnellResources();
  // Before anything says a word: the notices below and every window speak the user's language.
  const ProgramTranslations translations(
      PreferredLanguages(QProcessEnvironment::systemEnvironment()), ExecutableFolder());
  QuietLibraryLog();
  IgnoreFileSizeLimitSignal();
  // arguments() no longer holds the options Qt took for itself (-platform, -style, ...).
  const CommandLineFiles files = ReadCommandLineFiles(arguments(), QDir::currentPath());
  for (const QString& option : files.ignoredOptions) {
    std::fprintf(stderr, "%s\n", qPrintable(IgnoredOptionNotice(option)));
  }
  QtMessageBox messages;
  QtFileDialogs fileDialogs;
  QtShell shell;
  LogindPowerOff powerOff;
  DesktopBrowserLauncher browser;
  FreedesktopNotifier notifier;
  const Platform platform{messages, fileDialogs, shell, powerOff, browser, &notifier};
  MainWindow dialog(state_, platform, ExecutableFolder());
  const QuitSignalNotifier quitSignals;
  QObject::connect(&quitSignals, &QuitSignalNotifier::quitRequested, &dialog,
                   &MainWindow::QuitOnSignal);
  // Added once the window's loop runs, so the window is up when an invalid file's box shows.
  if (!files.paths.isEmpty()) {
    QTimer::singleShot(0, &dialog, [&dialog, paths = files.paths] {
      dialog.taskListController().AddChosenFiles(paths);
    });
  }
  dialog.exec();
  return 0;
}

}  // namespace varnell
