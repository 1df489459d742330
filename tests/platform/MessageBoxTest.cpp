#include <gtest/gtest.h>

#include <QPushButton>

#include "QStringPrinter.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/testing/RecordingMessageBox.h"

namespace varnell {
namespace {

TEST(ApplicationTitle, IsTheExecutablesNameWithoutFolder) {
  EXPECT_EQ(ApplicationTitle(), "platform_tests");
}

TEST(QtMessageBoxSetUp, CaptionDefaultsToTheApplicationTitleAndButtonsFollowTheRequest) {
  const auto plain =
      QtMessageBox::CreateBox("File:a.m4a is invalid!", {}, MessageButtons::Ok, nullptr);
  EXPECT_EQ(plain->windowTitle(), ApplicationTitle());
  EXPECT_EQ(plain->text(), "File:a.m4a is invalid!");
  EXPECT_EQ(plain->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
  EXPECT_EQ(plain->icon(), QMessageBox::NoIcon);

  const auto question =
      QtMessageBox::CreateBox("Done", "Information", MessageButtons::OkCancel, nullptr);
  EXPECT_EQ(question->windowTitle(), "Information");
  EXPECT_EQ(question->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
  // Esc must mean Cancel, never the web page that OK opens.
  EXPECT_EQ(question->escapeButton(), question->button(QMessageBox::Cancel));
}

// Qt's own placement guesses at a window frame and runs before the text has sized the box.
TEST(QtMessageBoxSetUp, OpensCentredOnItsOwnersWindow) {
  QWidget window;
  window.setGeometry(40, 60, 880, 537);
  window.show();
  const auto box = QtMessageBox::CreateBox(
      "File:a.m4a is invalid!\ncannot open source: Invalid data", {}, MessageButtons::Ok, &window);
  box->show();
  EXPECT_LE((box->frameGeometry().center() - window.frameGeometry().center()).manhattanLength(), 1);
}

TEST(QtMessageBoxSetUp, TextIsShownLiterally) {
  const auto box =
      QtMessageBox::CreateBox("File:<b>x</b>.m4a is invalid!", {}, MessageButtons::Ok, nullptr);
  EXPECT_EQ(box->textFormat(), Qt::PlainText);
}

TEST(RecordingMessageBoxDouble, RecordsWhatTheUserWouldSeeAndAnswersFromTheScript) {
  RecordingMessageBox messages;
  messages.answers = {MessageChoice::Cancel, MessageChoice::Cancel};
  EXPECT_EQ(messages.Show("first", "Information", MessageButtons::OkCancel), MessageChoice::Cancel);
  EXPECT_EQ(messages.Show("plain"), MessageChoice::Ok);  // an OK-only box cannot answer Cancel
  EXPECT_EQ(messages.Show("unscripted", {}, MessageButtons::OkCancel), MessageChoice::Ok);

  ASSERT_EQ(messages.shown.size(), 3u);
  EXPECT_EQ(messages.shown[0].caption, "Information");
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(messages.shown[1].text, "plain");
  EXPECT_EQ(messages.shown[1].caption, ApplicationTitle());
  EXPECT_EQ(messages.shown[1].buttons, MessageButtons::Ok);
}

}  // namespace
}  // namespace varnell
