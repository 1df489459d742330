// The about box: template 246 with our banner, the two project links wired to the desktop
// services, its place over the main window, and the keys that close it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QUrl>

#include "app/AboutDialog.h"
#include "app/CaptionedPicture.h"
#include "app/ProjectLinks.h"
#include "controls/BitmapResource.h"
#include "platform/testing/RecordingBrowserLauncher.h"
#include "platform/testing/RecordingMessageBox.h"
#include "platform/testing/RecordingShell.h"

namespace varnell {
namespace {

class AboutBox : public ::testing::Test {
 protected:
  void Open(AboutDialog& box) {
    box.show();
    box.setResult(-1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  }

  RecordingShell shell;
  RecordingMessageBox messages;
  RecordingBrowserLauncher browser;
};

TEST_F(AboutBox, TheTemplatesWindowBannerAndVersion) {
  AboutDialog box(shell, messages, browser);
  EXPECT_EQ(box.windowTitle(), "About");
  EXPECT_EQ(box.size(), QSize(432, 262));
  EXPECT_EQ(box.picture()->geometry(), QRect(11, 11, 408, 86));
  EXPECT_EQ(box.picture()->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
            LoadCaptionedPicture(249, 1.0).toImage().convertToFormat(QImage::Format_RGB32));
  auto* version = box.findChild<QLabel*>(QString::number(AboutDialog::kVersion));
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version->text(), "Version 2.1");
  EXPECT_TRUE(box.okButton()->isDefault());
  EXPECT_EQ(box.okButton()->text(), "OK");
}

TEST_F(AboutBox, EachLinkShowsItsAddressAlwaysUnderlinedBesideItsCaption) {
  AboutDialog box(shell, messages, browser);
  Open(box);
  const std::pair<HyperLink*, QString> links[] = {{box.supportLink(), SupportPageUrl()},
                                                  {box.homePageLink(), HomePageUrl()}};
  for (const auto& [link, url] : links) {
    EXPECT_EQ(link->GetURL(), url);
    EXPECT_EQ(link->text(), url);
    // A build given no address links to the help page, never to one nobody owns.
    const QUrl address(url);
    EXPECT_FALSE(url.contains("example")) << url.toStdString();
    EXPECT_TRUE(address.isLocalFile() ? address.toLocalFile().endsWith("/help.html")
                                      : address.scheme() == "https")
        << url.toStdString();
    EXPECT_EQ(link->GetUnderline(), HyperLink::kUnderlineAlways);
    EXPECT_EQ(link->font().pointSize(), 10);
  }
  for (QLabel* caption : box.findChildren<QLabel*>()) {
    if (caption->text() != "Support:" && caption->text() != "Homepage:") continue;
    const int captionEnd = caption->x() + caption->fontMetrics().horizontalAdvance(caption->text());
    EXPECT_LT(captionEnd, box.supportLink()->x()) << caption->text().toStdString();
  }
  EXPECT_EQ(box.homePageLink()->x(), box.supportLink()->x());
}

TEST_F(AboutBox, ClickingALinkOpensItsPageThroughTheShell) {
  AboutDialog box(shell, messages, browser);
  Open(box);
  QTest::mouseClick(box.homePageLink(), Qt::LeftButton, {},
                    QPoint(4, box.homePageLink()->height() / 2));
  QTest::mouseClick(box.supportLink(), Qt::LeftButton, {},
                    QPoint(4, box.supportLink()->height() / 2));
  EXPECT_EQ(shell.opened, (std::vector<QString>{HomePageUrl(), SupportPageUrl()}));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AboutBox, TabReachesEachLinkWhichEnterOrSpaceFollows) {
  AboutDialog box(shell, messages, browser);
  Open(box);
  box.activateWindow();
  box.okButton()->setFocus(Qt::OtherFocusReason);
  std::vector<QWidget*> reached;
  for (int step = 0; step < 3; ++step) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    reached.push_back(QApplication::focusWidget());
  }
  EXPECT_EQ(reached,
            (std::vector<QWidget*>{box.supportLink(), box.homePageLink(), box.okButton()}));

  QTest::keyClick(box.supportLink(), Qt::Key_Return);
  QTest::keyClick(box.homePageLink(), Qt::Key_Space);
  EXPECT_EQ(shell.opened, (std::vector<QString>{SupportPageUrl(), HomePageUrl()}));
  EXPECT_TRUE(box.isVisible()) << "Enter on a link follows it instead of closing the box";
}

TEST_F(AboutBox, ItOpensCentredOverTheMainWindow) {
  QWidget owner;
  owner.setGeometry(60, 50, 600, 400);
  owner.show();
  AboutDialog box(shell, messages, browser, &owner);
  Open(box);
  EXPECT_LE((box.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 1);
}

TEST_F(AboutBox, AnOwnerOverTheScreensEdgeStillGetsTheWholeBoxOnScreen) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget owner;
  owner.setGeometry(screen.right() - 100, screen.top() + 40, 400, 300);
  owner.show();
  AboutDialog box(shell, messages, browser, &owner);
  Open(box);
  EXPECT_TRUE(screen.contains(box.frameGeometry())) << box.frameGeometry().x();
}

TEST_F(AboutBox, OkAndEnterAcceptEscapeCancels) {
  AboutDialog box(shell, messages, browser);
  Open(box);
  QTest::mouseClick(box.okButton(), Qt::LeftButton);
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(box.result(), QDialog::Accepted);

  Open(box);
  QTest::keyClick(&box, Qt::Key_Escape);
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(box.result(), QDialog::Rejected);

  Open(box);
  QTest::keyClick(&box, Qt::Key_Return);
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(box.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace varnell
