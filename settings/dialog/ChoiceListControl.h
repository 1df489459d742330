#pragma once

#include <string>
#include <vector>

#include "settings/dialog/FixedChoiceList.h"

class QComboBox;

namespace varnell {

// How the settings dialog moves choice texts in and out of its drop-down lists.
// None of its lists sorts: items stay in the order they are given. Each item shows its choice
// text in the user's language and keeps the choice text itself as its data; every function here
// reads and writes the choice text, never the shown one.

// Empties the list and inserts the choices in order; nothing is selected after.
void FillChoiceList(QComboBox& list, const std::vector<std::string>& choices);

// Selects the first item that begins with the text, ignoring case ("10" picks
// "10.0 fps"). Without such an item the selection stays as it was.
void LoadChoiceText(QComboBox& list, const std::string& text);

// The selected item's choice text, or an empty text when nothing is selected.
std::string SaveChoiceText(const QComboBox& list);

// Refills the list from the fixed list and selects the preferred text when the
// list holds exactly that choice, else the fixed selection. A null preferred
// text means the fixed selection.
void RebuildChoiceList(QComboBox& list, const FixedChoiceList& fixed, const std::string* preferred);

}  // namespace varnell
