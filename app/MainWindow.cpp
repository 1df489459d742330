#include "app/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

#include "app/AboutDialog.h"
#include "app/CaptionedPicture.h"
#include "app/MainWindowTemplate.h"
#include "app/PlatformMessageSink.h"
#include "controls/BitmapResource.h"
#include "controls/ControlLookup.h"
#include "controls/DialogUnits.h"
#include "controls/PixelRatioChange.h"
#include "controls/TemplateBuilder.h"
#include "platform/ExecutableFolder.h"
#include "resources/VarnellResources.h"
#include "settings/OutputFormats.h"
#include "settings/ProfileChoice.h"
#include "settings/dialog/SettingsDialog.h"

namespace varnell {

using namespace main_window;

namespace {
constexpr int kBackgroundBitmap = 290;
constexpr int kHandCursorBitmap = 262;
constexpr int kIconBitmap = 266;
}  // namespace

MainWindow::MainWindow(ApplicationState& state, const Platform& platform,
                       const QString& programFolder, QWidget* parent)
    : QDialog(parent),
      state_(state),
      platform_(platform),
      programFolder_(programFolder),
      store_(programFolder),
      clipDialog_(this) {
  // Initialisation, in the window's order: frame, icon and title, controls, profile choices,
  // skin, task list columns, output folder, output settings, preview.
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setAcceptDrops(true);
  setFixedSize(DialogUnitsToPixels(QSize(kWidthUnits, kHeightUnits), TemplateFont::Shell9pt));
  setWindowIcon(QIcon(QPixmap::fromImage(LoadBitmapResource(kIconBitmap))));
  setWindowTitle(tr("Varnell"));
  backgroundRatio_ = devicePixelRatioF();
  background_ = LoadCaptionedPicture(kBackgroundBitmap, backgroundRatio_);

  CreateControls();
  taskListController_ = std::make_unique<TaskListController>(state_, platform_, *taskList_,
                                                             *profile_, buttons_, *this);
  batch_ = std::make_unique<BatchController>(platform_, *taskList_, *this);
  for (const OutputFormat* format : ProfileFormats()) {
    profile_->addItem(QString::fromUtf8(format->profileName.data(),
                                        static_cast<int>(format->profileName.size())));
  }
  profile_->setCurrentIndex(0);
  const QCursor hand(QPixmap::fromImage(LoadBitmapResource(kHandCursorBitmap)),
                     kHandCursorHotSpot.x(), kHandCursorHotSpot.y());
  buttons_.Skin(hand);
  SetUpSliders();
  taskList_->CreateColumns();
  SetUpOutputFolder();
  ApplyProfileChoice(0, state_.outputSettings, state_.currentPresetCode);
  preview_ = std::make_unique<PreviewController>(PreviewController::Controls{
      *taskList_, buttons_.at(kPlay), buttons_.at(kStop), *sliders_.at(kPositionSlider),
      *sliders_.at(kVolumeSlider), *previewArea_});
  ConnectControls();
}

MainWindow::~MainWindow() {
  // A batch still running (the program quits during it) is stopped and joined here, before the
  // task list its reports go to is gone.
  batch_.reset();
  // The player's thread must not reach a window that is gone: the preview closes the file,
  // then unhooks the player.
  preview_.reset();
}

void MainWindow::CreateControls() {
  TemplateBuilder builder(*this, TemplateFont::Shell9pt, "MainWindowTemplate");
  builder.MakeCustom([this](const ControlTemplate&, QWidget& window) {
    taskList_ = new TaskListView(&window);
    return taskList_;
  });
  builder.Then(ControlKind::SkinButton, [this](const ControlTemplate& control, SkinButton& button) {
    buttons_.Add(control.id, &button);
  });
  builder.Then(ControlKind::Slider, [this](const ControlTemplate& control, BitmapSlider& slider) {
    sliders_[control.id] = &slider;
  });
  builder.Then(ControlKind::DropDownList, [](const ControlTemplate& control, QComboBox& box) {
    if (control.id == kOutputFolder) {
      box.setEditable(true);
      box.setInsertPolicy(QComboBox::InsertAlphabetically);
    }
    // A drop-down's height in a template includes its open list; the box itself is one line.
    box.resize(box.width(), box.sizeHint().height());
  });
  builder.Then(ControlKind::Frame, [](const ControlTemplate&, QFrame& frame) {
    frame.setFrameStyle(QFrame::Box | QFrame::Plain);
    frame.setStyleSheet("background: black; color: black;");
  });
  builder.Build(kControls);
  profile_ = builder.control<QComboBox>(kProfile);
  outputFolder_ = builder.control<QComboBox>(kOutputFolder);
  previewArea_ = builder.control<QFrame>(kPreviewArea);
  hiddenRemove_ = builder.control<QPushButton>(kHiddenRemove);
  // Tab goes in reading order from the title-bar buttons on; the window opens on Add.
  buttons_.at(kAdd).setFocus();
}

void MainWindow::SetUpSliders() {
  // The preview gives these their actions; their look and ranges are set here.
  BitmapSlider* position = sliders_.at(kPositionSlider);
  BitmapSlider* volume = sliders_.at(kVolumeSlider);
  for (BitmapSlider* slider : {position, volume}) {
    slider->SetFocusFrame(false);
    slider->SetMargins(2, 3, 2, 0);
    slider->LoadThumb();
  }
  position->LoadChannel(306, 307);
  position->SetLimits(0, 10000);
  position->setEnabled(false);
  volume->LoadChannel(300, 299);
  volume->SetLimits(0, 100000);
  volume->SetValue(30000);
}

BitmapSlider* MainWindow::slider(int id) const { return FindControl(sliders_, id); }

// The window's message map: every control wired to its handler, most of them in a controller.
void MainWindow::ConnectControls() {
  TaskListController* list = taskListController_.get();
  PreviewController* preview = preview_.get();
  const auto onClick = [this](int id, auto* receiver, auto handler) {
    connect(&buttons_.at(id), &QAbstractButton::clicked, receiver, handler);
  };
  onClick(kAdd, list, &TaskListController::AddFiles);
  onClick(kAddFolder, list, &TaskListController::AddFolder);
  onClick(kRemove, list, &TaskListController::RemoveSelected);
  onClick(kRemove, preview, &PreviewController::Stop);
  onClick(kPlay, preview, &PreviewController::PlayPause);
  onClick(kStop, preview, &PreviewController::Stop);
  connect(
      sliders_.at(kPositionSlider), &BitmapSlider::moved, preview,
      [preview](int, int value) { preview->Seek(value); }, Qt::QueuedConnection);
  connect(
      sliders_.at(kVolumeSlider), &BitmapSlider::moved, preview,
      [preview](int, int value) { preview->SetVolume(value); }, Qt::QueuedConnection);
  onClick(kClearAll, list, &TaskListController::ClearAll);
  onClick(kClip, this, &MainWindow::ClipCommand);
  onClick(kBrowse, this, &MainWindow::Browse);
  onClick(kFindTarget, this, &MainWindow::FindTarget);
  onClick(kHelp, this, &MainWindow::Help);
  onClick(kMinimise, this, &MainWindow::Minimise);
  onClick(kClose, this, &MainWindow::CloseProgram);
  onClick(kConvert, this, &MainWindow::StartConverting);
  onClick(kMerge, this, &MainWindow::MergeFiles);
  onClick(kSetting, this, &MainWindow::Settings);
  onClick(kFileInformation, list, &TaskListController::ShowFileInformation);
  onClick(kAbout, this, &MainWindow::About);
  connect(hiddenRemove_, &QPushButton::clicked, list, &TaskListController::RemoveSelected);
  // Delete removes a row only in the list; in the folder's text it edits the text.
  connect(taskList_, &TaskListView::deletePressed, list, &TaskListController::RemoveFocused);
  connect(taskList_, &TaskListView::deletePressed, preview, &PreviewController::Stop);
  connect(taskList_, &TaskListView::clicked, list, &TaskListController::RowClicked);
  connect(taskList_, &TaskListView::contextMenuRequested, list, &TaskListController::ContextMenu);
  connect(list, &TaskListController::previewMustStop, preview, &PreviewController::Stop);
  connect(list, &TaskListController::clipRequested, this, &MainWindow::ClipCommand);
  clipDialog_.handBackPlayer = [preview] { preview->SetUp(); };
  clipDialog_.taskListHasSelection = [this] { return taskList_->FirstSelectedRow() >= 0; };
  connect(batch_.get(), &BatchController::outputFolderAccepted, this,
          [this](const QString& folder) {
            currentOutputFolder_ = folder;
            // Told once the batch is over (MainWindow::Launch), not over its progress window.
            if (!store_.WriteOutputFolder(folder)) storeUnwritable_ = true;
          });
  connect(batch_.get(), &BatchController::quitAfterBatch, this, &MainWindow::CloseProgram);
  connect(profile_, &QComboBox::currentIndexChanged, this, &MainWindow::ProfileChanged);
}

void MainWindow::SetUpOutputFolder() {
  currentOutputFolder_ = store_.StartUpFolder();
  outputFolder_->addItem(currentOutputFolder_);
  outputFolder_->setCurrentIndex(0);
  outputFolder_->setEditText(currentOutputFolder_);
}

void MainWindow::ShowMessage(const QString& text) {
  platform_.messages.Show(text, QString(), MessageButtons::Ok, this);
}

// Moved to a screen of another pixel density, the background is drawn for that density; the
// buttons and sliders reload their own pictures.
bool MainWindow::event(QEvent* event) {
  if (MayChangePixelRatio(*event) && backgroundRatio_ != devicePixelRatioF()) {
    backgroundRatio_ = devicePixelRatioF();
    background_ = LoadCaptionedPicture(kBackgroundBitmap, backgroundRatio_);
    update();
  }
  return QDialog::event(event);
}

void MainWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(rect(), background_);
}

// Dragging the background moves the frameless window, as a title bar would.
void MainWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QDialog::mousePressEvent(event);
  if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
  dragOrigin_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
  if (dragOrigin_ && (event->buttons() & Qt::LeftButton)) {
    move(event->globalPosition().toPoint() - *dragOrigin_);
    return;
  }
  QDialog::mouseMoveEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
  dragOrigin_.reset();
  QDialog::mouseReleaseEvent(event);
}

// While files are being added a drop is refused (the pointer says so) rather than lost midway.
void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!taskListController_->addingFiles() && event->mimeData()->hasUrls())
    event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths << url.toLocalFile();
  }
  if (taskListController_->addingFiles()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  if (!paths.isEmpty()) taskListController_->DropFiles(paths);
}

// The window manager's close (Alt+F4) leaves the window open; only the Close button ends it.
void MainWindow::closeEvent(QCloseEvent* event) {
  if (!closing_) event->ignore();
}

void MainWindow::ProfileChanged(int item) {
  if (item < 0) {
    state_.outputSettings.audioOnly = false;
    state_.outputSettings.thumbnail = false;
    return;
  }
  ApplyProfileChoice(item, state_.outputSettings, state_.currentPresetCode);
  const QString name = profile_->itemText(item);
  for (int row = 0; row < taskList_->GetItemCount(); ++row) {
    taskList_->SetItemText(row, TaskListView::kOutputFormat, name);
  }
}

void MainWindow::Browse() {
  for (;;) {
    const std::optional<QString> chosen = platform_.fileDialogs.BrowseFolder(
        this, tr("Please select output folder:"), outputFolder_->currentText().trimmed());
    if (!chosen) return;
    if (!chosen->isEmpty() && !QFileInfo(*chosen).isDir()) {
      ShowMessage(tr("The output folder name is invalid!"));
      continue;
    }
    if (chosen->isEmpty()) return;
    outputFolder_->addItem(*chosen);
    outputFolder_->setCurrentIndex(outputFolder_->findText(*chosen));
    outputFolder_->setEditText(*chosen);
    currentOutputFolder_ = *chosen;
    return;
  }
}

// A folder text the desktop cannot be asked about is explained rather than handed over: the
// desktop would answer only that no program opens it.
void MainWindow::FindTarget() {
  const QString folder = outputFolder_->currentText().trimmed();
  if (folder.isEmpty()) {
    ShowMessage(CannotOpenMessage(tr("the output folder"), tr("No output folder is given.")));
  } else if (!QDir::isAbsolutePath(folder)) {
    ShowMessage(CannotOpenMessage(
        folder, tr("The output folder is not a full path; it must start with \"/\".")));
  } else if (!QFileInfo(folder).isDir()) {
    ShowMessage(CannotOpenMessage(folder, tr("The folder does not exist.")));
  } else {
    Open(folder, OpenTarget::Folder);
  }
}

// Nothing the user asks to open fails without a word: when neither the desktop nor (for a page)
// the web browser opens it, a box says what and why.
void MainWindow::Open(const QString& target, OpenTarget kind) {
  if (const auto reason = OpenForUser(platform_.shell, platform_.browser, target, kind)) {
    ShowMessage(CannotOpenMessage(target, *reason));
  }
}

void MainWindow::Help() {
  const QString help = HelpPagePath(programFolder_);
  if (!help.isEmpty()) {
    Open(help, OpenTarget::Page);
  } else {
    ShowMessage(tr("Can not find help file!"));
  }
}

void MainWindow::ClipCommand() {
  const std::vector<int> rows = taskList_->SelectedRows();
  if (rows.empty()) {
    ShowMessage(tr("Please select the video files to cut!"));
    return;
  }
  // One clip dialog per selected row, in turn; OK writes the row's start and end times.
  for (int row : rows) {
    taskList_->setFocus();
    preview_->Stop();
    ClipRow clip;
    clip.sourcePath = taskList_->GetItemText(row, TaskListView::kSourceFile);
    clip.startTime = taskList_->GetItemText(row, TaskListView::kStartTime);
    clip.endTime = taskList_->GetItemText(row, TaskListView::kEndTime);
    clip.durationSeconds = taskList_->GetItemText(row, TaskListView::kDuration);
    if (const auto times = clipDialog_.EditRow(clip)) {
      taskList_->SetClipTimes(row, times->first, times->second);
    }
  }
}

void MainWindow::Minimise() { showMinimized(); }

// A new settings window each time: it starts from the current preset and the saved choices.
void MainWindow::Settings() {
  PlatformMessageSink messages(platform_.messages, this);
  SettingsDialog settings(state_.outputSettings, state_.currentPresetCode, messages, this);
  settings.exec();
}

void MainWindow::About() {
  AboutDialog about(platform_.shell, platform_.messages, platform_.browser, this);
  about.exec();
}

void MainWindow::CloseProgram() {
  preview_->CloseFile();
  // The scan's thread ends at its next file and is joined with the task list.
  taskListController_->CancelFolderScan();
  closing_ = true;
  done(QDialog::Accepted);
}

}  // namespace varnell
