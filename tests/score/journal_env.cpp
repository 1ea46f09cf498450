// Scoring writes diagnostic lines; keep them out of the directory the tests run in.
#include <unistd.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "log/journal.h"

namespace {

class JournalToTemp : public ::testing::Environment {
 public:
  void SetUp() override {
    path_ = ::testing::TempDir() + "score_tests_journal_" + std::to_string(::getpid()) + ".txt";
    vk::SetJournalPath(path_);
  }
  void TearDown() override { std::remove(path_.c_str()); }

 private:
  std::string path_;
};

const auto* const kJournalEnv = ::testing::AddGlobalTestEnvironment(new JournalToTemp);

}  // namespace
