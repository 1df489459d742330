// The window's texts in the user's language: Varnell's own translation (varnell_<language>.qm)
// and Qt's for its standard buttons and dialogs (qtbase_<language>.qm), installed into the
// application for as long as this lives. Made on the user-interface thread before the first
// window, destroyed after the last; nothing else touches it.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTranslator>

namespace varnell {

class ProgramTranslations {
 public:
  // Loads the first of `languages` (most wanted first) that the program has a translation for,
  // from translations/ beside the program (the build folder, a portable copy), else from the
  // installed ../share/varnell/translations/. An English language ends the search: English is
  // the texts' own language.
  ProgramTranslations(const QStringList& languages, const QString& programFolder);
  ~ProgramTranslations();
  ProgramTranslations(const ProgramTranslations&) = delete;
  ProgramTranslations& operator=(const ProgramTranslations&) = delete;

  // The language of the translation in use ("de"); empty while the texts are the English ones.
  QString language() const;
  // Whether Qt's own texts are translated too (its translations are installed separately).
  bool translatesQt() const { return qtInstalled_; }

 private:
  QTranslator own_;
  QTranslator qt_;
  bool ownInstalled_ = false;
  bool qtInstalled_ = false;
};

// The user's languages, most wanted first: LANGUAGE (a colon-separated list, honoured whatever
// the locale, so `LANGUAGE=de varnell` works in a "C" session), else the first of LC_ALL,
// LC_MESSAGES and LANG that is set, where "C" and "POSIX" mean English; with none set, the
// system locale's.
QStringList PreferredLanguages(const QProcessEnvironment& environment);

}  // namespace varnell
