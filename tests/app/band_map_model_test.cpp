// The band map on the shipped World contest (UA3AAA, starting on 160 m CW at 1840.0): spots
// judged as the entry window judges calls, the entry frequency among them, and a spot taken.
#include "app/views/band_map_model.h"

#include <gtest/gtest.h>

#include "app/views/entry_window_model.h"
#include "app/views/cluster_layout.h"
#include "station_fixture.h"

namespace vk {
namespace {

class BandMapTest : public test::StationFixture {
 protected:
  void SetUp() override {
    StationFixture::SetUp();
    ShipRules("contest.xml");
    WriteConfig("Contest=WORLD\r\nCall=UA3AAA\r\n");
    Station& st = Start();
    ASSERT_TRUE(st.LoadLog().ok());
    entry_ = std::make_unique<EntryModel>(st, st.ChooseStart());
    hub_.Configure(ClusterSettings{}, "UA3AAA", nullptr);  // no node: lines come from the test
    map_ = std::make_unique<BandMapModel>(st, hub_);
  }
  void TearDown() override {
    map_.reset();
    entry_.reset();
    StationFixture::TearDown();
  }
  void LogQso(const std::string& call) {
    entry_->Type(call);
    entry_->Key(kb::kEnter);
    entry_->Type("15");
    ASSERT_TRUE(entry_->Key(kb::kEnter).status.ok());
  }
  std::vector<std::string> Shown() {
    map_->Refresh();
    std::vector<std::string> out;
    for (const BandMapRow& r : map_->Rows()) out.push_back(map_->RowText(r, 24));
    return out;
  }

  std::int64_t now_ = 1000;
  ClusterHub hub_{[this] { return now_; }};
  std::unique_ptr<EntryModel> entry_;
  std::unique_ptr<BandMapModel> map_;
};

TEST_F(BandMapTest, MarksDupesNewMultipliersAndPointsAroundTheEntryFrequency) {
  LogQso("DL1ABC");
  hub_.Take("DX de W3LPL:   1825.0  DL1ABC   CW 10 dB 22 WPM CQ  1200Z");
  hub_.Take("DX de W3LPL:   1830.5  OH2BH    1200Z");
  hub_.Take("DX de W3LPL:   1850.0  DL2XYZ   1200Z");
  hub_.Take("DX de W3LPL:  14025.0  K1ABC    1200Z");  // 20 m: not on this map
  now_ += 130;
  EXPECT_EQ(Shown(), (std::vector<std::string>{
                         "  1825.0 DL1ABC     D  2",
                         "  1830.5 OH2BH      M  2",
                         "> 1840.0 ---------- <   ",
                         "  1850.0 DL2XYZ     +  2",
                     }));
  EXPECT_EQ(map_->Title(), "Band map 160m");
  EXPECT_EQ(map_->SelectedSpot()->call, "DL1ABC");
  // Down passes over the entry frequency's row.
  map_->Key(kb::kDown, 5);
  map_->Key(kb::kDown, 5);
  EXPECT_EQ(map_->SelectedSpot()->call, "DL2XYZ");
  map_->Key(kb::kUp, 5);
  EXPECT_EQ(map_->SelectedSpot()->call, "OH2BH");
  // A new spot keeps the selection on its call; logging OH2BH turns it into a dupe.
  hub_.Take("DX de W3LPL:   1810.0  UA9ABC   1200Z");
  LogQso("OH2BH");
  const auto rows = Shown();
  EXPECT_EQ(map_->SelectedSpot()->call, "OH2BH");
  EXPECT_EQ(rows[2], "  1830.5 OH2BH      D  2");
  // Past the age limit the spots go.
  now_ += 31 * 60;
  hub_.Poll();
  EXPECT_EQ(Shown(), (std::vector<std::string>{"> 1840.0 ---------- <   "}));
  EXPECT_EQ(map_->SelectedSpot(), nullptr);
}

TEST_F(BandMapTest, TakingASpotFillsTheCallAndTunesTheStation) {
  hub_.Take("DX de W3LPL:   1830.5  OH2BH   CW 1200Z");
  map_->Refresh();
  recorder_.heard.clear();
  ASSERT_TRUE(map_->Take(*entry_));
  EXPECT_EQ(entry_->CallText(), "OH2BH");
  EXPECT_EQ(entry_->Focus(), EntryField::kCall);
  EXPECT_EQ(station_->CurrentFreq(), 18305);
  EXPECT_TRUE(recorder_.heard.empty());  // same band, same mode: nobody to tell
  // Another band and mode: both broadcast, as Alt+F1 and Alt+F3 do.
  entry_->TuneTo(142000, Mode::kPhone);
  EXPECT_EQ(station_->CurrentBand(), 4);
  EXPECT_EQ(station_->CurrentMode(), Mode::kPhone);
  EXPECT_EQ(recorder_.Commands(), (std::vector<CommandId>{cm::kBandChanged, cm::kModeChanged}));
  EXPECT_EQ(entry_->TxNrText().substr(0, 2), "59");
  entry_->TuneTo(142000, Mode::kRtty);  // RTTY: the contest has no such mode
  EXPECT_EQ(station_->CurrentMode(), Mode::kPhone);
}

}  // namespace
}  // namespace vk

namespace vk {
namespace {

// On the classic 80x25 screen (23 desktop rows) the cluster windows stay inside the desktop,
// clear of the entry window, with room for spots and console lines.
TEST(ClusterLayout, FitsTheClassicScreen) {
  for (const bool cw : {false, true}) {
    LayoutNeeds needs;
    needs.scoreBands = 6;
    needs.cwWindow = cw;
    const WindowPlace map = BandMapPlace(80, 23, needs);
    EXPECT_EQ(map.Right(), 80);
    EXPECT_LE(map.Bottom(), cw ? 19 : 23);
    EXPECT_GE(map.height, 8);
    EXPECT_GE(map.x, kLogWidth);
    const WindowPlace console = ClusterConsolePlace(80, 23, needs);
    EXPECT_LE(console.Bottom(), 23 - kEntryHeight);
    EXPECT_GE(console.height, 6);
  }
}

}  // namespace
}  // namespace vk

namespace vk {
namespace {

// The 80-column screen leaves the band map 20 columns: the age goes, the mark stays.
TEST_F(BandMapTest, NarrowRowsKeepTheMark) {
  hub_.Take("DX de W3LPL:   1830.5  OH2BH    1200Z");
  map_->Refresh();
  EXPECT_EQ(map_->RowText(map_->Rows()[0], 20), "  1830.5 OH2BH     M");
  EXPECT_EQ(map_->RowText(map_->Rows()[1], 20), "> 1840.0 --------- <");
}

}  // namespace
}  // namespace vk
