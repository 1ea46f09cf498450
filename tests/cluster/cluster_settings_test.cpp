#include "cluster/cluster_settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace vk {
namespace {

TEST(ClusterSettings, ReadsWritesAndFallsBackToDefaults) {
  const auto dir = std::filesystem::temp_directory_path() / "vk-cluster-settings";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "vorkan.cfg").string();
  {
    std::ofstream f(path, std::ios::binary);
    f << "[Main]\r\nCall=DL1ABC\r\n[Cluster]\r\nHost=node.example\r\nPort=99999\r\n"
         "MaxAge=abc\r\nCommands=set/skimmer||  sh/dx 5 \r\n";
  }
  ClusterSettings s = LoadClusterSettings(path);
  EXPECT_EQ(s.host, "node.example");
  EXPECT_EQ(s.port, 7300);  // out of range: the default
  EXPECT_EQ(s.maxAgeMinutes, 30);
  EXPECT_TRUE(s.assisted);
  EXPECT_EQ(s.CommandList(), (std::vector<std::string>{"set/skimmer", "sh/dx 5"}));
  s.port = 8000;
  s.loginCall = "DL1ABC";
  s.assisted = false;
  s.maxAgeMinutes = 10;
  ASSERT_TRUE(SaveClusterSettings(path, s).ok());
  EXPECT_EQ(LoadClusterSettings(path), s);
  EXPECT_FALSE(s.Enabled());
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vk
