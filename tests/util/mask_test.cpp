#include <gtest/gtest.h>

#include "util/datetime.h"
#include "util/fake_clock.h"

namespace vk {
namespace {

const DateTime kMarch5{2024, 3, 5, 9, 7, 0};

TEST(FormatMaskTest, MasksInUse) {
  struct Case {
    const char* mask;
    const char* text;
  } cases[] = {
      {"dd-mm-yyyy hh:nn", "05-03-2024 09:07"},
      {"mm/dd hh:nn", "03/05 09:07"},
      {"yyyymmdd", "20240305"},
      {"hhnn", "0907"},
      {"yyyy-mm-dd hhnn", "2024-03-05 0907"},
      {"dd-mm-yyyy`hh:nn`", "05-03-2024`09:07`"},
      {"yyyymmdd-hhnnss", "20240305-090700"},
      {"DD", "DD"},        // upper-case letters are literal when formatting
      {"d.m", "5.3"},      // one letter: no padding
      {"yy", "2024"},      // the year is never cut
      {"yyyyyy", "  2024"},  // ...but padded with spaces
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatMask(kMarch5, c.mask), c.text) << c.mask;
}

TEST(ParseMaskTest, FieldsNamedByTheMask) {
  FakeTimeSource fake({2026, 1, 1, 0, 0, 0});
  DateTime dt{};
  ParseMask("05-03-24 09:07", "dd-mm-yy hh:nn", dt, fake);
  EXPECT_EQ(dt, (DateTime{2024, 3, 5, 9, 7, 0}));

  dt = DateTime{1999, 1, 1, 12, 0, 0};
  ParseMask("2024-03-05", "yyyy-mm-dd", dt, fake);
  EXPECT_EQ(dt, (DateTime{2024, 3, 5, 12, 0, 0}));

  dt = DateTime{};
  ParseMask("05-03-2024", "DD-MM-YYYY", dt, fake);
  EXPECT_EQ(dt, (DateTime{2024, 3, 5, 0, 0, 0}));

  dt = DateTime{};
  ParseMask("2024-03-05 0907", "yyyy-mm-dd hhnn", dt, fake);
  EXPECT_EQ(dt, (DateTime{2024, 3, 5, 9, 7, 0}));
}

TEST(ParseMaskTest, StopsAtTheFirstBadFieldInYearMonthDayOrder) {
  FakeTimeSource fake;
  DateTime dt{1999, 1, 1, 12, 30, 0};
  ParseMask("ab-03-2024 10:15", "dd-mm-yyyy hh:nn", dt, fake);
  EXPECT_EQ(dt, (DateTime{2024, 3, 1, 12, 30, 0}));

  dt = DateTime{1999, 1, 1, 12, 30, 0};
  ParseMask("05-03-2024 1x:15", "dd-mm-yyyy hh:nn", dt, fake);
  EXPECT_EQ(dt, (DateTime{2024, 3, 5, 12, 30, 0}));

  dt = DateTime{1999, 1, 1, 12, 30, 0};
  ParseMask("05-03", "dd-mm-yyyy", dt, fake);  // text too short: the year is the first field
  EXPECT_EQ(dt, (DateTime{1999, 1, 1, 12, 30, 0}));
}

TEST(ParseMaskTest, EmptyTextLeavesTheRecordAlone) {
  FakeTimeSource fake;
  DateTime dt{24, 2, 3, 4, 5, 6};
  ParseMask("", "dd-mm-yyyy", dt, fake);
  EXPECT_EQ(dt, (DateTime{24, 2, 3, 4, 5, 6}));
}

TEST(ParseMaskTest, TwoDigitYearTakesTheCenturyFromTheTimeSource) {
  FakeTimeSource fake({2126, 6, 1, 0, 0, 0});
  DateTime dt{};
  ParseMask("24", "yy", dt, fake);
  EXPECT_EQ(dt.year, 2124);
  dt = DateTime{};
  ParseMask("09:07", "hh:nn", dt, fake);  // no year in the mask: year 0 still gets the century
  EXPECT_EQ(dt.year, 2100);
  fake.Set({1999, 12, 31, 23, 59, 59});
  dt = DateTime{};
  ParseMask("24", "yy", dt, fake);
  EXPECT_EQ(dt.year, 1924);
}

TEST(ParseMaskTest, FieldsKeepAtMostFourCharactersAndNoSigns) {
  FakeTimeSource fake;
  DateTime dt{};
  ParseMask("202412", "yyyyyy", dt, fake);
  EXPECT_EQ(dt.year, 2024);
  dt = DateTime{2000, 1, 1, 0, 0, 0};
  ParseMask("-1", "dd", dt, fake);
  EXPECT_EQ(dt.day, 1);
}

TEST(ParseMaskTest, LaterRunOfALetterWins) {
  FakeTimeSource fake;
  DateTime dt{};
  ParseMask("01-2024-07", "mm-yyyy-mm", dt, fake);
  EXPECT_EQ(dt.month, 7);
  EXPECT_EQ(dt.year, 2024);
}

TEST(FakeTimeSourceTest, AdvanceCrossesYearsBothWays) {
  FakeTimeSource fake({2023, 12, 31, 23, 59, 30});
  fake.Advance(45);
  EXPECT_EQ(fake.LocalNow(), (DateTime{2024, 1, 1, 0, 0, 15}));
  fake.Advance(-86400 - 16);
  EXPECT_EQ(fake.LocalNow(), (DateTime{2023, 12, 30, 23, 59, 59}));
  fake.Set({2024, 2, 28, 12, 0, 0});
  fake.Advance(86400);
  EXPECT_EQ(fake.LocalNow(), (DateTime{2024, 2, 29, 12, 0, 0}));
}

TEST(TimeSourceTest, SystemSourceGivesAValidDate) {
  const SystemTimeSource system;
  DateTime now = system.LocalNow();
  EXPECT_GE(now.year, 2024);
  EXPECT_TRUE(IsValidDate(now.year, now.month, now.day));
}

}  // namespace
}  // namespace vk
