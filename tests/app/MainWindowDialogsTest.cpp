// The Setting, File Information and About buttons open their windows modally.
#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include "MainWindowFixture.h"
#include "app/AboutDialog.h"
#include "clip/ClipDialogTemplate.h"
#include "info/FileInfoDialog.h"
#include "settings/dialog/SettingsDialog.h"

namespace varnell {
namespace {

using namespace main_window;
using testing::MainWindowTest;

class MainWindowDialogs : public MainWindowTest {
 protected:
  // Runs `look` on the modal window that `open` shows, then closes that window.
  template <typename Dialog>
  bool Opens(const std::function<void()>& open, const std::function<void(Dialog&)>& look) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      seen = true;
      look(*dialog);
      dialog->done(QDialog::Rejected);
    });
    open();
    return seen;
  }
};

TEST_F(MainWindowDialogs, SettingOpensTheSettingsOfTheCurrentPreset) {
  AddThroughDialog({Recording("a.m4a")});
  Window().profileBox()->setCurrentIndex(1);
  EXPECT_TRUE(
      Opens<SettingsDialog>([this] { Window().button(kSetting)->click(); },
                            [](SettingsDialog& settings) { EXPECT_TRUE(settings.isVisible()); }));
  EXPECT_EQ(state.outputSettings.audioCodecName, "WMA8");  // cancelled: nothing changed
}

TEST_F(MainWindowDialogs, FileInformationShowsTheFirstSelectedRow) {
  const QString path = Recording("info.m4a", 4.0);
  AddThroughDialog({path});
  List().SelectAndFocusRow(0);
  EXPECT_TRUE(Opens<FileInfoDialog>([this] { Window().button(kFileInformation)->click(); },
                                    [](FileInfoDialog&) {}));
  EXPECT_EQ(state.mediaInformation.sourcePath, path.toStdString());
  EXPECT_EQ(state.mediaInformation.mediaLength, "00:00:04");

  // From the context menu too; without a selection nothing opens.
  Tasks().runMenu = [](QMenu& menu, const QPoint&) { return menu.actions().back(); };
  EXPECT_TRUE(Opens<FileInfoDialog>([this] { Tasks().ContextMenu({}); }, [](FileInfoDialog&) {}));
  List().clearSelection();
  EXPECT_FALSE(
      Opens<FileInfoDialog>([this] { Tasks().ShowFileInformation(); }, [](FileInfoDialog&) {}));
}

// Each selected row gets its clip dialog in turn; OK writes the times, and the next batch
// converts exactly that range.
TEST_F(MainWindowDialogs, ClipEditsEachSelectedRowAndTheRowConvertsItsRange) {
  qputenv("SDL_AUDIODRIVER", "dummy");
  AddThroughDialog({Recording("a.m4a", 6.0), Recording("b.m4a", 6.0)});
  List().SelectAndFocusRow(0);
  List().SelectAndFocusRow(1);
  int opened = 0;
  std::function<void()> answer = [&] {
    auto* clip = qobject_cast<ClipDialog*>(QApplication::activeModalWidget());
    if (clip == nullptr) return;
    ++opened;
    if (opened == 1) {
      clip->timeLabel(clip_dialog::kBeginLabel)->ChangeText("00:00:01");
      clip->timeLabel(clip_dialog::kEndLabel)->ChangeText("00:00:03");
      clip->OnOk();
      QTimer::singleShot(0, answer);  // the second row's dialog opens next
    } else {
      clip->reject();
    }
  };
  QTimer::singleShot(0, answer);
  Window().button(kClip)->click();
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(List().GetItemText(0, TaskListView::kStartTime), "00:00:01");
  EXPECT_EQ(List().GetItemText(0, TaskListView::kEndTime), "00:00:03");
  EXPECT_EQ(List().GetItemText(1, TaskListView::kEndTime), "00:00:06");  // left without saving

  List().SetCheck(1, false);
  Window().StartConverting();
  const auto report = testing::Inspect((Window().currentOutputFolder() + "/a.mp3").toStdString());
  EXPECT_NEAR(report.decodedSamples, 2 * 44100, 44);
}

TEST_F(MainWindowDialogs, AboutOpensOverTheMainWindow) {
  EXPECT_TRUE(Opens<AboutDialog>([this] { Window().button(kAbout)->click(); },
                                 [](AboutDialog& about) { EXPECT_TRUE(about.isVisible()); }));
}

}  // namespace
}  // namespace varnell
