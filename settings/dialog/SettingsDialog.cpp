#include "settings/dialog/SettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QWindow>
#include <algorithm>
#include <string>

#include "controls/ControlLookup.h"
#include "controls/DialogUnits.h"
#include "controls/EnterClicksButton.h"
#include "controls/TemplateBuilder.h"
#include "controls/TemplateDialog.h"
#include "settings/OutputNamePattern.h"
#include "settings/PresetTable.h"
#include "settings/SettingsAcceptance.h"
#include "settings/dialog/ChoiceListControl.h"
#include "settings/dialog/EncoderChangeTable.h"
#include "settings/dialog/SettingsDialogTemplate.h"
#include "settings/dialog/VideoCodecChangeTable.h"

namespace varnell {

using namespace settings_dialog;

namespace {

// Each list with its preset column and its choice text, in the order the lists exchange their
// texts: frame size, frame rate and video codec first, then 1066 to 1070.
struct ChoicePair {
  int id;
  PresetColumn column;
  std::string SavedChoiceTexts::*text;
};

constexpr ChoicePair kChoicePairs[] = {
    {kFrameSize, PresetColumn::FrameSize, &SavedChoiceTexts::frameSize},
    {kFrameRate, PresetColumn::FrameRate, &SavedChoiceTexts::frameRate},
    {kVideoCodec, PresetColumn::VideoCodec, &SavedChoiceTexts::videoCodec},
    {kVideoBitRate, PresetColumn::VideoBitRate, &SavedChoiceTexts::videoBitRate},
    {kSampleRate, PresetColumn::SampleRate, &SavedChoiceTexts::sampleRate},
    {kChannel, PresetColumn::Channel, &SavedChoiceTexts::channel},
    {kEncoder, PresetColumn::AudioEncoder, &SavedChoiceTexts::encoder},
    {kAudioBitRate, PresetColumn::AudioBitRate, &SavedChoiceTexts::audioBitRate},
};

// The closed height of a drop-down list; the template's heights include the dropped part.
constexpr int kClosedListHeightUnits = 14;
// The template's 80-unit lists were measured for a narrower font and cut "2 Channel Stereo" on a
// Linux desktop; the visible lists reach to 10 units inside the group box's right edge (168), the
// inset its captions have on the left.
constexpr int kVisibleListRightUnits = 158;

QRect Units(int x, int y, int width, int height) {
  return DialogUnitsToPixels(x, y, width, height, TemplateFont::Shell8pt);
}

SavedChoiceTexts DefaultChoices(const Preset& preset) {
  SavedChoiceTexts defaults;
  for (const ChoicePair& pair : kChoicePairs)
    defaults.*pair.text = preset.parameter(pair.column).defaultChoice;
  if (preset.audioOnly) {
    defaults.frameSize.clear();
    defaults.frameRate.clear();
    defaults.videoCodec.clear();
    defaults.videoBitRate.clear();
  }
  return defaults;
}

AcceptedChoices ToAccepted(const SavedChoiceTexts& texts) {
  return AcceptedChoices{.encoder = texts.encoder,
                         .audioBitRate = texts.audioBitRate,
                         .sampleRate = texts.sampleRate,
                         .channel = texts.channel,
                         .videoCodec = texts.videoCodec,
                         .frameSize = texts.frameSize,
                         .frameRate = texts.frameRate,
                         .videoBitRate = texts.videoBitRate};
}

}  // namespace

SettingsDialog::SettingsDialog(OutputSettings& settings, int currentPresetCode,
                               MessageSink& messages, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      currentPresetCode_(currentPresetCode),
      messages_(messages) {
  SetUpTemplateDialog(*this, tr("Setting"), QSize(kWidthUnits, kHeightUnits));

  BuildFromTemplate();
  ConnectControls();
}

QComboBox* SettingsDialog::list(int id) const { return FindControl(lists_, id); }

QPushButton* SettingsDialog::button(int id) const { return FindControl(buttons_, id); }

void SettingsDialog::BuildFromTemplate() {
  TemplateBuilder builder(*this, TemplateFont::Shell8pt, "SettingsDialogTemplate");
  builder.Then(ControlKind::Caption, [](const ControlTemplate&, QLabel& caption) {
    caption.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FitCaptionToText(caption);
  });
  const auto keepButton = [this](const ControlTemplate& control, QPushButton& pushButton) {
    // Only the OK button looks like the default one; Enter on a focused button presses that
    // button, elsewhere keyPressEvent takes it for OK.
    pushButton.setAutoDefault(false);
    MakeEnterClick(pushButton);
    buttons_[control.id] = &pushButton;
  };
  builder.Then(ControlKind::PushButton, keepButton);
  builder.Then(ControlKind::DefaultPushButton, keepButton);
  builder.Then(
      ControlKind::DropDownList, [this](const ControlTemplate& control, QComboBox& choiceList) {
        int width = choiceList.width();
        if (control.visible)
          width = std::max(width, Units(0, 0, kVisibleListRightUnits, 0).width() - choiceList.x());
        choiceList.resize(width, Units(0, 0, 0, kClosedListHeightUnits).height());
        lists_[control.id] = &choiceList;
      });
  builder.Build(kControls);
  namePattern_ = builder.control<QLineEdit>(kNamePattern);
  namePattern_->setToolTip(
      tr("Below the output folder; \"/\" makes folders, e.g. "
         "{artist}/{album}/{track} {title}. Placeholders: %1. A missing tag gives the "
         "source's name; empty: the source's name.")
          .arg(QString::fromUtf8(kNamePlaceholders.data(),
                                 static_cast<int>(kNamePlaceholders.size()))));
  for (const char* choice : kExistingOutputChoices)
    list(kExistingOutput)->addItem(QCoreApplication::translate("SettingsDialogTemplate", choice));
  trashSources_ = builder.control<QCheckBox>(kTrashSources);

  // The preset's name stands out in red on its disabled button.
  QPushButton* presetName = button(kPresetName);
  QPalette palette = presetName->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::ButtonText, QColor(255, 0, 0));
  }
  presetName->setPalette(palette);

  button(kDefault)->setToolTip(tr("Default setting"));
  button(kOk)->setToolTip(tr("OK"));
  button(kCancel)->setToolTip(tr("Cancel"));
}

// The dialog's message map. Escape and the close box reach reject() through QDialog; the
// showing of the window is showEvent.
void SettingsDialog::ConnectControls() {
  connect(button(kOk), &QPushButton::clicked, this, &SettingsDialog::OnOK);
  connect(button(kCancel), &QPushButton::clicked, this, &QDialog::reject);
  connect(button(kDefault), &QPushButton::clicked, this, &SettingsDialog::OnDefault);
  // activated, not currentIndexChanged: only the user's own picks rebuild the dependent lists.
  connect(list(kEncoder), &QComboBox::activated, this, [this] {
    DoDataExchange(true);
    OnEncoderChange(choices_);
  });
  connect(list(kSampleRate), &QComboBox::activated, this,
          [this] { RebuildBitRates(SaveChoiceText(*list(kAudioBitRate))); });
  connect(list(kVideoCodec), &QComboBox::activated, this, [this] { OnVideoCodecChange(nullptr); });
}

void SettingsDialog::OnInitDialog() {
  namePattern_->setText(QString::fromStdString(settings_.namePattern));
  list(kExistingOutput)->setCurrentIndex(settings_.skipExisting ? 1 : 0);
  trashSources_->setChecked(settings_.trashSources);
  settings_.audioOnly = false;
  settings_.thumbnail = false;
  if (const Preset* preset = FindPreset(currentPresetCode_)) {
    button(kPresetName)->setText(QString::fromStdString(preset->displayName));
    settings_.audioOnly = preset->audioOnly;
    settings_.thumbnail = preset->thumbnail;
    if (preset->audioOnly) {
      for (int id : kVideoLists) {
        list(id)->clear();
        list(id)->setEnabled(false);
      }
    }
    for (const ChoicePair& pair : kChoicePairs) {
      const std::vector<std::string>& choices = preset->parameter(pair.column).choices;
      if (!choices.empty()) FillChoiceList(*list(pair.id), choices);
    }
    choices_ = settings_.previousPresetCode == currentPresetCode_ ? settings_.savedChoices
                                                                  : DefaultChoices(*preset);
  }
  DoDataExchange(false);
}

void SettingsDialog::DoDataExchange(bool save) {
  for (const ChoicePair& pair : kChoicePairs) {
    QComboBox& choiceList = *list(pair.id);
    if (save) {
      choices_.*pair.text = SaveChoiceText(choiceList);
    } else {
      LoadChoiceText(choiceList, choices_.*pair.text);
    }
  }
}

void SettingsDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A spontaneous show is the window system mapping the window again (after minimising, for
  // instance), not the dialog being shown.
  if (event->spontaneous()) return;
  if (!initialised_) {
    initialised_ = true;
    OnInitDialog();
  }
  OnShowWindow();
}

// The dependent lists are rebuilt for the encoder and codec the dialog opens with. They keep the
// texts it opened with (the saved ones on the same preset, else the preset's defaults) where they
// hold them: the fixed selections here would make OK pressed at once change the stored rates.
void SettingsDialog::OnShowWindow() {
  OnEncoderChange(choices_);
  OnVideoCodecChange(&choices_);
}

void SettingsDialog::OnEncoderChange(const SavedChoiceTexts& preferred) {
  const QComboBox& encoder = *list(kEncoder);
  if (encoder.currentIndex() < 0) return;
  const EncoderDependentLists lists = ListsForEncoder(SaveChoiceText(encoder));
  const struct {
    int id;
    const FixedChoiceList& fixed;
    const std::string SavedChoiceTexts::*text;
  } rebuilt[] = {
      {kSampleRate, lists.sampleRate, &SavedChoiceTexts::sampleRate},
      {kChannel, lists.channel, &SavedChoiceTexts::channel},
  };
  for (const auto& dependent : rebuilt) {
    QComboBox& choiceList = *list(dependent.id);
    RebuildChoiceList(choiceList, dependent.fixed, &(preferred.*dependent.text));
    // Greyed where there is nothing to choose: Opus's one sample rate, which OK still stores.
    choiceList.setEnabled(choiceList.count() > 1);
  }
  RebuildBitRates(preferred.audioBitRate);
}

void SettingsDialog::RebuildBitRates(const std::string& preferred) {
  const QComboBox& encoder = *list(kEncoder);
  if (encoder.currentIndex() < 0) return;
  QComboBox& bitRates = *list(kAudioBitRate);
  RebuildChoiceList(bitRates,
                    BitRatesForEncoder(SaveChoiceText(encoder), SaveChoiceText(*list(kSampleRate))),
                    &preferred);
  // A lossless encoder's list is empty: greyed, and OK then stores no rate.
  bitRates.setEnabled(bitRates.count() > 1);
}

void SettingsDialog::OnVideoCodecChange(const SavedChoiceTexts* preferred) {
  const QComboBox& codec = *list(kVideoCodec);
  if (codec.currentIndex() < 0) return;
  const auto frameSizes = FrameSizesForVideoCodec(currentPresetCode_, SaveChoiceText(codec));
  if (!frameSizes) return;
  RebuildChoiceList(*list(kFrameSize), *frameSizes, preferred ? &preferred->frameSize : nullptr);
}

void SettingsDialog::OnOK() {
  const std::string pattern = namePattern_->text().toStdString();
  if (const std::optional<std::string> problem = NamePatternProblem(pattern)) {
    // Nothing is stored: the dialog stays open on the pattern to be corrected.
    messages_.ShowMessage(tr("The name pattern cannot be used: ").toStdString() + *problem);
    namePattern_->setFocus();
    return;
  }
  settings_.namePattern = pattern;
  settings_.skipExisting = list(kExistingOutput)->currentIndex() == 1;
  settings_.trashSources = trashSources_->isChecked();
  DoDataExchange(true);
  // A malformed frame size is reported through messages_; the dialog still closes with OK.
  AcceptSettings(ToAccepted(choices_), currentPresetCode_, settings_, messages_);
  accept();
}

void SettingsDialog::OnDefault() {
  const Preset* preset = FindPreset(currentPresetCode_);
  if (preset == nullptr) return;
  choices_ = DefaultChoices(*preset);
  DoDataExchange(false);
  OnShowWindow();
}

// Enter presses OK from a list, the name pattern or the check box (they pass it on to the dialog),
// and a focused button presses that button (MakeEnterClick). Escape cancels through QDialog.
void SettingsDialog::keyPressEvent(QKeyEvent* event) {
  if (IsEnterKey(*event)) {
    event->accept();
    button(kOk)->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

// Presses on the dialog surface, its captions and its group box (none of which take the mouse)
// drag the whole dialog. The window system does it where it can; elsewhere the dialog follows
// the pointer itself.
void SettingsDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QDialog::mousePressEvent(event);
  event->accept();
  QWindow* window = windowHandle();
  if (window != nullptr && window->startSystemMove()) return;
  dragging_ = true;
  dragOffset_ = event->globalPosition().toPoint() - pos();
}

void SettingsDialog::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return QDialog::mouseMoveEvent(event);
  event->accept();
  move(event->globalPosition().toPoint() - dragOffset_);
}

void SettingsDialog::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
  QDialog::mouseReleaseEvent(event);
}

}  // namespace varnell
