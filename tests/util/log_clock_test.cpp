#include "util/log_clock.h"

#include <gtest/gtest.h>

#include "util/fake_clock.h"

namespace vk {
namespace {

class LogClockTest : public ::testing::Test {
 protected:
  FakeTimeSource fake_{{2024, 3, 5, 9, 7, 30}};
};

TEST_F(LogClockTest, RunningClockFollowsTheTimeSource) {
  LogClock clock{fake_};
  EXPECT_TRUE(clock.IsRunning());
  EXPECT_FALSE(clock.IsFixed());
  EXPECT_EQ(clock.Now(), (DateTime{2024, 3, 5, 9, 7, 30}));
  fake_.Advance(3600);
  std::uint16_t h = 0, n = 0, s = 0, y = 0, m = 0, d = 0;
  clock.GetTime(h, n, s);
  clock.GetDate(y, m, d);
  EXPECT_EQ((DateTime{y, m, d, h, n, s}), (DateTime{2024, 3, 5, 10, 7, 30}));
}

TEST_F(LogClockTest, HourOffsetStepAndReturnToRunning) {
  LogClock clock{fake_};
  clock.SetHourOffset(-10);
  EXPECT_EQ(clock.Now(), (DateTime{2024, 3, 4, 23, 7, 30}));
  fake_.Advance(125);
  clock.Step(+1);  // from the last reported time, not from "now"
  EXPECT_FALSE(clock.IsRunning());
  EXPECT_EQ(clock.Now(), (DateTime{2024, 3, 4, 23, 8, 0}));
  fake_.Advance(600);
  EXPECT_EQ(clock.Now(), (DateTime{2024, 3, 4, 23, 8, 0}));  // stopped: does not follow
  clock.Step(-1);
  clock.Step(-1);
  EXPECT_EQ(clock.Format("hh:nn"), "23:06");
  clock.Step(0);
  EXPECT_TRUE(clock.IsRunning());
  EXPECT_EQ(clock.Now(), (DateTime{2024, 3, 4, 23, 19, 35}));
}

TEST_F(LogClockTest, StepCrossesMidnightAndYears) {
  LogClock clock(fake_, "31-12-2024 23:59");
  clock.Step(1);
  EXPECT_EQ(clock.Now(), (DateTime{2025, 1, 1, 0, 0, 0}));
  clock.Step(-2);
  EXPECT_EQ(clock.Now(), (DateTime{2024, 12, 31, 23, 58, 0}));
  clock.Step(24 * 60);
  EXPECT_EQ(clock.Format("dd-mm-yyyy hh:nn"), "01-01-2025 23:58");
}

TEST_F(LogClockTest, FixedClockNeverRunsAgain) {
  LogClock clock(fake_, "05-03-2024 18:00");
  EXPECT_TRUE(clock.IsFixed());
  EXPECT_FALSE(clock.IsRunning());
  EXPECT_TRUE(clock.StartStatus());
  EXPECT_DOUBLE_EQ(clock.Value(), 45356.75);
  clock.Step(0);
  EXPECT_FALSE(clock.IsRunning());
  fake_.Advance(7200);
  EXPECT_EQ(clock.Now(), (DateTime{2024, 3, 5, 18, 0, 0}));
}

TEST_F(LogClockTest, BadStartTextIsReportedAndTheClockHoldsNow) {
  LogClock clock(fake_, "31-04-2024 18:00");
  EXPECT_FALSE(clock.StartStatus());
  EXPECT_TRUE(clock.IsFixed());
  EXPECT_EQ(clock.Now(), (DateTime{2024, 3, 5, 9, 7, 30}));
}

TEST_F(LogClockTest, SetFromTextKeepsFlagsAndRefusesBadText) {
  LogClock clock{fake_};
  clock.Step(5);
  ASSERT_TRUE(clock.SetFromText("01-06-2024 12:34"));
  EXPECT_FALSE(clock.IsRunning());
  EXPECT_EQ(clock.Format("yyyy-mm-dd hh:nn:ss"), "2024-06-01 12:34:00");
  EXPECT_FALSE(clock.SetFromText("01-06-2024 25:00"));
  EXPECT_EQ(clock.Format("yyyy-mm-dd hh:nn"), "2024-06-01 12:34");
}

TEST_F(LogClockTest, ValueLivesInTheCallersSlot) {
  DateValue slot = 0;
  LogClock clock(fake_, "05-03-2024 18:00", &slot);
  EXPECT_DOUBLE_EQ(slot, 45356.75);
  clock.Step(60);
  EXPECT_DOUBLE_EQ(slot, clock.Value());
  EXPECT_EQ(clock.Format("hh:nn"), "19:00");
  slot = 45357.0;  // the owner may move the value itself
  EXPECT_EQ(clock.Format("dd-mm-yyyy hh:nn"), "06-03-2024 00:00");
}

TEST(FormatDateTimeTest, CommonNotation) {
  const DateTime dt{2024, 3, 5, 9, 7, 3};
  struct Case {
    const char* format;
    const char* text;
  } cases[] = {
      {"hh:nn", "09:07"},         {"HH:NN:SS", "09:07:03"}, {"yyyy-mm-dd", "2024-03-05"},
      {"yy", "24"},               {"d.m.yyyy", "5.3.2024"}, {"h:n:s", "9:7:3"},
      {"'day' dd", "day 05"},     {"\"hh\"", "hh"},         {"dd/mm \"UTC", "05/03 UTC"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(dt, c.format), c.text) << c.format;
}

}  // namespace
}  // namespace vk
