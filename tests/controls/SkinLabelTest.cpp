#include "controls/SkinLabel.h"

#include <QPalette>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include "TestPictures.h"
#include "platform/testing/RecordingShell.h"

namespace varnell {
namespace {

using testpictures::ColourAt;
using testpictures::kButtonFace;
using testpictures::Rendered;

const QColor kWindowText(10, 20, 200);
const QColor kOwnBackground(220, 30, 30);
const QColor kHighlight(0, 210, 0);

int CountOf(const QImage& picture, const QColor& colour) {
  int count = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      count += picture.pixelColor(x, y) == colour ? 1 : 0;
    }
  }
  return count;
}

QRect BoundsOf(const QImage& picture, const QColor& colour) {
  QRect bounds;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.pixelColor(x, y) == colour) {
        bounds |= QRect(x, y, 1, 1);
      }
    }
  }
  return bounds;
}

// The label sits in a dialog-like parent whose palette gives the system
// colours distinct values, so no expectation holds by a coincidence of black.
class SkinLabelTest : public ::testing::Test {
 protected:
  SkinLabelTest() {
    QPalette colours = dialog.palette();
    colours.setColor(QPalette::WindowText, kWindowText);
    colours.setColor(QPalette::Button, kButtonFace);
    colours.setColor(QPalette::Window, Qt::white);
    dialog.setPalette(colours);
    dialog.resize(300, 120);
    label = new SkinLabel(1018, &dialog);
    label->setGeometry(10, 10, 200, 60);
    QFont big = label->logFont();
    big.setPointSize(24);
    big.setBold(true);
    label->ChangeLogFont(big).ChangeText("MMMM");
    label->SetShell(&shell);
  }

  void Click() { QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5)); }

  QWidget dialog;
  SkinLabel* label;
  RecordingShell shell;
};

TEST_F(SkinLabelTest, DefaultsPaintWindowTextOnButtonFace) {
  EXPECT_EQ(label->controlId(), 1018);
  EXPECT_EQ(label->textColour(), kWindowText);
  EXPECT_EQ(label->highlightColour(), QColor(Qt::white));
  EXPECT_EQ(label->flashKind(), SkinLabel::FlashKind::None);
  EXPECT_EQ(label->linkMode(), SkinLabel::LinkMode::None);

  const QImage shown = Rendered(*label);
  EXPECT_EQ(ColourAt(shown, 0, 0), kButtonFace.name().toStdString());
  EXPECT_EQ(ColourAt(shown, 199, 59), kButtonFace.name().toStdString());
  EXPECT_GT(CountOf(shown, kWindowText), 50);
}

TEST_F(SkinLabelTest, OwnSolidBackgroundThenGradient) {
  label->ChangeBackground(kOwnBackground);
  EXPECT_EQ(label->ownBackground(), kOwnBackground);
  EXPECT_EQ(ColourAt(Rendered(*label), 199, 59), kOwnBackground.name().toStdString());

  label->ChangeBackground(QColor(0, 0, 0), QColor(255, 100, 50), true);
  EXPECT_FALSE(label->ownBackground().has_value());
  const QImage shown = Rendered(*label);
  for (const auto& [strip, colour] :
       SkinLabel::GradientStrips(label->rect(), QColor(0, 0, 0), QColor(255, 100, 50))) {
    EXPECT_EQ(ColourAt(shown, strip.right(), 59), colour.name().toStdString()) << strip.left();
  }
}

TEST(SkinLabelGradientTest, NarrowClientGetsOneStripPerPixelAndEmptyNone) {
  const auto strips = SkinLabel::GradientStrips(QRect(5, 3, 40, 10), Qt::black, Qt::white);
  ASSERT_EQ(strips.size(), 40u);
  for (int i = 0; i < 40; ++i) {
    EXPECT_EQ(strips[i].first, QRect(5 + i, 3, 1, 10)) << i;
  }
  EXPECT_TRUE(SkinLabel::GradientStrips(QRect(0, 0, 0, 10), Qt::black, Qt::white).empty());
  const auto single = SkinLabel::GradientStrips(QRect(0, 0, 1, 10), QColor(9, 8, 7), Qt::white);
  ASSERT_EQ(single.size(), 1u);
  EXPECT_EQ(single[0].second, QColor(9, 8, 7));
}

TEST(SkinLabelGradientTest, WideClientGetsAHundredStripsTheLastReachingTheRightEdge) {
  const auto strips = SkinLabel::GradientStrips(QRect(0, 0, 250, 20), Qt::black, Qt::white);
  ASSERT_EQ(strips.size(), 100u);
  for (int i = 0; i < 99; ++i) {
    EXPECT_EQ(strips[i].first, QRect(2 * i, 0, 2, 20)) << i;
  }
  EXPECT_EQ(strips[99].first.left(), 198);
  EXPECT_EQ(strips[99].first.right(), 249);
}

TEST(SkinLabelGradientTest, ColoursStepInFixedPoint) {
  // Step (255 - 0) x 256 / 100 = 652, truncated: the last strip stops at 252.
  const auto rising =
      SkinLabel::GradientStrips(QRect(0, 0, 250, 1), QColor(0, 255, 100), QColor(255, 0, 100));
  EXPECT_EQ(rising[0].second, QColor(0, 255, 100));
  EXPECT_EQ(rising[1].second, QColor(2, 252, 100));
  EXPECT_EQ(rising[50].second, QColor(127, 127, 100));
  EXPECT_EQ(rising[99].second, QColor(252, 2, 100));
}

TEST_F(SkinLabelTest, TransparentLabelPaintsNoBackground) {
  dialog.setAutoFillBackground(true);
  label->ChangeBackground(kOwnBackground).ChangeTransparent(true);
  const QImage shown = Rendered(dialog);
  EXPECT_EQ(ColourAt(shown, 10 + 199, 10 + 59), "#ffffff");
  EXPECT_EQ(CountOf(shown, kOwnBackground), 0);
  EXPECT_GT(CountOf(shown, kWindowText), 50);
}

TEST_F(SkinLabelTest, TextFlashingHidesTheTextEveryOtherTick) {
  label->ChangeBackground(kOwnBackground).ChangeTextFlash(true);
  EXPECT_TRUE(label->isFlashTimerRunning());
  EXPECT_EQ(label->flashKind(), SkinLabel::FlashKind::Text);
  EXPECT_FALSE(label->flashPhase());
  EXPECT_EQ(CountOf(Rendered(*label), kOwnBackground), 200 * 60);

  label->FlashTick();
  EXPECT_GT(CountOf(Rendered(*label), kWindowText), 50);
  label->FlashTick();
  EXPECT_EQ(CountOf(Rendered(*label), kWindowText), 0);

  label->ChangeTextFlash(false);
  EXPECT_FALSE(label->isFlashTimerRunning());
  EXPECT_EQ(label->flashKind(), SkinLabel::FlashKind::None);
  EXPECT_GT(CountOf(Rendered(*label), kWindowText), 50);
}

TEST_F(SkinLabelTest, HiddenTextIsBlackWithoutAnOwnBackground) {
  label->ChangeTextFlash(true);
  const QImage shown = Rendered(*label);
  EXPECT_EQ(CountOf(shown, kWindowText), 0);
  EXPECT_GT(CountOf(shown, Qt::black), 50);
}

TEST_F(SkinLabelTest, FlashTimerFlipsThePhase) {
  label->ChangeTextFlash(true);
  auto* timer = label->findChild<QTimer*>("flashTimer", Qt::FindDirectChildrenOnly);
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->interval(), SkinLabel::kFlashPeriodMs);
  // One timeout, at once: the test stops the timer after the label has seen it.
  QSignalSpy timeouts(timer, &QTimer::timeout);
  QObject::connect(timer, &QTimer::timeout, timer, &QTimer::stop);
  timer->setInterval(0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return timeouts.count() == 1; }));
  EXPECT_TRUE(label->flashPhase());
}

TEST_F(SkinLabelTest, BackgroundFlashingOnlyFlipsThePhase) {
  label->ChangeBackground(kOwnBackground).ChangeBackgroundFlash(true);
  EXPECT_EQ(label->flashKind(), SkinLabel::FlashKind::Background);
  EXPECT_TRUE(label->isFlashTimerRunning());
  const QImage before = Rendered(*label);
  label->FlashTick();
  EXPECT_TRUE(label->flashPhase());
  EXPECT_EQ(Rendered(*label), before);

  label->ChangeBackgroundFlash(false);
  EXPECT_FALSE(label->isFlashTimerRunning());
  EXPECT_EQ(label->flashKind(), SkinLabel::FlashKind::Background);
}

TEST_F(SkinLabelTest, ThreeDTextRepeatsTheTextShiftedInTheHighlight) {
  label->ChangeBackground(kOwnBackground).Change3DHighlight(kHighlight);
  const QRect plain = BoundsOf(Rendered(*label), kWindowText);
  ASSERT_FALSE(plain.isEmpty());
  EXPECT_TRUE(BoundsOf(Rendered(*label), kHighlight).isEmpty());

  label->Change3DText(true, true);
  EXPECT_EQ(BoundsOf(Rendered(*label), kHighlight), plain.translated(1, 1));
  label->Change3DText(true, false);
  EXPECT_EQ(BoundsOf(Rendered(*label), kHighlight), plain.translated(-1, -1));
}

TEST_F(SkinLabelTest, RotatedTextStandsUp) {
  label->setGeometry(10, 10, 160, 160);
  const QRect level = BoundsOf(Rendered(*label), kWindowText);
  label->ChangeRotation(90);
  const QRect turned = BoundsOf(Rendered(*label), kWindowText);
  ASSERT_FALSE(turned.isEmpty());
  EXPECT_GT(level.width(), level.height());
  EXPECT_GT(turned.height(), turned.width());
  // Baseline through the middle: the glyphs stand left of the centre line.
  EXPECT_LT(turned.right(), 80 + 2);
}

// A text longer than the template's rectangle (a translation, a long file name) is drawn on one
// line cut with an ellipsis, never as a clipped second line, and said whole in the tool tip; a
// text that fits again takes that tool tip away, and a tool tip of the owner's stays.
TEST_F(SkinLabelTest, TextTooLongForTheRectangleIsCutWithTheWholeTextAsToolTip) {
  const QString longText = "MMMM MMMM MMMM MMMM MMMM";
  label->ChangeText(longText);
  const QRect drawn = BoundsOf(Rendered(*label), kWindowText);
  ASSERT_FALSE(drawn.isEmpty());
  EXPECT_LE(drawn.height(), QFontMetrics(label->logFont()).height()) << "one line";
  EXPECT_EQ(label->toolTip(), longText);

  label->ChangeText("MMMM");
  Rendered(*label);
  EXPECT_EQ(label->toolTip(), "");

  label->setToolTip("The owner's");
  label->ChangeText(longText);
  Rendered(*label);
  EXPECT_EQ(label->toolTip(), "The owner's");
}

TEST_F(SkinLabelTest, FrameNarrowsTheTextArea) {
  label->ChangeBorder(true);
  EXPECT_EQ(label->contentsRect(), QRect(1, 1, 198, 58));
  EXPECT_EQ(ColourAt(Rendered(*label), 0, 30), "#000000");
  label->ChangeSunken(true);
  EXPECT_EQ(label->contentsRect(), QRect(2, 2, 196, 56));
  label->ChangeBorder(false).ChangeSunken(false);
  EXPECT_EQ(ColourAt(Rendered(*label), 0, 30), kButtonFace.name().toStdString());
}

TEST_F(SkinLabelTest, FontChangesEditTheDescription) {
  label->ChangeBold(false).ChangeItalic(true).ChangeUnderline(true).ChangePointSize(12);
  label->ChangeFaceName(QString(40, QLatin1Char('x')));
  EXPECT_EQ(label->logFont().weight(), QFont::Normal);
  EXPECT_TRUE(label->logFont().italic());
  EXPECT_TRUE(label->logFont().underline());
  EXPECT_EQ(label->logFont().pointSize(), 12);
  EXPECT_EQ(label->logFont().family(), QString(31, QLatin1Char('x')));
  EXPECT_EQ(label->font(), label->logFont());
}

TEST(SkinLabelTextFlagsTest, CentreImageCentresOneLineOrOnlyHorizontally) {
  using Style = SkinLabel::TextStyle;
  EXPECT_EQ(SkinLabel::TextFlags(Style::Center, false, "a b"),
            Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap);
  EXPECT_EQ(SkinLabel::TextFlags(Style::LeftNoWordWrap, false, "a\tb"),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs);
  EXPECT_EQ(SkinLabel::TextFlags(Style::Right, true, "a\nb"), Qt::AlignCenter | Qt::TextSingleLine);
  EXPECT_EQ(SkinLabel::TextFlags(Style::Right, true, "a\r\nb\t"), Qt::AlignHCenter | Qt::AlignTop);
}

TEST_F(SkinLabelTest, OnlyLinkLabelsTakeClicks) {
  const QPoint inside(20, 20);
  EXPECT_EQ(dialog.childAt(inside), nullptr);
  label->ChangeLink(true);
  EXPECT_EQ(dialog.childAt(inside), label);
  label->ChangeLink(false);
  EXPECT_EQ(dialog.childAt(inside), nullptr);
}

TEST_F(SkinLabelTest, WebLinkOpensTheAddressOrElseTheText) {
  label->ChangeText("https://example.org/text").ChangeLink(true);
  Click();
  label->ChangeLinkAddress("https://example.org/address");
  Click();
  EXPECT_EQ(shell.opened,
            (std::vector<QString>{"https://example.org/text", "https://example.org/address"}));
}

TEST_F(SkinLabelTest, MailLinkOpensMailtoWithTheText) {
  label->ChangeText("someone@example.org")
      .ChangeLinkAddress("https://example.org")
      .ChangeMailLink(true);
  Click();
  EXPECT_EQ(shell.opened, std::vector<QString>{"mailto:someone@example.org"});
  EXPECT_EQ(label->text(), "someone@example.org");
}

TEST_F(SkinLabelTest, NotifyParentReportsTheClickAndOpensNothing) {
  QSignalSpy clicks(label, &SkinLabel::clicked);
  label->ChangeMailLink(true, true);
  Click();
  label->ChangeLink(true, true);
  Click();
  ASSERT_EQ(clicks.count(), 2);
  EXPECT_EQ(clicks.at(0).at(0).toInt(), 1018);
  EXPECT_TRUE(shell.opened.empty());

  label->ChangeLink(true).SetShell(nullptr);
  Click();
  EXPECT_EQ(clicks.count(), 2);
}

}  // namespace
}  // namespace varnell
