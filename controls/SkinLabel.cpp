#include "controls/SkinLabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

#include <algorithm>

#include "controls/OffscreenBuffer.h"
#include "platform/Shell.h"

namespace varnell {

namespace {

constexpr int kMaxGradientStrips = 100;
constexpr int kMaxFaceNameLength = 31;
constexpr int kFixedPointOne = 256;  // 8.8 fixed point

}  // namespace

SkinLabel::SkinLabel(int controlId, QWidget* parent)
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
  flashTimer_.setObjectName(QStringLiteral("flashTimer"));
  flashTimer_.setInterval(kFlashPeriodMs);
  connect(&flashTimer_, &QTimer::timeout, this, &SkinLabel::FlashTick);
}

int SkinLabel::controlId() const { return controlId_; }

void SkinLabel::SetShell(Shell* shell) { shell_ = shell; }

SkinLabel& SkinLabel::ChangeBackground(QColor colour, QColor secondColour, bool gradient) {
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

SkinLabel& SkinLabel::ChangeTextColour(QColor colour) {
  textColour_ = colour;
  FullRedraw();
  return *this;
}

SkinLabel& SkinLabel::ChangeText(const QString& text) {
  setText(text);
  FullRedraw();
  return *this;
}

SkinLabel& SkinLabel::ChangeBold(bool bold) {
  logFont_.setWeight(bold ? QFont::Bold : QFont::Normal);
  RecreateFont();
  return *this;
}

SkinLabel& SkinLabel::ChangeFaceName(const QString& face) {
  logFont_.setFamily(face.left(kMaxFaceNameLength));
  RecreateFont();
  return *this;
}

SkinLabel& SkinLabel::ChangeUnderline(bool underline) {
  logFont_.setUnderline(underline);
  RecreateFont();
  return *this;
}

SkinLabel& SkinLabel::ChangeItalic(bool italic) {
  logFont_.setItalic(italic);
  RecreateFont();
  return *this;
}

SkinLabel& SkinLabel::ChangePointSize(int points) {
  // QFont rejects sizes below one point; the label then keeps its size.
  if (points > 0) {
    logFont_.setPointSize(points);
  }
  RecreateFont();
  return *this;
}

SkinLabel& SkinLabel::ChangeSunken(bool sunken) {
  sunken_ = sunken;
  ApplyFrameMargins();
  return *this;
}

SkinLabel& SkinLabel::ChangeBorder(bool border) {
  border_ = border;
  ApplyFrameMargins();
  return *this;
}

SkinLabel& SkinLabel::ChangeTransparent(bool transparent) {
  transparent_ = transparent;
  setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
  FullRedraw();
  return *this;
}

SkinLabel& SkinLabel::ChangeTextFlash(bool on) {
  flashTimer_.stop();
  if (on) {
    StartFlashing(FlashKind::Text);
  } else {
    flashKind_ = FlashKind::None;
  }
  return *this;
}

SkinLabel& SkinLabel::ChangeBackgroundFlash(bool on) {
  flashTimer_.stop();
  if (on) {
    StartFlashing(FlashKind::Background);
  }
  return *this;
}

SkinLabel& SkinLabel::ChangeLink(bool on, bool notifyParent) {
  linkMode_ = on ? LinkMode::Web : LinkMode::None;
  notifyParent_ = notifyParent;
  SetTakesClicks(on);
  return *this;
}

SkinLabel& SkinLabel::ChangeLinkCursor(const QCursor& cursor) {
  setCursor(cursor);
  return *this;
}

SkinLabel& SkinLabel::Change3DText(bool on, bool raised) {
  text3D_ = on;
  raised_ = raised;
  FullRedraw();
  return *this;
}

SkinLabel& SkinLabel::ChangeRotation(int degrees, bool on) {
  rotationDegrees_ = degrees;
  rotated_ = on;
  RecreateFont();
  return *this;
}

SkinLabel& SkinLabel::Change3DHighlight(QColor colour) {
  highlightColour_ = colour;
  FullRedraw();
  return *this;
}

SkinLabel& SkinLabel::ChangeLogFont(const QFont& font) {
  logFont_ = font;
  RecreateFont();
  return *this;
}

SkinLabel& SkinLabel::ChangeMailLink(bool on, bool notifyParent) {
  linkMode_ = on ? LinkMode::Mail : LinkMode::None;
  notifyParent_ = notifyParent;
  SetTakesClicks(on);
  return *this;
}

SkinLabel& SkinLabel::ChangeLinkAddress(const QString& address) {
  linkAddress_ = address;
  return *this;
}

void SkinLabel::SetTextStyle(TextStyle style, bool centreImage) {
  textStyle_ = style;
  centreImage_ = centreImage;
  update();
}

int SkinLabel::TextFlags(TextStyle style, bool centreImage, const QString& text) {
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

std::vector<std::pair<QRect, QColor>> SkinLabel::GradientStrips(QRect client, QColor start,
                                                                QColor end) {
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
    strips.emplace_back(
        QRect(left, client.top(), right - left, client.height()),
        QColor(red / kFixedPointOne, green / kFixedPointOne, blue / kFixedPointOne));
    red += redStep;
    green += greenStep;
    blue += blueStep;
    left = right;
  }
  return strips;
}

QColor SkinLabel::textColour() const { return textColour_; }

QColor SkinLabel::highlightColour() const { return highlightColour_; }

std::optional<QColor> SkinLabel::ownBackground() const { return ownBackground_; }

bool SkinLabel::isGradient() const { return gradient_; }

bool SkinLabel::isTransparent() const { return transparent_; }

bool SkinLabel::isSunken() const { return sunken_; }

bool SkinLabel::hasBorder() const { return border_; }

bool SkinLabel::is3DText() const { return text3D_; }

bool SkinLabel::isRaised() const { return raised_; }

bool SkinLabel::isRotated() const { return rotated_; }

int SkinLabel::rotationDegrees() const { return rotationDegrees_; }

const QFont& SkinLabel::logFont() const { return logFont_; }

bool SkinLabel::flashPhase() const { return flashPhase_; }

SkinLabel::FlashKind SkinLabel::flashKind() const { return flashKind_; }

bool SkinLabel::isFlashTimerRunning() const { return flashTimer_.isActive(); }

SkinLabel::LinkMode SkinLabel::linkMode() const { return linkMode_; }

bool SkinLabel::notifiesParent() const { return notifyParent_; }

QString SkinLabel::linkAddress() const { return linkAddress_; }

SkinLabel::TextStyle SkinLabel::textStyle() const { return textStyle_; }

void SkinLabel::FlashTick() {
  flashPhase_ = !flashPhase_;
  FullRedraw();
}

void SkinLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PaintFrame(painter);
  const QRect client = contentsRect();
  if (client.isEmpty()) {
    return;
  }
  bool cut = false;
  FittedText(client, &cut);
  ShowCutTextAsToolTip(cut);
  if (transparent_) {
    // Drawn straight onto the parent's background, which shows through.
    PaintClient(painter, client);
    return;
  }
  OffscreenBuffer memDC(painter, client,
                        ownBackground_.value_or(palette().color(QPalette::Button)));
  PaintClient(memDC.painter(), client);
}

void SkinLabel::PaintFrame(QPainter& painter) const {
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

void SkinLabel::PaintClient(QPainter& painter, const QRect& client) const {
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

void SkinLabel::PaintText(QPainter& painter, const QRect& client) const {
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
  shown = FittedText(client);
  painter.drawText(client, flags, shown);
  if (text3D_) {
    const int shift = raised_ ? 1 : -1;
    painter.setPen(highlightColour_);
    painter.drawText(client.translated(shift, shift), flags, shown);
  }
}

QString SkinLabel::FittedText(const QRect& client, bool* cut) const {
  QString shown = text();
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  // Lines the owner broke itself are drawn as they are.
  if (rotated_ || shown.contains(QLatin1Char('\n'))) return shown;
  const QFontMetrics metrics(logFont_);
  const QRect needed =
      metrics.boundingRect(client, TextFlags(textStyle_, centreImage_, shown), shown);
  if (needed.width() <= client.width() && needed.height() <= client.height()) return shown;
  const QString fitted = metrics.elidedText(shown, Qt::ElideRight, client.width());
  if (cut != nullptr) *cut = fitted != shown;
  return fitted;
}

void SkinLabel::ShowCutTextAsToolTip(bool cut) {
  if (cut && (toolTip().isEmpty() || toolTipIsCutText_)) {
    setToolTip(text());
    toolTipIsCutText_ = true;
  } else if (!cut && toolTipIsCutText_) {
    setToolTip(QString());
    toolTipIsCutText_ = false;
  }
}

void SkinLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QLabel::mousePressEvent(event);
    return;
  }
  Follow();
  // The click was the label's: it does not travel on to the parent.
  event->accept();
}

void SkinLabel::Follow() {
  if (notifyParent_) {
    emit clicked(controlId_);
  } else if (shell_ != nullptr && linkMode_ != LinkMode::None) {
    shell_->Open(followedAddress());
  }
}

QString SkinLabel::followedAddress() const {
  switch (linkMode_) {
    case LinkMode::Web:
      return linkAddress_.isEmpty() ? text() : linkAddress_;
    case LinkMode::Mail:
      return QStringLiteral("mailto:") + text();
    case LinkMode::None:
      break;
  }
  return {};
}

void SkinLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  // The default background is the palette's button colour, read at paint
  // time; a new palette needs the parent redrawn under a transparent label too.
  if (event->type() == QEvent::PaletteChange) {
    FullRedraw();
  }
}

void SkinLabel::RecreateFont() {
  // The widget font follows the description so that size hints match the
  // drawn text.
  setFont(logFont_);
  FullRedraw();
}

void SkinLabel::StartFlashing(FlashKind kind) {
  flashPhase_ = false;
  flashKind_ = kind;
  flashTimer_.start();
}

void SkinLabel::ApplyFrameMargins() {
  const int frame = (border_ ? 1 : 0) + (sunken_ ? 1 : 0);
  setContentsMargins(frame, frame, frame, frame);
  update();
}

void SkinLabel::SetTakesClicks(bool takesClicks) {
  setAttribute(Qt::WA_TransparentForMouseEvents, !takesClicks);
}

void SkinLabel::FullRedraw() {
  update();
  if (QWidget* parent = parentWidget(); parent != nullptr) {
    parent->update(geometry());
  }
}

}  // namespace varnell
