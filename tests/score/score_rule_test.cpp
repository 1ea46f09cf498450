#include "score/score_rule.h"

#include <gtest/gtest.h>

#include "score_fixture.h"

namespace vk {
namespace {

using test::MakeContext;

constexpr std::uint8_t k160 = 1, k80 = 2, k40 = 3, k20 = 4, k10 = 6, k2m = 7;
constexpr Mode kCw = Mode::kCw, kPh = Mode::kPhone, kFm = Mode::kFm, kRtty = Mode::kRtty;

std::int16_t Score(std::string_view keyword, std::string_view value, std::string_view call,
                   std::uint8_t band, std::string_view rx, Mode mode, ScoreContext& ctx) {
  auto rule = ScoreRule::Make(keyword, value);
  EXPECT_NE(rule, nullptr) << keyword;
  return rule ? rule->Score(call, band, rx, mode, ctx) : -999;
}

TEST(ScoreRuleParse, PointsAndConditions) {
  struct Case {
    std::string_view value;
    int points, band;
    Mode mode;
  } cases[] = {
      {"3", 3, 0, Mode::kUnknown},
      {"2:20m", 2, k20, Mode::kUnknown},
      {"2:cw", 2, 0, kCw},
      {"4:160m ph", 4, k160, kPh},
      {"1:fm 144", 1, k2m, kFm},
      {"x:20m", -1, k20, Mode::kUnknown},
      {"abc", -1, 0, Mode::kUnknown},
      {" 5 ", 5, 0, Mode::kUnknown},
      {"70000", -1, 0, Mode::kUnknown},
      // Conditions are read after the points: 144 points are not a 2 m rule.
      {"144:cw", 144, 0, kCw},
      // The first band token of the list wins, whatever its place in the text.
      {"1:10m 160m", 1, k160, Mode::kUnknown},
  };
  for (const auto& c : cases) {
    auto rule = ScoreRule::Make("score", c.value);
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(rule->Points(), c.points) << c.value;
    EXPECT_EQ(rule->BandCondition(), c.band) << c.value;
    EXPECT_EQ(rule->ModeCondition(), c.mode) << c.value;
    EXPECT_EQ(rule->KindNumber(), 4);
  }
}

TEST(ScoreRuleParse, OnlyScoreFamilyKeywords) {
  EXPECT_EQ(ScoreRule::Make("multi", "1"), nullptr);
  EXPECT_EQ(ScoreRule::Make("scores", "1"), nullptr);
  EXPECT_TRUE(ScoreRule::IsScoreKeyword("scoreraem"));
  EXPECT_FALSE(ScoreRule::IsScoreKeyword("Score"));
}

TEST(ScoreRuleParse, DxccPrefixListAndTables) {
  auto rule = ScoreRule::Make("scoredxcc", "10##ua, ua2,ua9");
  ASSERT_NE(rule, nullptr);
  EXPECT_EQ(rule->Points(), 10);
  EXPECT_EQ(rule->Prefixes(), (std::vector<std::string>{"ua", "ua2", "ua9"}));
  EXPECT_EQ(ScoreRule::Make("score", "@@rfcup")->Computed(), ComputedTable::kRfCup);
  EXPECT_EQ(ScoreRule::Make("score", "@@nosuch")->Computed(), ComputedTable::kUnknown);
}

// A rule of 2 points on 20 m pays in every mode there; one for CW pays on every band.
TEST(ScoreRule, BandAndModeConditions) {
  auto ctx = MakeContext("UA3AAA");
  EXPECT_EQ(Score("score", "2:20m", "DL1ABC", k20, "599", kPh, ctx), 2);
  EXPECT_EQ(Score("score", "2:20m", "DL1ABC", k40, "599", kPh, ctx), 0);
  EXPECT_EQ(Score("score", "2:cw", "DL1ABC", k160, "599", kCw, ctx), 2);
  EXPECT_EQ(Score("score", "2:cw", "DL1ABC", k160, "599", kRtty, ctx), 0);
  EXPECT_EQ(Score("score", "2:20m cw", "DL1ABC", k20, "599", kCw, ctx), 2);
  EXPECT_EQ(Score("score", "2:20m cw", "DL1ABC", k20, "599", kPh, ctx), 0);
  EXPECT_EQ(Score("score", "2", "", 0, "", Mode::kPsk31, ctx), 2);
  EXPECT_EQ(Score("score", "@@nosuch", "DL1ABC", k20, "599", kCw, ctx), 0);
}

// CQ WW from European Russia: another continent 3, own continent 1, own country by prefix.
TEST(ScoreRule, CountryAndContinentVariants) {
  auto ctx = MakeContext("UA3AAA");
  EXPECT_EQ(Score("scoreancont", "3", "K1ABC", k20, "599 05", kCw, ctx), 3);
  EXPECT_EQ(Score("scoreancont", "3", "DL1ABC", k20, "599 14", kCw, ctx), 0);
  EXPECT_EQ(Score("scoremycont", "1", "DL1ABC", k20, "599 14", kCw, ctx), 1);
  EXPECT_EQ(Score("scoremycont", "1", "JA1ABC", k20, "599 25", kCw, ctx), 0);
  EXPECT_EQ(Score("scorecountry", "1", "RA3XYZ", k20, "599 16", kCw, ctx), 1);
  EXPECT_EQ(Score("scorecountry", "1", "UA0AAA", k20, "599 17", kCw, ctx), 0);
  // Komi (UA9X) lies west of the Urals: European Russia, the own country.
  EXPECT_EQ(Score("scorecountry", "1", "UA9XYZ", k20, "599 16", kCw, ctx), 1);
  // Kaliningrad and Asiatic Russia are their own entries of the world list.
  EXPECT_EQ(Score("scoredxcc", "10##ua,ua2,ua9", "UA2FAA", k20, "", kCw, ctx), 10);
  EXPECT_EQ(Score("scoredxcc", "10##ua,ua2,ua9", "UA9AAA", k20, "", kCw, ctx), 10);
  EXPECT_EQ(Score("scoredxcc", "10##ua,ua2,ua9", "DL1ABC", k20, "", kCw, ctx), 0);
  // Calls that are in no entry pay nothing, not even for "another continent".
  EXPECT_EQ(Score("scoreancont", "3", "0Q0Q", k20, "", kCw, ctx), 0);
  EXPECT_EQ(Score("scoremycont", "1", "", k20, "", kCw, ctx), 0);
}

TEST(ScoreRule, ContinentRulesFollowTheOwnStation) {
  auto ctx = MakeContext("W1AW");
  EXPECT_EQ(Score("scoremycont", "2", "VE3ABC", k20, "", kCw, ctx), 2);
  EXPECT_EQ(Score("scoreancont", "3", "VE3ABC", k20, "", kCw, ctx), 0);
  EXPECT_EQ(Score("scoreancont", "3", "UA3AAA", k20, "", kCw, ctx), 3);
}

// IARU HF: the own exchange is the own ITU zone; HQ stations send an abbreviation.
TEST(ScoreRule, ItuZoneVariants) {
  auto ctx = MakeContext("UA3AAA", "29");
  EXPECT_EQ(Score("scoreitu", "1", "RA3XYZ", k20, "599/29", kCw, ctx), 1);
  EXPECT_EQ(Score("scoreitu", "1", "DL1ABC", k20, "599/28", kCw, ctx), 0);
  EXPECT_EQ(Score("scoreitu", "1", "DA0HQ", k20, "599/DARC", kCw, ctx), 1);
  EXPECT_EQ(Score("scoreanyitu", "3", "DL1ABC", k20, "599/28", kCw, ctx), 3);
  EXPECT_EQ(Score("scoreanyitu", "3", "RA3XYZ", k20, "599/29", kCw, ctx), 0);
  EXPECT_EQ(Score("scoreanyitu", "3", "DA0HQ", k20, "599/DARC", kCw, ctx), 3);
  // Stored with a space (as a log file holds it) the zone follows the space; zones compare
  // as numbers.
  EXPECT_EQ(Score("scoreitu", "1", "DL1ABC", k20, "599 28", kCw, ctx), 0);
  EXPECT_EQ(Score("scoreitu", "1", "RA3XYZ", k20, "599 029", kCw, ctx), 1);
  EXPECT_EQ(Score("scoreanyitu", "3", "DL1ABC", k20, "599 28", kCw, ctx), 3);
  // Only six characters after the "/" are the zone.
  EXPECT_EQ(Score("scoreanyitu", "3", "DL1ABC", k20, "599/000028", kCw, ctx), 3);
  EXPECT_EQ(Score("scoreitu", "1", "DL1ABC", k20, "599/0000288", kCw, ctx), 0);
  // Without a zone in the own exchange the own station's zone from the country file counts
  // (29 for European Russia west of the Urals).
  auto noExchange = MakeContext("UA3AAA");
  EXPECT_EQ(Score("scoreitu", "1", "RA3XYZ", k20, "599/29", kCw, noExchange), 1);
  EXPECT_EQ(Score("scoreanyitu", "3", "RA3XYZ", k20, "599/29", kCw, noExchange), 0);
}

// A final rule ends the search for points when it pays, even with 0 (own country in CQ WW).
// Stations at sea or in the air are in no country and have a rule of their own.
TEST(ScoreRule, FinalRulesAndMaritimeMobiles) {
  auto ctx = MakeContext("DL1AAA");
  auto own = ScoreRule::Make("scorecountry", "0:final");
  ASSERT_NE(own, nullptr);
  bool decided = false;
  EXPECT_EQ(own->Score("DL2BBB", k20, "", kCw, ctx, decided), 0);
  EXPECT_TRUE(decided);
  EXPECT_EQ(own->Score("F5AAA", k20, "", kCw, ctx, decided), 0);
  EXPECT_FALSE(decided);
  EXPECT_EQ(Score("scoremm", "5", "DL2BBB/MM", k20, "", kCw, ctx), 5);
  EXPECT_EQ(Score("scoremm", "5", "DL2BBB/AM", k20, "", kCw, ctx), 5);
  EXPECT_EQ(Score("scoremm", "5", "DL2BBB/M", k20, "", kCw, ctx), 0);
  EXPECT_EQ(Score("scorecountry", "2", "DL2BBB/MM", k20, "", kCw, ctx), 0);
  EXPECT_EQ(Score("scoremycont", "3", "DL2BBB/MM", k20, "", kCw, ctx), 0);
}

// Under the DXCC list a Sicilian station is in Italy: own country for an Italian entrant.
TEST(ScoreRule, OwnCountryUnderTheDxccList) {
  auto ctx = MakeContext("IT9ABC");
  EXPECT_EQ(Score("scorecountry", "2", "I2XYZ", k20, "", kCw, ctx), 0);
  ctx.SetDxccCountries(true);
  EXPECT_EQ(Score("scorecountry", "2", "I2XYZ", k20, "", kCw, ctx), 2);
  EXPECT_EQ(Score("scoredxcc", "10##i", "IT9XYZ", k20, "", kCw, ctx), 10);
}

TEST(ScoreRule, IotaReference) {
  auto ctx = MakeContext("G3ABC");
  EXPECT_EQ(Score("scoreiota", "15", "GM3XYZ", k20, "599/001/EU-005", kCw, ctx), 15);
  EXPECT_EQ(Score("scoreiota", "15", "GM3XYZ", k20, "599/001/E", kCw, ctx), 0);
  EXPECT_EQ(Score("scoreiota", "15", "GM3XYZ", k20, "599/001/", kCw, ctx), 0);
  EXPECT_EQ(Score("scoreiota", "15", "GM3XYZ", k20, "599/EU005", kCw, ctx), 15);
  EXPECT_EQ(Score("scoreiota", "15", "GM3XYZ", k20, "599 001 OC-001", kCw, ctx), 15);
  // A serial, a short word or a wrong group is no island.
  for (const char* rx : {"599/001", "599 001", "599/0012", "599/001/XX-005", "599/001/EU-05",
                         "599/001/EU-000", "599/001/EU-0055", "599/001/EUR005"}) {
    EXPECT_EQ(Score("scoreiota", "15", "GM3XYZ", k20, rx, kCw, ctx), 0) << rx;
  }
}

TEST(ScoreRule, RaemDistance) {
  auto ctx = MakeContext("UA3AAA", "55N37O");
  // 57N 85O from 55N 37O: 2 + 48 degrees.
  EXPECT_EQ(Score("scoreraem", "50", "UA9AAA", k20, "012/57N85O", kCw, ctx), 100);
  // Inside the polar circle: +100.
  EXPECT_EQ(Score("scoreraem", "50", "UA0KAA", k20, "012/69N170O", kCw, ctx), 50 + 14 + 133 + 100);
  // The memorial station: 300 instead of the distance.
  EXPECT_EQ(Score("scoreraem", "50", "RAEM", k20, "001/66N169W", kCw, ctx), 350);
  // Across the equator and the zero meridian the degrees add up.
  EXPECT_EQ(Score("scoreraem", "50", "PY1AA", k20, "5/22S43W", kCw, ctx), 50 + 77 + 80);
  EXPECT_EQ(Score("scoreraem", "50", "UA9AAA", k20, "012 57N85O", kCw, ctx), 100);  // as logged
  EXPECT_EQ(Score("scoreraem", "50", "UA9AAA", k20, "01257N85O", kCw, ctx), 0);
  EXPECT_EQ(Score("scoreraem", "50", "UA9AAA", k20, "012/57N85", kCw, ctx), 0);
  EXPECT_EQ(Score("scoreraem", "50:80m", "UA9AAA", k20, "012/57N85O", kCw, ctx), 0);
}

TEST(RaemCoords, ShortWayAcrossTheDateLine) {
  RaemCoords own{65, 'N', 170, 'O'};
  RaemCoords his{65, 'N', 170, 'W'};
  EXPECT_EQ(RaemDistancePoints(own, his), 20);
  RaemCoords west{65, 'N', 10, 'W'};
  EXPECT_EQ(RaemDistancePoints(own, west), 180);
  EXPECT_FALSE(ParseRaemCoords("57N").has_value());
  EXPECT_FALSE(ParseRaemCoords("N85O").has_value());
  auto c = ParseRaemCoords("33s151o");
  ASSERT_TRUE(c.has_value());
  EXPECT_EQ(c->lat, 33);
  EXPECT_EQ(c->latLetter, 'S');
  EXPECT_EQ(c->lon, 151);
}

}  // namespace
}  // namespace vk
