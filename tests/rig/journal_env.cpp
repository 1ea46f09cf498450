// The rig code journals what its radio reports; keep every line of the tests
// out of the directory they run in, also for tests that do not read the journal.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "log/journal.h"

namespace {

class JournalToTemp : public ::testing::Environment {
 public:
  void SetUp() override {
    path_ = ::testing::TempDir() + "rig_tests_journal_" + std::to_string(::getpid()) + ".txt";
    vk::SetJournalPath(path_);
  }
  void TearDown() override {
    vk::SetJournalPath("");
    std::remove(path_.c_str());
  }

 private:
  std::string path_;
};

const auto* const kJournalEnv = ::testing::AddGlobalTestEnvironment(new JournalToTemp);

}  // namespace
