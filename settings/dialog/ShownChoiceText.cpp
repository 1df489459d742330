#include "settings/dialog/ShownChoiceText.h"

#include <QCoreApplication>

#include <string_view>

namespace varnell {

namespace {

constexpr const char* kContext = "ChoiceText";

QString Shown(const char* english) { return QCoreApplication::translate(kContext, english); }

// Whole choice texts that carry words.
constexpr const char* kWholeTexts[] = {
    QT_TRANSLATE_NOOP("ChoiceText", "1 Channel Mono"),
    QT_TRANSLATE_NOOP("ChoiceText", "2 Channel Stereo"),
    QT_TRANSLATE_NOOP("ChoiceText", "5.1 Channel"),
    QT_TRANSLATE_NOOP("ChoiceText", "Source size"),
    QT_TRANSLATE_NOOP("ChoiceText", "Source rate"),
};

// A word around the choice's number, as the choice text spells it, with its shown form.
struct AffixWord {
  std::string_view affix;
  const char* shown;
};

// Before a number: "Level 5", "quality 3". The number takes %1's place.
constexpr AffixWord kNumberedWords[] = {
    {"Level ", QT_TRANSLATE_NOOP("ChoiceText", "Level %1")},
    {"quality ", QT_TRANSLATE_NOOP("ChoiceText", "quality %1")},
};

// A remark after the choice: "VBR V0 (best)", "Level 8 (smallest)".
constexpr AffixWord kRemarks[] = {
    {" (best)", QT_TRANSLATE_NOOP("ChoiceText", "(best)")},
    {" (fastest)", QT_TRANSLATE_NOOP("ChoiceText", "(fastest)")},
    {" (smallest)", QT_TRANSLATE_NOOP("ChoiceText", "(smallest)")},
};

}  // namespace

QString ShownChoiceText(const std::string& choice) {
  for (const char* whole : kWholeTexts)
    if (choice == whole) return Shown(whole);

  std::string_view body = choice;
  QString remark;
  for (const AffixWord& known : kRemarks) {
    if (body.ends_with(known.affix)) {
      body.remove_suffix(known.affix.size());
      remark = QStringLiteral(" ") + Shown(known.shown);
      break;
    }
  }
  QString shown = QString::fromUtf8(body.data(), static_cast<qsizetype>(body.size()));
  for (const AffixWord& word : kNumberedWords) {
    if (body.starts_with(word.affix)) {
      body.remove_prefix(word.affix.size());
      shown = Shown(word.shown)
                  .arg(QString::fromUtf8(body.data(), static_cast<qsizetype>(body.size())));
      break;
    }
  }
  return shown + remark;
}

}  // namespace varnell
