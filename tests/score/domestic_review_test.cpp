// The domestic test with region lists of contest size: which entry a text names when several
// occur in it, and which recorded entries stop a new multiplier.
#include <gtest/gtest.h>

#include "score/multi_rule.h"
#include "score_fixture.h"

namespace vk {
namespace {

constexpr std::uint8_t k20 = 4;
constexpr Mode kCw = Mode::kCw;

TEST(DomesticReview, FirstEntryInListOrderWins) {
  ScoreContext ctx;
  for (auto e : {"PB", "SP", "MA", "PB"}) ctx.AddDomestic(e);
  // "SP" stands first in the text, "PB" first in the list: the list decides.
  const std::string* found = MultiRule::FindDomestic("599SPB", ctx);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found, &ctx.Domestic()[0]);
  EXPECT_EQ(MultiRule::FindDomestic("MA", ctx), &ctx.Domestic()[2]);
  EXPECT_EQ(MultiRule::FindDomestic("M", ctx), nullptr);
  EXPECT_EQ(MultiRule::FindDomestic("", ctx), nullptr);
}

TEST(DomesticReview, EntriesOfSeveralLengths) {
  ScoreContext ctx;
  for (auto e : {"RAC", "AC", "DARC", "R1"}) ctx.AddDomestic(e);
  EXPECT_EQ(*MultiRule::FindDomestic("599RAC", ctx), "RAC");
  EXPECT_EQ(*MultiRule::FindDomestic("AC", ctx), "AC");
  EXPECT_EQ(*MultiRule::FindDomestic("XDARCX", ctx), "DARC");
  EXPECT_EQ(*MultiRule::FindDomestic("R1 AC", ctx), "AC");  // AC is listed before R1
  // Entries added by a later contest load are found as well.
  ctx.AddDomestic("LABRE");
  EXPECT_EQ(*MultiRule::FindDomestic("599LABRE", ctx), "LABRE");
}

// The RDA list: about ten thousand districts; a worked district stops itself and nothing else.
TEST(DomesticReview, ContestSizedListAndRecordedEntries) {
  ScoreContext ctx = test::MakeContext("RA3AAA");
  for (char a = 'A'; a <= 'Z'; ++a) {
    for (char b = 'A'; b <= 'Z'; b += 2) {
      for (int n = 1; n <= 30; ++n) {
        std::string e{a, b};
        e += (n < 10 ? "0" : "") + std::to_string(n);
        ctx.AddDomestic(e);
      }
    }
  }
  auto rule = MultiRule::Make(5, "domestic:1", "RDA");
  ASSERT_NE(rule, nullptr);
  auto log = [&](std::string_view rx) {
    int w = rule->IsNew("RA3AAA", rx, k20, kCw, ctx);
    if (w != 0) rule->Add("RA3AAA", rx, k20, kCw, ctx);
    return w;
  };
  EXPECT_EQ(log("599/ZY30"), 1);
  EXPECT_EQ(log("599/ZY30"), 0);
  EXPECT_EQ(log("599/MA01"), 1);
  EXPECT_EQ(log("599/MA02"), 1);
  EXPECT_EQ(log("599/MA31"), 0);  // no such district
  EXPECT_EQ(log("599/XMA01X"), 0);  // a worked district inside a longer text
  EXPECT_TRUE(rule->Keys(k20, kCw)->Contains("ZY30"));
  EXPECT_EQ(rule->Keys(k20, kCw)->Size(), 3u);
}

TEST(DomesticReview, KeyListFindsKeysOfEveryLengthInsideAText) {
  KeyList keys;
  for (auto k : {"AC", "DARC", "R1"}) keys.Insert(k);
  EXPECT_TRUE(keys.AnyInside("599RAC"));
  EXPECT_TRUE(keys.AnyInside("DARC"));
  EXPECT_TRUE(keys.AnyInside("XR1"));
  EXPECT_FALSE(keys.AnyInside("DAR"));
  EXPECT_FALSE(keys.AnyInside(""));
  EXPECT_FALSE(KeyList{}.AnyInside("AC"));
  KeyList withEmpty;
  withEmpty.Insert("");
  EXPECT_TRUE(withEmpty.AnyInside("anything"));
}

}  // namespace
}  // namespace vk
