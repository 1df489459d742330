#include "controls/ButtonTextFit.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace varnell {
namespace {

// The width the style leaves for the text inside the button's frame.
int TextRoom(const QPushButton& button) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.rect = button.rect();
  const QRect contents =
      button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
  return contents.width() - 2;  // a pixel clear of the frame on either side
}

int TextWidth(const QFont& font, const QString& text) {
  return QFontMetrics(font).size(Qt::TextShowMnemonic, text).width();
}

}  // namespace

void FitButtonText(QPushButton& button) {
  const QString text = button.text();
  const int room = TextRoom(button);
  QFont font = button.font();
  if (text.isEmpty() || TextWidth(font, text) <= room) return;
  font.setStretch(QFont::Condensed);
  // Half a point at a time, down to four fifths of the size.
  const qreal size = font.pointSizeF();
  for (qreal smaller = size; smaller >= size * 4 / 5 || smaller == size; smaller -= 0.5) {
    if (smaller > 0) font.setPointSizeF(smaller);
    if (TextWidth(font, text) <= room) {
      button.setFont(font);
      return;
    }
  }
  const QString elided =
      QFontMetrics(font).elidedText(text, Qt::ElideRight, room, Qt::TextShowMnemonic);
  // A button too small for even an ellipsis is left as it is: there is nothing to show instead.
  if (elided.isEmpty()) return;
  button.setFont(font);
  button.setText(elided);
  if (button.toolTip().isEmpty()) button.setToolTip(QString(text).remove(QLatin1Char('&')));
}

}  // namespace varnell
