// The clip dialog driven for real: generated m4a tones played through the player library on its
// pulled device, so playback goes exactly as far as a test plays it. EditRow runs a modal loop,
// so each test queues its steps to run inside it.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "Media.h"
#include "TempFolder.h"
#include "clip/ClipDialog.h"
#include "clip/ClipDialogTemplate.h"
#include "playermodule/PlayerModule.h"
#include "playermodule/PlayerModuleTesting.h"

namespace varnell::testing {

using EditResult = std::optional<std::pair<QString, QString>>;

class ClipDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { PlayerModuleTesting_UsePulledDevice(1); }
  void TearDown() override { PlayerModuleTesting_UsePulledDevice(0); }

  std::string Tone(const std::string& name, double seconds, bool cover = false, int coverWidth = 64,
                   int coverHeight = 48) {
    testmedia::SampleSpec spec = varnell::testing::Tone(folder_ / name, seconds);
    spec.jpegCover = cover;
    spec.coverWidth = coverWidth;
    spec.coverHeight = coverHeight;
    return WriteSample(spec);
  }

  static ClipRow Row(const std::string& path, const QString& start, const QString& end,
                     const QString& duration) {
    return ClipRow{QString::fromStdString(path), start, end, duration};
  }

  // Runs steps once the dialog is up, then closes it with Cancel unless the steps did.
  EditResult Edit(ClipDialog& dialog, const ClipRow& row, std::function<void()> steps) {
    QTimer::singleShot(0, &dialog, [&dialog, steps = std::move(steps)] {
      steps();
      if (dialog.isVisible()) dialog.reject();
    });
    return dialog.EditRow(row);
  }

  // The limit only keeps a broken dialog from hanging the run.
  static bool WaitUntil(const std::function<bool()>& condition, int limitMs = 30000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
      if (clock.elapsed() > limitMs) return false;
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
  }

  // Plays `seconds` of the open file; returns the frames played (0 while paused or stopped).
  static int Play(double seconds) {
    int rate = 0;
    if (PlayerModuleTesting_GetDeviceRate(&rate) != 0) return -1;
    return PlayerModuleTesting_Pull(nullptr, static_cast<int>(std::lround(seconds * rate)));
  }

  // Waits until the position timer has shown the player's position on the slider and in the
  // dialog's current second.
  static bool ShowsThePosition(ClipDialog& dialog) {
    return WaitUntil([&] {
      float fraction = 0.0f;
      double duration = 0.0;
      if (PlayerModule_GetPos(&fraction) != 0 || PlayerModule_GetDuration(&duration) != 0)
        return false;
      return dialog.slider(clip_dialog::kPositionSlider)->GetValue() ==
                 static_cast<int>(fraction * 1000) &&
             dialog.currentSeconds() == static_cast<int>(fraction * duration);
    });
  }

  // Seeks to a slider value and leaves the player paused there, with the position timer's
  // reading of it in the dialog.
  static void PauseAt(ClipDialog& dialog, int sliderValue) {
    if (dialog.playAction() == ClipDialog::PlayAction::Pause) dialog.OnPlayPause();
    dialog.slider(clip_dialog::kPositionSlider)->SetValue(sliderValue);
    dialog.OnSeek(clip_dialog::kPositionSlider);  // plays on
    ASSERT_EQ(dialog.playAction(), ClipDialog::PlayAction::Pause);
    dialog.OnPlayPause();
    ASSERT_TRUE(ShowsThePosition(dialog));
  }

  TempFolder folder_;
};

}  // namespace varnell::testing
