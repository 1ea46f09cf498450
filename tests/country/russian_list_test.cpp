// The shipped Russian list: region codes and the zone the championship's table gives each
// region through its entry number.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "country/country.h"

namespace vk {
namespace {

// The championship's zone table, entry number -> zone (0: no zone).
int ZoneOfEntry(int n) {
  if ((n >= 5 && n <= 13) || n == 58) return 1;
  if (n >= 14 && n <= 55) return 2;
  for (int e : {56, 57, 59, 60, 64, 67, 68, 70})
    if (n == e) return 3;
  for (int e : {61, 62, 63, 65, 66, 69, 71, 72, 73, 84, 85})
    if (n == e) return 4;
  for (int e : {81, 83, 87})
    if (n == e) return 5;
  for (int e : {74, 75, 76, 78, 80, 82})
    if (n == e) return 6;
  for (int e : {77, 79, 86})
    if (n == e) return 7;
  return 0;
}

class RussianListTest : public ::testing::Test {
 protected:
  CountryList list_ = CountryList::FromFile(std::string(VORKAN_SOURCE_DIR) + "/data/cty_rus.dat");
};

TEST_F(RussianListTest, OneBlockPerRegion) {
  ASSERT_EQ(list_.Size(), 87u);
  std::set<std::string> codes;
  for (const CountryEntry& e : list_.Entries()) {
    EXPECT_EQ(e.primaryPrefix.size(), 2u) << e.name;
    EXPECT_TRUE(codes.insert(e.primaryPrefix).second) << e.primaryPrefix;
    EXPECT_NE(e.cqZone, kCountryNoZone) << e.name;
  }
  EXPECT_EQ(list_.Entries()[13].primaryPrefix, "MA");
  EXPECT_EQ(list_.Entries()[13].number, 14);
}

TEST_F(RussianListTest, CallsFindTheirRegionAndZone) {
  struct Case {
    const char* call;
    const char* region;
    int zone;
  } const cases[] = {
      // North-West and Kaliningrad
      {"RA1AAB", "SP", 1},
      {"R1FA", "SP", 1},
      {"UA1CA", "LO", 1},
      {"R1NAB", "KL", 1},
      {"RA1ZAB", "MU", 1},
      {"R2FAB", "KA", 1},
      {"UA2KA", "KA", 1},
      {"RC2AA", "KA", 1},
      // Centre, Volga, South
      {"RA3AAB", "MA", 2},
      {"UA3DA", "MO", 2},
      {"RN3TT", "NN", 2},
      {"UA4WA", "UD", 2},
      {"R6AAB", "KR", 2},
      {"RA6WAB", "DA", 2},
      // Urals and beyond; area 8 shares the letters of area 9
      {"RA9AAB", "CB", 3},
      {"UA8SA", "OB", 3},
      {"RA9XAB", "KO", 3},
      {"R9WAB", "BA", 3},
      {"RA9HAB", "TO", 4},
      {"UA9OA", "NS", 4},
      {"UA0AA", "KK", 4},
      {"RA0YAB", "TU", 4},
      {"RA0OAB", "BU", 5},
      {"R0SAB", "IR", 5},
      {"RA0UAB", "ZK", 5},
      {"RA0LAB", "PK", 6},
      {"UA0QA", "YA", 6},
      {"RI0FA", "SL", 6},
      {"RA0IAB", "MG", 7},
      {"RA0KAB", "CK", 7},
      {"RA0ZAB", "KT", 7},
      // Special entries carry no zone
      {"R1ANA", "AN", 0},
      {"RI1ANC", "AN", 0},
      {"R1FJL", "FJ", 0},
      {"RI1FJ", "FJ", 0},
      {"R6KAB", "RK", 0},
      // Portable forms
      {"RA3AAB/P", "MA", 2},
      // a call-area digit moves the call: RA3AAB/9 is looked up as RA9AAB
      {"RA3AAB/9", "CB", 3},
      {"RA9AAB/3", "MA", 2},
      {"UA0AA/9/P", "CB", 3},
      {"RA9AAB/1", "SP", 1},
      {"UA9AA/QRP", "CB", 3},
  };
  for (const Case& c : cases) {
    CountryInfo info;
    const std::uint16_t n = LookupCountry(list_, c.call, info);
    EXPECT_EQ(info.primaryPrefix, c.region) << c.call;
    EXPECT_EQ(ZoneOfEntry(n), c.zone) << c.call;
    CountryInfo scanned;
    EXPECT_EQ(ScanCountry(list_, c.call, scanned), n) << c.call;
  }
}

TEST_F(RussianListTest, NeighboursAndSpecialSeriesAreNotRussianRegions) {
  for (const char* call : {"UR5ABC", "UT1A", "UN7AA", "UK8AA", "DL1ABC", "RB3AA", "RS0ISS",
                           "R100RK", "RA9AA/DL", "DL/RA9AA", "RA9AA/MM", "4K6A"}) {
    CountryInfo info;
    EXPECT_EQ(LookupCountry(list_, call, info), 0) << call << " -> " << info.primaryPrefix;
  }
}

}  // namespace
}  // namespace vk
