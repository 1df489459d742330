#include "controls/HyperLink.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

#include <utility>

#include "controls/EnterClicksButton.h"
#include "controls/KeyboardFocusMark.h"
#include "platform/BrowserLauncher.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"

namespace varnell {

HyperLink::HyperLink(int controlId, QWidget* parent)
    : QLabel(parent), controlId_(controlId), pointerPosition_([] { return QCursor::pos(); }) {
  // The address may hold '<' or '&'; QLabel must not take it for rich text.
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Moves without a pressed button are how the link learns the pointer came.
  setMouseTracking(true);
  setCursor(Qt::PointingHandCursor);
  // Tab reaches the link and Enter or Space follows it; a click follows it without taking the
  // focus, as a link on a page does.
  setFocusPolicy(Qt::TabFocus);
  new KeyboardFocusMark(*this);
  hoverTimer_.setObjectName(QStringLiteral("hoverTimer"));
  hoverTimer_.setInterval(kHoverCheckMs);
  connect(&hoverTimer_, &QTimer::timeout, this, &HyperLink::CheckPointerLeft);
}

int HyperLink::controlId() const { return controlId_; }

void HyperLink::SetServices(Shell* shell, MessageBox* messages, BrowserLauncher* browser) {
  shell_ = shell;
  messages_ = messages;
  browser_ = browser;
}

void HyperLink::SetURL(const QString& url) {
  // A text that only ever showed the address keeps showing it.
  if (text().isEmpty() || text() == url_) setText(url);
  url_ = url;
  setToolTip(url_);
  FitToText();
}

QString HyperLink::GetURL() const { return url_; }

void HyperLink::SetColours(QColor link, QColor visited, QColor hover) {
  if (link.isValid()) linkColour_ = link;
  if (visited.isValid()) visitedColour_ = visited;
  if (hover.isValid()) hoverColour_ = hover;
  update();
}

QColor HyperLink::GetLinkColour() const { return linkColour_; }

QColor HyperLink::GetVisitedColour() const { return visitedColour_; }

QColor HyperLink::GetHoverColour() const { return hoverColour_; }

void HyperLink::SetVisited(bool visited) {
  visited_ = visited;
  update();
}

bool HyperLink::GetVisited() const { return visited_; }

void HyperLink::SetLinkCursor(const QCursor& cursor) { setCursor(cursor); }

QCursor HyperLink::GetLinkCursor() const { return cursor(); }

void HyperLink::SetUnderline(int mode) {
  // Only a change of mode picks the font, so a hover underline in progress
  // survives setting the same mode again.
  if (mode != underlineMode_) {
    underlined_ = mode == kUnderlineAlways;
    update();
  }
  underlineMode_ = mode;
}

int HyperLink::GetUnderline() const { return underlineMode_; }

void HyperLink::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  FitToText();
}

bool HyperLink::GetAutoSize() const { return autoSize_; }

bool HyperLink::GotoURL(const QString& url, int /*showCommand*/) {
  const int result = OpenAddress(url);
  if (result > kLastFailure) {
    visited_ = true;
    update();
    return true;
  }
  QApplication::beep();
  ReportOpenError(result);
  return false;
}

int HyperLink::OpenAddress(const QString& url) {
  if (url.isEmpty()) return kFileNotFound;
  if (shell_ != nullptr && shell_->Open(url)) return kOpened;
  if (browser_ != nullptr && browser_->Launch(url)) return kOpened;
  return ResultOfFailedLaunch();
}

int HyperLink::ResultOfFailedLaunch() const {
  if (browser_ != nullptr) {
    switch (browser_->LastFailure()) {
      case LaunchFailure::EntryUnreadable:
      case LaunchFailure::ProgramNotExecutable:
        return kAccessDenied;
      case LaunchFailure::EntryIncomplete:
        return kAssociationIncomplete;
      case LaunchFailure::ProgramNotFound:
        return kFileNotFound;
      case LaunchFailure::ProgramFolderNotFound:
        return kPathNotFound;
      case LaunchFailure::ProgramFailedToStart:
        return kBadProgram;
      case LaunchFailure::None:
      case LaunchFailure::NoDefaultBrowser:
        break;
    }
  }
  // Nothing to fall back on: the shell's own failure, which says only that
  // the desktop has nothing to open the address with.
  return kNoAssociation;
}

void HyperLink::ReportOpenError(int result) {
  if (messages_ != nullptr)
    messages_->Show(OpenErrorText(result), {}, MessageButtons::Ok, window());
}

QString HyperLink::OpenErrorText(int result) {
  QString reason;
  switch (result) {
    case kOutOfResources:
      reason = tr("The operating system is out\nof memory or resources.");
      break;
    case kFileNotFound:
      reason = tr("The specified file was not found.");
      break;
    case kPathNotFound:
      reason = tr("The specified path was not found.");
      break;
    case kAccessDenied:
      reason = tr("The operating system denied\naccess to the specified file.");
      break;
    case kOutOfMemory:
      reason = tr("There was not enough memory to complete the operation.");
      break;
    case kBadProgram:
      reason = tr("The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
      break;
    case kSharingViolation:
      reason = tr("A sharing violation occurred. ");
      break;
    case kAssociationIncomplete:
      reason = tr("The filename association is\nincomplete or invalid.");
      break;
    case kDdeTimeout:
      reason = tr("The DDE transaction could not\nbe completed because the request timed out.");
      break;
    case kDdeFailed:
      reason = tr("The DDE transaction failed.");
      break;
    case kDdeBusy:
      reason = tr(
          "The DDE transaction could not\nbe completed because other DDE transactions\nwere being "
          "processed.");
      break;
    case kNoAssociation:
      reason = tr("There is no application associated\nwith the given filename extension.");
      break;
    case kLibraryNotFound:
      reason = tr("The specified dynamic-link library was not found.");
      break;
    default:
      reason = tr("Unknown Error (%1) occurred.").arg(result);
      break;
  }
  return tr("Unable to open hyperlink:\n\n") + reason;
}

QRect HyperLink::FittedGeometry(const QRect& window, QSize textSize, Qt::Alignment alignment) {
  int left = window.x();
  int top = window.y();
  if (alignment & Qt::AlignVCenter) top += (window.height() - textSize.height()) / 2;
  if (alignment & Qt::AlignHCenter) {
    left += (window.width() - textSize.width()) / 2;
  } else if (alignment & Qt::AlignRight) {
    left = window.x() + window.width() - textSize.width();
  }
  return QRect(QPoint(left, top), textSize);
}

bool HyperLink::IsOver() const { return over_; }

bool HyperLink::IsHoverTimerRunning() const { return hoverTimer_.isActive(); }

QColor HyperLink::TextColour() const {
  if (over_) return hoverColour_;
  return visited_ ? visitedColour_ : linkColour_;
}

QFont HyperLink::ShownFont() const {
  QFont shown = font();
  if (underlined_) shown.setUnderline(true);
  return shown;
}

void HyperLink::SetPointerPosition(std::function<QPoint()> globalPosition) {
  pointerPosition_ = std::move(globalPosition);
}

void HyperLink::CheckPointerLeft() {
  if (rect().contains(mapFromGlobal(pointerPosition_()))) return;
  over_ = false;
  hoverTimer_.stop();
  if (underlineMode_ != kUnderlineAlways) underlined_ = false;
  update();
}

bool HyperLink::event(QEvent* event) {
  // Polish comes once, before the link is first shown: by then the owner has
  // given it its text, font and geometry.
  if (event->type() == QEvent::Polish) {
    AdoptTextOrAddress();
    FitToText();
  }
  return QLabel::event(event);
}

void HyperLink::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) FitToText();
  QLabel::changeEvent(event);
}

void HyperLink::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Button));
  drawFrame(&painter);
  painter.setFont(ShownFont());
  painter.setPen(TextColour());
  painter.drawText(contentsRect(), int(alignment()) | (wordWrap() ? int(Qt::TextWordWrap) : 0),
                   text());
}

void HyperLink::mouseMoveEvent(QMouseEvent* event) {
  if (!over_) {
    over_ = true;
    if (underlineMode_ == kUnderlineHover) underlined_ = true;
    update();
    hoverTimer_.start();
  }
  QLabel::mouseMoveEvent(event);
}

void HyperLink::keyPressEvent(QKeyEvent* event) {
  if (IsEnterKey(*event) ||
      (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier)) {
    Follow();
    return;
  }
  QLabel::keyPressEvent(event);
}

void HyperLink::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QLabel::mousePressEvent(event);
    return;
  }
  event->accept();
  Follow();
}

void HyperLink::Follow() {
  AdoptTextOrAddress();
  over_ = false;
  GotoURL(url_);
}

void HyperLink::AdoptTextOrAddress() {
  if (url_.isEmpty()) {
    url_ = text();
  } else if (text().isEmpty()) {
    setText(url_);
  }
  setToolTip(url_);
}

void HyperLink::FitToText() {
  if (!autoSize_) return;
  QFont underlineFont = font();
  underlineFont.setUnderline(true);
  const QSize frame = size() - contentsRect().size();
  const QSize textSize = QFontMetrics(underlineFont).size(0, text()) + frame;
  setGeometry(FittedGeometry(geometry(), textSize, alignment()));
}

}  // namespace varnell
