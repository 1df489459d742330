#include "platform/testing/RecordingMessageBox.h"

namespace varnell {

MessageChoice RecordingMessageBox::Show(const QString& text, const QString& caption,
                                        MessageButtons buttons, QWidget*) {
  shown.push_back({text, EffectiveCaption(caption), buttons});
  if (answers.empty()) return MessageChoice::Ok;
  const MessageChoice answer = answers.front();
  answers.pop_front();
  // A plain OK box has no Cancel to press, whatever the script says.
  return buttons == MessageButtons::Ok ? MessageChoice::Ok : answer;
}

}  // namespace varnell
