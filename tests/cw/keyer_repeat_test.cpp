// Calling with a repeated message, the pause between repetitions, and stopping: Abort (Esc)
// drops the key line at once and forgets everything queued.
#include <gtest/gtest.h>

#include <string>

#include "keyer_fixture.h"

namespace vk::testing {
namespace {

using KeyerRepeat = KeyerFixture;

// "E" takes 190 ms on the air at 30 WPM, and Standby 10 pauses 1000 ms.
constexpr std::int64_t kE = 190;

TEST_F(KeyerRepeat, RepeatsAfterTheStandbyPauseUntilAborted) {
  Make("FAKE1", 30, 10);
  clock_.At(3 * kE + 2 * 1000 + 100, [this] { keyer_->Abort(); });  // in the 3rd pause
  keyer_->SendText("E", true);
  Idle();
  // PTT drops for each pause and comes back with a new 30 ms lead before the key.
  EXPECT_EQ(PttStarts(), (std::vector<std::int64_t>{0, kE + 1000, 2 * (kE + 1000)}));
  EXPECT_EQ(Transmissions(), (std::vector<std::int64_t>{kE, kE, kE}));
  EXPECT_FALSE(keyer_->Repeat());
  EXPECT_EQ(keyer_->SavedText(), "");
  EXPECT_FALSE(line_->Rts());
}

TEST_F(KeyerRepeat, StandbyIsReadForEachPause) {
  Make("FAKE1", 30, 10);
  // Raised during the first pause, which keeps its length; the second pause is longer.
  clock_.At(kE + 10, [this] { keyer_->StandbyUp(); });
  clock_.At(3000, [this] { keyer_->Abort(); });
  keyer_->SendText("E", true);
  Idle();
  EXPECT_EQ(PttStarts(), (std::vector<std::int64_t>{0, kE + 1000, 2 * kE + 1000 + 1100}));
}

TEST_F(KeyerRepeat, AbortDropsTheKeyAtOnce) {
  clock_.At(50, [this] { keyer_->Abort(); });  // 20 ms into the 120 ms dash of "T"
  keyer_->SendText("TEST", true);
  Idle();
  EXPECT_EQ(Timeline(), "R1@0 D1@30 D0@50 R0@50");
  EXPECT_EQ(keyer_->Text(), "");
  EXPECT_FALSE(keyer_->Request());
}

TEST_F(KeyerRepeat, TextAfterAnAbortIsANewTransmission) {
  clock_.At(50, [this] {
    keyer_->Abort();
    keyer_->SendText("E", false);
  });
  Send("TEST");
  EXPECT_EQ(Timeline(), "R1@0 D1@30 D0@50 R0@50 R1@50 D1@80 D0@120 R0@240");
}

TEST_F(KeyerRepeat, TypedLetterEndsTheRepetition) {
  Make("FAKE1", 30, 10);
  clock_.At(40, [this] { keyer_->AddChar('E'); });
  keyer_->SendText("T", true);
  Idle();
  EXPECT_EQ(KeyDownsPerTransmission(), (std::vector<int>{2}));
  EXPECT_FALSE(keyer_->Repeat());
}

TEST_F(KeyerRepeat, SecondMessageKeepsTheRepetition) {
  Make("FAKE1", 30, 10);
  clock_.At(40, [this] { keyer_->SendText("E", false); });
  clock_.At(2000, [this] { keyer_->Abort(); });  // in the second pause
  keyer_->SendText("T", true);
  Idle();
  // "T E", then "T" again after the pause.
  EXPECT_EQ(KeyDownsPerTransmission(), (std::vector<int>{2, 1}));
}

TEST_F(KeyerRepeat, MessageDuringThePauseGoesOutAtOnce) {
  Make("FAKE1", 30, 10);
  clock_.At(kE + 100, [this] { keyer_->SendText("T", false); });
  clock_.At(5000, [this] { keyer_->Abort(); });
  keyer_->SendText("E", true);
  Idle();
  // The "T" is keyed 100 ms into the pause, then the call goes on after a full pause.
  ASSERT_GE(PttStarts().size(), 3u);
  EXPECT_EQ(PttStarts()[1], kE + 100);
  EXPECT_EQ(PttStarts()[2], kE + 100 + 270 + 1000);
  EXPECT_EQ(KeyDownsPerTransmission()[1], 1);
}

TEST_F(KeyerRepeat, EachRepetitionSendsTheFirst32Characters) {
  Make("FAKE1", 60, 10);
  const std::string forty(40, 'E');
  // At 60 WPM each E takes 80 ms: the abort falls in the pause after the second round.
  clock_.At(40 * 80 + 1000 + 32 * 80 + 500, [this] { keyer_->Abort(); });
  keyer_->SendText(forty, true);
  Idle();
  EXPECT_EQ(KeyDownsPerTransmission(), (std::vector<int>{40, 32}));
}

}  // namespace
}  // namespace vk::testing
