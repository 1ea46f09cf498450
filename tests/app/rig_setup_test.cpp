// Options > Rig without a terminal: the settings are checked, written and in force at once.
#include "app/rig_setup.h"

#include <gtest/gtest.h>

#include "daemon_process.h"
#include "rig/rig_control.h"
#include "station_fixture.h"

namespace vk {
namespace {

class RigSetupTest : public test::StationFixture {};

TEST_F(RigSetupTest, DummyRadioStartsAtOnceAndNoRadioStopsIt) {
  WriteConfig("Call=UA3AAA\r\n");
  Station& st = Start();
  EXPECT_EQ(st.Rig(), nullptr);
  RigSettings s;
  s.model = kRigModelDummy;
  s.pollMs = 100;
  ASSERT_TRUE(ApplyRigSettings(st, s));
  ASSERT_NE(st.Rig(), nullptr);
  EXPECT_TRUE(testing::WaitFor([&] { return st.Rig()->State() == RigState::kAnswering; }));
  EXPECT_EQ(CurrentRigSettings(st), s);
  ASSERT_TRUE(ApplyRigSettings(st, RigSettings{}));
  EXPECT_EQ(st.Rig(), nullptr);
}

TEST_F(RigSetupTest, UnknownModelAndPollOutOfRangeAreRefused) {
  WriteConfig("Call=UA3AAA\r\n");
  Station& st = Start();
  RigSettings s;
  s.model = 999999;
  EXPECT_FALSE(ApplyRigSettings(st, s));
  s.model = kRigModelDummy;
  s.pollMs = 20;
  EXPECT_NE(ApplyRigSettings(st, s).message.find("poll"), std::string::npos);
  EXPECT_EQ(CurrentRigSettings(st), RigSettings{});
  EXPECT_EQ(RigModelLabels({{2, "Hamlib", "NET rigctl"}}),
            (std::vector<std::string>{"No radio", "Hamlib NET rigctl (2)"}));
}

}  // namespace
}  // namespace vk
