// The keyer's operations on the user-interface side: queueing text, settings and their
// announcements, the port errors, and the life of the keyer thread.
#include "cw/keyer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "keyer_fixture.h"

namespace vk::testing {
namespace {

using Kind = KeyerNote::Kind;
using KeyerOps = KeyerFixture;

TEST_F(KeyerOps, ThreadStartsWithTheFirstTransmissionAndStops) {
  EXPECT_FALSE(keyer_->Running());
  EXPECT_FALSE(keyer_->ThreadAlive());
  Send("E");
  EXPECT_TRUE(keyer_->Running());
  EXPECT_TRUE(keyer_->ThreadAlive());
  keyer_->Stop();
  EXPECT_FALSE(keyer_->Running());
  EXPECT_FALSE(keyer_->ThreadAlive());
  Send("E");  // a new thread takes over
  EXPECT_TRUE(keyer_->ThreadAlive());
  EXPECT_EQ(KeyDowns().size(), 2u);
}

TEST_F(KeyerOps, NotesFollowTheLines) {
  Send("E");
  const std::vector<KeyerNote> want = {{Kind::kText, 0, "E"}, {Kind::kPtt, 1, ""},
                                       {Kind::kKey, 1, ""},   {Kind::kKey, 0, ""},
                                       {Kind::kText, 0, ""},  {Kind::kPtt, 0, ""}};
  EXPECT_EQ(keyer_->TakeNotes(), want);
  EXPECT_TRUE(keyer_->TakeNotes().empty());
}

TEST_F(KeyerOps, TextViewSeesWhatRemains) {
  Send("AB");
  std::vector<std::string> texts;
  for (const KeyerNote& n : keyer_->TakeNotes()) {
    if (n.kind == Kind::kText) texts.push_back(n.text);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"AB", "B", ""}));
}

TEST_F(KeyerOps, WithoutAPortTextQueuesButNothingKeys) {
  Make("BAD");
  EXPECT_EQ(keyer_->PortError(), KeyerPortError::kWrongPortName);
  EXPECT_FALSE(keyer_->PortOpen());
  keyer_->SendText("CQ", false);
  keyer_->SendText("TEST", true);
  keyer_->AddChar('K');
  EXPECT_EQ(keyer_->Text(), "CQ TESTK");
  EXPECT_FALSE(keyer_->Running());
  EXPECT_TRUE(keyer_->Request());
  EXPECT_TRUE(line_->Calls().empty());
  keyer_->Abort();
  EXPECT_EQ(keyer_->Text(), "");
  EXPECT_FALSE(keyer_->Request());
}

TEST_F(KeyerOps, PortErrorsNameTheFailedStep) {
  Make("DEAD");
  EXPECT_EQ(keyer_->PortError(), KeyerPortError::kPortInit);
  Make("nULL");
  EXPECT_EQ(keyer_->PortError(), KeyerPortError::kWrongPortName);
  Make("FAKE2");
  EXPECT_EQ(keyer_->PortError(), KeyerPortError::kNone);
  EXPECT_EQ(keyer_->PortName(), "FAKE2");
}

TEST_F(KeyerOps, SendTextJoinsWithASpaceAndKeepsAtMost255) {
  Make("BAD");
  keyer_->SendText("", true);  // nothing at all, not even the repeat
  EXPECT_FALSE(keyer_->Repeat());
  EXPECT_FALSE(keyer_->Request());
  keyer_->SendText(std::string(200, 'A'), false);
  keyer_->SendText(std::string(100, 'B'), true);
  const std::string text = keyer_->Text();
  ASSERT_EQ(text.size(), 255u);
  EXPECT_EQ(text.substr(199, 3), "A B");
  EXPECT_EQ(keyer_->SavedText(), std::string(32, 'B'));
  EXPECT_TRUE(keyer_->Repeat());
  keyer_->SendText("C", false);  // an unset repeat leaves Repeat alone; no room left
  EXPECT_TRUE(keyer_->Repeat());
  EXPECT_EQ(keyer_->Text().size(), 255u);
}

TEST_F(KeyerOps, SpeedAndStandbyStopAtTheirLimitsAndStillAnnounce) {
  Make("FAKE1", 59, 49);
  EXPECT_EQ(keyer_->SpeedUp(), 60);
  EXPECT_EQ(keyer_->SpeedUp(), 60);
  EXPECT_EQ(keyer_->StandbyUp(), 50);
  EXPECT_EQ(keyer_->StandbyUp(), 50);
  Make("FAKE1", 6, 11);
  EXPECT_EQ(keyer_->SpeedDown(), 5);
  EXPECT_EQ(keyer_->SpeedDown(), 5);
  EXPECT_EQ(keyer_->StandbyDown(), 10);
  EXPECT_EQ(keyer_->StandbyDown(), 10);
  const std::vector<KeyerNote> want = {{Kind::kSpeed, 5, ""},
                                       {Kind::kSpeed, 5, ""},
                                       {Kind::kStandby, 10, ""},
                                       {Kind::kStandby, 10, ""}};
  EXPECT_EQ(keyer_->TakeNotes(), want);
}

TEST_F(KeyerOps, SettingsOutOfRangeAreHeldToTheirLimits) {
  Make("FAKE1", 2, 200);
  EXPECT_EQ(keyer_->Speed(), 5);
  EXPECT_EQ(keyer_->Standby(), 50);
  EXPECT_EQ(keyer_->SpeedDown(), 5);
  Make("FAKE1", 90, 5);
  EXPECT_EQ(keyer_->Speed(), 60);
}

TEST_F(KeyerOps, CutNumberKeys) {
  EXPECT_EQ(keyer_->ToggleNine(), 8);
  EXPECT_EQ(keyer_->CycleZero(), 8 | 1);
  EXPECT_EQ(keyer_->CycleZero(), 8 | 2);
  EXPECT_EQ(keyer_->ToggleOne(), 8 | 4 | 2);
  EXPECT_EQ(keyer_->CycleZero(), 8 | 4);
  EXPECT_EQ(keyer_->ToggleNine(), 4);
  EXPECT_EQ(keyer_->Settings().num019, 4);
  std::vector<int> announced;
  for (const KeyerNote& n : keyer_->TakeNotes()) {
    EXPECT_EQ(n.kind, Kind::kCutNumbers);
    announced.push_back(n.value);
  }
  EXPECT_EQ(announced, (std::vector<int>{8, 9, 10, 14, 12, 4}));
}

TEST_F(KeyerOps, RaisedWordSpeedIsNeverSaved) {
  clock_.At(60, [this] { EXPECT_EQ(keyer_->Settings().speed, 30); });
  Send("++TEST");
  EXPECT_EQ(keyer_->Settings().speed, 30);
}

// Forwards to a fake line the test keeps, so the line can be inspected after the keyer is gone.
class BorrowedLine final : public KeyLine {
 public:
  explicit BorrowedLine(FakeKeyLine& line) : line_(line) {}
  Status Open(std::string_view name) override { return line_.Open(name); }
  bool IsOpen() const override { return line_.IsOpen(); }
  Status SetDtr(bool on) override { return line_.SetDtr(on); }
  Status SetRts(bool on) override { return line_.SetRts(on); }
  void Close() override { line_.Close(); }
  std::vector<std::string> ListPorts() const override { return line_.ListPorts(); }

 private:
  FakeKeyLine& line_;
};

TEST(KeyerLifetime, DestroyMidElementDropsBothLinesAndEndsTheThread) {
  FakeKeyerClock clock;
  FakeKeyLine line(clock);
  KeyerSettings s;
  s.port = "FAKE1";
  auto keyer = std::make_unique<Keyer>(s, std::make_unique<BorrowedLine>(line), &clock);
  Keyer* k = keyer.get();  // the thread must not read the unique_ptr that reset() changes
  std::atomic<bool> onTheAir{false};
  // Holds the keyer thread inside the dash until the keyer is being destroyed.
  clock.At(50, [&] {
    onTheAir = true;
    while (k->Running()) std::this_thread::yield();
  });
  keyer->SendText("T", false);
  while (!onTheAir) std::this_thread::yield();
  EXPECT_TRUE(line.Dtr());
  EXPECT_TRUE(line.Rts());
  keyer.reset();
  EXPECT_FALSE(line.Dtr());
  EXPECT_FALSE(line.Rts());
  EXPECT_FALSE(line.IsOpen());
  EXPECT_EQ(line.Closes(), 1);
}

}  // namespace
}  // namespace vk::testing
