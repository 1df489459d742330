#include "controls/TemplateBuilder.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTranslator>
#include <array>

#include <gtest/gtest.h>

namespace varnell {
namespace {

constexpr std::array<ControlTemplate, 4> kTable{{
    {0, ControlKind::Caption, "Name:", 7, 13, 78, 34},
    {1001, ControlKind::PushButton, "&Go", 7, 13, 78, 34, false, false},
    {1002, ControlKind::Custom, "", 7, 13, 78, 34},
    {1003, ControlKind::DropDownList, "", 7, 13, 78, 34},
}};

// What every dialog relies on: each control named by its id and nothing else, at its template
// rectangle unless the dialog moves it, hidden and disabled as its row says, and found again by
// id and class.
TEST(TemplateBuilder, NamesPlacesAndHandsBackEachControlOfTheTable) {
  QWidget dialog;
  QWidget* custom = nullptr;
  int adjusted = 0;
  TemplateBuilder builder(dialog, TemplateFont::Shell9pt, "TestTemplate");
  builder.MakeCustom([&custom](const ControlTemplate& control, QWidget& parent) {
    EXPECT_EQ(control.id, 1002);
    custom = new QWidget(&parent);
    return custom;
  });
  builder.Then(ControlKind::PushButton, [&adjusted](const ControlTemplate&, QPushButton& button) {
    ++adjusted;
    EXPECT_TRUE(button.isEnabled()) << "adjusted before the template disables it";
    button.resize(10, 10);
  });
  builder.Build(kTable);

  const QList<QWidget*> made = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  ASSERT_EQ(made.size(), 4);
  EXPECT_EQ(made[0]->objectName(), "");
  EXPECT_EQ(made[0]->geometry(), QRect(12, 23, 137, 60));
  QPushButton* button = builder.control<QPushButton>(1001);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->objectName(), "1001");
  EXPECT_EQ(button->text(), "&Go");
  EXPECT_EQ(button->geometry(), QRect(12, 23, 10, 10));
  EXPECT_EQ(adjusted, 1);
  EXPECT_TRUE(button->isHidden());
  EXPECT_FALSE(button->isEnabled());
  EXPECT_EQ(builder.control<QWidget>(1002), custom);
  EXPECT_EQ(custom->objectName(), "1002");
  EXPECT_EQ(builder.control<QPushButton>(1003), nullptr) << "a drop-down list is no button";
  EXPECT_EQ(builder.control<QWidget>(0), nullptr);
}

// A translation of one context, as a loaded .qm would give it.
class UpperCaseTranslator : public QTranslator {
 public:
  QString translate(const char* context, const char* source, const char*, int) const override {
    return QByteArray(context) == "TestTemplate" ? QString::fromUtf8(source).toUpper() : QString();
  }
  bool isEmpty() const override { return false; }
};

// The template's texts are shown in the user's language, looked up in the template's own
// context; the empty texts stay empty, and another template's context gives the source text.
TEST(TemplateBuilder, ShowsEachTextTranslatedInTheTemplatesContext) {
  UpperCaseTranslator translator;
  QCoreApplication::installTranslator(&translator);
  QWidget dialog;
  TemplateBuilder translated(dialog, TemplateFont::Shell9pt, "TestTemplate");
  translated.MakeCustom(
      [](const ControlTemplate&, QWidget& parent) { return new QWidget(&parent); });
  translated.Build(kTable);
  QWidget other;
  TemplateBuilder untranslated(other, TemplateFont::Shell9pt, "OtherTemplate");
  untranslated.MakeCustom(
      [](const ControlTemplate&, QWidget& parent) { return new QWidget(&parent); });
  untranslated.Build(kTable);
  QCoreApplication::removeTranslator(&translator);

  EXPECT_EQ(translated.control<QPushButton>(1001)->text(), "&GO");
  EXPECT_EQ(dialog.findChild<QLabel*>()->text(), "NAME:");
  EXPECT_EQ(untranslated.control<QPushButton>(1001)->text(), "&Go");
  EXPECT_EQ(other.findChild<QLabel*>()->text(), "Name:");
}

}  // namespace
}  // namespace varnell
