// Runs a program to its end, or starts it and lets the test signal it and wait for what it
// writes, capturing its output.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace varnell::testing {

struct ProcessResult {
  int exitCode = -1;  // 128 + signal when it died of one
  int signal = 0;     // the signal it died of; 0 when it exited
  std::string out;
  std::string err;
};

// What the child gets before it runs the program; the defaults change nothing.
struct ChildSetUp {
  rlim_t fileSizeLimitBytes = RLIM_INFINITY;  // RLIMIT_FSIZE, with SIGXFSZ at its default action
  unsigned alarmSeconds = 0;                  // a guard: SIGALRM ends a program that hangs
};

class Process {
 public:
  // Standard output goes to stdoutFd when one is given (a pipe, say), else into the folder.
  Process(const std::string& program, const std::vector<std::string>& arguments,
          const std::string& captureFolder, int stdoutFd = -1, const ChildSetUp& setUp = {})
      : outPath_(captureFolder + "/stdout.txt"), errPath_(captureFolder + "/stderr.txt") {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    // Between fork and exec only async-signal-safe calls: everything is prepared before.
    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("cannot start " + program);
    if (pid_ == 0) {
      const int in = ::open("/dev/null", O_RDONLY);
      const int out =
          stdoutFd >= 0 ? stdoutFd : ::open(outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int err = ::open(errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 ||
          ::dup2(err, 2) < 0)
        ::_exit(127);
      if (setUp.fileSizeLimitBytes != RLIM_INFINITY) {
        ::signal(SIGXFSZ, SIG_DFL);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = setUp.fileSizeLimitBytes;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(127);
      }
      if (setUp.alarmSeconds > 0) ::alarm(setUp.alarmSeconds);
      ::execve(program.c_str(), argv.data(), environ);
      ::_exit(127);
    }
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }

  void Signal(int signal) const { ::kill(pid_, signal); }

  // Waits until the program's standard error holds text; false when the program ended first or
  // the text did not come within the bound.
  bool WaitForError(const std::string& text) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (ReadFile(errPath_).find(text) == std::string::npos) {
      siginfo_t info{};
      if (::waitid(P_PID, pid_, &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid != 0 ||
          std::chrono::steady_clock::now() > deadline) {
        return ReadFile(errPath_).find(text) != std::string::npos;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
  }

  ProcessResult Wait() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    ProcessResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    result.out = ReadFile(outPath_);
    result.err = ReadFile(errPath_);
    return result;
  }

 private:
  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  std::string outPath_;
  std::string errPath_;
  pid_t pid_ = -1;
};

// Polls what another process does to the file system; the bound only keeps a broken run from
// hanging the suite.
inline void WaitUntilSeen(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (!condition()) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the other process never got there";
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

inline ProcessResult Run(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& captureFolder) {
  return Process(program, arguments, captureFolder).Wait();
}

}  // namespace varnell::testing
