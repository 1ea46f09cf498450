#include "rig/rig_settings.h"

#include <gtest/gtest.h>

#include "config/config_test_util.h"

namespace vk::testing {
namespace {

using RigSettingsTest = ConfigDirTest;

TEST_F(RigSettingsTest, DefaultIsNoRadioAndValuesRoundTrip) {
  EXPECT_FALSE(ReadRigSettings(path_).Enabled());
  EXPECT_EQ(ReadRigSettings(path_).pollMs, kDefaultPollMs);
  WriteFile(path_, "[Main]\r\nCall=UA1ABC\r\n");
  RigSettings s;
  s.model = kRigModelNetRigctl;
  s.device = "localhost:4532";
  s.speed = 9600;
  s.pollMs = 200;
  ASSERT_TRUE(WriteRigSettings(s, path_));
  EXPECT_EQ(ReadRigSettings(path_), s);
  EXPECT_NE(Slurp(path_).find("Call=UA1ABC"), std::string::npos);
}

TEST_F(RigSettingsTest, OutOfRangeValuesAreHeld) {
  WriteFile(path_, "[Rig]\r\nModel=-5\r\nSpeed=abc\r\nPoll=5\r\n");
  const RigSettings s = ReadRigSettings(path_);
  EXPECT_EQ(s.model, 0);
  EXPECT_EQ(s.speed, 0);
  EXPECT_EQ(s.pollMs, kMinPollMs);
  WriteFile(path_, "[Rig]\r\nPoll=99999\r\n");
  EXPECT_EQ(ReadRigSettings(path_).pollMs, kMaxPollMs);
}

}  // namespace
}  // namespace vk::testing
