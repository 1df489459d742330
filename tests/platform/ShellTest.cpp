#include <gtest/gtest.h>

#include <QDir>

#include "QStringPrinter.h"
#include "platform/ExecutableFolder.h"
#include "platform/qt/QtShell.h"
#include "platform/testing/RecordingPowerOff.h"
#include "platform/testing/RecordingShell.h"

#include <filesystem>

namespace varnell {
namespace {

TEST(ShellTarget, WebAddressesStayAddressesAndEverythingElseIsALocalPath) {
  EXPECT_EQ(QtShell::UrlFor("https://varnell.example/more?from=app"),
            QUrl("https://varnell.example/more?from=app"));
  EXPECT_EQ(QtShell::UrlFor("HTTP://varnell.example/"), QUrl("http://varnell.example/"));
  EXPECT_EQ(QtShell::UrlFor("/home/ann/My Music/OutPut").toString(),
            "file:///home/ann/My Music/OutPut");
  EXPECT_EQ(QtShell::UrlFor(QString::fromUtf8("/home/ann/音乐#1")).toLocalFile(),
            QString::fromUtf8("/home/ann/音乐#1"));
  EXPECT_EQ(QtShell::UrlFor("notes:draft").toLocalFile(),
            QDir::current().absoluteFilePath("notes:draft"));
  EXPECT_EQ(QtShell::UrlFor("help.html").toLocalFile(),
            QDir::current().absoluteFilePath("help.html"));
  EXPECT_TRUE(QtShell::UrlFor("").isEmpty());
}

TEST(ShellTarget, NothingToOpenIsRefusedWithoutAskingTheDesktop) {
  EXPECT_FALSE(QtShell().Open(""));
}

TEST(ExecutableFolderLocation, IsTheFolderOfTheRunningBinary) {
  const std::filesystem::path binary = std::filesystem::read_symlink("/proc/self/exe");
  EXPECT_EQ(ExecutableFolder(), QString::fromStdString(binary.parent_path().string()));
}

TEST(ServiceDoubles, RecordRequestsAndAnswerAsTold) {
  RecordingShell shell;
  EXPECT_TRUE(shell.Open("/out"));
  shell.result = false;
  EXPECT_FALSE(shell.Open("https://varnell.example/"));
  EXPECT_EQ(shell.opened, std::vector<QString>({"/out", "https://varnell.example/"}));

  RecordingPowerOff powerOff;
  powerOff.refusal = "logind is not running";
  EXPECT_EQ(powerOff.PowerOffComputer(), powerOff.refusal);
  EXPECT_EQ(powerOff.requests, 1);
}

}  // namespace
}  // namespace varnell
