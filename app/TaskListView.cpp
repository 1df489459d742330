#include "app/TaskListView.h"

#include <QKeyEvent>

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

#include "controls/KeyboardFocusMark.h"

namespace varnell {
namespace {

const char* const kColumnTitles[TaskListView::kColumnCount] = {
    QT_TRANSLATE_NOOP("varnell::TaskListView", "Source file"),
    QT_TRANSLATE_NOOP("varnell::TaskListView", "Start time"),
    QT_TRANSLATE_NOOP("varnell::TaskListView", "End time"),
    QT_TRANSLATE_NOOP("varnell::TaskListView", "Output format"),
    QT_TRANSLATE_NOOP("varnell::TaskListView", "Status"),
    QT_TRANSLATE_NOOP("varnell::TaskListView", "Duration")};
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

// A chapter row's data, kept with the row's first cell beside its subfolder (UserRole + 1).
constexpr int kChapterNumberRole = Qt::UserRole + 2;
constexpr int kChapterTitleRole = Qt::UserRole + 3;
constexpr int kExactBeginRole = Qt::UserRole + 4;
constexpr int kExactEndRole = Qt::UserRole + 5;

QString ChapterLabel(const QVariant& number, const QVariant& title) {
  const QString label =
      QCoreApplication::translate("varnell::TaskListView", "Chapter %1").arg(number.toInt());
  return title.toString().isEmpty() ? label : label + ": " + title.toString();
}

// Shows a chapter row's number and title after its path; the cell's text stays the path, which
// is what every reader of column 0 takes.
class ChapterCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant number = index.data(kChapterNumberRole);
    if (number.toInt() > 0) {
      option->text +=
          QStringLiteral("  \u2014  ") + ChapterLabel(number, index.data(kChapterTitleRole));
    }
  }
};

}  // namespace

TaskListView::TaskListView(QWidget* parent)
    : QTableWidget(parent), header_(new CheckableHeader(this)) {
  connect(this, &QTableWidget::itemChanged, this, &TaskListView::OnItemChanged);
  setItemDelegateForColumn(kSourceFile, new ChapterCellDelegate(this));
  // Tab and Backtab leave the list for the next control; the arrow keys move between rows.
  setTabKeyNavigation(false);
  new KeyboardFocusMark(*this, viewport());
}

void TaskListView::CreateColumns() {
  const int clientWidth = viewport()->width() > 0 ? width() - 2 * frameWidth() : width();
  setColumnCount(kColumnCount);
  for (int column = 0; column < kColumnCount; ++column) {
    setHorizontalHeaderItem(column, new QTableWidgetItem(tr(kColumnTitles[column])));
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

RowChapter TaskListView::GetChapter(int row) const {
  RowChapter chapter;
  const QTableWidgetItem* cell = item(row, kSourceFile);
  if (cell == nullptr) return chapter;
  chapter.number = cell->data(kChapterNumberRole).toInt();
  chapter.title = cell->data(kChapterTitleRole).toString();
  if (const QVariant begin = cell->data(kExactBeginRole); begin.isValid()) {
    chapter.exactBeginSeconds = begin.toDouble();
  }
  if (const QVariant end = cell->data(kExactEndRole); end.isValid()) {
    chapter.exactEndSeconds = end.toDouble();
  }
  return chapter;
}

void TaskListView::SetChapter(int row, const RowChapter& chapter) {
  const QSignalBlocker quiet(this);
  QTableWidgetItem* cell = item(row, kSourceFile);
  if (cell == nullptr) return;
  cell->setData(kChapterNumberRole, chapter.number);
  cell->setData(kChapterTitleRole, chapter.title);
  const auto seconds = [](const std::optional<double>& value) {
    return value ? QVariant(*value) : QVariant();
  };
  cell->setData(kExactBeginRole, seconds(chapter.exactBeginSeconds));
  cell->setData(kExactEndRole, seconds(chapter.exactEndSeconds));
  if (chapter.number > 0) {
    cell->setToolTip(cell->text() + "\n" + ChapterLabel(chapter.number, chapter.title));
  }
}

void TaskListView::SetClipTimes(int row, const QString& startTime, const QString& endTime) {
  if (startTime != GetItemText(row, kStartTime) || endTime != GetItemText(row, kEndTime)) {
    RowChapter chapter = GetChapter(row);
    if (chapter.exactBeginSeconds || chapter.exactEndSeconds) {
      chapter.exactBeginSeconds.reset();
      chapter.exactEndSeconds.reset();
      SetChapter(row, chapter);
    }
  }
  SetItemText(row, kStartTime, startTime);
  SetItemText(row, kEndTime, endTime);
}

// Beside the subfolder, as a map of the tag names to their values.
constexpr int kNameTagsRole = Qt::UserRole + 6;

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

int TaskListView::FocusedRow() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.row() : -1;
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

void TaskListView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
    event->accept();
    emit deletePressed();
    return;
  }
  QTableWidget::keyPressEvent(event);
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

// The header box is checked when no row is clear (so also for an empty list), clear when no row
// is checked, and partly checked between.
void TaskListView::UpdateHeaderBox() {
  if (!initialised_) return;
  int checked = 0;
  for (int row = 0; row < rowCount(); ++row) checked += GetCheck(row) ? 1 : 0;
  if (checked == rowCount()) {
    header_->setCheckImage(CheckableHeader::kCheckedImage);
  } else {
    header_->setCheckImage(checked == 0 ? CheckableHeader::kClearImage
                                        : CheckableHeader::kPartialImage);
  }
}

}  // namespace varnell
