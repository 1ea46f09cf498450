// Lookup rules on small hand-made lists.  Every case is asked of both the index and the plain
// scan, which must agree.
#include <gtest/gtest.h>

#include <string>

#include "country/country.h"

namespace vk {
namespace {

// Block 1 lists UA, block 2 UA9; block 3 holds exact calls that must beat both.
constexpr const char* kSmallFile =
    "European Russia:  16: 29: EU: 53.65: -41.37: -4.0: UA:\n"
    "    R,U,UA,UA1(19);\n"
    "Asiatic Russia:   17: 30: AS: 55.88: -84.08: -7.0: UA9:\n"
    "    UA9(17)[30],UA0(19)[34]<60.1/-120.5>~-9~,\n"
    "    RA9;\n"
    "Special Calls:    40: 75: EU: 80.00: -50.00: -3.0: R1FJ:\n"
    "    =UA3QQQ(40)[75],=UA9XX/P,=EA/FT5YK;\n"
    "Spain:            14: 37: EU: 40.37:   4.88: -1.0: EA:\n"
    "    EA,=EA;\n";

struct Both {
  std::uint16_t number = 0;
  CountryInfo info;
};

Both Ask(const CountryList& list, std::string_view call) {
  Both indexed, scanned;
  indexed.number = LookupCountry(list, call, indexed.info);
  scanned.number = ScanCountry(list, call, scanned.info);
  EXPECT_EQ(indexed.number, scanned.number) << call;
  EXPECT_EQ(indexed.info, scanned.info) << call;
  return indexed;
}

class SmallListTest : public ::testing::Test {
 protected:
  CountryList list_ = CountryList::FromText(kSmallFile);
};

TEST(ReduceCallTest, PortableMarksAndPrefixes) {
  struct Case {
    const char* call;
    const char* reduced;
  } const cases[] = {
      {"UA9QQQQ", "UA9QQQQ"},
      {"UA9QQQQ/P", "UA9QQQQ"},
      {"UA9QQQQ/QRP", "UA9QQQQ"},
      {"UA9QQQQ/3", "UA9QQQQ"},
      {"UA9QQQQ/M", "UA9QQQQ"},
      {"UA9QQQQ/MM", ""},  // maritime mobile: no country
      {"UA9QQQQ/A", "UA9QQQQ"},
      {"9A/UA9QQQQ", "9A"},
      {"DL/UA9QQQQ", "DL"},
      {"N0CALL/VE3", "VE3"},
      {"AB/CD", "CD"},  // equal length: the right side
      {"UA9QQQQ/AM", ""},
      {"UA9QQQQ/DL", "DL"},  // the place a portable works from, on either side
      {"UA9QQQQ/LH", "UA9QQQQ"},
      {"UA9QQQQ/70", "UA9QQQQ"},
      {"9A/S53BB/P", "9A"},
      {"K1ABC/4/P", "K1ABC"},
      {"UA9QQQQ/", "UA9QQQQ"},  // a dangling slash names nothing
      {"/UA9QQQQ", "UA9QQQQ"},
      {"/", ""},
      {"", ""},
      {"RA9FAA/4/M", "RA9FAA"},
  };
  for (const Case& c : cases) EXPECT_EQ(ReduceCall(c.call), c.reduced) << c.call;
}

TEST_F(SmallListTest, LongestPrefixOfTheCallWins) {
  EXPECT_EQ(Ask(list_, "UA9QQQQ").number, 2);  // through UA9, though UA comes first in the file
  EXPECT_EQ(Ask(list_, "UA3QQQQ").number, 1);  // UA3 is listed nowhere, then UA matches
  EXPECT_EQ(Ask(list_, "RA9ABC").number, 2);
  EXPECT_EQ(Ask(list_, "RA3ABC").number, 1);  // RA3, RA: absent; R matches
  EXPECT_EQ(Ask(list_, "UA9QQQQ/QRP").number, 2);
  EXPECT_EQ(Ask(list_, "UA9QQQQ/3").number, 1);  // the area digit moves the call to UA3
  EXPECT_EQ(Ask(list_, "UA3QQ/9").number, 2);
  EXPECT_EQ(Ask(list_, "UA9QQQQ/3/P").number, 1);
  EXPECT_EQ(Ask(list_, "UA9QQQQ/MM").number, 0);
  EXPECT_EQ(Ask(list_, "EA/UA9QQQQ").number, 4);
}

TEST_F(SmallListTest, ExactCallBeatsEveryPrefix) {
  const Both hit = Ask(list_, "UA3QQQ");
  EXPECT_EQ(hit.number, 3);
  EXPECT_EQ(hit.info.cqZone, "40");
  EXPECT_EQ(hit.info.ituZone, "75");
  EXPECT_EQ(hit.info.primaryPrefix, "R1FJ");
  EXPECT_EQ(Ask(list_, "UA3QQ").number, 1);  // a shorter call is not the exact call
  EXPECT_EQ(Ask(list_, "UA3QQQA").number, 1);
  EXPECT_EQ(Ask(list_, "UA9XX/P").number, 3);  // the whole call, '/' included, is listed
  EXPECT_EQ(Ask(list_, "UA9XX/M").number, 2);
  EXPECT_EQ(Ask(list_, "UA3QQQ/9").number, 2);  // a moved call is no station: prefixes only
}

TEST_F(SmallListTest, ExactCallMatchesWholeTokensOnly) {
  // "=EA/FT5YK" in block 3 must not catch the exact key for EA: Spain's own "=EA" does.
  EXPECT_EQ(Ask(list_, "EA").number, 4);
  EXPECT_EQ(Ask(list_, "EA/F5XX").number, 4);
  EXPECT_EQ(Ask(list_, "EA/FT5YK").number, 3);  // but that whole call is listed
  EXPECT_EQ(Ask(list_, "UA9XX").number, 2);     // "=UA9XX/P" is another call
}

TEST_F(SmallListTest, TokenMarksOverrideTheHeader) {
  const Both ua9 = Ask(list_, "UA9ABC");
  EXPECT_EQ(ua9.info.cqZone, "17");
  EXPECT_EQ(ua9.info.ituZone, "30");
  EXPECT_EQ(ua9.info.latitude, "55.88");
  const Both ua0 = Ask(list_, "UA0ABC");
  EXPECT_EQ(ua0.info.cqZone, "19");
  EXPECT_EQ(ua0.info.ituZone, "34");
  EXPECT_EQ(ua0.info.latitude, "60.1");
  EXPECT_EQ(ua0.info.longitude, "-120.5");
  EXPECT_EQ(ua0.info.timeOffset, "-9");
  const Both ua1 = Ask(list_, "UA1ABC");
  EXPECT_EQ(ua1.info.cqZone, "19");
  EXPECT_EQ(ua1.info.ituZone, "29");  // only the CQ zone is marked
  const Both ua3 = Ask(list_, "UA3ABC");
  EXPECT_EQ(ua3.info.name, "European Russia");
  EXPECT_EQ(ua3.info.cqZone, "16");
  EXPECT_EQ(ua3.info.continent, "EU");
  EXPECT_EQ(ua3.info.longitude, "-41.37");
  EXPECT_EQ(ua3.info.timeOffset, "-4.");  // the header's "-4.0" cut to three characters
}

// The notes of the world file's own documentation: the KG4 split between Guantanamo Bay and
// the USA, and the {aa} continent mark of a token.
TEST(CountryNotesTest, Kg4SuffixLengthAndContinentMark) {
  const CountryList list = CountryList::FromText(
      "United States:  05: 08: NA: 37.53:  91.67:  5.0: K:\n"
      "    AA,K,N,W,=KG4BIG(4)[7];\n"
      "Guantanamo Bay: 08: 11: NA: 20.00:  75.00:  5.0: KG4:\n"
      "    KG4,=KG4ABC;\n"
      "Russia Asia:    17: 30: AS: 55.88: -84.08: -7.0: UA9:\n"
      "    UA9,RA9,R8{EU};\n");
  struct Case {
    const char* call;
    std::uint16_t entry;
  } const cases[] = {
      {"KG4AA", 2},     {"KG4ZZ/P", 2},  {"KG4A", 1},  {"KG4AAA", 1},  {"KG4AAA/QRP", 1},
      {"KG4ABC", 2},    // an exact call of the file comes before the rule
      {"KG4BIG", 1},    {"KG44WW", 2},   {"W1AW/KG4", 2},
  };
  for (const Case& c : cases) EXPECT_EQ(Ask(list, c.call).number, c.entry) << c.call;
  EXPECT_EQ(Ask(list, "KG4BIG").info.cqZone, "4");
  EXPECT_EQ(Ask(list, "R8AA").info.continent, "EU");
  EXPECT_EQ(Ask(list, "UA9AA").info.continent, "AS");
}

TEST_F(SmallListTest, NoMatchClearsTheResult) {
  CountryInfo info;
  ASSERT_EQ(LookupCountry(list_, "UA9ABC", info), 2);
  EXPECT_EQ(LookupCountry(list_, "9A1AA", info), 0);
  EXPECT_EQ(info, CountryInfo{});
  ASSERT_EQ(ScanCountry(list_, "UA9ABC", info), 2);
  EXPECT_EQ(ScanCountry(list_, "9A1AA", info), 0);
  EXPECT_EQ(info, CountryInfo{});
  for (const char* odd : {"", "/", "//", ",", ",=", "=EA", "EA,", "UA(", "ua9abc", "U A"})
    Ask(list_, odd);
}

TEST(CountryListTest, OnlyTheFirstOccurrenceOfAPrefixInABlockCounts) {
  // In block 1 ",UA" first stands in front of "UA9", so block 1 never matches through UA
  // and UA3... falls through to block 2.
  const CountryList list = CountryList::FromText(
      "One: 1: 1: EU: 0: 0: 0: ONE:\n UA9,UA;\n"
      "Two: 2: 2: EU: 0: 0: 0: TWO:\n UA;\n");
  EXPECT_EQ(Ask(list, "UA3AA").number, 2);
  EXPECT_EQ(Ask(list, "UA9AA").number, 1);
}

TEST(CountryListTest, EmptyAndMissingListsFindNothing) {
  CountryList missing = CountryList::FromFile("/nonexistent/cty.dat");
  EXPECT_TRUE(missing.Empty());
  CountryInfo info;
  info.name = "stale";
  EXPECT_EQ(LookupCountry(missing, "UA9ABC", info), 0);
  EXPECT_EQ(info, CountryInfo{});
  EXPECT_EQ(ScanCountry(missing, "UA9ABC", info), 0);
  const CountryList moved = std::move(missing);
  EXPECT_EQ(LookupCountry(moved, "UA9ABC", info), 0);
  CountryList defaulted;
  EXPECT_EQ(defaulted.Lookup("UA9ABC", info), 0);
}

TEST(CountryListTest, BothListsComeFromTheDataDirectory) {
  const CountryLists lists = LoadCountryFiles(std::string(VORKAN_SOURCE_DIR) + "/data");
  ASSERT_FALSE(lists.russian.Empty());
  CountryInfo info;
  EXPECT_NE(LookupRussian(lists, "RA3AAA", info), 0);
  const CountryLists none = LoadCountryFiles("/nonexistent");
  EXPECT_TRUE(none.world.Empty() && none.russian.Empty());
  EXPECT_EQ(LookupWorld(none, "RA3AAA", info), 0);
}

}  // namespace
}  // namespace vk
