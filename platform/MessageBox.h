#pragma once

#include <QString>

class QWidget;

namespace varnell {

enum class MessageButtons { Ok, OkCancel };
enum class MessageChoice { Ok, Cancel };

// The caption of every message box that names none: the executable's file
// name without its extension. Needs the QCoreApplication to exist.
QString ApplicationTitle();

// The program's only way to show a message box. Called on the user-interface
// thread; Show returns when the user has dismissed the box.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // An empty caption means ApplicationTitle(). A plain OK box always answers Ok,
  // however it was dismissed.
  virtual MessageChoice Show(const QString& text, const QString& caption = {},
                             MessageButtons buttons = MessageButtons::Ok,
                             QWidget* owner = nullptr) = 0;
};

// The caption a box actually gets; shared by the real box and its test double
// so that what the double records is what the user would have seen.
QString EffectiveCaption(const QString& caption);

}  // namespace varnell
