// The entry window with a radio: its readings act as the band and mode keys do, the keys and
// a band map's tune command move the radio, and a QSO is logged where the radio is.
#include <gtest/gtest.h>

#include <chrono>

#include "app/views/entry_window_model.h"
#include "daemon_process.h"
#include "rig/fake_radio.h"
#include "rig/rig_control.h"
#include "station_fixture.h"

namespace vk {
namespace {

using namespace std::chrono_literals;
using testing::WaitFor;

class RigFollowTest : public test::StationFixture {
 protected:
  void TearDown() override {
    entry_.reset();
    StationFixture::TearDown();
  }
  // The small contest of 80 m and 20 m, CW and phone; `mode` 0 leaves the mode to the operator.
  EntryModel& Open(const std::string& mode = "0") {
    WriteRules("<band>40 80 20</band><mode>cw ph</mode><txnr>rst</txnr><repqso>band</repqso>");
    WriteConfig("Contest=TEST\r\nCall=UA3AAA\r\nMode=" + mode + "\r\n");
    Station& st = Start();
    EXPECT_TRUE(st.LoadLog().ok());
    auto radio = std::make_unique<FakeRadio>();
    radio_ = radio.get();
    radio_->Tune(7'025'000, Mode::kCw);
    st.SetRig(std::make_unique<RigControl>(std::move(radio), 100ms, 50ms));
    st.Rig()->Start();
    entry_ = std::make_unique<EntryModel>(st, st.ChooseStart());
    recorder_.heard.clear();
    return *entry_;
  }
  // Idle passes until the window shows `freq`.
  bool Follows(Freq freq) {
    return WaitFor([&] {
      station_->Bus().Send(EventClass::kTick, cm::kTick);
      return station_->CurrentFreq() == freq;
    });
  }

  FakeRadio* radio_ = nullptr;  // owned by the station's rig
  std::unique_ptr<EntryModel> entry_;
};

TEST_F(RigFollowTest, ReadingActsAsTheBandAndModeKeysAndTheQsoIsLoggedThere) {
  EntryModel& e = Open();
  ASSERT_TRUE(Follows(70250));
  EXPECT_EQ(e.FreqText(), "    7025.0");
  EXPECT_EQ(station_->CurrentBand(), 3);
  ASSERT_EQ(recorder_.heard.size(), 1u);  // from 80 m, the lowest band; CW already
  EXPECT_EQ(recorder_.heard[0].command, cm::kBandChanged);
  EXPECT_EQ(recorder_.heard[0].number, 3);

  recorder_.heard.clear();
  radio_->Tune(7'012'300, Mode::kPhone);  // within the band, and to phone
  ASSERT_TRUE(Follows(70123));
  ASSERT_EQ(recorder_.heard.size(), 1u);
  EXPECT_EQ(recorder_.heard[0].command, cm::kModeChanged);
  EXPECT_EQ(e.TxNrText(), "59");

  e.Type("DL1ABC");
  e.Key(kb::kEnter);
  e.Type("59");
  radio_->Tune(7'014'500, Mode::kPhone);  // tuned after the last tick, before Enter
  ASSERT_TRUE(WaitFor([&] { return station_->Rig()->LastReading().freq == 70145; }));
  e.Key(kb::kEnter);
  ASSERT_EQ(station_->Log().Count(), 1);
  EXPECT_EQ(station_->Log().At(0)->Freq, 70145);
  EXPECT_EQ(station_->Log().At(0)->Mode, Mode::kPhone);
}

TEST_F(RigFollowTest, BandAndModeKeysAndTuneCommandMoveTheRadio) {
  EntryModel& e = Open();
  ASSERT_TRUE(Follows(70250));
  e.Key(kb::kAltF2);
  EXPECT_EQ(station_->CurrentBand(), 4);
  ASSERT_TRUE(WaitFor([&] { return radio_->Hz() == HzOfFreq(DefaultFreqOfBand(4)); }));
  e.Key(kb::kAltF3);
  ASSERT_TRUE(WaitFor([&] { return radio_->Mode() == Mode::kPhone; }));
  const TuneRequest spot{35250, Mode::kCw};
  station_->Bus().SendCommand(cm::kTuneTo, MessageInfo::Pointer(&spot));
  EXPECT_EQ(station_->CurrentFreq(), 35250);
  EXPECT_EQ(station_->CurrentMode(), Mode::kCw);
  ASSERT_TRUE(WaitFor([&] { return radio_->Hz() == 3'525'000 && radio_->Mode() == Mode::kCw; }));
  // The window then follows what the radio reports, and never jumps back meanwhile.
  radio_->Tune(3'526'000, Mode::kCw);
  ASSERT_TRUE(Follows(35260));
  // A band map's spot: the call into the entry window and the radio to the spot; a mode the
  // contest does not work (RTTY here) leaves the mode.
  e.TakeSpot("OH2BH", 140255, Mode::kRtty);
  EXPECT_EQ(e.CallText(), "OH2BH");
  ASSERT_TRUE(WaitFor([&] { return radio_->Hz() == 14'025'500 && radio_->Mode() == Mode::kCw; }));
}

TEST_F(RigFollowTest, SilentRadioKeepsTheLastFrequencyForLogging) {
  EntryModel& e = Open();
  ASSERT_TRUE(Follows(70250));
  radio_->SetAnswering(false);
  ASSERT_TRUE(WaitFor([&] { return station_->Rig()->State() == RigState::kNoAnswer; }));
  e.Type("DL1ABC");
  e.Key(kb::kEnter);
  e.Type("599");
  e.Key(kb::kEnter);
  ASSERT_EQ(station_->Log().Count(), 1);
  EXPECT_EQ(station_->Log().At(0)->Freq, 70250);
  radio_->Tune(14'030'000, Mode::kCw);
  radio_->SetAnswering(true);
  ASSERT_TRUE(Follows(140300));
}

TEST_F(RigFollowTest, FixedModeIgnoresTheRadiosMode) {
  Open("1");
  radio_->Tune(14'030'000, Mode::kPhone);
  ASSERT_TRUE(Follows(140300));
  EXPECT_EQ(station_->CurrentMode(), Mode::kCw);
}

}  // namespace
}  // namespace vk
