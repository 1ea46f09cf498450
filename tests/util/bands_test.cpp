#include "util/bands.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vk {
namespace {

TEST(BandsTest, BandEdgesAreInclusive) {
  struct Case {
    Freq f;
    BandIndex band;
  } cases[] = {
      {17999, 0},     {18000, 1},     {20000, 1},     {20001, 0},     {35000, 2},
      {40000, 2},     {38500, 2},     {70000, 3},     {73000, 3},     {73001, 0},
      {101000, 0},    {140000, 4},    {143500, 4},    {143501, 0},    {210000, 5},
      {214500, 5},    {280000, 6},    {299990, 6},    {299991, 0},    {1440000, 7},
      {1459990, 7},   {4300000, 8},   {4350000, 8},   {12000000, 9},  {13000000, 9},
      {13000001, 0},  {0, 0},         {-140250, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(BandOfFreq(c.f), c.band) << c.f;
}

TEST(BandsTest, DefaultFrequencyAndScreenNameOfEveryIndex) {
  struct Case {
    BandIndex band;
    Freq deflt;
    const char* screen;
  } cases[] = {
      {0, 0, ""},              {1, 18400, "160"},      {2, 35100, " 80"},
      {3, 70200, " 40"},       {4, 140200, " 20"},     {5, 210300, " 15"},
      {6, 280500, " 10"},      {7, 1440000, "144"},    {8, 4320000, "430"},
      {9, 12960000, "1.2"},    {10, 12960000, ""},     {255, 12960000, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DefaultFreqOfBand(c.band), c.deflt) << int(c.band);
    EXPECT_EQ(BandScreenName(c.band), c.screen) << int(c.band);
    if (c.band >= 1 && c.band <= 9) {
      EXPECT_EQ(BandOfFreq(c.deflt), c.band);
    }
  }
}

TEST(BandsTest, FrequencyFromMegahertzText) {
  struct Case {
    const char* text;
    Freq f;
  } cases[] = {
      {"14.025", 140250}, {"1840", 18400000}, {"1.84", 18400},   {" 7.0 ", 70000},
      {"144.30001", 1443000}, {"3.50005", 35001}, {"0", 0},     {"+21.0", 210000},
      {"-3.5", -35000},   {"1e1", 100000},
  };
  for (const auto& c : cases) {
    Freq f = -1;
    ASSERT_TRUE(FreqFromText(c.text, f)) << c.text;
    EXPECT_EQ(f, c.f) << c.text;
  }
  EXPECT_EQ(BandOfFreq(18400000), 0);
  for (const char* bad : {"", "abc", "14,025", "14.025MHz", "nan", "inf", "+-1", "1e9", " "}) {
    Freq f = 42;
    Status st = FreqFromText(bad, f);
    EXPECT_FALSE(st) << bad;
    EXPECT_EQ(st.code, ErrCode::kBadInput);
    EXPECT_EQ(f, 42) << bad;
  }
}

TEST(BandsTest, BandNamesOfTheLogFile) {
  struct Case {
    const char* name;
    Freq f;
  } cases[] = {
      {"160M", 18500},   {"80M", 36000},    {"40M", 70500},       {"30M", 101000},
      {"20M", 141000},   {"15M", 211500},   {"10M", 282000},      {"2M", 1440000},
      {"70CM", 4320000}, {"23CM", 12960000}, {"20m", 0},          {"17M", 0},
      {"", 0},           {" 20M", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(FreqOfBandName(c.name), c.f) << c.name;
  EXPECT_EQ(BandOfFreq(FreqOfBandName("30M")), 0);
  // Every named band other than 30 m lands inside its own band.
  EXPECT_EQ(BandOfFreq(FreqOfBandName("80M")), 2);
  EXPECT_EQ(BandOfFreq(FreqOfBandName("23CM")), 9);
}

TEST(BandsTest, ModeNamesAndCodes) {
  struct Case {
    const char* name;
    int code;
  } cases[] = {
      {"CW", 1}, {"SSB", 2}, {"PH", 2}, {"FM", 3}, {"RTTY", 4}, {"PSK31", 5},
      {"cw", 0}, {"USB", 0}, {"", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ModeNumber(ModeOfName(c.name)), c.code) << c.name;
  EXPECT_EQ(ModeName(ModeOfName("SSB")), "PH");
  const char* names[] = {"", "CW", "PH", "FM", "RTTY", "PSK31", "", ""};
  for (int code = 0; code < 8; ++code) {
    EXPECT_EQ(ModeName(static_cast<Mode>(code)), names[code]) << code;
  }
  EXPECT_EQ(ModeName(static_cast<Mode>(255)), "");
  // A number read from outside: 0-5 name a mode, anything else none.
  for (int n = 0; n <= 5; ++n) EXPECT_EQ(ModeNumber(*ModeFromNumber(n)), n);
  for (long long n : {-1LL, 6LL, 255LL, 256LL}) {
    EXPECT_EQ(ModeFromNumber(n), std::nullopt) << n;
    EXPECT_EQ(ModeOrUnknown(n), Mode::kUnknown) << n;
  }
}

TEST(LocatorTest, CentreOfTheSubSquare) {
  Position p;
  ASSERT_TRUE(LocatorPosition("JO21AA", p));
  EXPECT_NEAR(p.lon, 4.041666, 1e-5);
  EXPECT_NEAR(p.lat, 51.020833, 1e-5);
  ASSERT_TRUE(LocatorPosition("ko85us", p));  // Moscow, lower case
  EXPECT_NEAR(p.lon, 37.708333, 1e-5);
  EXPECT_NEAR(p.lat, 55.770833, 1e-5);
  ASSERT_TRUE(LocatorPosition("AA00AA", p));
  EXPECT_NEAR(p.lon, -180 + 2.5 / 60, 1e-9);
  EXPECT_NEAR(p.lat, -90 + 1.25 / 60, 1e-9);
  ASSERT_TRUE(LocatorPosition("RR99XXYY", p));  // cut to six characters
  EXPECT_NEAR(p.lon, 180 - 2.5 / 60, 1e-9);
  EXPECT_NEAR(p.lat, 90 - 1.25 / 60, 1e-9);
}

TEST(LocatorTest, MalformedLocatorsAreErrorsAndLeaveThePosition) {
  for (const char* bad : {"JOA1AA", "JO2AAA", "", "JO21", "JO21A", "SO21AA", "JS21AA",
                          "JO21YA", "JO21AY", "1O21AA", "J 21AA"}) {
    Position p{1, 2};
    Status st = LocatorPosition(bad, p);
    EXPECT_FALSE(st) << bad;
    EXPECT_EQ(st.code, ErrCode::kBadInput);
    EXPECT_EQ(p.lon, 1);
    EXPECT_EQ(p.lat, 2);
  }
}

TEST(DistanceTest, KnownDistancesAndEqualPositions) {
  Position a, b;
  ASSERT_TRUE(LocatorPosition("JO21AA", a));
  EXPECT_EQ(Distance(a, a), 0.0);
  // Points whose c rounds above 1 must still give a number, not NaN.
  for (double lat : {-89.99, -45.3, 0.0, 12.345678, 55.77, 89.99}) {
    Position p{37.625, lat};
    double d = Distance(p, p);
    EXPECT_FALSE(std::isnan(d)) << lat;
    EXPECT_EQ(d, 0.0) << lat;
  }
  for (double eps : {1e-13, 1e-11, 1e-9}) {
    double d = Distance({37.625, 55.77}, {37.625 + eps, 55.77 - eps});
    EXPECT_FALSE(std::isnan(d)) << eps;
    EXPECT_LT(d, 0.01) << eps;
  }
  // A quarter of the way around the equator and the antipode.
  EXPECT_NEAR(Distance({0, 0}, {90, 0}), 90 * 111.25, 1e-6);
  EXPECT_NEAR(Distance({0, 0}, {180, 0}), 180 * 111.25, 1e-6);
  EXPECT_NEAR(Distance({10, 20}, {-170, -20}), 180 * 111.25, 1e-6);
  ASSERT_TRUE(LocatorPosition("KO85US", b));
  double d = Distance(a, b);
  EXPECT_NEAR(d, Distance(b, a), 1e-9);
  EXPECT_GT(d, 2200);
  EXPECT_LT(d, 2300);
}

}  // namespace
}  // namespace vk
