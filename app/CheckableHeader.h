// The task list's header: a check box in the first column's header that checks or clears every
// row. The box's state is the image index of header item 0: 1 clear, 2 checked (images from
// bitmap 292, three 16 x 16 pictures with magenta as the transparent colour), 3 partly checked
// (the clear picture with a square in it, drawn here: the bitmap has no such picture).
#pragma once

#include <QHeaderView>
#include <QPixmap>
#include <array>

namespace varnell {

class CheckableHeader : public QHeaderView {
  Q_OBJECT
 public:
  static constexpr int kClearImage = 1;
  static constexpr int kCheckedImage = 2;
  static constexpr int kPartialImage = 3;

  explicit CheckableHeader(QWidget* parent = nullptr);

  int checkImage() const { return checkImage_; }
  void setCheckImage(int image);
  // Where the box is drawn inside section 0, in header coordinates.
  QRect checkBoxRect() const;

 signals:
  // The user clicked the box of item 0; the new image index is passed.
  void checkBoxClicked(int newImage);

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  std::array<QPixmap, 4> images_;
  int checkImage_ = kClearImage;
};

}  // namespace varnell
