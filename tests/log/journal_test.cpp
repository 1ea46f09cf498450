#include "log/journal.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace vk {
namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

class JournalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vk_journalXXXXXX";
    dir_ = ::mkdtemp(tmpl);
    journal_ = std::make_unique<Journal>(dir_ + "/debug.txt");
  }
  void TearDown() override {
    std::remove((dir_ + "/debug.txt").c_str());
    ::rmdir(dir_.c_str());
  }
  void JournalAppend(std::string_view line) { journal_->Append(line); }
  void JournalTrace(std::string_view line) { journal_->Trace(line); }
  void SetJournalTracing(bool on) { journal_->SetTracing(on); }
  std::string dir_;
  std::unique_ptr<Journal> journal_;
};

TEST_F(JournalTest, CreatesFileAndAppendsLinesInOrder) {
  JournalAppend("QRB: first");
  JournalAppend("");
  JournalAppend("ADD MULTI: second");
  EXPECT_EQ(Slurp(dir_ + "/debug.txt"), "QRB: first\r\n\r\nADD MULTI: second\r\n");
}

TEST_F(JournalTest, DeletedJournalIsCreatedAgain) {
  JournalAppend("one");
  std::remove((dir_ + "/debug.txt").c_str());
  JournalAppend("two");
  EXPECT_EQ(Slurp(dir_ + "/debug.txt"), "two\r\n");
}

TEST_F(JournalTest, UnwritableJournalIsSkippedQuietly) {
  Journal lost(dir_ + "/no/such/dir/debug.txt");
  lost.Append("lost");  // must neither throw nor crash
  SUCCEED();
}

TEST_F(JournalTest, TraceLinesOnlyWhileTracing) {
  JournalTrace("WHO->5");
  SetJournalTracing(true);
  JournalTrace("WHO->3");
  SetJournalTracing(false);
  JournalTrace("WHO->4");
  EXPECT_EQ(Slurp(dir_ + "/debug.txt"), "WHO->3\r\n");
}

// A flood of lines: a repeated line is counted after its third copy, and at a few megabytes the
// journal moves aside to debug.1.txt, so the disk the log needs never fills.
TEST_F(JournalTest, RepeatsAreCountedAndTheFileRotates) {
  for (int i = 0; i < 10; ++i) JournalAppend("NET_RX:->same");
  JournalAppend("other");
  EXPECT_EQ(Slurp(dir_ + "/debug.txt"),
            "NET_RX:->same\r\nNET_RX:->same\r\nNET_RX:->same\r\n"
            "(the line before repeated 7 times more)\r\nother\r\n");
  const std::string line(245, 'x');
  for (int i = 0; i < 20000; ++i) JournalAppend(line + std::to_string(i));
  const std::string rotated = dir_ + "/debug.1.txt";
  EXPECT_GT(Slurp(rotated).size(), 1u << 20);
  EXPECT_LT(Slurp(dir_ + "/debug.txt").size() + Slurp(rotated).size(), 9u << 20);
  EXPECT_NE(Slurp(dir_ + "/debug.txt").find(line + "19999\r\n"), std::string::npos);
  std::remove(rotated.c_str());
}

TEST(JournalDefault, LivesInCurrentDirectory) {
  const Journal journal;
  char buf[4096];
  ASSERT_NE(::getcwd(buf, sizeof buf), nullptr);
  EXPECT_EQ(journal.Path(), std::string(buf) + "/debug.txt");
}

}  // namespace
}  // namespace vk
