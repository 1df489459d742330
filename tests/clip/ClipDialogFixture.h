// The clip dialog driven for real: generated m4a tones played through the player library on
// SDL's dummy device. EditRow runs a modal loop, so each test queues its steps to run inside it.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "Media.h"
#include "TempFolder.h"
#include "clip/CClipDialog.h"
#include "clip/ClipDialogTemplate.h"

namespace varnell::testing {

using EditResult = std::optional<std::pair<QString, QString>>;

class ClipDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("SDL_AUDIODRIVER", "dummy", 0); }

  std::string Tone(const std::string& name, double seconds, bool cover = false,
                   int coverWidth = 64, int coverHeight = 48) {
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
  EditResult Edit(CClipDialog& dialog, const ClipRow& row, std::function<void()> steps) {
    QTimer::singleShot(0, &dialog, [&dialog, steps = std::move(steps)] {
      steps();
      if (dialog.isVisible()) dialog.reject();
    });
    return dialog.EditRow(row);
  }

  static bool WaitUntil(const std::function<bool()>& condition, int limitMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
      if (clock.elapsed() > limitMs) return false;
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
  }

  static void Wait(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
  }

  // Seeks to a slider value and leaves the player paused there, with the position timer's
  // reading of it in the dialog.
  static void PauseAt(CClipDialog& dialog, int sliderValue) {
    if (dialog.playAction() == CClipDialog::PlayAction::Pause) dialog.OnPlayPause();
    dialog.slider(clip_dialog::kPositionSlider)->SetValue(sliderValue);
    dialog.OnSeek(clip_dialog::kPositionSlider);  // plays on, with the play look kept
    dialog.OnPlayPause();
    dialog.OnPlayPause();
    Wait(350);
  }

  TempFolder folder_;
};

}  // namespace varnell::testing
