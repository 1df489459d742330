#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <filesystem>

#include <unistd.h>

#include "QStringPrinter.h"
#include "TempFolder.h"
#include "platform/qt/DesktopBrowserLauncher.h"
#include "platform/qt/DesktopEntry.h"
#include "platform/testing/RecordingBrowserLauncher.h"

namespace varnell {
namespace {

using Arguments = std::optional<QStringList>;

Arguments Args(QStringList arguments) { return arguments; }

TEST(ExecCut, EndsBeforeTheFirstAddressFieldCode) {
  EXPECT_EQ(CutExecAtFieldCode("browser %u"), "browser ");
  EXPECT_EQ(CutExecAtFieldCode("browser --new-window %U --after"), "browser --new-window ");
  EXPECT_EQ(CutExecAtFieldCode("viewer %F"), "viewer ");
  EXPECT_EQ(CutExecAtFieldCode("viewer %f then %u"), "viewer ");
  // Like a quoted "%1", a quoted field code takes its opening quote along.
  EXPECT_EQ(CutExecAtFieldCode(R"("/opt/My Browser/run" --tab "%u" --rest)"),
            R"("/opt/My Browser/run" --tab )");
}

TEST(ExecCut, KeepsALineWithoutAddressFieldCodeWhole) {
  EXPECT_EQ(CutExecAtFieldCode("browser --private"), "browser --private");
  EXPECT_EQ(CutExecAtFieldCode(""), "");
}

TEST(ExecCut, UndoesPercentEscapesAndDropsTheOtherFieldCodes) {
  EXPECT_EQ(CutExecAtFieldCode("tool --zoom=150%% %u"), "tool --zoom=150% ");
  EXPECT_EQ(CutExecAtFieldCode("tool 100%%u %u"), "tool 100%u ");
  EXPECT_EQ(CutExecAtFieldCode("app %i --name=%c %k %U"), "app  --name=  ");
  // A quote escaped inside a quoted argument does not end it, so the field
  // code after it still counts as quoted.
  EXPECT_EQ(CutExecAtFieldCode(R"(app "say \"%%\"" "%u")"), R"(app "say \"%\"" )");
}

TEST(ExecArguments, FollowTheDesktopEntryQuotingRules) {
  EXPECT_EQ(
      SplitExecArguments(R"(  /opt/run)"
                         "\t"
                         R"(-x   "two words" "say \"hi\"" "\$HOME" "\`x\`" "back\\slash" "" end)"),
      Args({"/opt/run", "-x", "two words", R"(say "hi")", "$HOME", "`x`", R"(back\slash)", "",
            "end"}));
  EXPECT_EQ(SplitExecArguments("a\\b"), Args({"a\\b"}));
  EXPECT_EQ(SplitExecArguments("   "), Args({}));
  EXPECT_EQ(SplitExecArguments(R"(run "unterminated)"), std::nullopt);
  EXPECT_EQ(SplitExecArguments(R"(run "ends in escape\")"), std::nullopt);
}

TEST(BrowserCommand, AppendsTheAddressAsOneArgumentOfItsOwn) {
  const QString hostile = "https://varnell.example/a b;rm -rf ~;$(reboot)`id`\"'";
  EXPECT_EQ(BrowserCommandLine("browser %u --ignored", hostile), Args({"browser", hostile}));
  EXPECT_EQ(BrowserCommandLine(R"("/opt/My Browser/run" "%u")", "https://varnell.example/"),
            Args({"/opt/My Browser/run", "https://varnell.example/"}));
  // Without a field code the address goes at the end.
  EXPECT_EQ(BrowserCommandLine("browser --private", "https://varnell.example/"),
            Args({"browser", "--private", "https://varnell.example/"}));
}

TEST(BrowserCommand, NeedsAProgramBeforeTheAddress) {
  EXPECT_EQ(BrowserCommandLine("%u", "https://varnell.example/"), std::nullopt);
  EXPECT_EQ(BrowserCommandLine(R"("" %u)", "https://varnell.example/"), std::nullopt);
  EXPECT_EQ(BrowserCommandLine("", "https://varnell.example/"), std::nullopt);
  EXPECT_EQ(BrowserCommandLine(R"("--url=%u")", "https://varnell.example/"), std::nullopt);
}

TEST(DesktopEntryExec, IsTakenFromTheDesktopEntryGroupOnly) {
  const QString entry =
      "# Exec=commented out\n"
      "[Desktop Action new-window]\n"
      "Exec=browser --new-window %u\n"
      "[Desktop Entry]\r\n"
      "Name=Browser\r\n"
      "TryExec=browser\n"
      "Exec = browser\\s--flag \"C:\\\\\\\\x\" %u  \r\n"
      "Exec=second\n";
  EXPECT_EQ(ReadDesktopEntryExec(entry), QString(R"(browser --flag "C:\\x" %u)"));
  EXPECT_EQ(SplitExecArguments(*ReadDesktopEntryExec(entry)),
            Args({"browser", "--flag", R"(C:\x)", "%u"}));
}

TEST(DesktopEntryExec, IsMissingWithoutGroupOrKey) {
  EXPECT_EQ(ReadDesktopEntryExec("Exec=browser %u\n"), std::nullopt);
  EXPECT_EQ(ReadDesktopEntryExec("[Desktop Entry]\nName=Browser\nExecutable=browser\n"),
            std::nullopt);
  EXPECT_EQ(ReadDesktopEntryExec("[Desktop Action x]\nExec=browser %u\n"), std::nullopt);
  EXPECT_EQ(ReadDesktopEntryExec("[Desktop Entry]\nExec=\n"), QString(""));
}

TEST(ApplicationFolderList, FollowsTheBaseDirectoryRules) {
  EXPECT_EQ(ApplicationFolders("", "", "/home/ann"),
            QStringList({"/home/ann/.local/share/applications", "/usr/local/share/applications",
                         "/usr/share/applications"}));
  EXPECT_EQ(ApplicationFolders("/data/ann/", "/opt/share:relative/share::/usr/share/", "/home/ann"),
            QStringList(
                {"/data/ann/applications", "/opt/share/applications", "/usr/share/applications"}));
  // Relative settings count as unset.
  EXPECT_EQ(ApplicationFolders("share", "relative", "/home/ann"),
            QStringList({"/home/ann/.local/share/applications", "/usr/local/share/applications",
                         "/usr/share/applications"}));
}

// Desktop entries and fake browsers in a folder of their own.
class DesktopFolders : public ::testing::Test {
 protected:
  QString Path(const QString& relative) const {
    return QString::fromStdString(temp / relative.toStdString());
  }

  QString Write(const QString& relative, const QByteArray& content, bool executable = false) {
    const QString path = Path(relative);
    EXPECT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    EXPECT_EQ(file.write(content), content.size());
    file.close();
    if (executable) {
      EXPECT_TRUE(file.setPermissions(file.permissions() | QFile::ExeOwner));
    }
    return path;
  }

  QString WriteEntry(const QString& relative, const QString& exec) {
    return Write(relative,
                 ("[Desktop Entry]\nType=Application\nName=Browser\nExec=" + exec + "\n").toUtf8());
  }

  DesktopBrowserLauncher LauncherNaming(const QString& desktopId) {
    return DesktopBrowserLauncher([desktopId] { return desktopId; },
                                  {Path("home/applications"), Path("usr/applications")});
  }

  testing::TempFolder temp;
};

TEST_F(DesktopFolders, EntriesAreFoundByIdInTheFirstFolderThatHasThem) {
  const QStringList folders = {Path("home/applications"), Path("usr/applications")};
  const QString own = WriteEntry("home/applications/browser.desktop", "own");
  WriteEntry("usr/applications/browser.desktop", "system");
  const QString nested = WriteEntry("usr/applications/vendor/web/browser.desktop", "nested");

  EXPECT_EQ(FindDesktopEntry("browser.desktop", folders), own);
  EXPECT_EQ(FindDesktopEntry("vendor-web-browser.desktop", folders), nested);
  EXPECT_EQ(FindDesktopEntry("missing.desktop", folders), "");
  EXPECT_EQ(FindDesktopEntry("../usr/applications/browser.desktop", folders), "");
  EXPECT_EQ(FindDesktopEntry("browser", folders), "");
  EXPECT_EQ(FindDesktopEntry("", folders), "");
}

TEST_F(DesktopFolders, CommandRunsTheNamedEntrysProgramOnTheAddress) {
  const QString program = Write("bin/my browser", "#!/bin/sh\n", true);
  WriteEntry("usr/applications/vendor/browser.desktop", "\"" + program + "\" --new-tab \"%u\"");

  const DesktopBrowserLauncher::Command command =
      LauncherNaming(" vendor-browser.desktop\n").CommandFor("https://varnell.example/");
  EXPECT_EQ(command.failure, LaunchFailure::None);
  EXPECT_EQ(command.program, program);
  EXPECT_EQ(command.arguments, QStringList({"--new-tab", "https://varnell.example/"}));

  WriteEntry("usr/applications/sh.desktop", "sh -c %u");
  const DesktopBrowserLauncher::Command onPath = LauncherNaming("sh.desktop").CommandFor("x");
  EXPECT_EQ(onPath.failure, LaunchFailure::None);
  EXPECT_TRUE(QDir::isAbsolutePath(onPath.program)) << onPath.program.toStdString();
  EXPECT_TRUE(onPath.program.endsWith("/sh")) << onPath.program.toStdString();
}

TEST_F(DesktopFolders, EachWayOfFailingIsReportedWithoutRunningAnything) {
  const QString notExecutable = Write("bin/plain", "#!/bin/sh\n");
  WriteEntry("usr/applications/no-exec.desktop", "");
  Write("usr/applications/no-key.desktop", "[Desktop Entry]\nName=Browser\n");
  WriteEntry("usr/applications/open-quote.desktop", "\"browser %u");
  WriteEntry("usr/applications/missing.desktop", Path("bin/missing") + " %u");
  WriteEntry("usr/applications/no-folder.desktop", Path("nowhere/browser") + " %u");
  WriteEntry("usr/applications/unknown.desktop", "varnell-no-such-browser %u");
  WriteEntry("usr/applications/plain.desktop", notExecutable + " %u");
  WriteEntry("usr/applications/folder.desktop", Path("bin") + " %u");
  ASSERT_TRUE(QDir().mkpath(
      Path("usr/applications/unreadable.desktop")));  // a folder reads as nothing, even for root

  const std::vector<std::pair<QString, LaunchFailure>> cases = {
      {"", LaunchFailure::NoDefaultBrowser},
      {"absent.desktop", LaunchFailure::NoDefaultBrowser},
      {"unreadable.desktop", LaunchFailure::EntryUnreadable},
      {"no-exec.desktop", LaunchFailure::EntryIncomplete},
      {"no-key.desktop", LaunchFailure::EntryIncomplete},
      {"open-quote.desktop", LaunchFailure::EntryIncomplete},
      {"missing.desktop", LaunchFailure::ProgramNotFound},
      {"unknown.desktop", LaunchFailure::ProgramNotFound},
      {"no-folder.desktop", LaunchFailure::ProgramFolderNotFound},
      {"plain.desktop", LaunchFailure::ProgramNotExecutable},
      {"folder.desktop", LaunchFailure::ProgramNotExecutable},
  };
  for (const auto& [desktopId, failure] : cases) {
    DesktopBrowserLauncher launcher = LauncherNaming(desktopId);
    const DesktopBrowserLauncher::Command command = launcher.CommandFor("https://varnell.example/");
    EXPECT_EQ(command.failure, failure) << desktopId.toStdString();
    EXPECT_TRUE(command.program.isEmpty() && command.arguments.isEmpty())
        << desktopId.toStdString();
    EXPECT_FALSE(launcher.Launch("https://varnell.example/")) << desktopId.toStdString();
    EXPECT_EQ(launcher.LastFailure(), failure) << desktopId.toStdString();
  }
}

TEST_F(DesktopFolders, EntryWithoutReadPermissionIsUnreadable) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads files without read permission";
  const QString entry = WriteEntry("usr/applications/locked.desktop", "browser %u");
  ASSERT_TRUE(QFile::setPermissions(entry, QFile::WriteOwner));
  EXPECT_EQ(LauncherNaming("locked.desktop").CommandFor("x").failure,
            LaunchFailure::EntryUnreadable);
}

TEST_F(DesktopFolders, LaunchHandsTheAddressOverUntouchedWithoutAShell) {
  const QString record = Path("arguments.txt");
  const QString browser = Write("bin/browser",
                                ("#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + record +
                                 ".part' && mv '" + record + ".part' '" + record + "'\n")
                                    .toUtf8(),
                                true);
  WriteEntry("usr/applications/browser.desktop", browser + " --first %u");
  const QString url = "https://varnell.example/?q=a b&x=$(touch hacked);`id`|'\"";

  DesktopBrowserLauncher launcher = LauncherNaming("browser.desktop");
  ASSERT_TRUE(launcher.Launch(url));
  EXPECT_EQ(launcher.LastFailure(), LaunchFailure::None);

  QFile recorded(record);
  const QDeadlineTimer deadline(10000);
  while (!recorded.exists() && !deadline.hasExpired()) QThread::msleep(20);
  ASSERT_TRUE(recorded.open(QIODevice::ReadOnly)) << "the fake browser did not run";
  EXPECT_EQ(QString::fromUtf8(recorded.readAll()), "--first\n" + url + "\n");
  EXPECT_FALSE(QFile::exists(QDir::current().filePath("hacked")));
}

TEST_F(DesktopFolders, AProgramTheSystemCannotRunFailsToStart) {
  const QString garbage = Write("bin/garbage", "this is no program\n", true);
  WriteEntry("usr/applications/garbage.desktop", garbage + " %u");
  DesktopBrowserLauncher launcher = LauncherNaming("garbage.desktop");
  EXPECT_EQ(launcher.CommandFor("x").failure, LaunchFailure::None);
  EXPECT_FALSE(launcher.Launch("x"));
  EXPECT_EQ(launcher.LastFailure(), LaunchFailure::ProgramFailedToStart);
}

TEST(RecordingBrowser, RecordsAddressesAndFailsAsTold) {
  RecordingBrowserLauncher browser;
  EXPECT_TRUE(browser.Launch("https://varnell.example/one"));
  EXPECT_EQ(browser.LastFailure(), LaunchFailure::None);
  browser.result = false;
  browser.failure = LaunchFailure::ProgramNotFound;
  EXPECT_FALSE(browser.Launch("https://varnell.example/two"));
  EXPECT_EQ(browser.LastFailure(), LaunchFailure::ProgramNotFound);
  EXPECT_EQ(browser.launched,
            std::vector<QString>({"https://varnell.example/one", "https://varnell.example/two"}));
}

}  // namespace
}  // namespace varnell
