#include "app/TaskListView.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

namespace varnell {
namespace {

const char* const kColumnTitles[TaskListView::kColumnCount] = {
    "Source file", "Start time", "End time", "Output format", "Status", "Duration"};
constexpr int kFixedColumnWidths[] = {200, 75, 75, 100};
constexpr int kFixedColumnsTotal = 450;
const QColor kListBackground(241, 250, 233);

QTableWidgetItem* NewCell(int column) {
  auto* item = new QTableWidgetItem;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (column == TaskListView::kSourceFile) {
    flags |= Qt::ItemIsUserCheckable;
    item->setCheckState(Qt::Unchecked);
  }
  item->setFlags(flags);
  return item;
}

}  // namespace

TaskListView::TaskListView(QWidget* parent)
    : QTableWidget(parent), header_(new CheckableHeader(this)) {
  connect(this, &QTableWidget::itemChanged, this, &TaskListView::OnItemChanged);
}

void TaskListView::CreateColumns() {
  const int clientWidth = viewport()->width() > 0 ? width() - 2 * frameWidth() : width();
  setColumnCount(kColumnCount);
  for (int column = 0; column < kColumnCount; ++column) {
    setHorizontalHeaderItem(column, new QTableWidgetItem(kColumnTitles[column]));
    horizontalHeaderItem(column)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }
  SetUp();
  for (int column = 0; column < 4; ++column) setColumnWidth(column, kFixedColumnWidths[column]);
  setColumnWidth(kStatus, std::max(clientWidth - kFixedColumnsTotal, 0));
  setColumnWidth(kDuration, 0);
  horizontalHeader()->setMinimumSectionSize(0);
  setColumnHidden(kDuration, true);  // holds the seconds the clip dialog reads; never shown
  setShowGrid(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  setWordWrap(false);
  // A long path keeps its file name in view: the cut is made in the middle of the folders.
  setTextElideMode(Qt::ElideMiddle);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, kListBackground);
  setPalette(colours);
  hide();
}

void TaskListView::SetUp() {
  if (initialised_) return;
  setHorizontalHeader(header_);
  header_->setCheckImage(CheckableHeader::kClearImage);
  connect(header_, &CheckableHeader::checkBoxClicked, this, &TaskListView::OnHeaderBoxClicked);
  initialised_ = true;
}

// As the list control's insert does, a row past the end is appended (and one before the start
// goes first), so a caller whose count is out of date cannot reach a row that is not there.
int TaskListView::InsertRow(int row, const QString& sourcePath) {
  const QSignalBlocker quiet(this);  // the row's own cells are not a user's change of state
  row = std::clamp(row, 0, rowCount());
  insertRow(row);
  for (int column = 0; column < kColumnCount; ++column) setItem(row, column, NewCell(column));
  SetItemText(row, kSourceFile, sourcePath);
  return row;
}

void TaskListView::DeleteItem(int row) {
  if (row < 0 || row >= rowCount()) return;
  removeRow(row);
  UpdateHeaderBox();
}

void TaskListView::DeleteAllItems() {
  setRowCount(0);
  UpdateHeaderBox();
}

QString TaskListView::GetItemText(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell ? cell->text() : QString();
}

// Kept with the row's first cell, so that it moves and goes with the row.
constexpr int kOutputSubfolderRole = Qt::UserRole + 1;

QString TaskListView::GetOutputSubfolder(int row) const {
  const QTableWidgetItem* cell = item(row, kSourceFile);
  return cell ? cell->data(kOutputSubfolderRole).toString() : QString();
}

void TaskListView::SetOutputSubfolder(int row, const QString& subfolder) {
  const QSignalBlocker quiet(this);
  if (QTableWidgetItem* cell = item(row, kSourceFile))
    cell->setData(kOutputSubfolderRole, subfolder);
}

// Beside the subfolder, as a map of the tag names to their values.
constexpr int kNameTagsRole = Qt::UserRole + 3;

std::optional<NameTags> TaskListView::GetNameTags(int row) const {
  const QTableWidgetItem* cell = item(row, kSourceFile);
  const QVariant stored = cell ? cell->data(kNameTagsRole) : QVariant();
  if (!stored.isValid()) return std::nullopt;
  NameTags tags;
  const QVariantMap map = stored.toMap();
  for (auto entry = map.begin(); entry != map.end(); ++entry) {
    tags.emplace(entry.key().toStdString(), entry.value().toString().toStdString());
  }
  return tags;
}

void TaskListView::SetNameTags(int row, const NameTags& tags) {
  const QSignalBlocker quiet(this);
  QVariantMap map;
  for (const auto& [name, value] : tags) {
    map.insert(QString::fromStdString(name), QString::fromStdString(value));
  }
  if (QTableWidgetItem* cell = item(row, kSourceFile)) cell->setData(kNameTagsRole, map);
}

// Like the list control's own call, an out-of-range row (the row map's -1) is ignored.
void TaskListView::SetItemText(int row, int column, const QString& text) {
  QTableWidgetItem* cell = item(row, column);
  if (cell == nullptr) return;
  cell->setText(text);
  // The columns that may be cut short show their whole text under the pointer.
  if (column == kSourceFile || column == kOutputFormat) cell->setToolTip(text);
}

void TaskListView::SetItemToolTip(int row, int column, const QString& text) {
  if (QTableWidgetItem* cell = item(row, column)) cell->setToolTip(text);
}

bool TaskListView::GetCheck(int row) const {
  const QTableWidgetItem* cell = item(row, kSourceFile);
  return cell && cell->checkState() == Qt::Checked;
}

void TaskListView::SetCheck(int row, bool checked) {
  if (QTableWidgetItem* cell = item(row, kSourceFile)) {
    cell->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  }
}

std::vector<int> TaskListView::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

int TaskListView::FirstSelectedRow() const {
  const std::vector<int> rows = SelectedRows();
  return rows.empty() ? -1 : rows.front();
}

int TaskListView::LastSelectedRow() const {
  const std::vector<int> rows = SelectedRows();
  return rows.empty() ? -1 : rows.back();
}

void TaskListView::SelectAndFocusRow(int row) {
  if (row < 0 || row >= rowCount()) return;
  const QModelIndex index = model()->index(row, 0);
  selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
}

void TaskListView::DeselectRow(int row) {
  if (row < 0 || row >= rowCount()) return;
  selectionModel()->select(model()->index(row, 0),
                           QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
}

void TaskListView::mouseReleaseEvent(QMouseEvent* event) {
  QTableWidget::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) emit clicked();
}

void TaskListView::contextMenuEvent(QContextMenuEvent* event) {
  emit contextMenuRequested(event->globalPos());
  event->accept();
}

void TaskListView::OnItemChanged(QTableWidgetItem* changed) {
  if (!initialised_ || settingAllChecks_ || changed->column() != kSourceFile) return;
  UpdateHeaderBox();
}

void TaskListView::OnHeaderBoxClicked(int newImage) {
  settingAllChecks_ = true;
  for (int row = 0; row < rowCount(); ++row)
    SetCheck(row, newImage == CheckableHeader::kCheckedImage);
  settingAllChecks_ = false;
}

// The header box is checked exactly when no row is clear (so also for an empty list).
void TaskListView::UpdateHeaderBox() {
  if (!initialised_) return;
  bool anyClear = false;
  for (int row = 0; row < rowCount() && !anyClear; ++row) anyClear = !GetCheck(row);
  header_->setCheckImage(anyClear ? CheckableHeader::kClearImage : CheckableHeader::kCheckedImage);
}

}  // namespace varnell
