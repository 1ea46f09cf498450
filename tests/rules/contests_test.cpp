// The contests shipped in data/*.xml, each loaded from the repository with the real world
// country file and the Russian list, and a short scripted log scored through it.  Every
// expectation is worked out by hand from the contest's own rules; the comment on each QSO
// names the rule it checks.  Calls are chosen so that the world file resolves them by prefix
// (none is an exact-call entry there).
#include <gtest/gtest.h>

#include "shipped_contest.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "country/country.h"
#include "log/log_collection.h"
#include "rules/contest_list.h"
#include "rules/rules_loader.h"
#include "rules/tree_rules.h"
#include "score/repeat.h"
#include "util/band_totals.h"
#include "util/bands.h"

namespace vk {
namespace {

using namespace shipped;  // NOLINT: the fixture's names are the tables' vocabulary


// Every contest of every shipped file is offered by its display name, maps back to its
// contest name, and loads into a tree with points, exchange and a total formula.
TEST_F(ShippedContest, EveryShippedContestLoadsFromTheContestList) {
  ASSERT_GE(list_.Size(), 8u);
  EXPECT_EQ(list_.FileName(0), "contest.xml");
  int contests = 0;
  for (std::size_t i = 0; i < list_.Size(); ++i) {
    SCOPED_TRACE(list_.FileName(i));
    EXPECT_FALSE(list_.Title(i).empty());
    for (const std::string& display : list_.DisplayNames(i)) {
      std::string name = list_.ContestNameOfDisplayName(i, display);
      ASSERT_FALSE(name.empty()) << display;
      EXPECT_LE(name.size(), 16u) << "the configuration keeps 16 characters";
      EXPECT_EQ(list_.FindContestFile(name), list_.FileName(i)) << "contest names are unique";
      TTreeRules tree;
      tree.SetCountryLists(lists_);
      ASSERT_TRUE(tree.SetOwnCall("RA3ABC"));
      tree.SetOwnExchange("15");  // some contests send nothing but the operator's own text
      ASSERT_TRUE(LoadContest(tree, list_, name).ok()) << name;
      const ContestSettings& s = tree.Settings();
      EXPECT_GT(s.txItemCount, 0) << name;
      EXPECT_NE(s.scoreTotal, kTotalPlain) << name;
      EXPECT_NE(s.repeat.mode, kRepeatNone) << name;
      EXPECT_FALSE(s.cabrilloName.empty()) << name;
      EXPECT_LE(s.cabrilloName.size(), 14u) << "the Cabrillo dialog shows 14 characters";
      EXPECT_EQ(s.rxMask, "*!") << name;
      EXPECT_TRUE(std::find(s.bands.begin(), s.bands.end(), true) != s.bands.end()) << name;
      EXPECT_FALSE(tree.GetTxNr("RA3ABC").empty()) << name;
      ++contests;
    }
  }
  EXPECT_GE(contests, 10);
}

// The general contest that a new station starts with: RST + serial, country multipliers.
TEST_F(ShippedContest, WorldContest) {
  Load("WORLD", "RA3ABC");
  EXPECT_EQ(tree_.GetTxNr("RA3ABC"), "599 001");  // first serial
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "599/");     // the report is proposed, the serial typed
  EXPECT_TRUE(tree_.Settings().bands[7] && tree_.Settings().bands[9]);
  EXPECT_FALSE(tree_.Settings().modeChoice);  // CW, phone and FM in one log
  Play({
      {At(10, 0), "DL1ABC", "599/001", B20, CW, 2, 1, 0},     // own continent 2; DL new on 20 m
      {At(10, 2), "UA3QQQ", "599/002", B20, CW, 1, 1, 0},     // own country 1; UA new on 20 m
      {At(10, 4), "JA1ABC", "599/010", B20, CW, 3, 1, 0},     // other continent 3
      {At(10, 6), "DL1ABC", "599/011", B20, CW, 0, 0, 0, 1},  // once per band and mode
      {At(10, 8), "DL1ABC", "59/003", B20, PH, 2, 0, 0},    // phone is another mode; DL known on 20
      {At(10, 10), "DL1ABC", "599/004", B40, CW, 2, 1, 0},  // countries count once per band
      {At(10, 12), "W6ABC", "59/012", B15, PH, 3, 1, 0},    // K on 15 m
      {At(10, 14), "VK2ABC", "599/020", B10, CW, 3, 1, 0},
      {At(10, 16), "LU1AA", "59/005", B2M, FM, 3, 1, 0},   // 2 m FM is a band of its own
      {At(10, 18), "Q1XYZ", "599/001", B20, CW, 1, 0, 0},  // unknown call: 1 point, no country
      {At(10, 20), "ZS6AA", "599/033", B20, CW, 3, 1, 0},
      {At(10, 22), "DL5XX/MM", "599/034", B20, CW, 1, 0, 0},  // at sea: no country, 1 point
  });
  EXPECT_EQ(tree_.GetTxNr("RA3ABC"), "599 012");    // eleven QSOs logged
  EXPECT_EQ(Claimed(), (Claim{24, 8, 0, 24 * 8}));  // points x countries
  AppendSent("599 999");
  EXPECT_EQ(tree_.GetTxNr("RA3ABC"), "599 1000");  // serials grow past 999
}

// CQ WW CW from European Russia: own country 0 points, WAE entries are countries.
TEST_F(ShippedContest, CqWwCwFromEuropeanRussia) {
  Load("CQ-WW-CW", "RA3ABC");
  EXPECT_EQ(tree_.GetTxNr("RA3ABC"), "599 16");  // own CQ zone from the country file
  EXPECT_EQ(tree_.GetTxNr("JA1ABC"), "599/25");  // the zone to expect is proposed
  Play({
      {At(0, 1), "DL1ABC", "599/14", B20, CW, 1, 2, 0},  // own continent 1; zone 14 + DL
      {At(0, 2), "UA3QQQ", "599/16", B20, CW, 0, 2, 0},  // own country 0, but zone 16 + UA count
      {At(0, 3), "UA9QQQ", "599/17", B20, CW, 3, 2, 0},  // Asiatic Russia: other continent 3
      {At(0, 4), "UA2FF", "599/15", B20, CW, 1, 2, 0},   // Kaliningrad is another country
      {At(0, 5), "OH2BH", "599/15", B20, CW, 1, 1, 0},   // zone 15 already worked on 20 m
      {At(0, 6), "K1TEO", "599/5", B20, CW, 3, 2, 0},
      {At(0, 7), "DL1ABC", "599/14", B20, CW, 0, 0, 0, 1},  // once per band
      {At(0, 8), "JA1ABC", "599/25", B15, CW, 3, 2, 0},
      {At(0, 9), "DL1ABC", "599/14", B15, CW, 1, 2, 0},   // zones and countries again on 15 m
      {At(0, 10), "IT9ABC", "599/15", B20, CW, 1, 1, 0},  // Sicily counts as a country (WAE)
      {At(0, 11), "VE3XYZ", "599/4", B40, CW, 3, 2, 0},
      {At(0, 12), "EA8ABC", "599/33", B40, CW, 3, 2, 0},    // Canary Islands are Africa
      {At(0, 13), "R1FJL", "599/40", B40, CW, 1, 2, 0},     // Franz Josef Land, own continent
      {At(0, 14), "DL5XX/MM", "599/14", B40, CW, 1, 1, 0},  // at sea in zone 14 (EU): its zone only
      {At(0, 15), "DL6XX/MM", "599/8", B15, CW, 3, 1, 0},   // at sea in zone 8: North America
  });
  EXPECT_EQ(Claimed(), (Claim{25, 24, 0, 25 * 24}));  // points x (zones + countries)
}

// CQ WW CW from Asiatic Russia: European Russia and Kaliningrad are another continent.
TEST_F(ShippedContest, CqWwCwFromAsiaticRussia) {
  Load("CQ-WW-CW", "UA9ABC");
  EXPECT_EQ(tree_.GetTxNr("UA9ABC"), "599 17");
  Play({
      {At(0, 1), "UA9QQQ", "599/17", B20, CW, 0, 2, 0},  // own country 0; zone 17 + UA9 count
      {At(0, 2), "RA3ABC", "599/16", B20, CW, 3, 2, 0},
      {At(0, 3), "UA2FF", "599/15", B20, CW, 3, 2, 0},
      {At(0, 4), "JA1ABC", "599/25", B20, CW, 1, 2, 0},  // another country of Asia 1
      {At(0, 5), "UA9QQQ", "599/17", B40, CW, 0, 2, 0},  // multipliers again on 40 m
  });
  EXPECT_EQ(Claimed(), (Claim{7, 10, 0, 7 * 10}));
}

// CQ WW SSB from the USA: 2 points inside North America.
TEST_F(ShippedContest, CqWwSsbFromNorthAmerica) {
  Load("CQ-WW-SSB", "K1XYZ");
  tree_.SetCurrentMode(PH);
  EXPECT_EQ(tree_.GetTxNr("K1XYZ"), "59 5");  // phone report and own CQ zone
  EXPECT_TRUE(tree_.Settings().Allows(PH) && !tree_.Settings().Allows(CW));
  Play({
      {At(0, 1), "VE3XYZ", "59/4", B20, PH, 2, 2, 0},   // North America, other country: 2
      {At(0, 2), "W6ABC", "59/3", B20, PH, 0, 2, 0},    // own country 0, zone 3 and K count
      {At(0, 3), "DL1ABC", "59/14", B20, PH, 3, 2, 0},  // other continent 3
      {At(0, 4), "XE1ABC", "59/6", B15, PH, 2, 2, 0},
      {At(0, 5), "JA1ABC", "59/25", B15, PH, 3, 2, 0},
      {At(0, 6), "DL1ABC", "59/14", B15, PH, 3, 2, 0},
      {At(0, 7), "VE3XYZ", "59/4", B20, PH, 0, 0, 0, 1},  // once per band
      {At(0, 8), "PY2AA", "59/11", B10, PH, 3, 2, 0},
      {At(0, 9), "ZS6AA", "59/38", B10, PH, 3, 2, 0},
      {At(0, 10), "VE3XYZ", "59/4", B10, PH, 2, 2, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{21, 18, 0, 21 * 18}));
}

// CQ WPX CW from Russia: low bands pay double, prefixes count once for the whole contest.
TEST_F(ShippedContest, CqWpxCw) {
  Load("CQ-WPX-CW", "RA3ABC");
  Play({
      {At(0, 1), "DL1ABC", "599/001", B20, CW, 1, 1, 0},     // own continent on 20 m 1; DL1
      {At(0, 2), "UA3QQQ", "599/002", B20, CW, 1, 1, 0},     // own country 1; UA3
      {At(0, 3), "K1TEO", "599/100", B40, CW, 6, 1, 0},      // other continent on 40 m 6; K1
      {At(0, 4), "JA1ABC", "599/050", B20, CW, 3, 1, 0},     // other continent on 20 m 3
      {At(0, 5), "DL1ABC", "599/010", B40, CW, 2, 0, 0},     // own continent on 40 m 2; DL1 worked
      {At(0, 6), "DL1ABC", "599/011", B40, CW, 0, 0, 0, 5},  // once per band
      {At(0, 7), "K1TEO/8", "599/101", B15, CW, 3, 1, 0},    // the portable digit: K8
      {At(0, 8), "DL/UA9QQQ", "599/007", B80, CW, 2, 1, 0},  // works from Germany: DL0
      {At(0, 9), "XEFTJW", "599/003", B20, CW, 3, 1, 0},     // no digit: XE0
      {At(0, 10), "9A1A", "599/500", B40, CW, 2, 1, 0},
      {At(0, 11), "LU1AA", "599/020", B10, CW, 3, 1, 0},
      {At(0, 12), "UA9QQQ", "599/008", B20, CW, 3, 1, 0},  // Asiatic Russia is another continent
      // Signing from another country, the portable designator is the prefix.
      {At(0, 13), "N8BJQ/KH9", "599/004", B20, CW, 3, 1, 0},  // Wake Island: KH9
      {At(0, 14), "HB9A/OH0", "599/005", B20, CW, 1, 1, 0},   // Aland Islands: OH0
      {At(0, 15), "K1ABC/4", "599/006", B20, CW, 3, 1, 0},    // call area 4: K4
      {At(0, 16), "PA/N8BJQ", "599/007", B20, CW, 1, 1, 0},   // PA0
      {At(0, 17), "DL5XX/MM", "599/008", B40, CW, 6, 1, 0},   // at sea: DL5, another continent
  });
  EXPECT_EQ(tree_.GetTxNr("RA3ABC"), "599 017");      // sixteen QSOs logged
  EXPECT_EQ(Claimed(), (Claim{43, 15, 0, 43 * 15}));  // points x prefixes
  AppendSent("599 999");
  EXPECT_EQ(tree_.GetTxNr("RA3ABC"), "599 1000");
}

// CQ WPX CW from Sicily: countries are the DXCC list, so Italy is the own country.
TEST_F(ShippedContest, CqWpxCwFromSicily) {
  Load("CQ-WPX-CW", "IT9XYZ");
  Play({
      {At(0, 1), "I2ABC", "599/001", B40, CW, 1, 1, 0},   // own country 1 on every band; I2
      {At(0, 2), "IT9ABC", "599/002", B40, CW, 1, 1, 0},  // IT9
      {At(0, 3), "TA1ABC", "599/003", B40, CW, 2, 1, 0},  // Turkey, but in Europe: 2 on 40 m
  });
  EXPECT_EQ(Claimed(), (Claim{4, 3, 0, 4 * 3}));
}

// CQ WPX SSB from the USA: inside North America 2, or 4 on the low bands.
TEST_F(ShippedContest, CqWpxSsbFromNorthAmerica) {
  Load("CQ-WPX-SSB", "K1XYZ");
  tree_.SetCurrentMode(PH);
  EXPECT_EQ(tree_.GetTxNr("K1XYZ"), "59 001");
  Play({
      {At(0, 1), "VE3XYZ", "59/001", B40, PH, 4, 1, 0},  // North America, low band: 4
      {At(0, 2), "VE3XYZ", "59/002", B20, PH, 2, 0, 0},  // North America, 20 m: 2; VE3 worked
      {At(0, 3), "W6ABC", "59/010", B20, PH, 1, 1, 0},   // own country: 1 on every band
      {At(0, 4), "W6ABC", "59/011", B160, PH, 1, 0, 0},
      {At(0, 5), "DL1ABC", "59/020", B40, PH, 6, 1, 0},  // other continent, low band: 6
      {At(0, 6), "DL1ABC", "59/021", B15, PH, 3, 0, 0},
      {At(0, 7), "XE1ABC", "59/005", B80, PH, 4, 1, 0},
      {At(0, 8), "JA1ABC", "59/033", B10, PH, 3, 1, 0},
      {At(0, 9), "XE1ABC", "59/006", B80, PH, 0, 0, 0, 7},
  });
  EXPECT_EQ(Claimed(), (Claim{24, 5, 0, 24 * 5}));
}

// Russian DX Contest from Moscow: Russian stations 2 or 5, oblasts by the code received.
TEST_F(ShippedContest, RdxcFromRussia) {
  Load("RDXC", "RA3ABC");
  EXPECT_EQ(tree_.GetTxNr("RA3ABC"), "599 MA");  // own oblast from the Russian country file
  EXPECT_EQ(tree_.GetTxNr("RA3DAA"), "599/MO");  // a Russian station's oblast is proposed
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "599/");    // others send a serial
  Play({
      {At(12, 1), "RA3DAA", "599/MO", B20, CW, 2, 2, 0},   // Russia, same continent 2; UA + MO
      {At(12, 2), "UA9CAA", "599/SV", B20, CW, 5, 2, 0},   // Russia, other continent 5; UA9 + SV
      {At(12, 3), "DL1ABC", "599/001", B20, CW, 3, 1, 0},  // own continent 3; a serial is no oblast
      {At(12, 4), "JA1ABC", "599/002", B20, CW, 5, 1, 0},  // other continent 5
      {At(12, 5), "UA2FAA", "599/KA", B20, CW, 2, 2, 0},   // Kaliningrad scores as European Russia
      {At(12, 6), "RA3DAA", "59/MO", B20, PH, 2, 0, 0},    // once per band and mode; mults per band
      {At(12, 7), "RA3DAA", "599/MO", B20, CW, 0, 0, 0, 1},
      {At(12, 8), "UA3RAA", "599/TB", B40, CW, 2, 2, 0},  // UA and TB new on 40 m
      {At(12, 9), "R1FJL", "599/FJ", B20, CW, 2, 2, 0},   // Franz Josef Land is Russia
      {At(12, 10), "K1TEO", "59/015", B15, PH, 5, 1, 0},
      {At(12, 11), "OH2BH", "599/123", B40, CW, 3, 1, 0},
      {At(12, 12), "DL5XX/MM", "599/009", B20, CW, 5, 0, 0},  // maritime mobile 5, no country
      {At(12, 13), "IT9ABC", "599/010", B20, CW, 3, 1, 0},    // Italy in the DXCC list
      {At(12, 14), "I2ABC", "599/011", B20, CW, 3, 0, 0},     // Sicily was Italy already
      {At(12, 15), "RA3XXX", "599/MAX", B15, CW, 2, 1, 0},    // UA new on 15 m; MAX no oblast
  });
  EXPECT_EQ(Claimed(), (Claim{44, 16, 0, 44 * 16}));  // points x (countries + oblasts)
}

// Russian DX Contest from Germany: 10 points for every Russian station.
TEST_F(ShippedContest, RdxcFromAbroad) {
  Load("RDXC", "DL2XYZ");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 001");
  EXPECT_EQ(tree_.GetTxNr("UA9CAA"), "599/SV");
  Play({
      {At(12, 1), "RA3DAA", "599/MO", B20, CW, 10, 2, 0},  // Russian station 10; UA + MO
      {At(12, 2), "DL1ABC", "599/012", B20, CW, 2, 1, 0},  // own country 2
      {At(12, 3), "OH2BH", "599/033", B20, CW, 3, 1, 0},   // own continent 3
      {At(12, 4), "JA1ABC", "599/101", B20, CW, 5, 1, 0},  // other continent 5
      {At(12, 5), "UA9CAA", "599/SV", B40, CW, 10, 2, 0},
      {At(12, 6), "UA2FAA", "599/KA", B20, CW, 10, 2, 0},
      {At(12, 7), "RA3DAA", "59/MO", B20, PH, 10, 0, 0},
      // The oblast is the code received: a second Moscow-region station adds nothing.
      {At(12, 8), "UA3RAA", "599/MO", B20, CW, 10, 0, 0},
      {At(12, 9), "OH2BH", "599/040", B20, CW, 0, 0, 0, 3},
  });
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 009");
  EXPECT_EQ(Claimed(), (Claim{60, 9, 0, 60 * 9}));
}

// Russian DX Contest from Sicily: the DXCC list makes Italy the own country.
TEST_F(ShippedContest, RdxcFromSicily) {
  Load("RDXC", "IT9XYZ");
  Play({
      {At(12, 1), "I2ABC", "599/001", B20, CW, 2, 1, 0},     // own DXCC country 2
      {At(12, 2), "IT9ABC", "599/002", B20, CW, 2, 0, 0},    // Sicily is Italy: no new country
      {At(12, 3), "DL5XX/MM", "599/003", B20, CW, 5, 0, 0},  // maritime mobile 5
      {At(12, 4), "UA2FAA", "599/KA", B20, CW, 10, 2, 0},    // Kaliningrad + KA
  });
  EXPECT_EQ(Claimed(), (Claim{19, 3, 0, 19 * 3}));
}

// IARU HF Championship: zones against the own exchange, headquarters by abbreviation.
TEST_F(ShippedContest, IaruHfChampionship) {
  Load("IARU-HF", "RA3ABC", "29");
  EXPECT_EQ(tree_.GetTxNr("RA3ABC"), "599 29");
  EXPECT_EQ(tree_.GetTxNr("K1TEO"), "599/8");
  EXPECT_EQ(tree_.Settings().caption, "Your ITU zone:");  // the exchange sent is asked for
  Play({
      {At(12, 1), "DL1ABC", "599/28", B20, CW, 3, 1, 0},   // other zone, own continent 3
      {At(12, 2), "UA3QQQ", "599/29", B20, CW, 1, 1, 0},   // own zone 1
      {At(12, 3), "DA0HQ", "599/DARC", B20, CW, 1, 1, 0},  // headquarters 1, a multiplier
      {At(12, 4), "K1TEO", "599/8", B20, CW, 5, 1, 0},     // other continent 5
      {At(12, 5), "DA0HQ", "59/DARC", B20, PH, 1, 0, 0},   // once per band and mode; mult per band
      {At(12, 6), "DA0HQ", "599/DARC", B40, CW, 1, 1, 0},  // every band again
      {At(12, 7), "9A1A", "599/R1", B20, CW, 1, 1, 0},     // IARU official
      {At(12, 8), "JA1ABC", "599/45", B15, CW, 5, 1, 0},
      {At(12, 9), "VA3RAC", "599/RAC", B20, CW, 1, 1, 0},  // RAC, not the AC inside it
      {At(12, 10), "NU1AW", "599/AC", B20, CW, 1, 1, 0},   // AC after RAC is still new
      {At(12, 11), "DL1ABC", "599/28", B20, CW, 0, 0, 0, 1},
      {At(12, 12), "UA9QQQ", "599/30", B40, CW, 5, 1, 0},    // Asiatic Russia, other continent
      {At(12, 13), "TA1HQ", "599/TRAC", B20, CW, 1, 1, 0},   // Turkey's society, not RAC
      {At(12, 14), "NU1AW", "599/IARU", B40, CW, 1, 1, 0},   // the IARU secretariat
      {At(12, 15), "DL5XX/MM", "599/28", B15, CW, 5, 1, 0},  // at sea in zone 28: 5, zone counts
  });
  EXPECT_EQ(Claimed(), (Claim{32, 13, 0, 32 * 13}));  // points x (zones + headquarters)
}

// IARU HF without a zone typed: the own ITU zone comes from the country file (Germany: 28).
TEST_F(ShippedContest, IaruOwnZoneFromTheCountryFile) {
  Load("IARU-HF", "DL2XYZ");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 28");
  Play({
      {At(12, 1), "DL1ABC", "599/28", B20, CW, 1, 1, 0},  // own zone 1
      {At(12, 2), "OH2BH", "599/18", B20, CW, 3, 1, 0},
      {At(12, 3), "F5AAA", "599/27", B40, PH, 3, 1, 0},
      {At(12, 4), "K1ABC", "599 8", B20, CW, 5, 1, 0},  // typed with a space
  });
  EXPECT_EQ(Claimed(), (Claim{12, 4, 0, 12 * 4}));
  tree_.SetOwnExchange("27");  // a zone typed is the one sent
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 27");
}

// Russian HF Championship from Moscow (zone 2): points by zone pair, regions per band,
// repeats allowed once per band in each of the two rounds.
TEST_F(ShippedContest, RussianChampionshipByZones) {
  Load("RF-CHAMP-CW", "RA3ABC");
  EXPECT_EQ(tree_.GetTxNr("RA3ABC"), "2 001");  // own zone from the call, then the serial
  EXPECT_EQ(tree_.GetTxNr("RA0FAA"), "6/");     // Sakhalin is in zone 6
  EXPECT_EQ(tree_.Settings().caption, "\x87\xAE\xAD\xA0 (1-7):");  // CP866 from Windows-1251
  EXPECT_EQ(tree_.Settings().repeat.periodCount, 2);
  const auto& groups = tree_.ErmakGroups();
  ASSERT_GE(groups.size(), 3u);
  EXPECT_EQ(groups[groups.size() - 3].name.substr(0, 4), "\x8E\xA4\xA8\xAD");  // "Один"
  EXPECT_EQ(
      groups.back().conditions,
      (std::vector<ErmakCondition>{{"OPERATOR", "MULTI-OP"}, {"BAND", "ALL"}, {"MODE", "CW"}}));
  Play({
      // Night round, 17:00-20:59.
      {At(17, 5), "RA1AAA", "1/001", B80, CW, 12, 1, 0},    // zones 2-1: 12; St Petersburg
      {At(17, 10), "UA9CAA", "3/005", B80, CW, 12, 1, 0},   // zones 2-3: 12; Sverdlovsk
      {At(17, 20), "RA0FAA", "6/010", B80, CW, 19, 1, 0},   // zones 2-6: 19; Sakhalin
      {At(17, 30), "RA1AAA", "1/002", B40, CW, 12, 1, 0},   // another band; regions per band
      {At(18, 0), "RA1AAA", "1/003", B80, CW, 0, 0, 0, 1},  // same band, same round
      {At(18, 10), "RA0SAA", "5/020", B80, CW, 15, 1, 0},   // zones 2-5: 15; Irkutsk
      {At(18, 20), "RA3DAA", "2/007", B80, CW, 11, 1, 0},   // own zone: 11; Moscow Oblast
      // Day round, 05:00-08:59 the next day.
      {At(5, 10, 1), "RA1AAA", "1/030", B80, CW, 12, 0, 0},   // new round: not a repeat
      {At(5, 20, 1), "UA0KAA", "7/012", B20, CW, 23, 1, 0},   // zones 2-7: 23; Chukotka
      {At(5, 30, 1), "RA9HAA", "4/044", B20, CW, 13, 1, 0},   // zones 2-4: 13; Tomsk
      {At(5, 40, 1), "UA2FAA", "1/050", B20, CW, 12, 1, 0},   // Kaliningrad is in zone 1
      {At(5, 50, 1), "DL1ABC", "599/001", B20, CW, 0, 0, 0},  // not in Russia: nothing
      {At(6, 0, 1), "R1FJL", "0/003", B20, CW, 0, 1, 0},      // no zone, but a region
      {At(6, 10, 1), "RA1AAA", "1/031", B20, CW, 12, 1, 0},
      {At(8, 59, 1), "RA1AAA", "1/032", B20, CW, 0, 0, 0, 13},  // the round's last minute
  });
  EXPECT_EQ(tree_.GetTxNr("RA3ABC"), "2 014");
  EXPECT_EQ(Claimed(), (Claim{153, 11, 0, 153 * 11}));  // points x regions
  AppendSent("2 999");
  EXPECT_EQ(tree_.GetTxNr("RA3ABC"), "2 1000");
}

// RDA contest from Moscow: districts once per contest, found only after the "/".
TEST_F(ShippedContest, RdaContestFromRussia) {
  Load("RDAC", "RA3ABC", "MA01");
  EXPECT_EQ(tree_.GetTxNr("RA3ABC"), "599 MA01");  // the own district is the exchange sent
  Play({
      {At(8, 1), "UA3RAA", "599/TB02", B20, CW, 1, 2, 0},  // own part of Russia 1; UA + TB02
      {At(8, 2), "UA9CAA", "599/SV12", B20, CW, 2, 2, 0},  // other part of Russia 2; UA9 + SV12
      {At(8, 3), "DL1ABC", "599/001", B20, CW, 3, 1, 0},   // a serial is no district
      {At(8, 4), "JA1ABC", "599/003", B20, CW, 5, 1, 0},
      {At(8, 5), "UA3RAA", "59/TB02", B20, PH, 1, 0, 0},   // once per band and mode
      {At(8, 6), "UA3RAA", "599/TB02", B40, CW, 1, 1, 0},  // UA new on 40 m; TB02 counts once
      {At(8, 7), "UA3RBB", "599/TB03", B40, CW, 1, 1, 0},
      {At(8, 8), "UA2FAA", "599/KA01", B15, CW, 1, 2, 0},  // Kaliningrad is European Russia
      {At(8, 9), "UA9CAA", "599/SV12", B20, CW, 0, 0, 0, 2},
      {At(8, 10), "RA3DAA", "599/MO-05", B15, CW, 1, 1, 0},  // with its hyphen: no district
      {At(8, 11), "IT9ABC", "599/012", B20, CW, 3, 1, 0},    // DXCC list: Italy
      {At(8, 12), "I2ABC", "599/013", B20, CW, 3, 0, 0},     // Sicily was Italy already
  });
  EXPECT_EQ(Claimed(), (Claim{22, 12, 0, 22 * 12}));
}

// RDA contest from Germany: only Russian stations score, 10 points each.
TEST_F(ShippedContest, RdaContestFromAbroad) {
  Load("RDAC", "DL2XYZ");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 001");
  Play({
      {At(8, 1), "UA3RAA", "599/TB02", B20, CW, 10, 1, 0},
      {At(8, 2), "DL1ABC", "599/005", B20, CW, 0, 0, 0},  // not a Russian station: nothing
      {At(8, 3), "UA9CAA", "599/SV12", B40, CW, 10, 1, 0},
      {At(8, 4), "UA3RAA", "599/TB02", B40, CW, 10, 0, 0},  // districts count once
      {At(8, 5), "UA2FAA", "59/KA01", B20, PH, 10, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{40, 3, 0, 40 * 3}));
}

// RAEM: 50 points plus the coordinate difference, polar and memorial-station extras.
TEST_F(ShippedContest, RaemByCoordinates) {
  Load("RAEM", "RA3ABC", "55N37O");
  EXPECT_EQ(tree_.GetTxNr("RA3ABC"), "001 55N37O");
  EXPECT_EQ(tree_.Settings().caption, "Coordinates:");
  Play({
      {At(1, 0), "UA9QQQ", "015/57N85O", B20, CW, 100, 0, 0},   // 50 + 2 + 48
      {At(1, 1), "RAEM", "001/66N172W", B20, CW, 350, 0, 0},    // RAEM: 50 + 300
      {At(1, 2), "UA0ZAA", "033/69N171O", B20, CW, 298, 0, 0},  // 50 + 14 + 134 + polar 100
      {At(1, 3), "K1TEO", "007/42N71W", B20, CW, 171, 0, 0},    // west and east add: 50 + 13 + 108
      {At(1, 4), "JA1ABC", "050/35N139O", B15, CW, 172, 0, 0},  // 50 + 20 + 102
      // 150W and 37E lie 187 degrees apart eastwards, 173 the short way round the globe,
      // which is what the sponsor counts: 50 + 6 + 173.
      {At(1, 5), "KL7XX", "010/61N150W", B15, CW, 229, 0, 0},
      {At(1, 6), "VK2ABC", "020/33S151O", B10, CW, 252, 0, 0},  // south and north add: 33+55
      {At(1, 7), "UA9QQQ", "016/57N85O", B20, CW, 0, 0, 0, 1},  // once per band
      {At(1, 8), "UA9QQQ", "016/57N85O", B40, CW, 100, 0, 0},
      {At(1, 9), "DL1ABC", "044", B40, CW, 0, 0, 0},  // no coordinates received: nothing
  });
  EXPECT_EQ(tree_.GetTxNr("RA3ABC"), "010 55N37O");
  EXPECT_EQ(Claimed(), (Claim{1672, 0, 0, 1672}));  // sum of the points
}

}  // namespace
}  // namespace vk
