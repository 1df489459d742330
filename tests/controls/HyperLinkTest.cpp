#include "controls/HyperLink.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPalette>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>

#include "TestPictures.h"
#include "platform/MessageBox.h"
#include "platform/testing/RecordingBrowserLauncher.h"
#include "platform/testing/RecordingMessageBox.h"
#include "platform/testing/RecordingShell.h"

namespace varnell {
namespace {

using testpictures::ColourAt;
using testpictures::kButtonFace;
using testpictures::Rendered;

const QString kSupportPage = "https://varnell.example/support?from=about&lang=en";

// The longest horizontal run of exactly `colour`: an underline spans the
// whole text, no stroke of "MMMM" comes near that.
int LongestRunOf(const QImage& picture, const QColor& colour) {
  int longest = 0;
  for (int y = 0; y < picture.height(); ++y) {
    int run = 0;
    for (int x = 0; x < picture.width(); ++x) {
      run = picture.pixelColor(x, y) == colour ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  return longest;
}

class HyperLinkTest : public ::testing::Test {
 protected:
  HyperLinkTest() {
    QPalette colours = dialog.palette();
    colours.setColor(QPalette::Button, kButtonFace);
    dialog.setPalette(colours);
    dialog.resize(400, 200);
    link = new HyperLink(1101, &dialog);
    QFont big = link->font();
    big.setPointSize(20);
    big.setBold(true);
    big.setStyleStrategy(QFont::NoAntialias);  // exact text colours in pictures
    link->setFont(big);
    link->setGeometry(20, 30, 300, 60);
    link->setText("MMMM");
    link->SetURL(kSupportPage);
    link->SetServices(&shell, &messages, &browser);
    link->SetPointerPosition([this] { return link->mapToGlobal(pointer); });
  }

  void MoveOver() {
    pointer = QPoint(2, 2);
    QMouseEvent move(QEvent::MouseMove, QPointF(pointer), QPointF(link->mapToGlobal(pointer)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(link, &move);
  }
  void MoveAway() { pointer = QPoint(-5, link->height() + 5); }
  void Click(Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(link, button, {}, QPoint(2, 2));
  }

  QSize TextSizeInUnderlineFont(const QString& text) const {
    QFont underlined = link->font();
    underlined.setUnderline(true);
    return QFontMetrics(underlined).size(0, text);
  }

  QWidget dialog;
  HyperLink* link;
  QPoint pointer{-100, -100};
  RecordingShell shell;
  RecordingMessageBox messages;
  RecordingBrowserLauncher browser;
};

TEST_F(HyperLinkTest, StartsAsAnUnvisitedBlueLinkUnderlinedOnHoverWithAHandCursor) {
  EXPECT_EQ(link->controlId(), 1101);
  EXPECT_EQ(link->GetLinkColour(), QColor(0, 0, 238));
  EXPECT_EQ(link->GetVisitedColour(), QColor(85, 26, 139));
  EXPECT_EQ(link->GetHoverColour(), QColor(255, 0, 0));
  EXPECT_EQ(link->TextColour(), QColor(0, 0, 238));
  EXPECT_FALSE(link->GetVisited());
  EXPECT_EQ(link->GetUnderline(), HyperLink::kUnderlineHover);
  EXPECT_FALSE(link->ShownFont().underline());
  EXPECT_TRUE(link->GetAutoSize());
  EXPECT_EQ(link->GetLinkCursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(link->toolTip(), kSupportPage);
}

TEST_F(HyperLinkTest, ColoursLeftInvalidKeepTheirValues) {
  link->SetColours(QColor(1, 2, 3), QColor(4, 5, 6));
  EXPECT_EQ(link->GetLinkColour(), QColor(1, 2, 3));
  EXPECT_EQ(link->GetVisitedColour(), QColor(4, 5, 6));
  EXPECT_EQ(link->GetHoverColour(), QColor(255, 0, 0));
  link->SetColours(QColor(), QColor(), QColor(7, 8, 9));
  EXPECT_EQ(link->GetLinkColour(), QColor(1, 2, 3));
  EXPECT_EQ(link->GetHoverColour(), QColor(7, 8, 9));
}

TEST_F(HyperLinkTest, TextAndAddressStandInForEachOther) {
  HyperLink bare(1102, &dialog);
  bare.SetURL("https://varnell.example/");
  EXPECT_EQ(bare.text(), "https://varnell.example/");
  bare.SetURL("https://varnell.example/home");
  EXPECT_EQ(bare.text(), "https://varnell.example/home");
  bare.setText("Home page");
  bare.SetURL("https://varnell.example/other");
  EXPECT_EQ(bare.text(), "Home page");
  EXPECT_EQ(bare.toolTip(), "https://varnell.example/other");

  // A link given only a text opens that text once it is shown.
  HyperLink textOnly(1103, &dialog);
  textOnly.setText("https://varnell.example/from-text");
  textOnly.SetServices(&shell, &messages, &browser);
  dialog.show();
  EXPECT_EQ(textOnly.GetURL(), "https://varnell.example/from-text");
  EXPECT_EQ(textOnly.toolTip(), "https://varnell.example/from-text");
  QTest::mouseClick(&textOnly, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(shell.opened, std::vector<QString>({"https://varnell.example/from-text"}));
}

TEST_F(HyperLinkTest, HoverUnderlinesInRedUntilTheTimerSeesThePointerGone) {
  MoveOver();
  EXPECT_TRUE(link->IsOver());
  EXPECT_TRUE(link->IsHoverTimerRunning());
  EXPECT_TRUE(link->ShownFont().underline());
  EXPECT_EQ(link->TextColour(), QColor(255, 0, 0));

  link->CheckPointerLeft();  // pointer still on the link
  EXPECT_TRUE(link->IsOver());

  MoveAway();
  auto* timer = link->findChild<QTimer*>("hoverTimer", Qt::FindDirectChildrenOnly);
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->interval(), HyperLink::kHoverCheckMs);
  timer->setInterval(0);  // the next check comes at once rather than after the real period
  EXPECT_TRUE(QTest::qWaitFor([this] { return !link->IsOver(); }));
  EXPECT_FALSE(link->IsHoverTimerRunning());
  EXPECT_FALSE(link->ShownFont().underline());
  EXPECT_EQ(link->TextColour(), QColor(0, 0, 238));
}

TEST_F(HyperLinkTest, UnderlineModesAlwaysAndNeverIgnoreTheHover) {
  link->SetUnderline(HyperLink::kUnderlineAlways);
  EXPECT_TRUE(link->ShownFont().underline());
  MoveOver();
  MoveAway();
  link->CheckPointerLeft();
  EXPECT_FALSE(link->IsOver());
  EXPECT_TRUE(link->ShownFont().underline());

  link->SetUnderline(HyperLink::kUnderlineNever);
  EXPECT_FALSE(link->ShownFont().underline());
  MoveOver();
  EXPECT_EQ(link->TextColour(), QColor(255, 0, 0));
  EXPECT_FALSE(link->ShownFont().underline());
}

TEST_F(HyperLinkTest, PaintsTheStateColourOverButtonFaceAndDrawsTheUnderline) {
  const QImage plain = Rendered(*link);
  EXPECT_EQ(ColourAt(plain, 0, 0), kButtonFace.name().toStdString());
  EXPECT_EQ(ColourAt(plain, plain.width() - 1, plain.height() - 1),
            kButtonFace.name().toStdString());
  const int textWidth = TextSizeInUnderlineFont("MMMM").width();
  EXPECT_GT(LongestRunOf(plain, QColor(0, 0, 238)), 3);
  EXPECT_LT(LongestRunOf(plain, QColor(0, 0, 238)), textWidth / 2);

  MoveOver();
  const QImage hovered = Rendered(*link);
  EXPECT_EQ(LongestRunOf(hovered, QColor(0, 0, 238)), 0);
  EXPECT_GT(LongestRunOf(hovered, QColor(255, 0, 0)), textWidth * 3 / 4);

  MoveAway();
  link->CheckPointerLeft();
  link->SetVisited(true);
  const QImage visited = Rendered(*link);
  EXPECT_LT(LongestRunOf(visited, QColor(85, 26, 139)), textWidth / 2);
  EXPECT_GT(LongestRunOf(visited, QColor(85, 26, 139)), 3);
}

TEST_F(HyperLinkTest, WindowFitsItsTextKeepingTheEdgeItsAlignmentNames) {
  const QSize text = TextSizeInUnderlineFont("MMMM");
  EXPECT_EQ(link->geometry(), QRect(QPoint(20, 30), text));

  const QRect window(20, 30, 300, 60);
  const QSize fitted(100, 20);
  EXPECT_EQ(HyperLink::FittedGeometry(window, fitted, Qt::AlignLeft | Qt::AlignTop),
            QRect(20, 30, 100, 20));
  EXPECT_EQ(HyperLink::FittedGeometry(window, fitted, Qt::AlignRight | Qt::AlignTop),
            QRect(220, 30, 100, 20));
  EXPECT_EQ(HyperLink::FittedGeometry(window, fitted, Qt::AlignCenter), QRect(120, 50, 100, 20));
  EXPECT_EQ(HyperLink::FittedGeometry(QRect(20, 30, 50, 10), fitted, Qt::AlignHCenter),
            QRect(-5, 30, 100, 20));

  // The frame counts with the text.
  link->setFrameStyle(QFrame::Box | QFrame::Plain);
  link->setLineWidth(3);
  link->setAlignment(Qt::AlignRight);
  link->setGeometry(window);
  link->SetURL(kSupportPage);
  EXPECT_EQ(link->geometry(), QRect(QPoint(320 - text.width() - 6, 30), text + QSize(6, 6)));
}

TEST_F(HyperLinkTest, FitsAgainWhenItsFontChangesUnlessAutoSizeIsOff) {
  const int before = link->width();
  QFont bigger = link->font();
  bigger.setPointSize(40);
  link->setFont(bigger);
  EXPECT_EQ(link->size(), TextSizeInUnderlineFont("MMMM"));
  EXPECT_GT(link->width(), before);

  link->SetAutoSize(false);
  link->setGeometry(5, 6, 70, 80);
  link->SetURL("https://varnell.example/");
  link->setFont(QFont());
  EXPECT_EQ(link->geometry(), QRect(5, 6, 70, 80));
}

TEST_F(HyperLinkTest, AClickOpensThroughTheShellAndMarksTheLinkVisited) {
  MoveOver();
  Click();
  EXPECT_EQ(shell.opened, std::vector<QString>({kSupportPage}));
  EXPECT_TRUE(browser.launched.empty());
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(link->GetVisited());
  EXPECT_FALSE(link->IsOver());
  EXPECT_EQ(link->TextColour(), QColor(85, 26, 139));
}

TEST_F(HyperLinkTest, WhenTheShellFailsTheDefaultBrowserOpensTheAddress) {
  shell.result = false;
  Click();
  EXPECT_EQ(shell.opened, std::vector<QString>({kSupportPage}));
  EXPECT_EQ(browser.launched, std::vector<QString>({kSupportPage}));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(link->GetVisited());
}

TEST_F(HyperLinkTest, OtherButtonsOpenNothing) {
  Click(Qt::RightButton);
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_FALSE(link->GetVisited());
}

TEST_F(HyperLinkTest, AFailedOpenExplainsTheNearestCauseAndLeavesTheLinkUnvisited) {
  shell.result = false;
  browser.result = false;
  const std::vector<std::pair<LaunchFailure, QString>> cases = {
      {LaunchFailure::NoDefaultBrowser,
       "There is no application associated\nwith the given filename extension."},
      {LaunchFailure::EntryUnreadable,
       "The operating system denied\naccess to the specified file."},
      {LaunchFailure::EntryIncomplete, "The filename association is\nincomplete or invalid."},
      {LaunchFailure::ProgramNotFound, "The specified file was not found."},
      {LaunchFailure::ProgramFolderNotFound, "The specified path was not found."},
      {LaunchFailure::ProgramNotExecutable,
       "The operating system denied\naccess to the specified file."},
      {LaunchFailure::ProgramFailedToStart,
       "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
  };
  for (const auto& [failure, reason] : cases) {
    messages.shown.clear();
    browser.failure = failure;
    Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.toStdString(),
              ("Unable to open hyperlink:\n\n" + reason).toStdString());
    EXPECT_EQ(messages.shown[0].caption, ApplicationTitle());
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
  }
  EXPECT_FALSE(link->GetVisited());
  EXPECT_EQ(browser.launched.size(), cases.size());
}

TEST_F(HyperLinkTest, NoShellGoesStraightToTheBrowserAndNoBrowserMeansNoAssociation) {
  link->SetServices(nullptr, &messages, &browser);
  EXPECT_EQ(link->OpenAddress(kSupportPage), HyperLink::kOpened);
  EXPECT_EQ(browser.launched, std::vector<QString>({kSupportPage}));

  shell.result = false;
  link->SetServices(&shell, &messages, nullptr);
  EXPECT_EQ(link->OpenAddress(kSupportPage), HyperLink::kNoAssociation);
  EXPECT_EQ(link->OpenAddress(""), HyperLink::kFileNotFound);
  EXPECT_EQ(shell.opened.size(), 1u);  // an empty address is not handed on
}

TEST(HyperLinkErrorText, KeepsTheTextsExactlyAndNumbersUnknownCodes) {
  EXPECT_EQ(HyperLink::OpenErrorText(26).toStdString(),
            "Unable to open hyperlink:\n\nA sharing violation occurred. ");
  EXPECT_EQ(HyperLink::OpenErrorText(0).toStdString(),
            "Unable to open hyperlink:\n\nThe operating system is out\nof memory or resources.");
  EXPECT_EQ(
      HyperLink::OpenErrorText(30).toStdString(),
      "Unable to open hyperlink:\n\nThe DDE transaction could not\nbe completed because other DDE "
      "transactions\nwere being processed.");
  EXPECT_EQ(HyperLink::OpenErrorText(32).toStdString(),
            "Unable to open hyperlink:\n\nThe specified dynamic-link library was not found.");
  EXPECT_EQ(HyperLink::OpenErrorText(1).toStdString(),
            "Unable to open hyperlink:\n\nUnknown Error (1) occurred.");
  EXPECT_EQ(HyperLink::OpenErrorText(-7).toStdString(),
            "Unable to open hyperlink:\n\nUnknown Error (-7) occurred.");
}

}  // namespace
}  // namespace varnell
