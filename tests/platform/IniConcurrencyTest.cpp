// Two or more copies of the program share one store. Each writer process
// writes a shared key many times, each time also adding a key no one else
// writes, while this process keeps reading the file: a torn or emptied file
// shows up in the reads, and a lost update from an unserialised
// read-modify-write as a missing key at the end.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <vector>

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

#include "QStringPrinter.h"
#include "TempFolder.h"
#include "platform/IniFile.h"

extern char** environ;

namespace varnell::testing {
namespace {

// The writer copies are this test binary started again with these set.
constexpr const char* kWriterStoreVariable = "VARNELL_TEST_INI_WRITER_STORE";
constexpr const char* kWriterIdVariable = "VARNELL_TEST_INI_WRITER_ID";
constexpr const char* kWriteCountVariable = "VARNELL_TEST_INI_WRITER_COUNT";

int RunWriter(const QString& iniPath, const QString& writer, int count) {
  for (int i = 0; i < count; ++i) {
    if (!WriteProfileString(iniPath, "Info", "Path",
                            QStringLiteral("/writer%1/%2").arg(writer).arg(i)) ||
        !WriteProfileString(iniPath, "Writers",
                            QStringLiteral("Writer%1Write%2").arg(writer).arg(i),
                            QString::number(i))) {
      std::cerr << "write " << i << " failed\n";
      return 1;
    }
  }
  return 0;
}

// A writer copy does its work before main() and leaves: it never creates the
// test's QApplication nor runs a test.
[[maybe_unused]] const bool kIsWriterCopy = [] {
  const char* store = std::getenv(kWriterStoreVariable);
  if (store == nullptr) return false;
  const char* writer = std::getenv(kWriterIdVariable);
  const char* count = std::getenv(kWriteCountVariable);
  const int code = writer != nullptr && count != nullptr
                       ? RunWriter(QString::fromLocal8Bit(store), QString::fromLocal8Bit(writer),
                                   std::atoi(count))
                       : 2;
  std::cerr.flush();
  std::_Exit(code);
}();

class WriterProcess {
 public:
  WriterProcess(const std::string& iniPath, int writer, int count) {
    const std::string self = QCoreApplication::applicationFilePath().toStdString();
    std::vector<std::string> environment{
        std::string(kWriterStoreVariable) + "=" + iniPath,
        std::string(kWriterIdVariable) + "=" + std::to_string(writer),
        std::string(kWriteCountVariable) + "=" + std::to_string(count)};
    for (char** variable = environ; *variable != nullptr; ++variable)
      environment.emplace_back(*variable);
    std::vector<char*> envp;
    for (std::string& variable : environment) envp.push_back(variable.data());
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(self.c_str()), nullptr};
    if (posix_spawn(&pid_, self.c_str(), nullptr, nullptr, argv, envp.data()) != 0) pid_ = -1;
  }
  WriterProcess(const WriterProcess&) = delete;
  WriterProcess& operator=(const WriterProcess&) = delete;
  ~WriterProcess() {
    if (pid_ > 0 && exitCode_ < 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }

  bool started() const { return pid_ > 0; }
  // Polls without blocking; -1 while the writer runs.
  int exitCode() {
    int status = 0;
    if (exitCode_ < 0 && ::waitpid(pid_, &status, WNOHANG) == pid_) {
      exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return exitCode_;
  }

 private:
  pid_t pid_ = -1;
  int exitCode_ = -1;
};

TEST(ProfileStringConcurrency, CopiesSideBySideNeverTearTheStoreOrLoseEachOthersKeys) {
  constexpr int kWriters = 3, kWritesEach = 150;
  TempFolder folder;
  const std::string ini = folder / "Path_Registration.ini";
  const QString iniPath = QString::fromStdString(ini);
  const QByteArray kHeader("; hand-written note\n[Other]\nkeep=1\n");
  {
    QFile seed(iniPath);
    ASSERT_TRUE(seed.open(QIODevice::WriteOnly));
    const QByteArray seedText = kHeader + "[Info]\nPath=/seed\n";
    ASSERT_EQ(seed.write(seedText), seedText.size());
  }

  std::vector<std::unique_ptr<WriterProcess>> writers;
  for (int w = 0; w < kWriters; ++w) {
    writers.push_back(std::make_unique<WriterProcess>(ini, w, kWritesEach));
    ASSERT_TRUE(writers.back()->started());
  }

  const QRegularExpression writtenPath(QStringLiteral("^/(seed|writer[0-9]+/[0-9]+)$"));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
  int reads = 0;
  auto running = [&] {
    bool any = false;
    for (auto& writer : writers) any |= writer->exitCode() < 0;
    return any;
  };
  while (running()) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "writers did not finish";
    QFile file(iniPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the store vanished after " << reads << " reads";
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.startsWith(kHeader)) << bytes.toStdString();
    const std::optional<QString> path = IniFile::Parse(bytes).Value("Info", "path");
    ASSERT_TRUE(path.has_value()) << bytes.toStdString();
    ASSERT_TRUE(writtenPath.match(*path).hasMatch()) << bytes.toStdString();
    ++reads;
  }
  for (auto& writer : writers) EXPECT_EQ(writer->exitCode(), 0);
  EXPECT_GT(reads, 0);

  const IniFile store = IniFile::Parse([&] {
    QFile file(iniPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }());
  int lost = 0;
  for (int w = 0; w < kWriters; ++w) {
    for (int i = 0; i < kWritesEach; ++i) {
      lost += store.Value("Writers", QStringLiteral("Writer%1Write%2").arg(w).arg(i)) !=
              QString::number(i);
    }
  }
  EXPECT_EQ(lost, 0) << "updates lost by writers overwriting each other";
  const std::optional<QString> finalPath = store.Value("Info", "Path");
  ASSERT_TRUE(finalPath.has_value());
  EXPECT_TRUE(finalPath->endsWith(QStringLiteral("/%1").arg(kWritesEach - 1)))
      << finalPath->toStdString();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
      << "temporary or lock files were left behind";
}

}  // namespace
}  // namespace varnell::testing
