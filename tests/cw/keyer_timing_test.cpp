// Exact line timings of the keyer thread, on the fake clock.  At 30 WPM a dot is 40 ms:
// a dash is 3 dots, the gap after an element 1, the pause after a character 2 more, a space
// 4 more, and PTT goes on 30 ms before the first element.
#include <gtest/gtest.h>

#include "keyer_fixture.h"

namespace vk::testing {
namespace {

using KeyerTiming = KeyerFixture;

TEST_F(KeyerTiming, EKeysOneDotWithLeadAndTail) {
  Send("E");
  // Lead 30, key 40, element gap 40, character pause 80, then PTT drops.
  EXPECT_EQ(Timeline(), "R1@0 D1@30 D0@70 R0@190");
  EXPECT_FALSE(line_->Dtr());
  EXPECT_FALSE(line_->Rts());
  EXPECT_FALSE(keyer_->Request());
}

TEST_F(KeyerTiming, TIsThreeDotsAndZeroFiveDashes) {
  Send("T");
  EXPECT_EQ(Timeline(), "R1@0 D1@30 D0@150 R0@270");
  Make("FAKE1");
  Send("0");
  EXPECT_EQ(KeyDowns(), (std::vector<std::int64_t>{120, 120, 120, 120, 120}));
}

TEST_F(KeyerTiming, ParisAtStep20) {
  Send("PARIS");
  EXPECT_EQ(Timeline(),
            "R1@0 "
            "D1@30 D0@70 D1@110 D0@230 D1@270 D0@390 D1@430 D0@470 "  // P .--.
            "D1@590 D0@630 D1@670 D0@790 "                            // A .-
            "D1@910 D0@950 D1@990 D0@1110 D1@1150 D0@1190 "           // R .-.
            "D1@1310 D0@1350 D1@1390 D0@1430 "                        // I ..
            "D1@1550 D0@1590 D1@1630 D0@1670 D1@1710 D0@1750 "        // S ...
            "R0@1870");
}

TEST_F(KeyerTiming, WordSpaceIsFourDotsBetweenTheCharacterPauses) {
  Send("5NN TU");
  const std::vector<LineChange> c = line_->Changes();
  // The key-up ending the second N and the key-down starting T.
  std::int64_t lastUpOfN = 0, downOfT = 0;
  int downs = 0;
  for (const LineChange& e : c) {
    if (e.line != LineChange::Line::kDtr) continue;
    if (e.on && ++downs == 5 + 2 + 2 + 1) downOfT = e.ms;
    if (!e.on && downs == 5 + 2 + 2) lastUpOfN = e.ms;
  }
  // 1 element gap + 2 character pause + 4 space + 2 pause after the space.
  EXPECT_EQ(downOfT - lastUpOfN, 9 * 40);
  EXPECT_EQ(Transmissions().size(), 1u);  // PTT holds across the space
}

TEST_F(KeyerTiming, CharactersWithoutCodeOnlyPause) {
  Send("e!");  // lower case has no code
  EXPECT_EQ(Timeline(), "R1@0 R0@190");
}

TEST_F(KeyerTiming, WordsPerMinuteSetTheDot) {
  Make("FAKE1", 60);
  Send("E");
  EXPECT_EQ(KeyDowns(), (std::vector<std::int64_t>{20}));
  Make("FAKE1", 5);
  Send("E");
  EXPECT_EQ(KeyDowns(), (std::vector<std::int64_t>{240}));
}

TEST_F(KeyerTiming, PlusRaisesTheSpeedForOneWord) {
  Send("++E E");
  // 34 WPM (35 ms) inside the word, back to 30 (40 ms) after the space.
  EXPECT_EQ(KeyDowns(), (std::vector<std::int64_t>{35, 40}));
  EXPECT_EQ(keyer_->Speed(), 30);
}

TEST_F(KeyerTiming, PlusMinusEndsAtTheSpeedBeforeTheWord) {
  Send("+-E -E +E");
  EXPECT_EQ(KeyDowns(), (std::vector<std::int64_t>{40, 43, 38}));
}

TEST_F(KeyerTiming, EndOfTextRestoresTheSpeed) {
  Send("++E");
  Send("E");
  EXPECT_EQ(KeyDowns(), (std::vector<std::int64_t>{35, 40}));
}

TEST_F(KeyerTiming, SpeedBeyondItsRangeKeepsTheNearestDot) {
  Make("FAKE1", 58);
  Send("++++E");
  EXPECT_EQ(KeyDowns(), (std::vector<std::int64_t>{20}));
  Make("FAKE1", 7);
  Send("----E");
  EXPECT_EQ(KeyDowns(), (std::vector<std::int64_t>{240}));
}

TEST_F(KeyerTiming, SpeedKeyActsOnTheNextElement) {
  clock_.At(50, [this] { keyer_->SpeedUp(); });  // during the first dot of "EE"
  Send("EE");
  // The dot already on the air keeps its length; the gap after it is at 31 WPM (39 ms).
  EXPECT_EQ(KeyDowns(), (std::vector<std::int64_t>{40, 39}));
}

TEST_F(KeyerTiming, MessageQueuedWhileSendingKeepsPttOn) {
  clock_.At(40, [this] { keyer_->SendText("E", false); });
  Send("E");
  EXPECT_EQ(Transmissions().size(), 1u);
  EXPECT_EQ(KeyDowns().size(), 2u);
}

}  // namespace
}  // namespace vk::testing
