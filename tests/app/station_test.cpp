#include "app/station.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "log/journal.h"

namespace vk {
namespace {

// The shipped rules files, read in place; the configuration and journal go to a scratch dir.
class StationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vk_stationXXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    config_ = (dir_ / "vorkan.cfg").string();
    SetJournalPath((dir_ / "debug.txt").string());
  }
  void TearDown() override {
    SetJournalPath({});
    std::filesystem::remove_all(dir_);
  }
  void Config(const std::string& main) {
    std::ofstream(config_, std::ios::binary) << "[Main]\r\n" << main;
  }

  std::filesystem::path dir_;
  std::string config_;
  Station station_{std::string(VORKAN_SOURCE_DIR) + "/data"};
  ShellState state_;
};

TEST_F(StationTest, ConfiguredContestIsLoadedAndNamedForTheBanner) {
  Config("Contest=WORLD\r\nTxnr=15\r\n");
  ASSERT_TRUE(station_.ReadSettings(config_));
  station_.LoadConfiguredContest(state_);
  EXPECT_FALSE(state_.NoContest);
  EXPECT_EQ(state_.contestName, "WORLD");
  EXPECT_EQ(state_.contestDisplayName, "The World Contest");
  EXPECT_GT(station_.Contests().Size(), 1u);  // one New contest item per further file
  EXPECT_EQ(station_.Rules().OwnExchange(), "15");
}

TEST_F(StationTest, EmptyContestNameLeavesTheDesktopEmpty) {
  Config("Contest=\r\nCall=UA9XX\r\n");
  ASSERT_TRUE(station_.ReadSettings(config_));
  station_.LoadConfiguredContest(state_);
  EXPECT_TRUE(state_.NoContest);
  EXPECT_EQ(state_.ownCall, "UA9XX");
  EXPECT_EQ(state_.contestDisplayName, "");
}

TEST_F(StationTest, UnknownContestStartsWithoutADisplayName) {
  Config("Contest=NOSUCHTEST\r\n");
  ASSERT_TRUE(station_.ReadSettings(config_));
  station_.LoadConfiguredContest(state_);
  EXPECT_FALSE(state_.NoContest);
  EXPECT_EQ(state_.contestDisplayName, "");
  EXPECT_TRUE(std::filesystem::exists(dir_ / "debug.txt"));  // the failed load is journalled
}

}  // namespace
}  // namespace vk
