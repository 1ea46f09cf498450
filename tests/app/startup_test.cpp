#include "app/startup.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vk {
namespace {

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vk_startupXXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    path_ = (dir_ / "vorkan.cfg").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void Write(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
  std::string Read() const {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }

  std::filesystem::path dir_;
  std::string path_;
};

TEST_F(StartupTest, FirstStartCreatesTheFileAndHasNoContest) {
  StartupSettings s;
  ASSERT_TRUE(ReadStartupSettings(s, path_));
  EXPECT_NE(Read().find("Comment=<<- VORKAN Contest program ->>"), std::string::npos);
  EXPECT_EQ(s.network.port, "12345");  // read before the file existed

  ShellState state;
  ApplyMainSettings(s.main, state);
  EXPECT_TRUE(state.NoContest);
  EXPECT_EQ(LogClockStartText(s.main), "");
}

TEST_F(StartupTest, FileThatCannotBeCreatedEndsTheStartWithItsMessage) {
  StartupSettings s;
  const Status st = ReadStartupSettings(s, (dir_ / "missing" / "vorkan.cfg").string());
  EXPECT_FALSE(st);
  EXPECT_EQ(st.message, "Error:-> not update VorkConfigFile.");
}

TEST_F(StartupTest, ConfiguredContestAndWriteLogClock) {
  Write(
      "[Main]\r\nContest=WORLD\r\nCall=UA9XX\r\nWork=1\r\nDate=05-03-2024\r\nTime=09:07\r\n"
      "Mode=0\r\n");
  StartupSettings s;
  ASSERT_TRUE(ReadStartupSettings(s, path_));
  ShellState state;
  ApplyMainSettings(s.main, state);
  EXPECT_FALSE(state.NoContest);
  EXPECT_EQ(state.contestName, "WORLD");
  EXPECT_EQ(state.ownCall, "UA9XX");
  EXPECT_EQ(LogClockStartText(s.main), "05-03-2024 09:07");
}

TEST_F(StartupTest, ContestModeIgnoresStoredDateAndTime) {
  Write("[Main]\r\nContest=WORLD\r\nWork=0\r\nDate=05-03-2024\r\nTime=09:07\r\n");
  StartupSettings s;
  ASSERT_TRUE(ReadStartupSettings(s, path_));
  EXPECT_EQ(LogClockStartText(s.main), "");
}

TEST(DebugBroadcastTest, Parsing) {
  EXPECT_EQ(ParseDebugNumber("4200"), 0x4200);
  EXPECT_EQ(ParseDebugNumber("fa01"), 0xFA01);
  EXPECT_EQ(ParseDebugNumber(nullptr), 0);
  EXPECT_EQ(ParseDebugNumber(""), 0);
  EXPECT_EQ(ParseDebugNumber("42x0"), 0);
  EXPECT_EQ(ParseDebugNumber("10000"), 0);
  EXPECT_EQ(ParseDebugNumber("-1"), 0);
}

}  // namespace
}  // namespace vk
