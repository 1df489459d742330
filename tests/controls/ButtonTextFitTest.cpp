#include "controls/ButtonTextFit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace varnell {
namespace {

int ContentsWidth(const QPushButton& button) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.rect = button.rect();
  return button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button).width();
}

int ShownWidth(const QPushButton& button) {
  return QFontMetrics(button.font()).size(Qt::TextShowMnemonic, button.text()).width();
}

// A template button keeps its size: a translation a little too long is set smaller and stays
// whole, one far too long is cut with its whole text as the tool tip, one that fits is untouched.
TEST(ButtonTextFit, ALongTranslationShrinksThenIsCutWithItsWholeTextAsToolTip) {
  QPushButton fitting("&OK");
  fitting.resize(100, 26);
  const QFont original = fitting.font();
  FitButtonText(fitting);
  EXPECT_EQ(fitting.text(), "&OK");
  EXPECT_EQ(fitting.font(), original);

  QPushButton slightly("&Zurücksetzen");
  const int natural =
      QFontMetrics(slightly.font()).size(Qt::TextShowMnemonic, "&Zurücksetzen").width();
  slightly.resize(100, 26);
  slightly.resize(slightly.width() + natural * 9 / 10 - ContentsWidth(slightly), 26);
  FitButtonText(slightly);
  EXPECT_EQ(slightly.text(), "&Zurücksetzen");
  EXPECT_LE(ShownWidth(slightly), ContentsWidth(slightly));
  EXPECT_TRUE(slightly.toolTip().isEmpty());

  QPushButton far("&Zurücksetzen");
  far.resize(40, 26);
  FitButtonText(far);
  EXPECT_TRUE(far.text().endsWith(QChar(0x2026))) << far.text().toStdString();
  EXPECT_LE(ShownWidth(far), ContentsWidth(far));
  EXPECT_EQ(far.toolTip(), "Zurücksetzen");
}

}  // namespace
}  // namespace varnell
