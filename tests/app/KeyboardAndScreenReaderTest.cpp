// The program without a mouse: a keyboard-only walk through adding a file, clipping it, the
// settings and converting, on the real windows; Tab in reading order and one button per access
// key in every dialog; and what a screen reader finds in the main, clip and settings windows
// through Qt's accessibility interfaces.
#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QComboBox>
#include <QKeySequence>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "MainWindowFixture.h"
#include "app/AboutDialog.h"
#include "clip/ClipDialog.h"
#include "clip/ClipDialogTemplate.h"
#include "controls/ControlAccessibility.h"
#include "controls/LayoutTabOrder.h"
#include "info/FileInfoDialog.h"
#include "settings/dialog/SettingsDialog.h"

namespace varnell {
namespace {

using namespace main_window;
using testing::MainWindowTest;

// The settings dialog's bit rate list; its template is private to the dialog's library.
constexpr int kSettingsBitRateList = 1070;

// The dialog's own control that holds the focus (an editable list's line edit stands for it).
QWidget* FocusedControl(const QWidget& dialog) {
  QWidget* focused = QApplication::focusWidget();
  while (focused != nullptr && focused->parentWidget() != &dialog)
    focused = focused->parentWidget();
  return focused;
}

// Tab until target has the focus; false when a whole round passes without it.
bool TabTo(const QWidget& dialog, const QWidget* target) {
  for (int step = 0; step < 64 && FocusedControl(dialog) != target; ++step) {
    QWidget* focused = QApplication::focusWidget();
    if (focused == nullptr) return false;
    QTest::keyClick(focused, Qt::Key_Tab);
  }
  return FocusedControl(dialog) == target;
}

// One round of Tab from the focused control must meet the controls Tab can reach now (shown and
// enabled) in reading order, and come back.
void ExpectTabRoundInReadingOrder(const QWidget& dialog) {
  std::vector<QWidget*> expected;
  for (QWidget* control : ReadingOrder(dialog)) {
    if (control->isVisibleTo(&dialog) && control->isEnabled()) expected.push_back(control);
  }
  QWidget* start = FocusedControl(dialog);
  const auto from = std::find(expected.begin(), expected.end(), start);
  ASSERT_NE(from, expected.end()) << dialog.windowTitle().toStdString() << ": focus outside";
  std::rotate(expected.begin(), from + 1, expected.end());
  std::vector<QWidget*> reached;
  for (std::size_t step = 0; step < expected.size(); ++step) {
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    QTest::keyClick(focused, Qt::Key_Tab);
    reached.push_back(FocusedControl(dialog));
  }
  const auto names = [](const std::vector<QWidget*>& controls) {
    std::vector<std::string> ids;
    for (const QWidget* control : controls)
      ids.push_back(control ? control->objectName().toStdString() : "none");
    return ids;
  };
  EXPECT_EQ(names(reached), names(expected)) << dialog.windowTitle().toStdString();
}

void ExpectOneButtonPerAccessKey(const QWidget& dialog) {
  std::set<QString> keys;
  for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
    if (button->window() != &dialog) continue;  // a dialog the window owns has keys of its own
    const QKeySequence key = QKeySequence::mnemonic(button->text());
    if (key.isEmpty()) continue;
    EXPECT_TRUE(keys.insert(key.toString()).second)
        << dialog.windowTitle().toStdString() << ": " << key.toString().toStdString() << " twice";
  }
}

// QWindow counts a dialog active while its owner is; keys go to QApplication's active window.
void Activate(QWidget& window) {
  window.activateWindow();
  EXPECT_TRUE(QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; }));
}

struct Seen {
  QAccessible::Role role;
  QString name;
  bool operator<(const Seen& other) const {
    return std::pair(role, name) < std::pair(other.role, other.name);
  }
};

// Every accessible below root (the cells of the task list too), by role and name.
std::set<Seen> AccessibleTree(QObject* root) {
  std::set<Seen> seen;
  std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
    if (node == nullptr || !node->isValid()) return;
    seen.insert({node->role(), node->text(QAccessible::Name)});
    for (int child = 0; child < node->childCount(); ++child) walk(node->child(child));
  };
  walk(QAccessible::queryAccessibleInterface(root));
  return seen;
}

void ExpectFound(const std::set<Seen>& tree, QAccessible::Role role,
                 std::initializer_list<const char*> names) {
  for (const char* name : names) {
    EXPECT_TRUE(tree.contains({role, QString::fromUtf8(name)})) << name << " (role " << role << ")";
  }
}

class KeyboardAndScreenReader : public MainWindowTest {
 protected:
  KeyboardAndScreenReader() { InstallControlAccessibility(); }

  MainWindow& Shown() {
    MainWindow& window = Window();
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    return window;
  }

  // Presses Space on target, reached by Tab, and runs `inside` on the modal window it opens.
  template <typename Dialog>
  bool OpensByKeyboard(QWidget* target, const std::function<void(Dialog&)>& inside) {
    Activate(Window());
    if (!TabTo(Window(), target)) return false;
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      seen = true;
      Activate(*dialog);
      inside(*dialog);
      if (dialog->isVisible()) dialog->done(QDialog::Rejected);
    });
    QTest::keyClick(target, Qt::Key_Space);
    return seen;
  }
};

TEST_F(KeyboardAndScreenReader, KeyboardOnlyAddClipSettingsAndConvert) {
  qputenv("SDL_AUDIODRIVER", "dummy");
  MainWindow& window = Shown();
  ASSERT_EQ(QApplication::focusWidget(), window.button(kAdd)) << "the window opens on Add";
  ExpectOneButtonPerAccessKey(window);

  fileDialogs.openAnswers.push_back({Recording("walk.m4a", 4.0)});
  ASSERT_TRUE(TabTo(window, window.button(kAdd)));
  QTest::keyClick(window.button(kAdd), Qt::Key_Space);
  ASSERT_TRUE(QTest::qWaitFor([this] { return List().GetItemCount() == 1; }));

  // Into the list and out of it again with one Tab each, the row chosen with the arrow keys.
  ASSERT_TRUE(TabTo(window, &List()));
  QTest::keyClick(&List(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(List().SelectedRows(), std::vector<int>{0});
  QTest::keyClick(&List(), Qt::Key_Tab);
  EXPECT_NE(FocusedControl(window), &List()) << "Tab leaves the list, not its next cell";
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(FocusedControl(window), &List());
  ExpectTabRoundInReadingOrder(window);

  int setBeginPresses = 0;
  EXPECT_TRUE(OpensByKeyboard<ClipDialog>(window.button(kClip), [&](ClipDialog& clip) {
    ExpectOneButtonPerAccessKey(clip);
    ExpectTabRoundInReadingOrder(clip);
    QObject::connect(clip.pushButton(clip_dialog::kSetBegin), &QAbstractButton::clicked,
                     [&] { ++setBeginPresses; });
    // An access key's press is shown before it clicks (QAbstractButton::animateClick).
    QTest::keyClick(&clip, Qt::Key_B, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return setBeginPresses == 1; }));
    QTest::keyClick(&clip, Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !clip.isVisible(); })) << "Alt+O is OK";
  }));
  EXPECT_EQ(setBeginPresses, 1) << "Alt+B is Set Begin Time's alone";

  // In the settings: down the bit rate list, and Enter there presses OK.
  EXPECT_TRUE(
      OpensByKeyboard<SettingsDialog>(window.button(kSetting), [](SettingsDialog& settings) {
        ExpectTabRoundInReadingOrder(settings);
        QComboBox* bitRate = settings.list(kSettingsBitRateList);
        ASSERT_TRUE(TabTo(settings, bitRate));
        const int before = bitRate->currentIndex();
        QTest::keyClick(bitRate, Qt::Key_Down);
        ASSERT_EQ(bitRate->currentIndex(), before + 1);
        QTest::keyClick(bitRate, Qt::Key_Return);
        EXPECT_FALSE(settings.isVisible());
        EXPECT_EQ(settings.result(), QDialog::Accepted);
      }));
  EXPECT_EQ(state.outputSettings.audioBitRate, 160000) << "one step up from 128 kbps";

  Activate(window);
  ASSERT_TRUE(TabTo(window, window.button(kConvert)));
  EXPECT_TRUE(window.button(kConvert)->isFocusMarkShown());
  QTest::keyClick(window.button(kConvert), Qt::Key_Return);  // the batch runs to its end here
  EXPECT_EQ(List().GetItemText(0, TaskListView::kStatus), "Completed");
  const auto report = testing::Inspect((window.currentOutputFolder() + "/walk.mp3").toStdString());
  EXPECT_EQ(report.formatName, "mp3");
  EXPECT_NEAR(report.decodedSamples, 4 * 44100, 441);
}

TEST_F(KeyboardAndScreenReader, InformationAndAboutTabInReadingOrder) {
  MainWindow& window = Shown();
  AddThroughDialog({Recording("info.m4a")});
  List().SelectAndFocusRow(0);
  EXPECT_TRUE(
      OpensByKeyboard<FileInfoDialog>(window.button(kFileInformation), [](FileInfoDialog& info) {
        ExpectTabRoundInReadingOrder(info);
        ExpectOneButtonPerAccessKey(info);
      }));
  EXPECT_TRUE(OpensByKeyboard<AboutDialog>(
      window.button(kAbout), [](AboutDialog& about) { ExpectTabRoundInReadingOrder(about); }));
}

TEST_F(KeyboardAndScreenReader, ScreenReaderFindsEveryControlByRoleAndName) {
  MainWindow& window = Shown();
  AddThroughDialog({Recording("named.m4a", 3.0)});
  const std::set<Seen> tree = AccessibleTree(&window);
  ExpectFound(
      tree, QAccessible::Button,
      {"Add File", "Add Folder", "Clip Video", "Help", "Remove", "Clear All", "Merge into a file",
       "File Information", "Conversion Settings", "Set output files", "Open output files",
       "Start Converting", "Play", "Stop", "Check Volume", "About", "Minimize", "Close"});
  ExpectFound(tree, QAccessible::Slider, {"Position", "Volume"});
  ExpectFound(tree, QAccessible::Table, {"Task list"});
  ExpectFound(tree, QAccessible::ComboBox, {"Profile", "Output folder"});
  ExpectFound(tree, QAccessible::Cell, {"00:00:03", " Ready"});

  QAccessibleInterface* volume =
      QAccessible::queryAccessibleInterface(window.slider(kVolumeSlider));
  ASSERT_NE(volume->valueInterface(), nullptr);
  EXPECT_EQ(volume->valueInterface()->currentValue().toInt(), 30000);
  EXPECT_EQ(volume->valueInterface()->maximumValue().toInt(), 100000);
  volume->valueInterface()->setCurrentValue(50000);
  EXPECT_EQ(window.slider(kVolumeSlider)->GetValue(), 50000);

  List().SelectAndFocusRow(0);
  EXPECT_TRUE(OpensByKeyboard<ClipDialog>(window.button(kClip), [](ClipDialog& clip) {
    const std::set<Seen> clipTree = AccessibleTree(&clip);
    ExpectFound(clipTree, QAccessible::Button,
                {"Stop", "Set Begin Time", "Set End Time", "Reset", "OK", "Cancel"});
    ExpectFound(clipTree, QAccessible::Slider, {"Position", "Volume"});
    ExpectFound(clipTree, QAccessible::StaticText, {"00:00:00", "00:00:03"});
  }));
  EXPECT_TRUE(
      OpensByKeyboard<SettingsDialog>(window.button(kSetting), [](SettingsDialog& settings) {
        const std::set<Seen> settingsTree = AccessibleTree(&settings);
        ExpectFound(settingsTree, QAccessible::Button, {"OK", "Cancel", "Default"});
        ExpectFound(settingsTree, QAccessible::ComboBox, {"Bit Rate", "Sample Rate"});
      }));
}

}  // namespace
}  // namespace varnell
