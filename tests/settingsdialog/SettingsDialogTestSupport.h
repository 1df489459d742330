// A settings dialog on recorded messages, opened the way the main window opens it (no parent),
// with the user's ways of choosing from its lists.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "settings/OutputSettings.h"
#include "settings/PresetTable.h"
#include "settings/RecordingMessageSink.h"
#include "settings/dialog/SettingsDialog.h"
#include "settings/dialog/SettingsDialogTemplate.h"

namespace varnell::testing {

using namespace settings_dialog;

inline std::vector<std::string> Items(const QComboBox& list) {
  std::vector<std::string> items;
  for (int i = 0; i < list.count(); ++i) items.push_back(list.itemText(i).toStdString());
  return items;
}

inline std::string Selected(const QComboBox& list) {
  return list.currentIndex() < 0 ? "<none>" : list.currentText().toStdString();
}

// While it lives, the lists' words come out marked ("<2 Channel Stereo>"), as a translation into
// another language would change them.
class MarkingTranslator : public QTranslator {
 public:
  MarkingTranslator() { QCoreApplication::installTranslator(this); }
  ~MarkingTranslator() override { QCoreApplication::removeTranslator(this); }
  QString translate(const char* context, const char* source, const char*, int) const override {
    return QString::fromUtf8(context) == "ChoiceText" ? "<" + QString::fromUtf8(source) + ">"
                                                      : QString();
  }
  bool isEmpty() const override { return false; }
};

inline const std::vector<std::string> kCommonBitRates{
    "64 kbps", "96 kbps", "128 kbps", "160 kbps", "192 kbps", "256 kbps", "320 kbps"};
inline const std::vector<std::string> kCommonSampleRates{"44100 Hz", "48000 Hz", "22050 Hz",
                                                         "32000 Hz"};

// The texts a previous acceptance of an audio preset leaves behind.
inline SavedChoiceTexts SavedAudioChoices(std::string encoder, std::string bitRate,
                                          std::string sampleRate, std::string channel) {
  SavedChoiceTexts saved;
  saved.encoder = std::move(encoder);
  saved.audioBitRate = std::move(bitRate);
  saved.sampleRate = std::move(sampleRate);
  saved.channel = std::move(channel);
  return saved;
}

class SettingsDialogTest : public ::testing::Test {
 protected:
  // A new dialog each time, shown (not run modally) so the test can act on it.
  SettingsDialog& Open(int presetCode) {
    dialog_ = std::make_unique<SettingsDialog>(settings, presetCode, messages);
    dialog_->show();
    return *dialog_;
  }
  SettingsDialog& Dialog() { return *dialog_; }
  QComboBox& List(int id) { return *dialog_->list(id); }

  // As a user does on the closed list: arrow keys, each of which counts as a pick.
  void Pick(int id, const std::string& text) {
    QComboBox& list = List(id);
    const int target = list.findText(QString::fromStdString(text));
    ASSERT_GE(target, 0) << text << " is not offered";
    for (int step = 0; step <= list.count() && list.currentIndex() != target; ++step) {
      QTest::keyClick(&list, list.currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    }
    ASSERT_EQ(list.currentIndex(), target);
  }

  void PressOk() { dialog_->button(kOk)->click(); }

  // Opens the dialog modally and presses OK from inside its event loop; a dialog that does not
  // close ends with 99 instead of hanging the test.
  int RunAndPressOk(int presetCode) {
    SettingsDialog dialog(settings, presetCode, messages);
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.button(kOk)->click(); });
    QTimer::singleShot(5000, &dialog, [&dialog] { dialog.done(99); });
    return dialog.exec();
  }

  OutputSettings settings;
  RecordingMessageSink messages;

 private:
  std::unique_ptr<SettingsDialog> dialog_;
};

}  // namespace varnell::testing
