#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "QStringPrinter.h"
#include "TempFolder.h"
#include "platform/IniFile.h"

namespace varnell {
namespace {

using testing::TempFolder;

QString Edited(const char* original, const QString& section, const QString& key, const QString& value) {
  IniFile ini = IniFile::Parse(QByteArray(original));
  EXPECT_TRUE(ini.SetValue(section, key, value));
  return QString::fromUtf8(ini.Serialize());
}

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

TEST(IniFileRead, SectionsAndKeysIgnoreCaseAndSurroundingBlanks) {
  const IniFile ini = IniFile::Parse("[info]\n  PATH  =  /home/ann/Music  \n");
  EXPECT_EQ(ini.Value("Info", "path"), QString("/home/ann/Music"));
  EXPECT_EQ(ini.Value("INFO", "Path"), QString("/home/ann/Music"));
}

TEST(IniFileRead, FindsOnlyKeysOfTheNamedSection) {
  const IniFile ini = IniFile::Parse(
      "path=/before/any/section\n"
      "[Other]\npath=/other\n"
      "[Info]\n; path=/commented\n# path=/hashed\nname=x\n");
  EXPECT_EQ(ini.Value("Info", "path"), std::nullopt);
  EXPECT_EQ(ini.Value("Other", "path"), QString("/other"));
  EXPECT_EQ(ini.Value("Missing", "path"), std::nullopt);
}

TEST(IniFileRead, FirstOfDuplicateKeysWinsAndOnePairOfQuotesIsStripped) {
  const IniFile ini = IniFile::Parse("[Info]\npath=\" /spaced \"\npath=/second\nempty=\n");
  EXPECT_EQ(ini.Value("Info", "path"), QString(" /spaced "));
  EXPECT_EQ(ini.Value("Info", "empty"), QString(""));
}

TEST(IniFileWrite, ReplacesTheValueInPlaceWithTheCallersKeyAndKeepsEverythingElse) {
  EXPECT_EQ(Edited("; store\n[Other]\nkeep = 1\n\n[info]\npath = /old\nafter=2\n", "Info", "Path", "/new"),
            "; store\n[Other]\nkeep = 1\n\n[info]\nPath=/new\nafter=2\n");
}

TEST(IniFileWrite, AppendsAMissingKeyAfterTheLastKeyOfItsSection) {
  EXPECT_EQ(Edited("[Info]\nname=x\n\n; the next section\n[Other]\nkeep=1\n", "INFO", "Path", "/new"),
            "[Info]\nname=x\nPath=/new\n\n; the next section\n[Other]\nkeep=1\n");
  EXPECT_EQ(Edited("[Info]\n[Other]\n", "Info", "Path", "/new"), "[Info]\nPath=/new\n[Other]\n");
}

TEST(IniFileWrite, AddsAMissingSectionAtTheEnd) {
  EXPECT_EQ(Edited("", "Info", "Path", "/new"), "[Info]\nPath=/new\n");
  EXPECT_EQ(Edited("[Other]\nkeep=1", "Info", "Path", "/new"), "[Other]\nkeep=1\n[Info]\nPath=/new\n");
}

TEST(IniFileWrite, KeepsWindowsLineEndingsAndAByteOrderMark) {
  EXPECT_EQ(Edited("\xEF\xBB\xBF[Info]\r\npath=/old\r\n", "Info", "Path", "/new"),
            QString::fromUtf8("\xEF\xBB\xBF[Info]\r\nPath=/new\r\n"));
  EXPECT_EQ(Edited("[Other]\r\nkeep=1\r\n", "Info", "Path", "/new"), "[Other]\r\nkeep=1\r\n[Info]\r\nPath=/new\r\n");
}

TEST(IniFileWrite, ValuesReadBackExactly) {
  for (const QString& value : {QString(" leading and trailing "), QString("\"quoted\""), QString("a=b;c"),
                               QString::fromUtf8("/home/ann/音乐"), QString()}) {
    IniFile ini = IniFile::Parse("[Info]\npath=/old\n");
    ASSERT_TRUE(ini.SetValue("Info", "Path", value));
    EXPECT_EQ(IniFile::Parse(ini.Serialize()).Value("info", "path"), value) << value.toStdString();
  }
}

TEST(IniFileWrite, RefusesTextsThatWouldBreakTheLineStructure) {
  IniFile ini = IniFile::Parse("[Info]\npath=/old\n");
  EXPECT_FALSE(ini.SetValue("Info", "Path", "/one\n[Evil]\nx=1"));
  EXPECT_FALSE(ini.SetValue("Info", "Pa=th", "/x"));
  EXPECT_FALSE(ini.SetValue("Info", "", "/x"));
  EXPECT_FALSE(ini.SetValue("In]fo", "Path", "/x"));
  EXPECT_EQ(ini.Serialize(), QByteArray("[Info]\npath=/old\n"));
}

TEST(ProfileStringFile, ReadsWhatAnotherWriterLeftAndMissesWhatIsNotThere) {
  TempFolder folder;
  const std::string ini = folder / "Path_Registration.ini";
  EXPECT_EQ(ReadProfileString(QString::fromStdString(ini), "Info", "path"), std::nullopt);
  WriteText(ini, "[Info]\nname=x\n");
  EXPECT_EQ(ReadProfileString(QString::fromStdString(ini), "Info", "path"), std::nullopt);
  WriteText(ini, "[Info]\nPath=/home/ann/OutPut\n");
  EXPECT_EQ(ReadProfileString(QString::fromStdString(ini), "Info", "path"), QString("/home/ann/OutPut"));
}

TEST(ProfileStringFile, WriteCreatesOrUpdatesTheStoreAndLeavesNothingElseBehind) {
  TempFolder folder;
  const std::string ini = folder / "Path_Registration.ini";
  const QString iniPath = QString::fromStdString(ini);
  ASSERT_TRUE(WriteProfileString(iniPath, "Info", "Path", QString::fromUtf8("/home/ann/音乐")));
  EXPECT_EQ(Contents(ini), "[Info]\nPath=/home/ann/音乐\n");

  WriteText(ini, "; kept\n[Info]\npath=/old\n[Other]\nkeep=1\n");
  ASSERT_TRUE(WriteProfileString(iniPath, "Info", "Path", "/new"));
  EXPECT_EQ(Contents(ini), "; kept\n[Info]\nPath=/new\n[Other]\nkeep=1\n");

  // No temporary file and no lock file outlive the write.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(ProfileStringFile, WriteIntoAMissingFolderFailsAndCreatesNothing) {
  TempFolder folder;
  const std::filesystem::path bin = folder.path() / "bin";
  EXPECT_FALSE(WriteProfileString(QString::fromStdString((bin / "Path_Registration.ini").string()), "Info", "Path",
                                  "/new"));
  EXPECT_FALSE(std::filesystem::exists(bin));
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(ProfileStringFile, RefusedValueLeavesTheStoreUntouched) {
  TempFolder folder;
  const std::string ini = folder / "store.ini";
  WriteText(ini, "[Info]\npath=/old\n");
  EXPECT_FALSE(WriteProfileString(QString::fromStdString(ini), "Info", "Path", "/a\nb"));
  EXPECT_EQ(Contents(ini), "[Info]\npath=/old\n");
}

}  // namespace
}  // namespace varnell
