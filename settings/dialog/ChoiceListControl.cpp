#include "settings/dialog/ChoiceListControl.h"

#include <QComboBox>

namespace varnell {

void FillChoiceList(QComboBox& list, const std::vector<std::string>& choices) {
  list.clear();
  for (const std::string& choice : choices) list.addItem(QString::fromStdString(choice));
  list.setCurrentIndex(-1);
}

void LoadChoiceText(QComboBox& list, const std::string& text) {
  const QString wanted = QString::fromStdString(text);
  for (int i = 0; i < list.count(); ++i) {
    if (list.itemText(i).startsWith(wanted, Qt::CaseInsensitive)) {
      list.setCurrentIndex(i);
      return;
    }
  }
}

std::string SaveChoiceText(const QComboBox& list) {
  return list.currentIndex() < 0 ? std::string() : list.currentText().toStdString();
}

void RebuildChoiceList(QComboBox& list, const FixedChoiceList& fixed,
                       const std::string* preferred) {
  FillChoiceList(list, fixed.choices);
  int index = preferred ? list.findText(QString::fromStdString(*preferred),
                                        Qt::MatchExactly | Qt::MatchCaseSensitive)
                        : -1;
  if (index < 0)
    index = list.findText(QString::fromStdString(fixed.selected),
                          Qt::MatchExactly | Qt::MatchCaseSensitive);
  list.setCurrentIndex(index);
}

}  // namespace varnell
