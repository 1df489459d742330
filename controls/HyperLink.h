#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QLabel>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTimer>

#include <functional>

class QEvent;
class QKeyEvent;
class QMouseEvent;
class QPaintEvent;

namespace varnell {

class BrowserLauncher;
class MessageBox;
class Shell;

// Static text that acts as a web link: link colours, an underline (always,
// never or while the pointer is over it), a hand cursor, the address as tool
// tip, and a click that opens the address through the desktop shell, falling
// back to the desktop's default browser. Lives in the GUI thread, as does its
// hover timer. Alignment stands for the static styles: AlignHCenter centres,
// AlignRight right-aligns and AlignVCenter centres a single line vertically;
// the default is left and top.
class HyperLink : public QLabel {
  Q_OBJECT

 public:
  enum UnderlineMode { kUnderlineNever = 0, kUnderlineAlways = 1, kUnderlineHover = -1 };

  // What OpenAddress answers: kOpened, or the failure whose text the error
  // box shows. Every value up to kLastFailure is a failure.
  enum OpenResult {
    kOutOfResources = 0,
    kFileNotFound = 2,
    kPathNotFound = 3,
    kAccessDenied = 5,
    kOutOfMemory = 8,
    kBadProgram = 11,
    kSharingViolation = 26,
    kAssociationIncomplete = 27,
    kDdeTimeout = 28,
    kDdeFailed = 29,
    kDdeBusy = 30,
    kNoAssociation = 31,
    kLibraryNotFound = 32,
    kLastFailure = 32,
    kOpened = 33,
  };

  // How often the pointer is checked while it is over the link, to notice
  // that it has left.
  static constexpr int kHoverCheckMs = 100;

  explicit HyperLink(int controlId, QWidget* parent = nullptr);

  int controlId() const;

  // Not owned; they must outlive the link. Without a shell the browser is
  // tried at once; without a message box failures only beep.
  void SetServices(Shell* shell, MessageBox* messages, BrowserLauncher* browser);

  // Also the tool tip; the link shows it as its text while it has none.
  void SetURL(const QString& url);
  QString GetURL() const;

  // An invalid colour leaves that colour as it was.
  void SetColours(QColor link, QColor visited, QColor hover = QColor());
  QColor GetLinkColour() const;
  QColor GetVisitedColour() const;
  QColor GetHoverColour() const;

  void SetVisited(bool visited);
  bool GetVisited() const;

  void SetLinkCursor(const QCursor& cursor);
  QCursor GetLinkCursor() const;

  // One of UnderlineMode.
  void SetUnderline(int mode);
  int GetUnderline() const;

  // While on, the link's geometry follows its text: on SetURL, on turning it
  // on, when the link is first shown and when its font changes.
  void SetAutoSize(bool autoSize);
  bool GetAutoSize() const;

  // The click: opens url; on success the link turns visited, on failure it
  // beeps and shows the error box. The desktop decides how the browser's
  // window appears, so showCommand (a Windows show state) is accepted and not
  // used.
  bool GotoURL(const QString& url, int showCommand = 1);
  // What a click does: the text or address fills in the other, then GotoURL.
  void Follow();
  // Opens url with the shell, else with the default browser; shows nothing.
  int OpenAddress(const QString& url);
  void ReportOpenError(int result);
  // The error box's text for a failed OpenAddress.
  static QString OpenErrorText(int result);

  // Where the link's own geometry goes when it fits to a text of textSize
  // (frame included) under alignment; window is in the parent's coordinates.
  static QRect FittedGeometry(const QRect& window, QSize textSize, Qt::Alignment alignment);

  bool IsOver() const;
  bool IsHoverTimerRunning() const;
  QColor TextColour() const;
  QFont ShownFont() const;

  // Where the hover check reads the pointer, in global coordinates; tests
  // replace the real cursor position.
  void SetPointerPosition(std::function<QPoint()> globalPosition);

 public slots:
  // The hover timer's tick: ends the hover once the pointer is outside.
  void CheckPointerLeft();

 protected:
  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Address and text stand in for each other while one of them is empty.
  void AdoptTextOrAddress();
  void FitToText();
  int ResultOfFailedLaunch() const;

  const int controlId_;
  Shell* shell_ = nullptr;
  MessageBox* messages_ = nullptr;
  BrowserLauncher* browser_ = nullptr;

  QString url_;
  QColor linkColour_{0, 0, 238};
  QColor visitedColour_{85, 26, 139};
  QColor hoverColour_{255, 0, 0};
  bool over_ = false;
  bool visited_ = false;
  int underlineMode_ = kUnderlineHover;
  bool underlined_ = false;  // the underline font is the one in use
  bool autoSize_ = true;
  // A child of the link named "hoverTimer", so that a test can find it and
  // shorten its period instead of waiting out the real one.
  QTimer hoverTimer_{this};
  std::function<QPoint()> pointerPosition_;
};

}  // namespace varnell
