#include "app/ProgramTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace varnell {
namespace {

bool IsEnglish(const QString& language) {
  return language.startsWith(QLatin1String("en"), Qt::CaseInsensitive) || language == "C" ||
         language == "POSIX" || language.startsWith(QLatin1String("C."));
}

}  // namespace

ProgramTranslations::ProgramTranslations(const QStringList& languages,
                                         const QString& programFolder) {
  const QStringList folders{programFolder + "/translations",
                            programFolder + "/../share/varnell/translations"};
  for (const QString& language : languages) {
    if (IsEnglish(language)) return;
    const QLocale locale(language);
    if (locale.language() == QLocale::C) continue;  // not a language QLocale knows
    for (const QString& folder : folders) {
      if (own_.load(locale, QStringLiteral("varnell"), QStringLiteral("_"), folder)) break;
    }
    if (own_.isEmpty()) continue;
    ownInstalled_ = QCoreApplication::installTranslator(&own_);
    // Qt's own texts in the same language, when its translations are installed.
    qtInstalled_ = qt_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
                   QCoreApplication::installTranslator(&qt_);
    return;
  }
}

ProgramTranslations::~ProgramTranslations() {
  if (qtInstalled_) QCoreApplication::removeTranslator(&qt_);
  if (ownInstalled_) QCoreApplication::removeTranslator(&own_);
}

QString ProgramTranslations::language() const {
  return ownInstalled_ ? own_.language() : QString();
}

QStringList PreferredLanguages(const QProcessEnvironment& environment) {
  QStringList languages;
  for (const QString& language :
       environment.value(QStringLiteral("LANGUAGE")).split(':', Qt::SkipEmptyParts)) {
    // "de_DE.UTF-8@euro" -> "de_DE"
    languages << language.section('.', 0, 0).section('@', 0, 0);
  }
  if (!languages.isEmpty()) return languages;
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const QString value = environment.value(QString::fromLatin1(variable));
    if (value.isEmpty()) continue;
    if (value == "C" || value == "POSIX" || value.startsWith(QLatin1String("C."))) return {"C"};
    return {value.section('.', 0, 0).section('@', 0, 0)};
  }
  return QLocale::system().uiLanguages();
}

}  // namespace varnell
