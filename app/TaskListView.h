// The task list: one row per conversion task, a check box in front of every row and one in the
// header that checks or clears all rows. The rows themselves are the program's task store.
#pragma once

#include <QTableWidget>
#include <optional>
#include <vector>

#include "app/CheckableHeader.h"
#include "settings/OutputNamePattern.h"

namespace varnell {

// A row split from one chapter of its file (Split into Chapters): column 0 shows its number and
// title after the path, while its text stays the path. The exact range gives way to the start and
// end texts once the user clips the row; number and title stay.
struct RowChapter {
  int number = 0;  // from 1; 0 for a row that is no chapter
  QString title;
  std::optional<double> exactBeginSeconds;
  std::optional<double> exactEndSeconds;
};

class TaskListView : public QTableWidget {
  Q_OBJECT
 public:
  enum Column {
    kSourceFile,
    kStartTime,
    kEndTime,
    kOutputFormat,
    kStatus,
    kDuration,
    kColumnCount
  };
  // The status of a row not converted yet, and of a checked row while its batch runs.
  static constexpr const char* kReadyStatus = QT_TRANSLATE_NOOP("varnell::TaskListView", " Ready");

  explicit TaskListView(QWidget* parent = nullptr);

  // Columns, header box, background and grid as the main window creates them; the list is
  // hidden until it holds a row.
  void CreateColumns();
  // Subclasses the header box once; later calls do nothing.
  void SetUp();
  bool isInitialised() const { return initialised_; }

  int GetItemCount() const { return rowCount(); }
  // Inserts a row with the path in column 0 and empty other columns, unchecked; returns the
  // row it became (a row past the end is appended).
  int InsertRow(int row, const QString& sourcePath);
  void DeleteItem(int row);
  void DeleteAllItems();
  QString GetItemText(int row, int column) const;
  void SetItemText(int row, int column, const QString& text);
  void SetItemToolTip(int row, int column, const QString& text);
  // Where below the output folder the row's output goes, for a file added with its folder
  // ("Lib/Disc 1"); empty for one that goes straight into the output folder.
  QString GetOutputSubfolder(int row) const;
  void SetOutputSubfolder(int row, const QString& subfolder);
  // Kept with the row's first cell like its subfolder; a row that is no chapter has number 0.
  RowChapter GetChapter(int row) const;
  void SetChapter(int row, const RowChapter& chapter);
  // The clip dialog's new start and end texts; a chapter row's exact range gives way to them when
  // they differ from the ones it had.
  void SetClipTimes(int row, const QString& startTime, const QString& endTime);
  // The tags the probe that added the row read, for the output name pattern; none for a row
  // added without them (the batch then reads them itself when the pattern needs them).
  std::optional<NameTags> GetNameTags(int row) const;
  void SetNameTags(int row, const NameTags& tags);
  bool GetCheck(int row) const;
  void SetCheck(int row, bool checked);

  int FirstSelectedRow() const;           // -1 when none
  int FocusedRow() const;                 // the current row, selected or not; -1 when none
  int LastSelectedRow() const;            // -1 when none
  std::vector<int> SelectedRows() const;  // ascending
  void SelectAndFocusRow(int row);
  void DeselectRow(int row);

  CheckableHeader* headerCtrl() const { return header_; }

 signals:
  void clicked();  // any left click in the list
  void contextMenuRequested(const QPoint& globalPosition);
  // The Delete key with the keyboard focus in the list (nowhere else).
  void deletePressed();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OnItemChanged(QTableWidgetItem* item);
  void OnHeaderBoxClicked(int newImage);
  void UpdateHeaderBox();

  CheckableHeader* header_;
  bool initialised_ = false;
  bool settingAllChecks_ = false;
};

}  // namespace varnell
