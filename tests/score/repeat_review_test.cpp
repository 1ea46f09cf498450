// Repeat check cases found in review: the top of 20 m, where the band index and the log's band
// text disagree, and contest rounds that run across midnight UTC.
#include <gtest/gtest.h>

#include "score/repeat.h"

namespace vk {
namespace {

constexpr Mode kCw = Mode::kCw, kPh = Mode::kPhone;

DateTime At(int day, int hour, int minute) {
  return DateTime{2024, 4, static_cast<std::uint16_t>(day), static_cast<std::uint16_t>(hour),
                  static_cast<std::uint16_t>(minute), 0};
}

double Tod(int hour, int minute) { return (hour * 60 + minute) / 1440.0; }

class RepeatReview : public ::testing::Test {
 protected:
  void Add(std::string_view call, std::int32_t freq, Mode mode, DateTime when) {
    QsoRecord q;
    q.Call = call;
    q.Freq = freq;
    q.Mode = mode;
    q.Stamp = when;
    ASSERT_TRUE(log_.Append(q));
  }
  int Check(std::string_view call, std::int32_t freq, Mode mode, DateTime when) {
    return CheckRepeat(log_, s_, call, freq, mode, when).position;
  }
  TLogCollection log_;
  RepeatSettings s_;
};

// 14.300-14.350 MHz is 20 m phone.  The log files those QSOs as 20 m, and the repeat check
// compares against that text, so the contact being entered must be named by the same ranges.
TEST_F(RepeatReview, TopOfTwentyMetresIsTwentyMetres) {
  s_.mode = kRepeatBand;
  Add("DL1ABC", 143200, kPh, At(15, 10, 0));  // 14.320
  Add("OH2AA", 140250, kCw, At(15, 10, 1));   // 14.025
  EXPECT_EQ(Check("DL1ABC", 143200, kPh, At(15, 10, 5)), 1);
  EXPECT_EQ(Check("OH2AA", 143450, kPh, At(15, 10, 5)), 2);  // 14.345 against 14.025
  EXPECT_EQ(Check("DL1ABC", 140100, kCw, At(15, 10, 5)), 1);
  // Beyond the band edge of the log nothing is a repeat, as for every out-of-band QSO.
  Add("UA3AAA", 143600, kPh, At(15, 10, 6));
  EXPECT_EQ(Check("UA3AAA", 143600, kPh, At(15, 10, 7)), 0);
  // VHF keeps its own rule: no repeat by band there.
  Add("UA3BBB", 1445000, kPh, At(15, 10, 6));
  EXPECT_EQ(Check("UA3BBB", 1445000, kPh, At(15, 10, 7)), 0);
}

// A round from 22:00 to 02:00 UTC is one period; its ends belong to it.
TEST(RepeatReviewPeriods, RoundAcrossMidnight) {
  RepeatSettings s;
  s.AddPeriod(Tod(10, 0), Tod(11, 59));
  s.AddPeriod(Tod(22, 0), Tod(2, 0));
  EXPECT_EQ(PeriodOfTime(s, Tod(22, 0)), 2);
  EXPECT_EQ(PeriodOfTime(s, Tod(23, 59)), 2);
  EXPECT_EQ(PeriodOfTime(s, Tod(0, 0)), 2);
  EXPECT_EQ(PeriodOfTime(s, Tod(2, 0)), 2);
  EXPECT_EQ(PeriodOfTime(s, Tod(2, 1)), 0);
  EXPECT_EQ(PeriodOfTime(s, Tod(21, 59)), 0);
  EXPECT_EQ(PeriodOfTime(s, Tod(10, 30)), 1);
}

TEST_F(RepeatReview, OncePerBandInARoundAcrossMidnight) {
  s_.mode = kRepeatBandTime;
  s_.AddPeriod(Tod(22, 0), Tod(1, 59));
  s_.AddPeriod(Tod(2, 0), Tod(5, 59));
  Add("RA3AAA", 70200, kCw, At(14, 23, 30));
  EXPECT_EQ(Check("RA3AAA", 70200, kCw, At(15, 0, 30)), 1);  // same round, after midnight
  EXPECT_EQ(Check("RA3AAA", 70200, kCw, At(15, 2, 30)), 0);  // the next round
  // Outside every period is not the midnight round.
  EXPECT_EQ(Check("RA3AAA", 70200, kCw, At(15, 12, 0)), 0);
}

}  // namespace
}  // namespace vk
