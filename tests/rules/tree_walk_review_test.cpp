// Walk details checked in review: where the running total that drives the commit starts
// again, and how far the "*" selector looks back.
#include "rules_fixture.h"

namespace vk::test {
namespace {

constexpr std::uint8_t k20m = 4, k40m = 3;
constexpr Mode kCw = Mode::kCw, kPh = Mode::kPhone;

using TreeWalkReview = RulesTest;

// A branch keeps its own running total: a new country before the branch does not make the
// branch's zone rule (outside a 40 m phone QSO) record the zone.
TEST_F(TreeWalkReview, BranchCommitStartsFromItsOwnTotal) {
  ASSERT_TRUE(Load("<multi>dxcc:1</multi>"
                   "<country list=\"DL\"><multi>zonecq:1:20m cw</multi></country>",
                   "DL1ABC")
                  .ok());
  EXPECT_EQ(tree_.GetMulti("K1AR", "599 05", k40m, kPh, true), 1);
  EXPECT_EQ(tree_.GetMulti("W1AW", "599 05", k20m, kCw, true), 1);  // zone 5 still new
}

// A new multiplier inside a branch counts in the list total: a top-level rule after the
// branch records its key even though the QSO is outside that rule.
TEST_F(TreeWalkReview, BranchTotalDrivesLaterTopLevelCommits) {
  ASSERT_TRUE(Load("<country list=\"DL\"><multi>dxcc:1</multi></country>"
                   "<multi>zonecq:1:20m cw</multi>",
                   "DL1ABC")
                  .ok());
  EXPECT_EQ(tree_.GetMulti("K1AR", "599 05", k40m, kPh, true), 1);
  EXPECT_EQ(tree_.GetMulti("W1AW", "599 05", k20m, kCw, true), 0);  // zone 5 was recorded
}

// "*" looks back at every selector of the walk, at any depth: the continent matched, so the
// "*" country is skipped even though the country inside the continent did not match.
TEST_F(TreeWalkReview, StarLooksBackIntoNestedBranches) {
  const char* rules =
      "<continent list=\"EU\"><country list=\"UA\"><score>9</score></country></continent>"
      "<country list=\"*\"><score>4</score></country><score>1</score>";
  ASSERT_TRUE(Load(rules, "DL1ABC").ok());
  EXPECT_EQ(tree_.GetScore("K1AR", "", k20m, kCw), 1);
  tree_.SetOwnCall("K1AR");
  EXPECT_EQ(tree_.GetScore("DL1ABC", "", k20m, kCw), 4);
}

}  // namespace
}  // namespace vk::test
