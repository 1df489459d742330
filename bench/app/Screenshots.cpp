// Makes the pictures in docs/ from the real main window and its dialogs: adds generated
// recordings through a scripted file dialog, converts them, merges them, and opens each dialog in
// turn, saving a picture of the screen at each step. Run under a virtual X server by
// scripts/screenshots.sh: the windows are real top-level windows, so a picture of the screen
// shows the progress window over the main window as a user sees it. With a language as third
// argument ("de") the window speaks it, from the translations beside this program, and only the
// window with its rows, the settings and the file information are saved, named "...-de.png".
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "BenchPlatform.h"
#include "app/MainWindow.h"
#include "app/MainWindowTemplate.h"
#include "app/ProgramTranslations.h"
#include "clip/ClipDialog.h"
#include "engine/LibraryLog.h"
#include "resources/VarnellResources.h"
#include "testmedia/SampleMediaWriter.h"

namespace {

using namespace varnell;

QString gOutput;
QString gNameSuffix;  // "-de" for the pictures of a translated window
int gFailures = 0;

// Lets the window system show what was just changed.
void Settle(int milliseconds = 300) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

// The part of the screen the widget covers, with whatever window lies over it.
void Save(QWidget& widget, const QString& name) {
  const QRect area = widget.frameGeometry();
  const QPixmap shot =
      widget.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
  QString path = gOutput + "/" + name;
  path.insert(path.size() - 4, gNameSuffix);  // before ".png"
  if (shot.isNull() || !shot.save(path)) {
    std::fprintf(stderr, "cannot save %s\n", qPrintable(path));
    ++gFailures;
    return;
  }
  std::printf("%s\n", qPrintable(path));
}

// Runs `opener`, which shows a modal dialog; once the dialog is up, `step` runs with it, then
// the dialog is closed unless the step did.
void WithModal(const std::function<void()>& opener, const std::function<void(QWidget&)>& step) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, step] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    poll->stop();
    poll->deleteLater();
    Settle();
    step(*modal);
    if (modal->isVisible()) modal->close();
  });
  poll->start(50);
  opener();
}

bool Write(const QString& path, double seconds, bool cover) {
  testmedia::SampleSpec spec;
  spec.path = path.toStdString();
  spec.seconds = seconds;
  spec.jpegCover = cover;
  spec.coverWidth = 320;
  spec.coverHeight = 240;
  std::string error;
  if (!testmedia::WriteSampleMedia(spec, &error)) {
    std::fprintf(stderr, "cannot write %s: %s\n", spec.path.c_str(), error.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  InitVarnellResources();
  QuietLibraryLog();
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s OUTPUT-FOLDER WORK-FOLDER [LANGUAGE]\n", argv[0]);
    return 2;
  }
  gOutput = QString::fromLocal8Bit(argv[1]);
  const QString work = QString::fromLocal8Bit(argv[2]);
  const QString language = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
  const ProgramTranslations translations(language.isEmpty() ? QStringList() : QStringList{language},
                                         QCoreApplication::applicationDirPath());
  if (!language.isEmpty()) {
    if (translations.language().isEmpty()) {
      std::fprintf(stderr, "no translation to %s beside %s\n", qPrintable(language), argv[0]);
      return 1;
    }
    gNameSuffix = "-" + language;
  }
  const QString media = work + "/shots";
  QDir().mkpath(media);
  QDir().mkpath(work + "/program/bin");
  const QStringList files = {media + "/Morning Walk.m4a", media + "/Long Ride.m4a",
                             media + "/Night Train.m4a", media + "/Harbour Lights.m4a"};
  const double seconds[] = {7.0, 600.0, 45.0, 30.0};
  for (int i = 0; i < files.size(); ++i) {
    if (!Write(files[i], seconds[i], i == 0)) return 1;
  }

  BenchPlatform services;
  ScriptedFileDialogs& dialogs = services.dialogs;
  ApplicationState state;
  MainWindow window(state, services.platform, work + "/program");
  window.move(0, 0);
  window.show();
  Settle(800);
  if (language.isEmpty()) Save(window, "main-window-empty.png");

  dialogs.openAnswers.push_back(files);
  window.taskListController().AddFiles();
  Settle();
  Save(window, "main-window.png");

  using namespace main_window;
  TaskListView& list = *window.taskList();
  // Settings, file information and about, each over the main window.
  WithModal([&] { window.button(kSetting)->click(); },
            [](QWidget& dialog) { Save(dialog, "settings-dialog.png"); });
  list.SelectAndFocusRow(0);
  WithModal([&] { window.button(kFileInformation)->click(); },
            [](QWidget& dialog) { Save(dialog, "file-information-dialog.png"); });
  if (!language.isEmpty()) return gFailures == 0 ? 0 : 1;
  WithModal([&] { window.button(kAbout)->click(); },
            [](QWidget& dialog) { Save(dialog, "about-dialog.png"); });

  // The clip dialog on the recording with a cover, with a begin and an end marked while it plays.
  WithModal([&] { window.button(kClip)->click(); },
            [](QWidget& modal) {
              auto* clip = qobject_cast<ClipDialog*>(&modal);
              if (clip == nullptr) return;
              Settle(1000);
              clip->OnSetBeginTime();
              Settle(2200);
              clip->OnSetEndTime();
              Settle(300);
              Save(*clip, "clip-dialog.png");
              clip->reject();
            });
  list.clearSelection();
  Settle();

  // Converting: the progress window over the main window once the first row has completed.
  bool shotWhileConverting = false;
  auto* poll = new QTimer(&window);
  QObject::connect(poll, &QTimer::timeout, [&] {
    QWidget* progress = QApplication::activeModalWidget();
    if (shotWhileConverting || progress == nullptr || list.GetItemText(0, 4) != "Completed") return;
    shotWhileConverting = true;
    Settle(600);
    Save(window, "converting.png");
  });
  poll->start(50);
  window.StartConverting();  // returns when the batch has ended and the progress window closed
  poll->stop();
  if (!shotWhileConverting) {
    std::fprintf(stderr, "the conversion ended before its picture\n");
    ++gFailures;
  }
  Settle(800);
  Save(window, "converted.png");

  // Merging every row into one file: the progress window while the second row is merged.
  for (int row = 0; row < list.GetItemCount(); ++row) list.SetCheck(row, true);
  bool shotWhileMerging = false;
  bool mergingSecondRow = false;
  QObject::connect(&window.batch(), &BatchController::rowPercent, [&](int row, int percent) {
    mergingSecondRow = mergingSecondRow || (row >= 1 && percent >= 5);
  });
  auto* mergePoll = new QTimer(&window);
  QObject::connect(mergePoll, &QTimer::timeout, [&] {
    QWidget* progress = QApplication::activeModalWidget();
    if (shotWhileMerging || progress == nullptr || !mergingSecondRow) return;
    shotWhileMerging = true;
    Settle(600);
    Save(window, "merging.png");
  });
  mergePoll->start(50);
  window.button(kMerge)->click();
  mergePoll->stop();
  if (!shotWhileMerging) {
    std::fprintf(stderr, "the merge ended before its picture\n");
    ++gFailures;
  }

  // A library added with Add Folder: two albums of an artist, each with its cover picture beside
  // the tracks, once the scan has put in the last row.
  const QString library = work + "/Music";
  const QStringList tracks = {
      "Ada Brook/Harbour Songs/01 Low Tide.m4a",  "Ada Brook/Harbour Songs/02 Gulls.m4a",
      "Ada Brook/Harbour Songs/03 Lanterns.m4a",  "Ada Brook/Harbour Songs/10 Home Port.m4a",
      "Ada Brook/Night Roads/01 Headlights.m4a",  "Ada Brook/Night Roads/02 Service Station.m4a",
      "Ada Brook/Night Roads/03 County Line.m4a", "Ada Brook/Night Roads/04 Last Exit.m4a"};
  for (int i = 0; i < tracks.size(); ++i) {
    const QString path = library + "/" + tracks[i];
    QDir().mkpath(path.left(path.lastIndexOf('/')));
    if (!Write(path, 20.0 + 15 * i, false)) return 1;
  }
  for (const char* album : {"Harbour Songs", "Night Roads"}) {
    QFile cover(library + "/Ada Brook/" + album + "/cover.txt");
    if (cover.open(QIODevice::WriteOnly)) cover.write("scanned from the sleeve\n");
  }
  window.button(kClearAll)->click();
  dialogs.folderAnswers.push_back(library);
  window.button(kAddFolder)->click();
  while (window.taskListController().scanningFolders()) Settle(100);
  Settle(600);
  Save(window, "library.png");
  return gFailures == 0 ? 0 : 1;
}
