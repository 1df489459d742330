#include "settings/dialog/ChoiceListControl.h"

#include <gtest/gtest.h>

#include <QComboBox>

#include "SettingsDialogTestSupport.h"

namespace varnell {
namespace {

TEST(ChoiceListControl, LoadingSelectsTheFirstItemBeginningWithTheTextIgnoringCase) {
  QComboBox list;
  FillChoiceList(list, {"10.0 fps", "2 Channel Stereo", "10"});
  EXPECT_EQ(SaveChoiceText(list), "");

  LoadChoiceText(list, "10");
  EXPECT_EQ(SaveChoiceText(list), "10.0 fps");
  LoadChoiceText(list, "2 channel stereo");
  EXPECT_EQ(SaveChoiceText(list), "2 Channel Stereo");
  LoadChoiceText(list, "5.1 Channel");
  EXPECT_EQ(SaveChoiceText(list), "2 Channel Stereo");
}

TEST(ChoiceListControl, RebuildingKeepsOnlyAnExactlyMatchingPreferredText) {
  QComboBox list;
  const FixedChoiceList channels{{"1 Channel Mono", "2 Channel Stereo"}, "2 Channel Stereo"};
  const std::string mono = "1 Channel Mono", lowerCase = "1 channel mono";

  RebuildChoiceList(list, channels, &mono);
  EXPECT_EQ(SaveChoiceText(list), "1 Channel Mono");
  RebuildChoiceList(list, channels, &lowerCase);
  EXPECT_EQ(SaveChoiceText(list), "2 Channel Stereo");
  list.setCurrentIndex(0);
  RebuildChoiceList(list, channels, nullptr);
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(SaveChoiceText(list), "2 Channel Stereo");
}

TEST(ChoiceListControl, ListsShowTheWordsTranslatedButKeepTheChoiceTexts) {
  testing::MarkingTranslator marking;
  QComboBox list;
  const FixedChoiceList qualities{
      {"192 kbps", "VBR V0 (best)", "quality 3", "Level 8 (smallest)", "2 Channel Stereo"},
      "192 kbps"};
  const std::string stereo = "2 Channel Stereo";
  RebuildChoiceList(list, qualities, &stereo);
  QStringList shown;
  for (int i = 0; i < list.count(); ++i) shown << list.itemText(i);
  EXPECT_EQ(shown, (QStringList{"192 kbps", "VBR V0 <(best)>", "<quality 3>",
                                "<Level 8> <(smallest)>", "<2 Channel Stereo>"}));
  EXPECT_EQ(SaveChoiceText(list), "2 Channel Stereo");
  LoadChoiceText(list, "level 8");
  EXPECT_EQ(SaveChoiceText(list), "Level 8 (smallest)");
}

}  // namespace
}  // namespace varnell
