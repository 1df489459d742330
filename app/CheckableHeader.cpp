#include "app/CheckableHeader.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

#include "controls/BitmapResource.h"

namespace varnell {
namespace {
constexpr int kImageSize = 16;
constexpr int kBoxLeft = 4;
const QColor kMaskColour(255, 0, 255);

// The partly checked mark: a square inside the clear box, in the checked box's colour.
QPixmap PartialImage(const QPixmap& clear) {
  QPixmap partial = clear;
  QPainter painter(&partial);
  painter.fillRect(QRect(5, 5, 6, 6), QColor(0x16, 0x72, 0x82));
  return partial;
}

// Cuts bitmap 292 into its three pictures, magenta made transparent, and adds the partial one.
std::array<QPixmap, 4> LoadHeaderImages() {
  std::array<QPixmap, 4> images;
  QImage strip = LoadBitmapResource(292).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < strip.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(strip.scanLine(y));
    for (int x = 0; x < strip.width(); ++x) {
      if ((line[x] & 0xFFFFFF) == (kMaskColour.rgb() & 0xFFFFFF)) line[x] = qRgba(0, 0, 0, 0);
    }
  }
  for (int i = 0; i < 3; ++i) {
    images[i] = QPixmap::fromImage(strip.copy(i * kImageSize, 0, kImageSize, kImageSize));
  }
  images[CheckableHeader::kPartialImage] = PartialImage(images[CheckableHeader::kClearImage]);
  return images;
}
}  // namespace

CheckableHeader::CheckableHeader(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), images_(LoadHeaderImages()) {
  setSectionsClickable(true);
  setHighlightSections(false);
}

void CheckableHeader::setCheckImage(int image) {
  if (image == checkImage_) return;
  checkImage_ = image;
  viewport()->update();
}

QRect CheckableHeader::checkBoxRect() const {
  const int left = sectionViewportPosition(0);
  return QRect(left + kBoxLeft, (height() - kImageSize) / 2, kImageSize, kImageSize);
}

void CheckableHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  if (logicalIndex != 0) {
    QHeaderView::paintSection(painter, rect, logicalIndex);
    return;
  }
  // Section 0: its background, the box, and its title right of the box.
  QStyleOptionHeader option;
  initStyleOption(&option);
  option.rect = rect;
  option.section = 0;
  option.text = model() ? model()->headerData(0, Qt::Horizontal).toString() : QString();
  option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
  style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
  const QRect box(rect.left() + kBoxLeft, rect.top() + (rect.height() - kImageSize) / 2, kImageSize,
                  kImageSize);
  painter->drawPixmap(box.topLeft(), images_[checkImage_]);
  option.rect = rect.adjusted(kBoxLeft + kImageSize + 4, 0, 0, 0);
  style()->drawControl(QStyle::CE_HeaderLabel, &option, painter, this);
}

void CheckableHeader::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && logicalIndexAt(event->position().toPoint()) == 0) {
    // A partly checked box checks every row, as a clear one does.
    const int next = checkImage_ == kCheckedImage ? kClearImage : kCheckedImage;
    setCheckImage(next);
    emit checkBoxClicked(next);
    event->accept();
    return;
  }
  QHeaderView::mousePressEvent(event);
}

}  // namespace varnell
