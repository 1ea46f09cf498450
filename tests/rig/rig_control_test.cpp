// The poll thread on a fake radio: readings reach the program, the program's changes reach
// the radio, and a radio that goes silent is reopened by itself.
#include "rig/rig_control.h"

#include <gtest/gtest.h>

#include <memory>

#include "daemon_process.h"
#include "rig/fake_radio.h"

namespace vk::testing {
namespace {

using namespace std::chrono_literals;

class RigControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto radio = std::make_unique<FakeRadio>();
    radio_ = radio.get();
    rig_ = std::make_unique<RigControl>(std::move(radio), 100ms, 50ms);
    rig_->Start();
  }
  // The next reading the program would take, within a deadline.
  bool Next(RigReading& r) {
    return WaitFor([&] { return rig_->TakeReading(r); });
  }

  FakeRadio* radio_ = nullptr;  // owned by rig_
  std::unique_ptr<RigControl> rig_;
};

TEST_F(RigControlTest, ReadingsFollowTheDial) {
  RigReading r;
  ASSERT_TRUE(Next(r));
  EXPECT_EQ(r, (RigReading{140250, Mode::kCw}));
  EXPECT_EQ(rig_->State(), RigState::kAnswering);
  EXPECT_EQ(rig_->StatusText(), "Rig: 14025.0");
  radio_->Tune(7'025'040, Mode::kPhone);  // 40 Hz rounds down to the 100 Hz unit
  ASSERT_TRUE(WaitFor([&] { return rig_->TakeReading(r) && r.freq == 70250; }));
  EXPECT_EQ(r.mode, Mode::kPhone);
}

TEST_F(RigControlTest, ProgramChangesReachTheRadioAndStaleReadingsAreSkipped) {
  RigReading r;
  ASSERT_TRUE(Next(r));
  rig_->SetFreq(211000);
  rig_->SetMode(Mode::kCw);
  // Every reading the program gets from now on was taken after the change.
  ASSERT_TRUE(Next(r));
  EXPECT_EQ(r, (RigReading{211000, Mode::kCw}));
  EXPECT_EQ(radio_->Hz(), 21'100'000);
}

TEST_F(RigControlTest, SilentRadioIsReportedAndReopened) {
  RigReading r;
  ASSERT_TRUE(Next(r));
  radio_->SetAnswering(false);
  ASSERT_TRUE(WaitFor([&] { return rig_->State() == RigState::kNoAnswer; }));
  EXPECT_EQ(rig_->StatusText(), "Rig: no answer");
  rig_->SetFreq(35000);  // asked while silent: dropped, the radio wins when it returns
  radio_->Tune(3'510'000, Mode::kCw);
  radio_->SetAnswering(true);
  ASSERT_TRUE(WaitFor([&] { return rig_->TakeReading(r) && r.freq == 35100; }));
  EXPECT_EQ(rig_->State(), RigState::kAnswering);
  EXPECT_GE(radio_->Opens(), 2);
  EXPECT_EQ(radio_->Hz(), 3'510'000);
}

TEST_F(RigControlTest, MorseCommandsInOrderAndStopDropsWaitingText) {
  rig_->SetMorseSpeed(30);
  rig_->SendMorse("CQ TEST");
  ASSERT_TRUE(WaitFor([&] { return radio_->Morse().size() == 2; }));
  rig_->StopMorse();
  ASSERT_TRUE(WaitFor([&] { return radio_->Morse().size() == 3; }));
  EXPECT_EQ(radio_->Morse(), (std::vector<std::string>{"<wpm 30>", "CQ TEST", "<stop>"}));
}

TEST(RigControlOff, NoRadioDropsEverything) {
  RigControl rig(nullptr, 100ms);
  rig.Start();
  rig.SetFreq(70250);
  RigReading r;
  EXPECT_FALSE(rig.TakeReading(r));
  EXPECT_EQ(rig.State(), RigState::kOff);
  EXPECT_EQ(rig.StatusText(), "");
}

}  // namespace
}  // namespace vk::testing
