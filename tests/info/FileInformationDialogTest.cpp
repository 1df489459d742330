// The file information dialog as a window: template 165, the texts it shows once it is opened,
// and how each key and button closes it.
#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include "info/FileInfoDialog.h"
#include "info/FileInformationTemplate.h"

namespace varnell {
namespace {

using namespace file_information;

MediaInformation StereoRecording() {
  MediaInformation info;
  info.sourcePath = "/music/a rather long folder name/Evening Rain (extended mix).m4a";
  info.mediaLength = "00:05:01";
  info.audioBitRate = "256000";
  info.sampleRate = "48000";
  info.channels = "2";
  info.videoBitRate = "0";
  info.width = "0";
  info.height = "0";
  info.videoCodec = "0";
  info.audioCodec = "86018";
  return info;
}

class FileInformationDialog : public ::testing::Test {
 protected:
  void Open() {
    dialog.show();
    dialog.setResult(-1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  }
  QString Shown(int id) { return dialog.edit(id)->text(); }

  FileInfoDialog dialog{StereoRecording()};
};

TEST_F(FileInformationDialog, TheTemplatesWindowAndControls) {
  EXPECT_EQ(dialog.windowTitle(), "File Information");
  EXPECT_EQ(dialog.size(), QSize(338, 356));
  for (int id : {kFileName, kMediaLength, kResolution, kFrameRate, kVideoBitRate, kAudioBitRate,
                 kSamples, kChannel}) {
    ASSERT_NE(dialog.edit(id), nullptr) << id;
    EXPECT_TRUE(dialog.edit(id)->isReadOnly()) << id;
  }
  EXPECT_EQ(dialog.okButton()->text(), "OK");
  EXPECT_EQ(dialog.okButton()->geometry(), QRect(255, 325, 75, 28));
  const QList<QGroupBox*> groups = dialog.findChildren<QGroupBox*>();
  ASSERT_EQ(groups.size(), 2);
  EXPECT_EQ(groups[0]->title(), "Video");
  EXPECT_EQ(groups[1]->title(), "Audio");
}

// The template's captions were measured for another font; none may run under its edit.
TEST_F(FileInformationDialog, EveryCaptionIsReadableBesideItsEdit) {
  const QRect firstEdit = dialog.edit(kFileName)->geometry();
  for (QLabel* caption : dialog.findChildren<QLabel*>()) {
    const int needed = caption->fontMetrics().horizontalAdvance(caption->text());
    EXPECT_GE(caption->width(), needed) << caption->text().toStdString();
    EXPECT_LT(caption->x() + needed, firstEdit.left()) << caption->text().toStdString();
  }
  for (int id : {kMediaLength, kResolution, kChannel}) {
    EXPECT_EQ(dialog.edit(id)->x(), firstEdit.x()) << id;
    EXPECT_EQ(dialog.edit(id)->geometry().right(), firstEdit.right()) << id;
  }
}

TEST_F(FileInformationDialog, ScreenReadersReadEachBoxByItsCaptionAndGroup) {
  const std::pair<int, const char*> names[] = {
      {kFileName, "File Name"},          {kMediaLength, "Media Length"},
      {kResolution, "Video Resolution"}, {kVideoBitRate, "Video Bit Rate"},
      {kAudioBitRate, "Audio Bit Rate"}, {kChannel, "Audio Channel"},
  };
  for (const auto& [id, name] : names) {
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(dialog.edit(id));
    ASSERT_NE(box, nullptr) << id;
    EXPECT_EQ(box->text(QAccessible::Name), name) << id;
  }
}

TEST_F(FileInformationDialog, TextsAreFilledWhenTheDialogOpens) {
  EXPECT_EQ(Shown(kFileName), "");
  Open();
  EXPECT_EQ(Shown(kFileName), "Evening Rain (extended mix).m4a");
  EXPECT_EQ(dialog.edit(kFileName)->cursorPosition(), 0);
  EXPECT_EQ(Shown(kMediaLength), "00:05:01");
  EXPECT_EQ(Shown(kResolution), "");
  EXPECT_EQ(Shown(kFrameRate), "");
  EXPECT_EQ(Shown(kVideoBitRate), "");
  EXPECT_EQ(Shown(kAudioBitRate), "256 Kbps");
  EXPECT_EQ(Shown(kSamples), "48000 Hz");
  EXPECT_EQ(Shown(kChannel), "2 Channel stereo");
}

TEST_F(FileInformationDialog, TheOkButtonClosesItAsCancelDoes) {
  Open();
  QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(FileInformationDialog, EscapeCancelsAndEnterEndsWithOk) {
  Open();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);

  Open();
  QTest::keyClick(dialog.edit(kChannel), Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(FileInformationDialog, EnterOnTheFocusedOkButtonIsItsClick) {
  Open();
  dialog.okButton()->setFocus();
  QTest::keyClick(dialog.okButton(), Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace varnell
