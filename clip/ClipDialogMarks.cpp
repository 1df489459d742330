// Choosing the part to convert: Set Begin Time, Set End Time and Reset keep the three time
// labels and the slider's marks in step.
#include "clip/ClipDialog.h"
#include "clip/ClipDialogTemplate.h"
#include "clip/ClipTimeText.h"
#include "engine/ClipTime.h"

namespace varnell {

using namespace clip_dialog;

void ClipDialog::OnSetBeginTime() {
  BitmapSlider* position = sliders_.at(kPositionSlider);
  position->SetBeginMark(position->GetValue());
  position->SetMarkMode(1);
  const std::int64_t duration = RowDurationSeconds();
  timeLabel(kBeginLabel)->ChangeText(ClipTimeText(currentSeconds_));
  timeLabel(kEndLabel)->ChangeText(ClipTimeText(duration));
  timeLabel(kCutLabel)->ChangeText(ClipTimeText(duration - currentSeconds_));
  RedrawRange();
}

void ClipDialog::OnSetEndTime() {
  BitmapSlider* position = sliders_.at(kPositionSlider);
  position->SetEndMark(position->GetValue());
  position->SetMarkMode(2);
  const std::int64_t begin = ParseClipTime(timeLabel(kBeginLabel)->text().toStdString());
  if (currentSeconds_ > begin) {
    timeLabel(kEndLabel)->ChangeText(ClipTimeText(currentSeconds_));
    timeLabel(kCutLabel)->ChangeText(ClipTimeText(currentSeconds_ - begin));
  } else {
    // An end before the begin swaps the two, so the cut length is never negative and the
    // begin mark never lies after the end mark.
    timeLabel(kBeginLabel)->ChangeText(ClipTimeText(currentSeconds_));
    timeLabel(kEndLabel)->ChangeText(ClipTimeText(begin));
    timeLabel(kCutLabel)->ChangeText(ClipTimeText(begin - currentSeconds_));
    const int beginMark = position->beginMark();
    position->SetBeginMark(position->endMark());
    position->SetEndMark(beginMark);
  }
  RedrawRange();
}

void ClipDialog::OnReset() {
  BitmapSlider* position = sliders_.at(kPositionSlider);
  position->SetBeginMark(0);
  position->SetEndMark(0);
  position->SetMarkMode(0);
  const QString duration = ClipTimeText(RowDurationSeconds());
  timeLabel(kBeginLabel)->ChangeText("00:00:00");
  timeLabel(kEndLabel)->ChangeText(duration);
  timeLabel(kCutLabel)->ChangeText(duration);
  RedrawRange();
}

void ClipDialog::RedrawRange() {
  sliders_.at(kPositionSlider)->update();
  for (int id : {kBeginLabel, kEndLabel, kCutLabel}) timeLabel(id)->update();
}

}  // namespace varnell
