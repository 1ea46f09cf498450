#include "score/computed_score.h"

#include <gtest/gtest.h>

#include "score/score_rule.h"
#include "score_fixture.h"

namespace vk {
namespace {

using test::MakeContext;
using test::RussianCallInBlock;

constexpr Mode kCw = Mode::kCw, kPh = Mode::kPhone, kFm = Mode::kFm;

std::int16_t Computed(std::string_view value, std::string_view call, std::string_view rx, Mode mode,
                      ScoreContext& ctx) {
  auto rule = ScoreRule::Make("score", value);
  return rule->Score(call, 4, rx, mode, ctx);
}

TEST(RussianZone, EntryNumberBlocks) {
  struct Case {
    int entry, zone;
  } cases[] = {{0, 0},  {4, 0},  {5, 1},  {13, 1}, {58, 1}, {14, 2}, {55, 2}, {56, 3},
               {70, 3}, {61, 4}, {85, 4}, {81, 5}, {87, 5}, {74, 6}, {82, 6}, {77, 7},
               {86, 7}, {88, 0}, {1, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(RussianZoneOfEntry(static_cast<std::uint16_t>(c.entry)), c.zone) << c.entry;
  }
}

TEST(ZoneTables, SymmetricAndBounded) {
  EXPECT_EQ(ZoneTableA(1, 7), 25);
  EXPECT_EQ(ZoneTableA(7, 1), 25);
  EXPECT_EQ(ZoneTableA(3, 5), 14);
  EXPECT_EQ(ZoneTableA(0, 3), 0);
  EXPECT_EQ(ZoneTableA(3, 8), 0);
  EXPECT_EQ(ZoneTableB(2, 6), 14);
  EXPECT_EQ(ZoneTableB(7, 7), 10);
  EXPECT_EQ(ZoneTableB(-1, 1), 0);
}

// Own zone from the own exchange, the other zone from the worked call's Russian entry.
TEST(ComputedScore, ChampionshipTableA) {
  auto ctx = MakeContext("UA3AAA", "3");
  EXPECT_EQ(Computed("@@chmprftable", RussianCallInBlock(77), "7001", kCw, ctx), 21);
  EXPECT_EQ(Computed("@@chmprftable", RussianCallInBlock(20), "2001", kCw, ctx), 12);
  EXPECT_EQ(Computed("@@chmprftable", "DL1ABC", "599", kCw, ctx), 0);
  // Without an own exchange the own call's Russian zone counts.
  ScoreContext own = MakeContext("UA3AAA");
  own.SetOwnStation(RussianCallInBlock(5), CountryInfo{});
  EXPECT_EQ(Computed("@@chmprftable", RussianCallInBlock(86), "7", kCw, own), 25);
  // An own exchange that is not a zone gives nothing.
  ctx.SetOwnExchange("x");
  EXPECT_EQ(Computed("@@chmprftable", RussianCallInBlock(77), "7001", kCw, ctx), 0);
}

TEST(ComputedScore, ChampionshipTableB) {
  auto ctx = MakeContext("UA3AAA", "2");
  EXPECT_EQ(Computed("@@chmpesfetable", "RA6AA", "6015", kCw, ctx), 14);
  EXPECT_EQ(Computed("@@chmpesfetable", "RA6AA", "9015", kCw, ctx), 0);
  EXPECT_EQ(Computed("@@chmpesfetable", "RA6AA", "", kCw, ctx), 0);
}

TEST(ComputedScore, RfCupSteps) {
  EXPECT_EQ(RfCupPoints(0), 0);
  EXPECT_EQ(RfCupPoints(1), 31);
  EXPECT_EQ(RfCupPoints(1000), 31);
  EXPECT_EQ(RfCupPoints(1001), 35);
  EXPECT_EQ(RfCupPoints(3000), 38);
  EXPECT_EQ(RfCupPoints(6001), 57);
  EXPECT_EQ(RfCupPoints(7000), 57);
  EXPECT_EQ(RfCupPoints(7001), 62);
  EXPECT_EQ(RfCupPoints(20000), 62);
}

// Moscow KO85 to a few squares; the own square is the own exchange.
TEST(ComputedScore, RfCupByLocator) {
  auto ctx = MakeContext("UA3AAA", "KO85");
  EXPECT_EQ(Computed("@@rfcup", "UA3AAA", "599/KO85", kCw, ctx), 0);     // 0 km
  EXPECT_EQ(Computed("@@rfcup", "UA3AAA", "599/KO95", kCw, ctx), 31);    // 128 km
  EXPECT_EQ(Computed("@@rfcup", "DL1ABC", "599/JO21", kCw, ctx), 38);    // 2167 km
  EXPECT_EQ(Computed("@@rfcup", "UA0AAA", "599/PN53", kCw, ctx), 57);    // 6454 km
  EXPECT_EQ(Computed("@@rfcup", "UA3AAA", "599 KO95", kCw, ctx), 31);    // as the log keeps it
  EXPECT_EQ(Computed("@@rfcup", "UA3AAA", "599KO95", kCw, ctx), 0);      // no separator
  EXPECT_EQ(Computed("@@rfcup", "UA3AAA", "599/K995", kCw, ctx), 0);     // not a locator
  ctx.SetOwnExchange("");
  EXPECT_EQ(Computed("@@rfcup", "UA3AAA", "599/KO95", kCw, ctx), 0);
}

// Region numbers: area digit and two-digit district; the received exchange ends in a serial.
TEST(ComputedScore, AsianChampionship) {
  auto ctx = MakeContext("UN7AAA", "305");
  EXPECT_EQ(Computed("@@aschamp", "UN9LAA", "512001", kCw, ctx), 2 + 7 + 10);
  EXPECT_EQ(Computed("@@aschamp", "UN9LAA", "5/12001", kPh, ctx), 2 + 7 + 5);
  EXPECT_EQ(Computed("@@aschamp", "UN9LAA", "512001", kFm, ctx), 0);
  EXPECT_EQ(Computed("@@aschamp", "UN9LAA", "512001", Mode::kRtty, ctx), 0);
  // Letters count as 0: "A12" is area 0.
  EXPECT_EQ(Computed("@@aschamp", "UN9LAA", "A12001", kCw, ctx), 3 + 7 + 10);
  EXPECT_EQ(Computed("@@aschamp", "UN9LAA", "", kCw, ctx), 3 + 5 + 10);
}

}  // namespace
}  // namespace vk
