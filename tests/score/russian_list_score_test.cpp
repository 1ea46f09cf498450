// Scoring against the Russian region list that ships with the program (data/cty_rus.dat):
// oblast multipliers from the call and the championship zone table.
#include <gtest/gtest.h>

#include "score/multi_rule.h"
#include "score/score_rule.h"
#include "score_fixture.h"

namespace vk {
namespace {

class RussianListTest : public ::testing::Test {
 protected:
  static const CountryList& Russian() {
    static const CountryList list =
        CountryList::FromFile(std::string(VORKAN_SOURCE_DIR) + "/data/cty_rus.dat");
    return list;
  }
  void SetUp() override {
    if (Russian().Empty()) GTEST_SKIP() << "no data/cty_rus.dat";
    ctx_.SetLists(&test::WorldList(), &Russian());
  }
  ScoreContext ctx_;
};

// RDXC oblast multiplier by the call: Moscow RA3A, Kaliningrad RA2, Kamchatka RA0Z.
TEST_F(RussianListTest, OblastKeysFromCalls) {
  ctx_.SetOwnCall("DL1ABC");
  auto r = MultiRule::Make(5, "rfobl:1:everyband", "");
  for (auto [call, key] : {std::pair{"RA3AAA", "MA"}, {"UA2FAA", "KA"}, {"RA0ZZ", "KT"},
                           {"R9CA", "SV"}}) {
    EXPECT_EQ(r->IsNew(call, "599 001", 4, Mode::kCw, ctx_), 1) << call;
    r->Add(call, "599 001", 4, Mode::kCw, ctx_);
    EXPECT_TRUE(r->Keys(4, Mode::kCw)->Contains(key)) << call;
  }
  EXPECT_EQ(r->IsNew("RV3AZ", "599 001", 4, Mode::kCw, ctx_), 0);   // Moscow again
  EXPECT_EQ(r->IsNew("DL1ABC", "599 001", 4, Mode::kCw, ctx_), 0);  // not Russian: no key
}

// Russian HF championship from Moscow (zone 2): the other zone comes from the call.
TEST_F(RussianListTest, ChampionshipZonesFromCalls) {
  ctx_.SetOwnCall("RA3AAA");
  auto rule = ScoreRule::Make("score", "@@chmprftable");
  EXPECT_EQ(rule->Score("RA3XYZ", 3, "2001", Mode::kCw, ctx_), 11);  // zone 2 to zone 2
  EXPECT_EQ(rule->Score("RA0ZZ", 3, "7001", Mode::kCw, ctx_), 23);   // zone 2 to zone 7
  EXPECT_EQ(rule->Score("RA0LA", 3, "6001", Mode::kCw, ctx_), 19);   // zone 2 to zone 6
  EXPECT_EQ(rule->Score("DL1ABC", 3, "599", Mode::kCw, ctx_), 0);
  // The own exchange, when set, is the own zone.
  ctx_.SetOwnExchange("7");
  EXPECT_EQ(rule->Score("RA3XYZ", 3, "2001", Mode::kCw, ctx_), 23);
}

}  // namespace
}  // namespace vk
