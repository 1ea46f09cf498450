#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "util/datetime.h"
#include "util/fake_clock.h"

namespace vk {
namespace {

TEST(DateValueTest, KnownValues) {
  struct Case {
    DateTime dt;
    double value;
  } cases[] = {
      {{1899, 12, 30, 0, 0, 0}, 0.0},
      {{1900, 1, 1, 0, 0, 0}, 2.0},
      {{1970, 1, 1, 0, 0, 0}, 25569.0},
      {{2000, 2, 29, 12, 0, 0}, 36585.5},
      {{2024, 3, 5, 18, 0, 0}, 45356.75},
      {{1899, 12, 29, 6, 0, 0}, -1.25},  // before the origin the time still counts forward
  };
  for (const auto& c : cases) {
    DateValue v = 99;
    ASSERT_TRUE(EncodeDateValue(c.dt, v)) << FormatMask(c.dt, "yyyy-mm-dd hh:nn");
    EXPECT_DOUBLE_EQ(v, c.value);
    EXPECT_EQ(DecodeDateValue(c.value), c.dt) << c.value;
  }
}

TEST(DateValueTest, EveryMinuteOfADayRoundTrips) {
  for (int m = 0; m < 1440; ++m) {
    DateTime dt{2024, 12, 31, static_cast<std::uint16_t>(m / 60),
                static_cast<std::uint16_t>(m % 60), 59};
    DateValue v = 0;
    ASSERT_TRUE(EncodeDateValue(dt, v));
    ASSERT_EQ(DecodeDateValue(v), dt) << m;
  }
}

TEST(DateValueTest, DayNumbersRoundTripAcrossTheCalendar) {
  for (long long d = DayNumber(1, 1, 1); d <= DayNumber(9999, 12, 31); d += 97) {
    int y = 0, m = 0, day = 0;
    DateOfDayNumber(d, y, m, day);
    ASSERT_TRUE(IsValidDate(y, m, day)) << d;
    ASSERT_EQ(DayNumber(y, m, day), d);
  }
}

TEST(DateValueTest, ImpossibleRecordsAreRefusedAndTheValueKept) {
  const DateTime bad[] = {
      {2024, 13, 1, 0, 0, 0}, {2024, 4, 31, 0, 0, 0}, {2023, 2, 29, 0, 0, 0},
      {1900, 2, 29, 0, 0, 0}, {2024, 1, 1, 24, 0, 0}, {2024, 1, 1, 0, 60, 0},
      {2024, 0, 1, 0, 0, 0},  {0, 1, 1, 0, 0, 0},     {2024, 1, 0, 0, 0, 0},
  };
  for (const auto& dt : bad) {
    DateValue v = 123.5;
    Status st = EncodeDateValue(dt, v);
    EXPECT_FALSE(st) << FormatMask(dt, "yyyy-mm-dd hh:nn");
    EXPECT_EQ(st.code, ErrCode::kBadInput);
    EXPECT_FALSE(st.message.empty());
    EXPECT_EQ(v, 123.5);
  }
  DateValue v = 0;
  EXPECT_TRUE(EncodeDateValue({2024, 2, 29, 23, 59, 59}, v));
  EXPECT_TRUE(EncodeDateValue({2000, 2, 29, 0, 0, 0}, v));
}

TEST(DateValueTest, DecodeRoundsToTheMillisecondAndSurvivesGarbage) {
  EXPECT_EQ(DecodeDateValue(45356.0 - 1e-10), (DateTime{2024, 3, 5, 0, 0, 0}));
  EXPECT_EQ(DecodeDateValue(std::nan("")), DateTime{});
  EXPECT_EQ(DecodeDateValue(1e300), DateTime{});
  EXPECT_EQ(DecodeDateValue(-1e300), DateTime{});
  EXPECT_EQ(DecodeDateValue(std::numeric_limits<double>::infinity()), DateTime{});
}

TEST(TextToDateValueTest, ParsesDateHourAndMinuteOnly) {
  FakeTimeSource fake;
  DateValue v = 0;
  ASSERT_TRUE(TextToDateValue("05-03-2024 18:00", "dd-mm-yyyy hh:nn", v, fake));
  EXPECT_DOUBLE_EQ(v, 45356.75);
  ASSERT_TRUE(TextToDateValue("2024-03-05 18:00:42", "yyyy-mm-dd hh:nn:ss", v, fake));
  EXPECT_DOUBLE_EQ(v, 45356.75);  // seconds are always dropped
  ASSERT_TRUE(TextToDateValue("05-03-2024`18:00`", "dd-mm-yyyy`hh:nn`", v, fake));
  EXPECT_DOUBLE_EQ(v, 45356.75);
}

TEST(TextToDateValueTest, ImpossibleTextIsAnErrorAndLeavesTheValue) {
  FakeTimeSource fake;
  const char* bad[] = {"05-13-2024 10:00", "31-04-2024 10:00", "05-03-2024 24:00",
                       "ab-03-2024 10:00", "", "05-03-2024 10:60"};
  for (const char* text : bad) {
    DateValue v = 7.25;
    Status st = TextToDateValue(text, "dd-mm-yyyy hh:nn", v, fake);
    EXPECT_FALSE(st) << text;
    EXPECT_NE(st.message.find("Invalid"), std::string::npos) << st.message;
    EXPECT_EQ(v, 7.25) << text;
  }
}

TEST(PackedDateTimeTest, LayoutAndTwoSecondResolution) {
  DateTime dt{2024, 3, 5, 9, 7, 43};
  PackedDateTime p = PackDateTime(dt);
  EXPECT_EQ(p, (44u << 25) | (3u << 21) | (5u << 16) | (9u << 11) | (7u << 5) | 21u);
  EXPECT_EQ(UnpackDateTime(p), (DateTime{2024, 3, 5, 9, 7, 42}));
  EXPECT_EQ(FormatPacked(p, "yyyymmdd-hhnnss"), "20240305-090742");
  EXPECT_EQ(UnpackDateTime(PackDateTime({1970, 1, 1, 0, 0, 0})).year, 1980);
  EXPECT_EQ(UnpackDateTime(PackDateTime({2200, 1, 1, 0, 0, 0})).year, 2107);
  EXPECT_EQ(UnpackDateTime(PackDateTime({2107, 12, 31, 23, 59, 59})),
            (DateTime{2107, 12, 31, 23, 59, 58}));
}

TEST(PackedDateTimeTest, CurrentPackedComesFromTheTimeSource) {
  FakeTimeSource fake({2025, 11, 30, 23, 58, 59});
  EXPECT_EQ(FormatPacked(CurrentPacked(fake), "yyyymmdd-hhnnss"), "20251130-235858");
}

}  // namespace
}  // namespace vk
