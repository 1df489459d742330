#pragma once

#include <optional>

#include <QString>
#include <QStringList>

class QWidget;

namespace varnell {

// The open-file dialog and the folder browser. Called on the user-interface
// thread; both are modal.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // Multiple selection. mfcFilter has the Windows form
  // "MPEG-4 Audio(*.m4a)|*.m4a|All files (*.*)|*.*|": display text and pattern
  // list pairs. Returns the chosen paths; an empty list means cancelled.
  virtual QStringList OpenFiles(QWidget* owner, const QString& mfcFilter) = 0;
  // Opens in startFolder when it is a folder, else in the home folder. nullopt means cancelled.
  virtual std::optional<QString> BrowseFolder(QWidget* owner, const QString& title,
                                              const QString& startFolder = {}) = 0;
};

// "Text|*.a;*.b|..." -> "Text (*.a *.b);;...". The display text is kept as it
// is (it usually already shows the pattern; the dialog hides the appended
// part), and "*.*" becomes "*" because Linux file names need not have a dot.
QString QtFilterFromMfcFilter(const QString& mfcFilter);

}  // namespace varnell
