// Options > Station on a scratch station in the World contest: the own call changes without a
// new contest, in the configuration, the rules and the banner, and a call that is not one is
// refused with the old one kept.
#include "app/station_setup.h"

#include <gtest/gtest.h>

#include "station_fixture.h"

namespace vk {
namespace {

using test::ReadWholeFile;

TEST(StationSetup, CallSignsAsOperatorsWriteThem) {
  for (const char* ok :
       {"DL1ABC", "EA8/DF4U/P", "G4YTK/QRP", "4U1ITU", "R1FJ", "DL/UA9QQQ", "3DA0RU"}) {
    EXPECT_TRUE(IsCallSign(ok)) << ok;
  }
  for (const char* bad :
       {"", "DL", "599", "ABCDEF", "DL1 ABC", "/DL1ABC", "DL1ABC/", "DL//1A", "N0CALLDL1ABC"}) {
    EXPECT_FALSE(IsCallSign(bad)) << bad;
  }
}

class StationSetupTest : public test::StationFixture {};

TEST_F(StationSetupTest, NewCallTakesEffectAtOnceAndABadOneChangesNothing) {
  ShipRules("contest.xml");
  WriteConfig("Contest=WORLD\r\nCall=N0CALL\r\nMode=0\r\n");
  Station& st = Start();
  EXPECT_EQ(CurrentStationForm(st).call, "");  // the placeholder is not offered for editing

  const Status bad = ApplyStationForm(st, state_, StationForm{"N0CALLDL1ABC", ""});
  EXPECT_FALSE(bad.ok());
  EXPECT_EQ(bad.message, "\"N0CALLDL1ABC\" is not a call");
  EXPECT_EQ(st.OwnCall(), "N0CALL");

  const Status noPlace = ApplyStationForm(st, state_, StationForm{"DL1ABC", "14", "JZ62"});
  EXPECT_EQ(noPlace.message, "\"JZ62\" is not a locator");
  EXPECT_EQ(st.OwnCall(), "N0CALL");

  ASSERT_TRUE(ApplyStationForm(st, state_, StationForm{"dl1abc", "14", "jo62qm"}).ok());
  EXPECT_EQ(st.OwnCall(), "DL1ABC");
  EXPECT_EQ(state_.ownCall, "DL1ABC");
  EXPECT_EQ(st.Rules().OwnCall(), "DL1ABC");
  EXPECT_TRUE(recorder_.HeardCommand(cm::kRefreshTxNr));
  const std::string cfg = ReadWholeFile((dir_ / "vorkan.cfg").string());
  EXPECT_NE(cfg.find("Call=DL1ABC"), std::string::npos) << cfg;
  EXPECT_NE(cfg.find("Contest=WORLD"), std::string::npos) << cfg;
  EXPECT_NE(cfg.find("Locator=JO62QM"), std::string::npos) << cfg;
  EXPECT_EQ(CurrentStationForm(st).locator, "JO62QM");
}

}  // namespace
}  // namespace vk
