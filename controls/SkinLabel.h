#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QString>
#include <QTimer>

#include <optional>
#include <utility>
#include <vector>

class QEvent;
class QMouseEvent;
class QPainter;
class QPaintEvent;

namespace varnell {

class Shell;

// Static text that paints itself: own text colour and font, a solid, gradient
// or no (transparent) background, embossed or rotated text, flashing, and a
// link mode that opens its text as a web or mail address when clicked. Lives
// in the GUI thread; the flash timer runs there too. Every Change* returns the
// label so that a dialog can set one up in a single chained statement.
class SkinLabel : public QLabel {
  Q_OBJECT

 public:
  // How the text sits in the label, as a dialog template's static styles say.
  enum class TextStyle { Left, Center, Right, LeftNoWordWrap };
  enum class FlashKind { None, Text, Background };
  enum class LinkMode { None, Web, Mail };

  static constexpr int kFlashPeriodMs = 500;

  explicit SkinLabel(int controlId, QWidget* parent = nullptr);

  int controlId() const;

  // Not owned; it must outlive the label. Without one, link clicks open nothing.
  void SetShell(Shell* shell);

  // Without gradient the first colour becomes the label's own solid
  // background; with it the background runs from colour (left) to
  // secondColour (right) and there is no own background colour.
  SkinLabel& ChangeBackground(QColor colour, QColor secondColour = {}, bool gradient = false);
  SkinLabel& ChangeTextColour(QColor colour);
  SkinLabel& ChangeText(const QString& text);
  SkinLabel& ChangeBold(bool bold);
  // Face names are cut to 31 characters, the longest a font description holds.
  SkinLabel& ChangeFaceName(const QString& face);
  SkinLabel& ChangeUnderline(bool underline);
  SkinLabel& ChangeItalic(bool italic);
  SkinLabel& ChangePointSize(int points);
  SkinLabel& ChangeSunken(bool sunken);
  SkinLabel& ChangeBorder(bool border);
  SkinLabel& ChangeTransparent(bool transparent);
  SkinLabel& ChangeTextFlash(bool on);
  // Only flips the flash phase: the painting does not depend on it. Turning it
  // off stops the timer and leaves the flash kind as it was.
  SkinLabel& ChangeBackgroundFlash(bool on);
  SkinLabel& ChangeLink(bool on, bool notifyParent = false);
  SkinLabel& ChangeLinkCursor(const QCursor& cursor);
  SkinLabel& Change3DText(bool on, bool raised = false);
  // Counter-clockwise degrees; the text is drawn turned only while on.
  SkinLabel& ChangeRotation(int degrees, bool on = true);
  SkinLabel& Change3DHighlight(QColor colour);
  SkinLabel& ChangeLogFont(const QFont& font);
  SkinLabel& ChangeMailLink(bool on, bool notifyParent = false);
  // Opened in web-link mode instead of the text; empty means the text.
  SkinLabel& ChangeLinkAddress(const QString& address);

  // centreImage centres a single line in both directions; a text with CR LF
  // line breaks is then only centred horizontally.
  void SetTextStyle(TextStyle style, bool centreImage = false);
  // What a left click does: tells the parent in notify-parent mode, else opens a link mode's
  // address; nothing for plain text.
  void Follow();
  // What a link mode opens ("mailto:" and the text for a mail link); empty without a link mode.
  QString followedAddress() const;
  // The QPainter text flags a text gets under a text style.
  static int TextFlags(TextStyle style, bool centreImage, const QString& text);

  // The vertical strips of a left-to-right gradient over client, in the order
  // they are painted: at most 100, each colour channel stepped in 8.8 fixed
  // point, the last strip reaching the right edge.
  static std::vector<std::pair<QRect, QColor>> GradientStrips(QRect client, QColor start,
                                                              QColor end);

  QColor textColour() const;
  QColor highlightColour() const;
  std::optional<QColor> ownBackground() const;
  bool isGradient() const;
  bool isTransparent() const;
  bool isSunken() const;
  bool hasBorder() const;
  bool is3DText() const;
  bool isRaised() const;
  bool isRotated() const;
  int rotationDegrees() const;
  const QFont& logFont() const;
  bool flashPhase() const;
  FlashKind flashKind() const;
  bool isFlashTimerRunning() const;
  LinkMode linkMode() const;
  bool notifiesParent() const;
  QString linkAddress() const;
  TextStyle textStyle() const;

 public slots:
  // One flash timer tick: flips the phase and redraws. Public so that tests
  // can step the flashing without waiting for the timer.
  void FlashTick();

 signals:
  // A click in notify-parent mode, reported instead of opening the link.
  void clicked(int controlId);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void PaintFrame(QPainter& painter) const;
  void PaintClient(QPainter& painter, const QRect& client) const;
  void PaintText(QPainter& painter, const QRect& client) const;
  // The text as it fits `client`: as given when it does (on one line or wrapped), else one line
  // cut with an ellipsis, and then `cut` is set. Longer translations thus never run out of a
  // template's rectangle.
  QString FittedText(const QRect& client, bool* cut = nullptr) const;
  // A cut text is shown whole as the label's tool tip; a tool tip the owner set stays.
  void ShowCutTextAsToolTip(bool cut);
  void RecreateFont();
  void StartFlashing(FlashKind kind);
  void ApplyFrameMargins();
  // Clicks reach the label only in a link mode; otherwise they go to the
  // window beneath, as with a static control that does not notify.
  void SetTakesClicks(bool takesClicks);
  // Redraws the label and its rectangle in the parent, so that a transparent
  // label is drawn again over fresh parent background.
  void FullRedraw();

  const int controlId_;
  Shell* shell_ = nullptr;

  QColor textColour_;
  QColor highlightColour_ = Qt::white;
  std::optional<QColor> ownBackground_;
  bool gradient_ = false;
  QColor gradientStart_ = Qt::black;
  QColor gradientEnd_ = Qt::black;
  bool transparent_ = false;

  QFont logFont_;
  int rotationDegrees_ = 0;
  bool rotated_ = false;
  bool text3D_ = false;
  bool raised_ = false;

  bool sunken_ = false;
  bool border_ = false;
  TextStyle textStyle_ = TextStyle::Left;
  bool centreImage_ = false;

  // A child of the label named "flashTimer", so that a test can find it and
  // shorten its period instead of waiting out the real one.
  QTimer flashTimer_{this};
  bool flashPhase_ = false;
  FlashKind flashKind_ = FlashKind::None;

  LinkMode linkMode_ = LinkMode::None;
  bool notifyParent_ = false;
  QString linkAddress_;
  bool toolTipIsCutText_ = false;
};

}  // namespace varnell
