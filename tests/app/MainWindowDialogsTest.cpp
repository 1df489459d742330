// The Setting, File Information and About buttons open their windows modally.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcessEnvironment>
#include <QSet>
#include <QTimer>
#include <QTranslator>

#include "MainWindowFixture.h"
#include "app/AboutDialog.h"
#include "app/ProgramTranslations.h"
#include "app/SkinCaptions.h"
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

QProcessEnvironment Environment(std::initializer_list<std::pair<QString, QString>> variables) {
  QProcessEnvironment environment;
  for (const auto& [name, value] : variables) environment.insert(name, value);
  return environment;
}

// The window as a portable copy runs it: the built translations in translations/ beside it.
class TranslatedWindow : public MainWindowDialogs {
 protected:
  TranslatedWindow() {
    QDir(ProgramFolder()).mkdir("translations");
    EXPECT_TRUE(QFile::copy(VARNELL_BUILT_TRANSLATIONS "/varnell_de.qm",
                            ProgramFolder() + "/translations/varnell_de.qm"));
  }

  struct Texts {
    QString addButton, sourceColumn, helpMissing, settingsTitle, presetCaption, addCaption;
  };
  // The window's texts in four places: a button, a list column, a message box and the settings
  // dialog, as the Setting button opens it for an added file.
  void ExpectWindowSays(const Texts& expected) {
    EXPECT_EQ(Window().button(kAdd)->text(), expected.addButton);
    // The words on the skin's buttons are the language's too.
    EXPECT_EQ(Window().button(kAdd)->shownCaption(), expected.addCaption);
    Click(kHelp);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, expected.helpMissing);
    AddThroughDialog({Recording("a.m4a")});
    EXPECT_TRUE(Opens<SettingsDialog>([this] { Click(kSetting); },
                                      [&expected](SettingsDialog& settings) {
                                        EXPECT_EQ(settings.windowTitle(), expected.settingsTitle);
                                        QStringList captions;
                                        for (const QLabel* label : settings.findChildren<QLabel*>())
                                          captions << label->text();
                                        EXPECT_TRUE(captions.contains(expected.presetCaption))
                                            << captions.join('|').toStdString();
                                      }));
  }
};

// `LANGUAGE=de varnell`, even in a "C" session: the buttons, the list, the boxes the window
// shows, the settings dialog and Qt's own texts are German.
TEST_F(TranslatedWindow, LanguageDeShowsTheWindowItsBoxesAndItsSettingsInGerman) {
  const ProgramTranslations german(
      PreferredLanguages(Environment({{"LANGUAGE", "de_DE.UTF-8"}, {"LANG", "C"}})),
      ProgramFolder());
  EXPECT_EQ(german.language(), "de_DE");
  EXPECT_TRUE(german.translatesQt());
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
  ExpectWindowSays({"&Dateien hinzufügen", "Quelldatei", "Die Hilfedatei wurde nicht gefunden!",
                    "Einstellungen", "Formatvorlage:", "Dateien"});
}

// LANG=C, or an English language first, keeps the design's English although German is there.
TEST_F(TranslatedWindow, LangCAndEnglishFirstKeepTheDesignsEnglish) {
  EXPECT_EQ(ProgramTranslations(PreferredLanguages(Environment({{"LANGUAGE", "en_GB:de"}})),
                                ProgramFolder())
                .language(),
            "");
  const ProgramTranslations english(PreferredLanguages(Environment({{"LANG", "C"}})),
                                    ProgramFolder());
  EXPECT_EQ(english.language(), "");
  ExpectWindowSays(
      {"&Add", "Source file", "Can not find help file!", "Setting", "Format Preset:", "Add"});
}

// Every language's words on the skin fit their room, if need be set narrower and smaller.
TEST(SkinCaptionsTest, EveryTranslationFitsTheSkin) {
  const QDir built(VARNELL_BUILT_TRANSLATIONS);
  const QStringList languages = built.entryList({"varnell_*.qm"});
  ASSERT_FALSE(languages.isEmpty());
  for (const QString& language : languages) {
    QTranslator translator;
    ASSERT_TRUE(translator.load(built.filePath(language)));
    const auto fits = [&](const CaptionStyle& style, const char* english) {
      const QString translated = translator.translate("SkinCaptions", english);
      return !FitCaption(style, translated.isEmpty() ? english : translated).elided;
    };
    for (const skin_captions::ButtonEntry& entry : skin_captions::kButtons)
      EXPECT_TRUE(fits(entry.caption.style, entry.text)) << language.toStdString() << entry.text;
    for (const skin_captions::PictureEntry& entry : skin_captions::kPictures)
      EXPECT_TRUE(fits(entry.style, entry.text)) << language.toStdString() << entry.text;
  }
}

// In every language, English included, each skinned button's access key is a letter of the word
// it shows, and no two buttons share one.
TEST(SkinCaptionsTest, EveryTranslationsAccessKeysAreLettersOfTheShownWords) {
  const QDir built(VARNELL_BUILT_TRANSLATIONS);
  QStringList languages = built.entryList({"varnell_*.qm"});
  ASSERT_FALSE(languages.isEmpty());
  languages.prepend(QString());  // the design's English
  for (const QString& language : languages) {
    QTranslator translator;
    ASSERT_TRUE(language.isEmpty() || translator.load(built.filePath(language)));
    const auto shown = [&](const char* context, const char* english) {
      const QString translated = translator.translate(context, english);
      return translated.isEmpty() ? QString::fromUtf8(english) : translated;
    };
    QSet<QChar> keys;
    for (const skin_captions::ButtonEntry& entry : skin_captions::kButtons) {
      const auto control = std::find_if(
          kControls.begin(), kControls.end(),
          [&entry](const ControlTemplate& control) { return control.id == entry.controlId; });
      if (control == kControls.end()) continue;
      const QString text = shown("MainWindowTemplate", control->text);
      const qsizetype marker = text.indexOf('&');
      if (marker < 0 || marker + 1 >= text.size()) continue;
      const QChar key = text[marker + 1].toLower();
      const QString caption = shown("SkinCaptions", entry.text);
      EXPECT_TRUE(caption.toLower().contains(key))
          << language.toStdString() << ": " << text.toStdString() << " on "
          << caption.toStdString();
      EXPECT_FALSE(keys.contains(key)) << language.toStdString() << ": " << text.toStdString();
      keys.insert(key);
    }
    EXPECT_GE(keys.size(), 5) << language.toStdString();
  }
}

// Where the languages come from, and where an installed program finds its translations.
TEST(ProgramTranslationsTest, LanguagesComeFromTheEnvironmentAndInstalledTranslationsAreFound) {
  EXPECT_EQ(PreferredLanguages(Environment({{"LANGUAGE", "de_AT.UTF-8@euro:fr"}, {"LANG", "C"}})),
            QStringList({"de_AT", "fr"}));
  EXPECT_EQ(PreferredLanguages(Environment({{"LC_ALL", "de_CH.UTF-8"}, {"LANG", "fr_FR.UTF-8"}})),
            QStringList({"de_CH"}));
  EXPECT_EQ(PreferredLanguages(Environment({{"LC_MESSAGES", "POSIX"}, {"LANG", "de_DE"}})),
            QStringList({"C"}));
  EXPECT_EQ(PreferredLanguages(Environment({{"LANG", "C.UTF-8"}})), QStringList({"C"}));

  // PREFIX/bin/varnell with PREFIX/share/varnell/translations/; Austrian German takes German.
  testing::TempFolder prefix;
  QDir root(QString::fromStdString(prefix.path().string()));
  ASSERT_TRUE(root.mkpath("bin") && root.mkpath("share/varnell/translations"));
  ASSERT_TRUE(QFile::copy(VARNELL_BUILT_TRANSLATIONS "/varnell_de.qm",
                          root.filePath("share/varnell/translations/varnell_de.qm")));
  {
    const ProgramTranslations installed({"fr", "de_AT"}, root.filePath("bin"));
    EXPECT_EQ(installed.language(), "de_DE");
    EXPECT_EQ(QCoreApplication::translate("varnell::MainWindow", "Can not find help file!"),
              "Die Hilfedatei wurde nicht gefunden!");
  }
  EXPECT_EQ(QCoreApplication::translate("varnell::MainWindow", "Can not find help file!"),
            "Can not find help file!")
      << "the translation is removed with its owner";
  EXPECT_EQ(ProgramTranslations({"de"}, root.path()).language(), "") << "nothing beside it";
}

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
