#include "cw/keyer_choice.h"

#include <gtest/gtest.h>

#include "config/config_test_util.h"

namespace vk::testing {
namespace {

using KeyerChoiceTest = ConfigDirTest;

TEST_F(KeyerChoiceTest, SerialByDefaultAndOnlyOtherChoicesAreWritten) {
  WriteFile(path_, "[Morze]\r\nPort=ttyS0\r\n");
  EXPECT_EQ(ReadKeyerChoice(path_), KeyerChoice{});
  ASSERT_TRUE(WriteKeyerChoice(KeyerChoice{}, path_));
  EXPECT_EQ(Slurp(path_), "[Morze]\r\nPort=ttyS0\r\n");
  ASSERT_TRUE(WriteKeyerChoice({KeyerKind::kCwdaemon, "radio.local:7000"}, path_));
  EXPECT_EQ(ReadKeyerChoice(path_), (KeyerChoice{KeyerKind::kCwdaemon, "radio.local:7000"}));
  ASSERT_TRUE(WriteKeyerChoice({KeyerKind::kRig, "radio.local:7000"}, path_));
  EXPECT_EQ(ReadKeyerChoice(path_).kind, KeyerKind::kRig);
}

TEST_F(KeyerChoiceTest, UnknownKeyerReadsAsSerial) {
  WriteFile(path_, "[Morze]\r\nKeyer=telegraph\r\nCwdaemon=\r\n");
  EXPECT_EQ(ReadKeyerChoice(path_), KeyerChoice{});
}

}  // namespace
}  // namespace vk::testing
