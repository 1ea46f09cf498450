// The modules whose code journals (network, radio, scoring) keep every journal line of their
// tests out of the directory the tests run in, also for tests that do not read the journal:
// each test program registers one of these environments under its own name.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <utility>

#include "log/journal.h"

namespace vk::test {

class JournalToTemp : public ::testing::Environment {
 public:
  explicit JournalToTemp(std::string program) : program_(std::move(program)) {}
  void SetUp() override {
    path_ = ::testing::TempDir() + program_ + "_journal_" + std::to_string(::getpid()) + ".txt";
    SetJournalPath(path_);
  }
  void TearDown() override {
    SetJournalPath("");
    std::remove(path_.c_str());
  }

 private:
  std::string program_;
  std::string path_;
};

}  // namespace vk::test
