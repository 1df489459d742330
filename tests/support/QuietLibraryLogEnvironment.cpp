// FFmpeg's own warnings about the deliberately broken test files would bury the test output.
#include <gtest/gtest.h>

#include "engine/LibraryLog.h"

namespace {

class QuietLibraryLogEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { varnell::QuietLibraryLog(); }
};

const auto* const kQuietLog = ::testing::AddGlobalTestEnvironment(new QuietLibraryLogEnvironment);

}  // namespace
