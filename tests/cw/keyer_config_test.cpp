// Create and Destroy with the configuration file: the keyer's settings are read when it is
// made and written back when it goes.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "config/settings.h"
#include "cw/keyer.h"

namespace vk {
namespace {

class KeyerConfig : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vk_keyercfgXXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    path_ = (dir_ / "vorkan.cfg").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::filesystem::path dir_;
  std::string path_;
};

TEST_F(KeyerConfig, SettingsRoundTripThroughCreateAndDestroy) {
  std::ofstream(path_) << "[Morze]\nPort=/nodir/ttyUSB9\nSpeed=25\nStandby=12\nNum019=8\n";
  std::string programPort = "Null";
  std::unique_ptr<Keyer> keyer = CreateKeyer(programPort, path_);
  ASSERT_NE(keyer, nullptr);
  EXPECT_EQ(programPort, "/nodir/ttyUSB9");
  EXPECT_EQ(keyer->PortError(), KeyerPortError::kWrongPortName);
  EXPECT_EQ(keyer->Speed(), 25);
  EXPECT_EQ(keyer->Standby(), 12);
  EXPECT_EQ(keyer->CutNumbers(), 8);
  keyer->SpeedUp();
  keyer->StandbyDown();
  keyer->CycleZero();
  EXPECT_TRUE(DestroyKeyer(keyer, programPort, path_));
  EXPECT_EQ(keyer, nullptr);

  std::string again;
  const KeyerSettings saved = ReadKeyerSettings(again, path_);
  EXPECT_EQ(saved.port, "/nodir/ttyUSB9");
  EXPECT_EQ(saved.speed, 26);
  EXPECT_EQ(saved.standby, 11);
  EXPECT_EQ(saved.num019, 9);
}

TEST_F(KeyerConfig, WithoutAFileTheKeyerTakesTheProgramPortAndDefaults) {
  std::string programPort = "/nonexistent/a-much-longer-port-name";
  std::unique_ptr<Keyer> keyer = CreateKeyer(programPort, path_);
  EXPECT_EQ(keyer->PortName(), "/nonexistent/a-m");  // 16 characters
  EXPECT_EQ(keyer->Speed(), 20);
  EXPECT_EQ(keyer->Standby(), 15);
  EXPECT_EQ(keyer->PortError(), KeyerPortError::kWrongPortName);
  std::unique_ptr<Keyer> none;
  EXPECT_FALSE(DestroyKeyer(none, programPort, path_));
  EXPECT_TRUE(DestroyKeyer(keyer, programPort, path_));
}

}  // namespace
}  // namespace vk
