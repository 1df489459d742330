#include "controls/CLabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

#include <algorithm>

#include "controls/CMemDC.h"
#include "platform/Shell.h"

namespace varnell {

namespace {

constexpr int kMaxGradientStrips = 100;
constexpr int kMaxFaceNameLength = 31;
constexpr int kFixedPointOne = 256;  // 8.8 fixed point

}  // namespace

CLabel::CLabel(int controlId, QWidget* parent)
    : QLabel(parent),
      controlId_(controlId),
      textColour_(palette().color(QPalette::WindowText)),
      logFont_(font()) {
  // The text is drawn by paintEvent exactly as given; QLabel must not take it
  // for rich text when sizing itself.
  setTextFormat(Qt::PlainText);
  setFrameStyle(QFrame::NoFrame);
  setAttribute(Qt::WA_OpaquePaintEvent);
  SetTakesClicks(false);
  flashTimer_.setInterval(kFlashPeriodMs);
  connect(&flashTimer_, &QTimer::timeout, this, &CLabel::FlashTick);
}

int CLabel::controlId() const {
  return controlId_;
}

void CLabel::SetShell(Shell* shell) {
  shell_ = shell;
}

CLabel& CLabel::ChangeBackground(QColor colour, QColor secondColour, bool gradient) {
  gradientEnd_ = secondColour;
  gradientStart_ = colour;
  gradient_ = gradient;
  if (gradient) {
    ownBackground_.reset();
  } else {
    ownBackground_ = colour;
  }
  FullRedraw();
  return *this;
}

CLabel& CLabel::ChangeTextColour(QColor colour) {
  textColour_ = colour;
  FullRedraw();
  return *this;
}

CLabel& CLabel::ChangeText(const QString& text) {
  setText(text);
  FullRedraw();
  return *this;
}

CLabel& CLabel::ChangeBold(bool bold) {
  logFont_.setWeight(bold ? QFont::Bold : QFont::Normal);
  RecreateFont();
  return *this;
}

CLabel& CLabel::ChangeFaceName(const QString& face) {
  logFont_.setFamily(face.left(kMaxFaceNameLength));
  RecreateFont();
  return *this;
}

CLabel& CLabel::ChangeUnderline(bool underline) {
  logFont_.setUnderline(underline);
  RecreateFont();
  return *this;
}

CLabel& CLabel::ChangeItalic(bool italic) {
  logFont_.setItalic(italic);
  RecreateFont();
  return *this;
}

CLabel& CLabel::ChangePointSize(int points) {
  // QFont rejects sizes below one point; the label then keeps its size.
  if (points > 0) {
    logFont_.setPointSize(points);
  }
  RecreateFont();
  return *this;
}

CLabel& CLabel::ChangeSunken(bool sunken) {
  sunken_ = sunken;
  ApplyFrameMargins();
  return *this;
}

CLabel& CLabel::ChangeBorder(bool border) {
  border_ = border;
  ApplyFrameMargins();
  return *this;
}

CLabel& CLabel::ChangeTransparent(bool transparent) {
  transparent_ = transparent;
  setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
  FullRedraw();
  return *this;
}

CLabel& CLabel::ChangeTextFlash(bool on) {
  flashTimer_.stop();
  if (on) {
    StartFlashing(FlashKind::Text);
  } else {
    flashKind_ = FlashKind::None;
  }
  return *this;
}

CLabel& CLabel::ChangeBackgroundFlash(bool on) {
  flashTimer_.stop();
  if (on) {
    StartFlashing(FlashKind::Background);
  }
  return *this;
}

CLabel& CLabel::ChangeLink(bool on, bool notifyParent) {
  linkMode_ = on ? LinkMode::Web : LinkMode::None;
  notifyParent_ = notifyParent;
  SetTakesClicks(on);
  return *this;
}

CLabel& CLabel::ChangeLinkCursor(const QCursor& cursor) {
  setCursor(cursor);
  return *this;
}

CLabel& CLabel::Change3DText(bool on, bool raised) {
  text3D_ = on;
  raised_ = raised;
  FullRedraw();
  return *this;
}

CLabel& CLabel::ChangeRotation(int degrees, bool on) {
  rotationDegrees_ = degrees;
  rotated_ = on;
  RecreateFont();
  return *this;
}

CLabel& CLabel::Change3DHighlight(QColor colour) {
  highlightColour_ = colour;
  FullRedraw();
  return *this;
}

CLabel& CLabel::ChangeLogFont(const QFont& font) {
  logFont_ = font;
  RecreateFont();
  return *this;
}

CLabel& CLabel::ChangeMailLink(bool on, bool notifyParent) {
  linkMode_ = on ? LinkMode::Mail : LinkMode::None;
  notifyParent_ = notifyParent;
  SetTakesClicks(on);
  return *this;
}

CLabel& CLabel::ChangeLinkAddress(const QString& address) {
  linkAddress_ = address;
  return *this;
}

void CLabel::SetTextStyle(TextStyle style, bool centreImage) {
  textStyle_ = style;
  centreImage_ = centreImage;
  update();
}

int CLabel::TextFlags(TextStyle style, bool centreImage, const QString& text) {
  if (centreImage) {
    return text.contains(QStringLiteral("\r\n")) ? int(Qt::AlignHCenter | Qt::AlignTop)
                                                 : int(Qt::AlignCenter | Qt::TextSingleLine);
  }
  int flags = Qt::AlignTop;
  switch (style) {
    case TextStyle::Center:
      flags |= Qt::AlignHCenter | Qt::TextWordWrap;
      break;
    case TextStyle::Right:
      flags |= Qt::AlignRight | Qt::TextWordWrap;
      break;
    case TextStyle::LeftNoWordWrap:
      flags |= Qt::AlignLeft;
      break;
    case TextStyle::Left:
      flags |= Qt::AlignLeft | Qt::TextWordWrap;
      break;
  }
  if (text.contains(QLatin1Char('\t'))) {
    flags |= Qt::TextExpandTabs;
  }
  return flags;
}

std::vector<std::pair<QRect, QColor>> CLabel::GradientStrips(QRect client, QColor start, QColor end) {
  std::vector<std::pair<QRect, QColor>> strips;
  const int width = client.width();
  const int count = std::min(width, kMaxGradientStrips);
  if (count <= 0) {
    return strips;
  }
  const int stripWidth = width / count;
  int red = start.red() * kFixedPointOne;
  int green = start.green() * kFixedPointOne;
  int blue = start.blue() * kFixedPointOne;
  const int redStep = (end.red() - start.red()) * kFixedPointOne / count;
  const int greenStep = (end.green() - start.green()) * kFixedPointOne / count;
  const int blueStep = (end.blue() - start.blue()) * kFixedPointOne / count;

  strips.reserve(count);
  const int rightEdge = client.left() + width;
  int left = client.left();
  for (int i = 0; i < count; ++i) {
    const int right = i == count - 1 ? rightEdge : left + stripWidth;
    strips.emplace_back(QRect(left, client.top(), right - left, client.height()),
                        QColor(red / kFixedPointOne, green / kFixedPointOne, blue / kFixedPointOne));
    red += redStep;
    green += greenStep;
    blue += blueStep;
    left = right;
  }
  return strips;
}

QColor CLabel::textColour() const {
  return textColour_;
}

QColor CLabel::highlightColour() const {
  return highlightColour_;
}

std::optional<QColor> CLabel::ownBackground() const {
  return ownBackground_;
}

bool CLabel::isGradient() const {
  return gradient_;
}

bool CLabel::isTransparent() const {
  return transparent_;
}

bool CLabel::isSunken() const {
  return sunken_;
}

bool CLabel::hasBorder() const {
  return border_;
}

bool CLabel::is3DText() const {
  return text3D_;
}

bool CLabel::isRaised() const {
  return raised_;
}

bool CLabel::isRotated() const {
  return rotated_;
}

int CLabel::rotationDegrees() const {
  return rotationDegrees_;
}

const QFont& CLabel::logFont() const {
  return logFont_;
}

bool CLabel::flashPhase() const {
  return flashPhase_;
}

CLabel::FlashKind CLabel::flashKind() const {
  return flashKind_;
}

bool CLabel::isFlashTimerRunning() const {
  return flashTimer_.isActive();
}

CLabel::LinkMode CLabel::linkMode() const {
  return linkMode_;
}

bool CLabel::notifiesParent() const {
  return notifyParent_;
}

QString CLabel::linkAddress() const {
  return linkAddress_;
}

CLabel::TextStyle CLabel::textStyle() const {
  return textStyle_;
}

void CLabel::FlashTick() {
  flashPhase_ = !flashPhase_;
  FullRedraw();
}

void CLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PaintFrame(painter);
  const QRect client = contentsRect();
  if (client.isEmpty()) {
    return;
  }
  if (transparent_) {
    // Drawn straight onto the parent's background, which shows through.
    PaintClient(painter, client);
    return;
  }
  CMemDC memDC(painter, client, ownBackground_.value_or(palette().color(QPalette::Button)));
  PaintClient(memDC.painter(), client);
}

void CLabel::PaintFrame(QPainter& painter) const {
  QRect edge = rect();
  if (border_) {
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(edge.adjusted(0, 0, -1, -1));
    edge.adjust(1, 1, -1, -1);
  }
  if (sunken_) {
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(edge.topLeft(), edge.topRight());
    painter.drawLine(edge.topLeft(), edge.bottomLeft());
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(edge.bottomLeft(), edge.bottomRight());
    painter.drawLine(edge.topRight(), edge.bottomRight());
  }
}

void CLabel::PaintClient(QPainter& painter, const QRect& client) const {
  if (!transparent_) {
    if (gradient_) {
      for (const auto& [strip, colour] : GradientStrips(client, gradientStart_, gradientEnd_)) {
        painter.fillRect(strip, colour);
      }
    } else {
      painter.fillRect(client, ownBackground_.value_or(palette().color(QPalette::Button)));
    }
  }
  PaintText(painter, client);
}

void CLabel::PaintText(QPainter& painter, const QRect& client) const {
  // In the dark half of text flashing the text takes the background colour,
  // or black over a gradient or the default background.
  const bool hidden = flashKind_ == FlashKind::Text && !flashPhase_;
  painter.setPen(hidden ? ownBackground_.value_or(QColor(Qt::black)) : textColour_);
  painter.setFont(logFont_);
  QString shown = text();

  if (rotated_) {
    // Centred on its baseline through the middle of the label, then turned
    // counter-clockwise about that point.
    painter.save();
    painter.translate(client.left() + client.width() / 2, client.top() + client.height() / 2);
    painter.rotate(-rotationDegrees_);
    const qreal advance = painter.fontMetrics().horizontalAdvance(shown);
    painter.drawText(QPointF(-advance / 2, 0), shown);
    painter.restore();
    return;
  }

  const int flags = TextFlags(textStyle_, centreImage_, shown);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  painter.drawText(client, flags, shown);
  if (text3D_) {
    const int shift = raised_ ? 1 : -1;
    painter.setPen(highlightColour_);
    painter.drawText(client.translated(shift, shift), flags, shown);
  }
}

void CLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QLabel::mousePressEvent(event);
    return;
  }
  if (notifyParent_) {
    emit clicked(controlId_);
  } else if (shell_ != nullptr && linkMode_ == LinkMode::Web) {
    shell_->Open(linkAddress_.isEmpty() ? text() : linkAddress_);
  } else if (shell_ != nullptr && linkMode_ == LinkMode::Mail) {
    shell_->Open(QStringLiteral("mailto:") + text());
  }
  // The click was the label's: it does not travel on to the parent.
  event->accept();
}

void CLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  // The default background is the palette's button colour, read at paint
  // time; a new palette needs the parent redrawn under a transparent label too.
  if (event->type() == QEvent::PaletteChange) {
    FullRedraw();
  }
}

void CLabel::RecreateFont() {
  // The widget font follows the description so that size hints match the
  // drawn text.
  setFont(logFont_);
  FullRedraw();
}

void CLabel::StartFlashing(FlashKind kind) {
  flashPhase_ = false;
  flashKind_ = kind;
  flashTimer_.start();
}

void CLabel::ApplyFrameMargins() {
  const int frame = (border_ ? 1 : 0) + (sunken_ ? 1 : 0);
  setContentsMargins(frame, frame, frame, frame);
  update();
}

void CLabel::SetTakesClicks(bool takesClicks) {
  setAttribute(Qt::WA_TransparentForMouseEvents, !takesClicks);
}

void CLabel::FullRedraw() {
  update();
  if (QWidget* parent = parentWidget(); parent != nullptr) {
    parent->update(geometry());
  }
}

}  // namespace varnell
