#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>

#include "QStringPrinter.h"
#include "TempFolder.h"
#include "platform/IniFile.h"

namespace varnell {
namespace {

using testing::TempFolder;

QString Edited(const char* original, const QString& section, const QString& key,
               const QString& value) {
  IniFile ini = IniFile::Parse(QByteArray(original));
  EXPECT_TRUE(ini.SetValue(section, key, value));
  return QString::fromUtf8(ini.Serialize());
}

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

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
  EXPECT_EQ(Edited("; store\n[Other]\nkeep = 1\n\n[info]\npath = /old\nafter=2\n", "Info", "Path",
                   "/new"),
            "; store\n[Other]\nkeep = 1\n\n[info]\nPath=/new\nafter=2\n");
}

TEST(IniFileWrite, AppendsAMissingKeyAfterTheLastKeyOfItsSection) {
  EXPECT_EQ(
      Edited("[Info]\nname=x\n\n; the next section\n[Other]\nkeep=1\n", "INFO", "Path", "/new"),
      "[Info]\nname=x\nPath=/new\n\n; the next section\n[Other]\nkeep=1\n");
  EXPECT_EQ(Edited("[Info]\n[Other]\n", "Info", "Path", "/new"), "[Info]\nPath=/new\n[Other]\n");
}

TEST(IniFileWrite, AddsAMissingSectionAtTheEnd) {
  EXPECT_EQ(Edited("", "Info", "Path", "/new"), "[Info]\nPath=/new\n");
  EXPECT_EQ(Edited("[Other]\nkeep=1", "Info", "Path", "/new"),
            "[Other]\nkeep=1\n[Info]\nPath=/new\n");
}

TEST(IniFileWrite, KeepsWindowsLineEndingsAndAByteOrderMark) {
  EXPECT_EQ(Edited("\xEF\xBB\xBF[Info]\r\npath=/old\r\n", "Info", "Path", "/new"),
            QString::fromUtf8("\xEF\xBB\xBF[Info]\r\nPath=/new\r\n"));
  EXPECT_EQ(Edited("[Other]\r\nkeep=1\r\n", "Info", "Path", "/new"),
            "[Other]\r\nkeep=1\r\n[Info]\r\nPath=/new\r\n");
}

TEST(IniFileWrite, ValuesReadBackExactly) {
  for (const QString& value : {QString(" leading and trailing "), QString("\"quoted\""),
                               QString("a=b;c"), QString::fromUtf8("/home/ann/音乐"), QString()}) {
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
  EXPECT_EQ(ReadProfileString(QString::fromStdString(ini), "Info", "path"),
            QString("/home/ann/OutPut"));
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
  EXPECT_FALSE(WriteProfileString(QString::fromStdString((bin / "Path_Registration.ini").string()),
                                  "Info", "Path", "/new"));
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

// Runs `work` in a child process with an alarm and a memory limit, so work that waits on a FIFO or
// grows without bound ends the child and fails the test instead of hanging the run or exhausting
// the machine. The answer is what `work` returned, or nullopt when the child did not finish.
std::optional<std::string> InChild(const std::function<std::string()>& work) {
  int answer[2];
  if (::pipe(answer) != 0) return std::nullopt;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(answer[0]);
    ::alarm(10);
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t limit = static_cast<rlim_t>(pages) * ::sysconf(_SC_PAGESIZE) + (256u << 20);
    const rlimit memory{limit, limit};
    ::setrlimit(RLIMIT_AS, &memory);
    const std::string text = work();
    const bool sent =
        ::write(answer[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::_exit(sent ? 0 : 1);
  }
  ::close(answer[1]);
  std::string text;
  char buffer[256];
  for (ssize_t got; (got = ::read(answer[0], buffer, sizeof buffer)) > 0;) text.append(buffer, got);
  ::close(answer[0]);
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    return std::nullopt;
  }
  return text;
}

std::string ReadAndWrite(const std::string& store) {
  const QString path = QString::fromStdString(store);
  const std::optional<QString> read = ReadProfileString(path, "Info", "path");
  const bool written = WriteProfileString(path, "Info", "Path", "/new");
  return (read ? read->toStdString() : "none") + (written ? " written" : " refused");
}

TEST(ProfileStringFile, AnythingButASmallRegularFileReadsAsNoStoreAndIsNeverReplaced) {
  TempFolder folder;
  const std::string fifo = folder / "fifo.ini";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string zero = folder / "zero.ini";
  std::filesystem::create_symlink("/dev/zero", zero);
  // A key that a reader without a bound would find at the start of the file.
  const std::string big = folder / "big.ini";
  const std::string bigText = "[Info]\npath=/big\n; " + std::string(64 * 1024, 'x') + "\n";
  WriteText(big, bigText);
  const std::string small = folder / "small.ini";
  WriteText(small, "[Info]\npath=/small\n");

  for (const std::string& store : {fifo, zero, big}) {
    EXPECT_EQ(InChild([&store] { return ReadAndWrite(store); }), "none refused") << store;
  }
  EXPECT_EQ(InChild([&small] { return ReadAndWrite(small); }), "/small written");
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_TRUE(std::filesystem::is_symlink(zero));
  EXPECT_EQ(Contents(big), bigText);
}

// A link planted under the store's or the lock's name would let a write replace or create a file
// somewhere else: the write is refused and the link's target stays as it was.
TEST(ProfileStringFile, AWriteNeverGoesThroughALinkUnderTheStoresOrTheLocksName) {
  TempFolder folder;
  const std::string victim = folder / "victim.txt";
  WriteText(victim, "someone's notes\n");
  const std::string store = folder / "Path_Registration.ini";
  std::filesystem::create_symlink(victim, store);
  EXPECT_FALSE(WriteProfileString(QString::fromStdString(store), "Info", "Path", "/new"));
  EXPECT_EQ(Contents(victim), "someone's notes\n");
  EXPECT_TRUE(std::filesystem::is_symlink(store));

  const std::string other = folder / "other.ini";
  const std::string elsewhere = folder / "created-elsewhere";
  std::filesystem::create_symlink(elsewhere, other + ".lock");
  EXPECT_FALSE(WriteProfileString(QString::fromStdString(other), "Info", "Path", "/new"));
  EXPECT_FALSE(std::filesystem::exists(elsewhere));
  EXPECT_FALSE(std::filesystem::exists(other));
}

}  // namespace
}  // namespace varnell
