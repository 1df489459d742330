// A home trash of the test's own: XDG_DATA_HOME points into a fresh folder while this lives, so
// what a test moves to the Trash lands there, and programs the test starts inherit it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "TempFolder.h"

namespace varnell::testing {

class HomeTrash {
 public:
  HomeTrash() {
    if (const char* previous = std::getenv("XDG_DATA_HOME")) previous_ = previous;
    ::setenv("XDG_DATA_HOME", (data_ / "data").c_str(), 1);
  }
  HomeTrash(const HomeTrash&) = delete;
  HomeTrash& operator=(const HomeTrash&) = delete;
  ~HomeTrash() {
    if (previous_) {
      ::setenv("XDG_DATA_HOME", previous_->c_str(), 1);
    } else {
      ::unsetenv("XDG_DATA_HOME");
    }
  }

  std::string folder() const { return data_ / "data/Trash"; }
  std::string file(const std::string& name) const { return folder() + "/files/" + name; }
  // The info file of a trashed name, whole; empty when there is none.
  std::string info(const std::string& name) const {
    std::ifstream in(folder() + "/info/" + name + ".trashinfo");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  TempFolder data_;
  std::optional<std::string> previous_;
};

}  // namespace varnell::testing
