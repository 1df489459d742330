#include "clip/ClipDialog.h"
#include "controls/ControlLookup.h"
#include "controls/TemplateDialog.h"

#include <QFileInfo>
#include <QPainter>
#include <QShowEvent>

#include "clip/ClipDialogTemplate.h"
#include "clip/ClipPreviewArea.h"
#include "clip/ClipTimeText.h"
#include "clip/PlayerEndHook.h"
#include "controls/BitmapResource.h"
#include "controls/DialogUnits.h"
#include "controls/EnterClicksButton.h"
#include "controls/PixelRatioChange.h"
#include "controls/TemplateBuilder.h"
#include "engine/ClipTime.h"
#include "playermodule/PlayerModule.h"

namespace varnell {

using namespace clip_dialog;

namespace {

constexpr int kBackgroundBitmap = 311;
const char* const kCaption = QT_TRANSLATE_NOOP("varnell::ClipDialog", "Clip");
const wchar_t* const kPlayerId = L"VarnellClip";
const QColor kTextColour{0xdd, 0xea, 0xee};

std::int64_t ClipTimeSeconds(const QString& text) { return ParseClipTime(text.toStdString()); }

}  // namespace

ClipDialog::ClipDialog(QWidget* parent) : QDialog(parent) {
  SetUpTemplateDialog(*this, tr(kCaption), QSize(kWidthUnits, kHeightUnits));
  backgroundRatio_ = devicePixelRatioF();
  background_ = LoadBitmapResource(kBackgroundBitmap, backgroundRatio_);
  positionTimer_.setInterval(100);
  pictureTimer_.setInterval(67);
  CreateControls();
  ConnectControls();
}

ClipDialog::~ClipDialog() { player_end_hook::Release(this); }

void ClipDialog::CreateControls() {
  TemplateBuilder builder(*this, TemplateFont::Shell8pt, "ClipDialogTemplate");
  builder.MakeCustom([this](const ControlTemplate& control, QWidget& dialog) {
    preview_ = new ClipPreviewArea(control.id, &dialog);
    return preview_;
  });
  builder.Then(ControlKind::Slider, [this](const ControlTemplate& control, BitmapSlider& slider) {
    sliders_[control.id] = &slider;
  });
  builder.Then(ControlKind::SkinButton, [this](const ControlTemplate& control, SkinButton& button) {
    skinButtons_[control.id] = &button;
  });
  builder.Then(ControlKind::PushButton,
               [this](const ControlTemplate& control, QPushButton& button) {
                 // Enter must not end the dialog behind the user's back while a time is being set;
                 // on a focused button it presses that button.
                 button.setAutoDefault(false);
                 MakeEnterClick(button);
                 pushButtons_[control.id] = &button;
               });
  builder.Then(ControlKind::SkinLabel, [this](const ControlTemplate& control, SkinLabel& label) {
    label.ChangeTransparent(true).ChangeTextColour(kTextColour).ChangeText(control.text);
    timeLabels_[control.id] = &label;
  });
  builder.Then(ControlKind::GroupBox, [](const ControlTemplate&, QGroupBox& group) {
    group.setStyleSheet(QStringLiteral(
        "QGroupBox { color: #dde9ee; border: 1px solid #3a6677; border-radius: 3px;"
        " margin-top: 0.5em; background: transparent; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
  });
  builder.Build(kControls);
  // Tool tips of the template's controls; Play's follows the play action.
  pushButtons_.at(kSetBegin)->setToolTip(tr("Set Begin Time"));
  pushButtons_.at(kSetEnd)->setToolTip(tr("Set End Time"));
  pushButtons_.at(kOk)->setToolTip(tr("OK"));
  pushButtons_.at(kCancel)->setToolTip(tr("Cancel"));
  pushButtons_.at(kReset)->setToolTip(tr("Reset Time"));
  skinButtons_.at(kPlay)->setToolTip(tr("Play"));
  skinButtons_.at(kStop)->setToolTip(tr("Stop"));
}

// The dialog's message map: each control id to its handler.
void ClipDialog::ConnectControls() {
  connect(skinButtons_.at(kPlay), &QAbstractButton::clicked, this, &ClipDialog::OnPlayPause);
  connect(skinButtons_.at(kStop), &QAbstractButton::clicked, this, &ClipDialog::OnStop);
  connect(pushButtons_.at(kSetBegin), &QPushButton::clicked, this, &ClipDialog::OnSetBeginTime);
  connect(pushButtons_.at(kSetEnd), &QPushButton::clicked, this, &ClipDialog::OnSetEndTime);
  connect(pushButtons_.at(kReset), &QPushButton::clicked, this, &ClipDialog::OnReset);
  connect(pushButtons_.at(kOk), &QPushButton::clicked, this, &ClipDialog::OnOk);
  connect(pushButtons_.at(kCancel), &QPushButton::clicked, this, &ClipDialog::reject);
  connect(&positionTimer_, &QTimer::timeout, this, &ClipDialog::OnPositionTimer);
  connect(&pictureTimer_, &QTimer::timeout, this, &ClipDialog::OnPictureTimer);
  // The slider reports both dragging and clicks; either seeks.
  BitmapSlider* position = sliders_.at(kPositionSlider);
  connect(position, &BitmapSlider::moved, this, [this](int id, int) { OnSeek(id); });
  connect(position, &BitmapSlider::released, this, [this](int id, int) { OnSeek(id); });
}

SkinButton* ClipDialog::skinButton(int id) const { return FindControl(skinButtons_, id); }

QPushButton* ClipDialog::pushButton(int id) const { return FindControl(pushButtons_, id); }

BitmapSlider* ClipDialog::slider(int id) const { return FindControl(sliders_, id); }

SkinLabel* ClipDialog::timeLabel(int id) const { return FindControl(timeLabels_, id); }

std::optional<std::pair<QString, QString>> ClipDialog::EditRow(const ClipRow& row) {
  row_ = row;
  result_.reset();
  // The owner opens one selected row after another: the caption says which file this is.
  const QString fileName = QFileInfo(row.sourcePath).fileName();
  setWindowTitle(fileName.isEmpty() ? tr(kCaption) : tr(kCaption) + " - " + fileName);
  OnInitDialog();
  showPending_ = true;
  exec();
  return result_;
}

void ClipDialog::OnInitDialog() {
  if (!skinLoaded_) {
    SkinButton* play = skinButtons_.at(kPlay);
    play->SetShapeFromBitmap(301);
    play->LoadStateBitmaps(302, 302, 302);
    SkinButton* stop = skinButtons_.at(kStop);
    stop->SetShapeFromBitmap(303);
    stop->LoadStateBitmaps(304, 304, 304);
    SkinButton* volume = skinButtons_.at(kVolume);
    volume->SetShapeFromBitmap(293);
    volume->LoadStateBitmaps(293, 293, 293);
    play->setEnabled(true);
    stop->setEnabled(true);
  }
  BitmapSlider* position = sliders_.at(kPositionSlider);
  position->LoadChannel(314, 319);
  position->LoadThumb();
  position->SetFocusFrame(false);
  position->SetLimits(0, 10000);
  position->SetValue(0);
  position->SetMargins(2, 3, 2, 0);
  position->setEnabled(false);
  BitmapSlider* volume = sliders_.at(kVolumeSlider);
  volume->LoadChannel(300, 299);
  volume->LoadThumb();
  volume->SetFocusFrame(false);
  volume->SetLimits(0, 100);
  volume->SetValue(30);
  volume->SetMargins(2, 3, 2, 0);

  skinLoaded_ = true;
  player_end_hook::Attach(this, kPlayerId);

  hasPicture_ = 0;
  position->SetLimits(0, 1000);
  position->SetValue(0);
  playAction_ = PlayAction::Play;
  reopenPending_ = true;
  currentSeconds_ = 0;
  for (SkinLabel* label : {timeLabel(kBeginLabel), timeLabel(kEndLabel), timeLabel(kCutLabel)})
    label->ChangeText("00:00:00");
}

void ClipDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (showPending_ && !event->spontaneous()) {
    showPending_ = false;
    OnShow();
  }
}

void ClipDialog::OnShow() {
  OnPlayPause();
  const std::int64_t begin = ClipTimeSeconds(row_.startTime);
  const std::int64_t end = ClipTimeSeconds(row_.endTime);
  const std::int64_t duration = RowDurationSeconds();
  timeLabel(kBeginLabel)->ChangeText(row_.startTime);
  timeLabel(kEndLabel)->ChangeText(row_.endTime);
  timeLabel(kCutLabel)->ChangeText(ClipTimeText(end - begin));
  // A row without a duration has no scale for the marks: they stay at the start.
  BitmapSlider* position = sliders_.at(kPositionSlider);
  position->SetBeginMark(duration > 0 ? static_cast<int>(begin * 1000 / duration) : 0);
  position->SetEndMark(duration > 0 ? static_cast<int>(end * 1000 / duration) : 0);
  position->SetMarkMode(2);
}

std::int64_t ClipDialog::RowDurationSeconds() const {
  bool ok = false;
  const double seconds = row_.durationSeconds.trimmed().toDouble(&ok);
  return ok && seconds > 0 ? static_cast<std::int64_t>(seconds) : 0;
}

void ClipDialog::OnOk() {
  result_ = std::make_pair(timeLabel(kBeginLabel)->text(), timeLabel(kEndLabel)->text());
  LeaveDialog();
  QDialog::accept();
}

void ClipDialog::reject() {
  result_.reset();
  LeaveDialog();
  QDialog::reject();
}

void ClipDialog::LeaveDialog() {
  OnStop();
  PlayerModule_Close();
  fileOpen_ = false;
  player_end_hook::Release(this);
  if (handBackPlayer) handBackPlayer();
}

// Moved to a screen of another pixel density, the background is drawn for that density; the
// buttons and sliders reload their own pictures.
bool ClipDialog::event(QEvent* event) {
  if (MayChangePixelRatio(*event) && backgroundRatio_ != devicePixelRatioF()) {
    backgroundRatio_ = devicePixelRatioF();
    background_ = LoadBitmapResource(kBackgroundBitmap, backgroundRatio_);
    update();
  }
  return QDialog::event(event);
}

void ClipDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_.isNull()) {
    painter.fillRect(rect(), palette().window());
    return;
  }
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(rect(), background_);
}

}  // namespace varnell
