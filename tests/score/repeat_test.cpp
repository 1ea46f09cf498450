#include "score/repeat.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace vk {
namespace {

constexpr std::int32_t k20 = 140250, k20b = 141000, k40 = 70200, k80 = 36000, k2m = 1445000;
constexpr Mode kCw = Mode::kCw, kPh = Mode::kPhone;

DateTime At(int hour, int minute, int day = 15) {
  return DateTime{2024, 4, static_cast<std::uint16_t>(day), static_cast<std::uint16_t>(hour),
                  static_cast<std::uint16_t>(minute), 0};
}

double Tod(int hour, int minute) { return (hour * 60 + minute) / 1440.0; }

class RepeatTest : public ::testing::Test {
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

TEST(RepeatValue, ModesAndParameter) {
  struct Case {
    std::string_view text;
    int mode, param;
  } cases[] = {
      {"band", 1, 1},          {"bandmode", 2, 1},         {"bandtime", 3, 1},
      {"bandmodetime", 4, 1},  {"everytime:30", 5, 30},    {"everyqso: 3 ", 6, 3},
      {"everytime", 5, 1},     {"everytime:x", 5, 255},    {"everytime everyqso:4", 6, 4},
      {"bands", 0, 1},         {"band mode", 0, 1},
  };
  for (const auto& c : cases) {
    RepeatSettings s;
    ApplyRepeatValue(s, c.text);
    EXPECT_EQ(s.mode, c.mode) << c.text;
    EXPECT_EQ(s.param, c.param) << c.text;
  }
  RepeatSettings kept;
  ApplyRepeatValue(kept, "everyqso:5");
  ApplyRepeatValue(kept, "band");
  EXPECT_EQ(kept.mode, kRepeatBand);
  EXPECT_EQ(kept.param, 5);  // the four plain values leave N alone
  ApplyRepeatValue(kept, "nonsense");
  EXPECT_EQ(kept.mode, kRepeatBand);
}

TEST(TimePeriods, FirstMatchBothEndsInclusive) {
  RepeatSettings s;
  s.AddPeriod(Tod(10, 0), Tod(11, 59));
  s.AddPeriod(Tod(12, 0), Tod(13, 59));
  s.AddPeriod(Tod(11, 0), Tod(12, 30));  // overlaps: never reached before the others
  s.AddPeriod(Tod(23, 0), Tod(1, 0));    // across midnight: the night on both sides of it
  EXPECT_EQ(PeriodOfTime(s, Tod(12, 0)), 2);
  EXPECT_EQ(PeriodOfTime(s, Tod(11, 59)), 1);
  EXPECT_EQ(PeriodOfTime(s, Tod(13, 59)), 2);
  EXPECT_EQ(PeriodOfTime(s, Tod(14, 0)), 0);
  EXPECT_EQ(PeriodOfTime(s, Tod(23, 30)), 4);
  EXPECT_EQ(PeriodOfTime(s, Tod(0, 30)), 4);
  EXPECT_EQ(PeriodOfTime(s, Tod(1, 1)), 0);
  // Ends read by another routine may differ in the last bit.
  RepeatSettings t;
  t.AddPeriod(17.0 / 24.0, 20.0 / 24.0 + 59.0 / 1440.0);
  EXPECT_EQ(PeriodOfTime(t, Tod(20, 59)), 1);
  EXPECT_EQ(PeriodOfTime(t, Tod(17, 0)), 1);
}

TEST(TimePeriods, OnlySixteenStored) {
  RepeatSettings s;
  for (int i = 0; i < 18; ++i) s.AddPeriod(Tod(i, 0), Tod(i, 30));
  EXPECT_EQ(s.periodCount, 18);
  EXPECT_EQ(PeriodOfTime(s, Tod(15, 10)), 16);
  EXPECT_EQ(PeriodOfTime(s, Tod(17, 10)), 0);
  s.ResetPeriods();
  EXPECT_EQ(s.periodCount, 0);
  EXPECT_EQ(PeriodOfTime(s, Tod(0, 10)), 0);
}

TEST_F(RepeatTest, OncePerBand) {
  s_.mode = kRepeatBand;
  Add("DL1ABC", k20, kCw, At(10, 0));
  Add("DL1ABC", k40, kCw, At(10, 5));
  Add("OH2AA", k20, kCw, At(10, 6));
  EXPECT_EQ(Check("DL1ABC", k80, kCw, At(10, 10)), 0);
  EXPECT_EQ(Check("DL1ABC", k20b, kPh, At(10, 10)), 1);
  Add("DL1ABC", k20, kPh, At(10, 11));
  EXPECT_EQ(Check("DL1ABC", k20, kCw, At(10, 12)), 4);  // the newest 20 m contact
  EXPECT_EQ(Check("DL1AB", k20, kCw, At(10, 12)), 0);   // calls compare exactly
}

// VHF contacts and those outside every band never match by band.
TEST_F(RepeatTest, NoBandNoRepeat) {
  s_.mode = kRepeatBand;
  Add("UA3AAA", k2m, kCw, At(10, 0));
  Add("UA3AAA", 101000, kCw, At(10, 0));
  EXPECT_EQ(Check("UA3AAA", k2m, kCw, At(10, 5)), 0);
  EXPECT_EQ(Check("UA3AAA", 101000, kCw, At(10, 5)), 0);
  // The upper end of 80 m (3.9 MHz, Region 2 phone) is 80 m like the rest of the band.
  Add("UA3AAA", 39000, kCw, At(10, 0));
  EXPECT_GT(Check("UA3AAA", 39000, kCw, At(10, 5)), 0);
}

TEST_F(RepeatTest, OncePerBandAndMode) {
  s_.mode = kRepeatBandMode;
  Add("DL1ABC", k20, kCw, At(10, 0));
  EXPECT_EQ(Check("DL1ABC", k20, kPh, At(10, 5)), 0);
  EXPECT_EQ(Check("DL1ABC", k20, kCw, At(10, 5)), 1);
}

TEST_F(RepeatTest, OncePerBandInEachPeriod) {
  s_.mode = kRepeatBandTime;
  s_.AddPeriod(Tod(17, 0), Tod(20, 59));
  s_.AddPeriod(Tod(5, 0), Tod(8, 59));
  Add("RA3AAA", k40, kCw, At(18, 0, 13));
  Add("RA3AAA", k20, kCw, At(19, 0, 13));
  EXPECT_EQ(Check("RA3AAA", k40, kCw, DateTime{2024, 4, 14, 5, 30, 45}), 0);
  EXPECT_EQ(Check("RA3AAA", k40, kPh, At(20, 59, 13)), 1);
  // Outside every period both count as period 0, the same period.
  Add("RA9AAA", k40, kCw, At(12, 0, 13));
  EXPECT_EQ(Check("RA9AAA", k40, kCw, At(22, 0, 13)), 3);
  s_.mode = kRepeatBandModeTime;
  EXPECT_EQ(Check("RA3AAA", k40, kPh, At(20, 59, 13)), 0);
  EXPECT_EQ(Check("RA3AAA", k40, kCw, At(20, 59, 13)), 1);
}

TEST_F(RepeatTest, AgainAfterMinutes) {
  s_.mode = kRepeatEveryTime;
  s_.param = 30;
  Add("UA9AAA", k20, kCw, At(23, 50, 14));
  Add("DL1ABC", k20, kCw, At(10, 0));
  Add("UA9AAA", k40, kCw, At(10, 1));
  EXPECT_EQ(Check("UA9AAA", k20, kCw, At(10, 30)), 3);  // 29 minutes: only the newest counts
  EXPECT_EQ(Check("UA9AAA", k20, kCw, At(10, 31)), 0);  // exactly 30 minutes
  EXPECT_EQ(Check("UA9AAA", k20, kCw, At(10, 32)), 0);
  EXPECT_EQ(Check("DL1ABC", k20, kCw, DateTime{2024, 4, 15, 10, 29, 59}), 2);
  EXPECT_EQ(Check("NEW1", k20, kCw, At(10, 5)), 0);
  // Across midnight the date counts.
  Add("OH2AA", k20, kCw, At(23, 50, 14));
  EXPECT_EQ(Check("OH2AA", k20, kCw, At(0, 10, 15)), 4);
  EXPECT_EQ(Check("OH2AA", k20, kCw, At(0, 20, 15)), 0);
}

TEST_F(RepeatTest, AgainAfterOtherQsos) {
  s_.mode = kRepeatEveryQso;
  s_.param = 3;
  Add("AA1A", k20, kCw, At(10, 0));
  Add("BB1B", k20, kCw, At(10, 1));
  Add("CC1C", k20, kCw, At(10, 2));
  EXPECT_EQ(Check("CC1C", k20, kCw, At(10, 3)), 3);
  EXPECT_EQ(Check("BB1B", k20, kCw, At(10, 3)), 2);
  EXPECT_EQ(Check("AA1A", k20, kCw, At(10, 3)), 0);
  s_.param = 1;
  EXPECT_EQ(Check("CC1C", k20, kCw, At(10, 3)), 0);
  s_.param = 255;
  EXPECT_EQ(Check("AA1A", k20, kCw, At(10, 3)), 1);
}

TEST_F(RepeatTest, NoValidRuleIsReported) {
  Add("AA1A", k20, kCw, At(10, 0));
  auto r = CheckRepeat(log_, s_, "AA1A", k20, kCw, At(10, 1));
  EXPECT_TRUE(r.invalidRule);
  EXPECT_EQ(r.position, 0);
  s_.mode = kRepeatBand;
  EXPECT_FALSE(CheckRepeat(log_, s_, "AA1A", k20, kCw, At(10, 1)).invalidRule);
}

TEST_F(RepeatTest, WindowLines) {
  s_.AddPeriod(Tod(10, 0), Tod(10, 59));
  s_.AddPeriod(Tod(11, 0), Tod(11, 59));
  s_.AddPeriod(Tod(12, 0), Tod(12, 59));
  Add("UA9AAA", k20, kCw, At(10, 0));
  Add("DL1ABC", k20, kCw, At(12, 30));
  Add("UA9AAA", k20, kCw, At(12, 5));
  Add("UA9AAA", k40, kCw, At(11, 5));   // other band
  Add("OH2AA", k20, kPh, At(11, 5));    // other mode
  Add("K1ABC", k20, kCw, At(13, 5));    // no period
  Add("VERYLONGCALL12", k20, kCw, At(11, 0));
  auto lines = RepeatWindowLines(log_, s_, 4, kCw);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "DL1ABC      --X");
  EXPECT_EQ(lines[1], "K1ABC       ---");
  EXPECT_EQ(lines[2], "UA9AAA      X-X");
  EXPECT_EQ(lines[3], "VERYLONGCALL-X-");
}

}  // namespace
}  // namespace vk
