// The modal settings dialog behind the main window's Setting button: the current preset's name,
// and the encoder, bit rate, sample rate and channel lists; beside them how the outputs are named
// (the name pattern, what happens when an output exists) and whether the sources go to the Trash.
// OK refuses, in words, a name pattern it cannot apply. It talks to the rest of the program
// only through the output settings: opening it sets the audio-only and thumbnail flags from the
// preset, OK stores the chosen texts, Cancel and Escape store nothing else. It lives for one
// exec() on the user-interface thread.
#pragma once

#include <QDialog>
#include <QPoint>
#include <map>
#include <string>

#include "settings/MessageSink.h"
#include "settings/OutputSettings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace varnell {

class SettingsDialog : public QDialog {
  Q_OBJECT

 public:
  SettingsDialog(OutputSettings& settings, int currentPresetCode, MessageSink& messages,
                 QWidget* parent = nullptr);

  // By the template's ids (settings_dialog::ControlId); null for another id.
  QComboBox* list(int id) const;
  QPushButton* button(int id) const;
  QLineEdit* namePattern() const { return namePattern_; }
  QCheckBox* trashSources() const { return trashSources_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void BuildFromTemplate();
  void ConnectControls();

  void OnInitDialog();
  // Choice texts <-> list selections; save = true reads the selections back.
  void DoDataExchange(bool save);
  void OnShowWindow();
  void OnOK();
  void OnDefault();
  // Rebuild the lists that follow the encoder: the sample rates and channels, then the bit
  // rates the encoder writes at the selected sample rate. preferred holds the texts to keep
  // where the rebuilt lists have them (the user's own change keeps what the new encoder also
  // takes); the others get the fixed selections.
  void OnEncoderChange(const SavedChoiceTexts& preferred);
  void RebuildBitRates(const std::string& preferred);
  // The same for the frame sizes that follow the video codec; null applies the fixed selection,
  // as after the user's own change.
  void OnVideoCodecChange(const SavedChoiceTexts* preferred);

  OutputSettings& settings_;
  const int currentPresetCode_;
  MessageSink& messages_;

  std::map<int, QComboBox*> lists_;
  std::map<int, QPushButton*> buttons_;
  QLineEdit* namePattern_ = nullptr;
  QCheckBox* trashSources_ = nullptr;
  // The eight choice texts, exchanged with the lists by DoDataExchange.
  SavedChoiceTexts choices_;
  bool initialised_ = false;

  // Dragging by the dialog surface where the window system cannot move the window itself.
  bool dragging_ = false;
  QPoint dragOffset_;
};

}  // namespace varnell
