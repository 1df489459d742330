// Runs a program to its end, or starts it and lets the test signal it, capturing its output.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace varnell::testing {

struct ProcessResult {
  int exitCode = -1;  // 128 + signal when it died of one
  std::string out;
  std::string err;
};

class Process {
 public:
  Process(const std::string& program, const std::vector<std::string>& arguments,
          const std::string& captureFolder)
      : outPath_(captureFolder + "/stdout.txt"), errPath_(captureFolder + "/stderr.txt") {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const int spawned = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw std::runtime_error("cannot start " + program);
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

  ProcessResult Wait() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    ProcessResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
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

inline ProcessResult Run(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& captureFolder) {
  return Process(program, arguments, captureFolder).Wait();
}

}  // namespace varnell::testing
