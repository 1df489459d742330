// The skinned controls from the keyboard and from a screen reader: focus marks that show only for
// keyboard focus, Space and Enter on a button, Tab in reading order, and what Qt's accessibility
// interfaces report and do for each control.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <array>

#include "TestPictures.h"
#include "controls/BitmapSlider.h"
#include "controls/ControlAccessibility.h"
#include "controls/ControlTemplate.h"
#include "controls/HyperLink.h"
#include "controls/LayoutTabOrder.h"
#include "controls/SkinButton.h"
#include "controls/SkinLabel.h"
#include "controls/TemplateBuilder.h"
#include "platform/testing/RecordingBrowserLauncher.h"
#include "platform/testing/RecordingMessageBox.h"
#include "platform/testing/RecordingShell.h"

namespace varnell {
namespace {

using testpictures::Rendered;
using testpictures::SolidPicture;

const QColor kFace(90, 140, 200);

// Pixels of a picture that are not the face colour.
int MarkedPixels(const QImage& picture) {
  int marked = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) marked += picture.pixelColor(x, y) != kFace;
  return marked;
}

class ControlAccessTest : public ::testing::Test {
 protected:
  ControlAccessTest() {
    InstallControlAccessibility();
    window.resize(300, 120);
    first = NewButton(1000, "&Add", QPoint(10, 10));
    second = NewButton(1001, "Add &Folder", QPoint(70, 10));
    slider = new BitmapSlider(1140, &window);
    slider->setGeometry(10, 50, 120, 12);
    slider->LoadChannelImages(SolidPicture(QSize(120, 12), kFace), QImage());
    slider->SetFocusFrame(false);
    slider->SetLimits(0, 100);
    slider->SetPageStep(10);
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  SkinButton* NewButton(int id, const QString& text, QPoint at) {
    auto* button = new SkinButton(id, &window);
    const QImage face = SolidPicture(QSize(50, 30), kFace);
    button->SetStateImages(face, face, face);
    button->setText(text);
    button->setGeometry(QRect(at, QSize(50, 30)));
    return button;
  }

  static QAccessibleInterface& Accessible(QObject* object) {
    QAccessibleInterface* found = QAccessible::queryAccessibleInterface(object);
    EXPECT_NE(found, nullptr);
    return *found;
  }

  QWidget window;
  SkinButton* first;
  SkinButton* second;
  BitmapSlider* slider;
};

TEST_F(ControlAccessTest, FocusMarkShowsForTheKeyboardOnlyInsideTheFace) {
  first->setFocus(Qt::OtherFocusReason);
  ASSERT_TRUE(first->hasFocus());
  EXPECT_FALSE(first->isFocusMarkShown()) << "focus given by the program";
  EXPECT_EQ(MarkedPixels(Rendered(*first)), 0);

  QTest::keyClick(&window, Qt::Key_Tab);
  ASSERT_TRUE(second->hasFocus());
  EXPECT_TRUE(second->isFocusMarkShown());
  const QImage marked = Rendered(*second);
  EXPECT_GT(MarkedPixels(marked), 2 * (44 + 24) / 2) << "a dotted rectangle around the face";
  EXPECT_EQ(marked.pixelColor(1, 1), kFace) << "the mark lies inside the face's edge";
  EXPECT_EQ(marked.pixelColor(25, 15), kFace) << "and leaves its middle alone";
  EXPECT_NE(marked.pixelColor(3, 3), kFace);
  EXPECT_EQ(MarkedPixels(Rendered(*first)), 0) << "the button left has no mark";

  // The slider wants no focus frame of its own, but the keyboard still shows where it is.
  QTest::keyClick(&window, Qt::Key_Tab);
  ASSERT_TRUE(slider->hasFocus());
  EXPECT_TRUE(slider->isFocusMarkShown());
  EXPECT_GT(MarkedPixels(Rendered(*slider)), 0);

  QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(25, 15));
  ASSERT_TRUE(first->hasFocus());
  EXPECT_FALSE(first->isFocusMarkShown()) << "a click shows no mark";
  EXPECT_EQ(MarkedPixels(Rendered(*first)), 0);
  EXPECT_EQ(MarkedPixels(Rendered(*slider)), 0);
}

TEST_F(ControlAccessTest, SpaceAndEnterPressTheFocusedButton) {
  QSignalSpy clicks(second, &QAbstractButton::clicked);
  second->setFocus(Qt::TabFocusReason);
  QTest::keyClick(second, Qt::Key_Space);
  QTest::keyClick(second, Qt::Key_Return);
  QTest::keyClick(second, Qt::Key_Enter);
  EXPECT_EQ(clicks.count(), 3);
  QTest::keyClick(second, Qt::Key_X);
  EXPECT_EQ(clicks.count(), 3);
}

TEST_F(ControlAccessTest, ButtonIsAPushButtonNamedByItsToolTipElseItsTextAndPressable) {
  QAccessibleInterface& add = Accessible(first);
  EXPECT_EQ(add.role(), QAccessible::Button);
  EXPECT_EQ(add.text(QAccessible::Name), "Add");
  second->setToolTip("Add Folder of files");
  EXPECT_EQ(Accessible(second).text(QAccessible::Name), "Add Folder of files");
  second->setText("Save && &Quit");
  second->setToolTip("");
  EXPECT_EQ(Accessible(second).text(QAccessible::Name), "Save & Quit");

  QAccessibleActionInterface* actions = add.actionInterface();
  ASSERT_NE(actions, nullptr);
  ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
  EXPECT_EQ(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
            QStringList{QKeySequence(Qt::ALT | Qt::Key_A).toString(QKeySequence::NativeText)});
  QSignalSpy clicks(first, &QAbstractButton::clicked);
  actions->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks.count(), 1);

  first->setEnabled(false);
  EXPECT_FALSE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
  actions->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks.count(), 1) << "a disabled button is not pressed";
  EXPECT_TRUE(add.state().disabled);
}

TEST_F(ControlAccessTest, SliderReportsItsRangeAndValueAndTakesOneAsAKeyWould) {
  slider->setAccessibleName("Volume");
  slider->SetValue(30);
  QAccessibleInterface& accessible = Accessible(slider);
  EXPECT_EQ(accessible.role(), QAccessible::Slider);
  EXPECT_EQ(accessible.text(QAccessible::Name), "Volume");
  EXPECT_EQ(accessible.text(QAccessible::Value), "30");
  QAccessibleValueInterface* value = accessible.valueInterface();
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->minimumValue().toInt(), 0);
  EXPECT_EQ(value->maximumValue().toInt(), 100);
  EXPECT_EQ(value->currentValue().toInt(), 30);

  QSignalSpy released(slider, &BitmapSlider::released);
  value->setCurrentValue(250);
  EXPECT_EQ(slider->GetValue(), 100) << "clamped";
  value->setCurrentValue(QStringLiteral("not a number"));
  accessible.actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
  EXPECT_EQ(slider->GetValue(), 90) << "a page down";
  ASSERT_EQ(released.count(), 2);
  EXPECT_EQ(released.at(0).at(1).toInt(), 100);

  slider->setEnabled(false);
  value->setCurrentValue(5);
  EXPECT_EQ(slider->GetValue(), 90) << "a disabled slider takes no value";
  EXPECT_EQ(released.count(), 2);
}

TEST_F(ControlAccessTest, LabelsAreStaticTextAndLinksFollowTheirAddress) {
  RecordingShell shell;
  RecordingMessageBox messages;
  RecordingBrowserLauncher browser;
  auto* time = new SkinLabel(1023, &window);
  time->ChangeText("00:01:05");
  EXPECT_EQ(Accessible(time).role(), QAccessible::StaticText);
  EXPECT_EQ(Accessible(time).text(QAccessible::Name), "00:01:05");
  EXPECT_EQ(Accessible(time).actionInterface()->actionNames(), QStringList());

  time->SetShell(&shell);
  time->ChangeLink(true).ChangeLinkAddress("https://varnell.example/times");
  EXPECT_EQ(Accessible(time).role(), QAccessible::Link);
  EXPECT_EQ(Accessible(time).text(QAccessible::Value), "https://varnell.example/times");

  auto* link = new HyperLink(1101, &window);
  link->setText("Support");
  link->SetURL("https://varnell.example/support");
  link->SetServices(&shell, &messages, &browser);
  QAccessibleInterface& accessible = Accessible(link);
  EXPECT_EQ(accessible.role(), QAccessible::Link);
  EXPECT_EQ(accessible.text(QAccessible::Name), "Support");
  EXPECT_EQ(accessible.text(QAccessible::Value), "https://varnell.example/support");
  accessible.actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  Accessible(time).actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(shell.opened, std::vector<QString>({"https://varnell.example/support",
                                                "https://varnell.example/times"}));
  EXPECT_TRUE(link->GetVisited());
}

// Listed in stacking order, the way the templates list them: group boxes first, the title-bar
// buttons last, a tall button beside the two rows of a group.
constexpr std::array<ControlTemplate, 7> kScattered{{
    {0, ControlKind::GroupBox, "Audio", 4, 20, 100, 40},
    {11, ControlKind::PushButton, "Lower left", 8, 44, 30, 10},
    {12, ControlKind::DropDownList, "Upper right", 60, 30, 30, 10},
    {13, ControlKind::PushButton, "Upper left", 8, 31, 30, 10},
    {14, ControlKind::PushButton, "Tall", 110, 28, 30, 30},
    {15, ControlKind::Edit, "Lower right", 60, 45, 30, 10},
    {16, ControlKind::PushButton, "Close", 130, 2, 10, 10},
}};

TEST(LayoutTabOrder, TabGoesThroughAGroupBeforeWhatIsBesideIt) {
  QWidget dialog;
  dialog.resize(320, 160);
  TemplateBuilder builder(dialog, TemplateFont::Shell8pt, "LayoutTabOrderTest");
  builder.Build(kScattered);
  std::vector<int> ids;
  for (const QWidget* control : ReadingOrder(dialog)) ids.push_back(control->objectName().toInt());
  EXPECT_EQ(ids, (std::vector<int>{16, 13, 12, 11, 15, 14})) << "the group's rows before Tall";
  EXPECT_EQ(builder.control<QWidget>(13)->nextInFocusChain(), builder.control<QWidget>(12));
  EXPECT_EQ(builder.control<QWidget>(12)->accessibleName(), "Upper right");
  EXPECT_EQ(builder.control<QWidget>(15)->accessibleName(), "Lower right");
  EXPECT_EQ(builder.control<QWidget>(11)->accessibleName(), "") << "a button is named by its text";
}

}  // namespace
}  // namespace varnell
