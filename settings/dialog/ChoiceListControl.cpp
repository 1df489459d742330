#include "settings/dialog/ChoiceListControl.h"

#include <QComboBox>

#include "settings/dialog/ShownChoiceText.h"

namespace varnell {

void FillChoiceList(QComboBox& list, const std::vector<std::string>& choices) {
  list.clear();
  for (const std::string& choice : choices)
    list.addItem(ShownChoiceText(choice), QString::fromStdString(choice));
  list.setCurrentIndex(-1);
}

void LoadChoiceText(QComboBox& list, const std::string& text) {
  const QString wanted = QString::fromStdString(text);
  for (int i = 0; i < list.count(); ++i) {
    if (list.itemData(i).toString().startsWith(wanted, Qt::CaseInsensitive)) {
      list.setCurrentIndex(i);
      return;
    }
  }
}

std::string SaveChoiceText(const QComboBox& list) {
  return list.currentIndex() < 0 ? std::string() : list.currentData().toString().toStdString();
}

void RebuildChoiceList(QComboBox& list, const FixedChoiceList& fixed,
                       const std::string* preferred) {
  FillChoiceList(list, fixed.choices);
  const auto find = [&list](const std::string& choice) {
    return list.findData(QString::fromStdString(choice), Qt::UserRole,
                         Qt::MatchExactly | Qt::MatchCaseSensitive);
  };
  int index = preferred ? find(*preferred) : -1;
  if (index < 0) index = find(fixed.selected);
  list.setCurrentIndex(index);
}

}  // namespace varnell
