// The walks of the rule tree over points, multipliers and bonuses, with real calls against the
// system's world country file.
#include "rules_fixture.h"

namespace vk::test {
namespace {

constexpr std::uint8_t k20m = 4, k40m = 3, k15m = 5;
constexpr Mode kCw = Mode::kCw, kPh = Mode::kPhone;

using TreeWalk = RulesTest;

TEST_F(TreeWalk, EmptyTreeAnswersNothing) {
  EXPECT_EQ(tree_.GetScore("K1AR", "599 05", k20m, kCw), 0);
  EXPECT_EQ(tree_.GetMulti("K1AR", "599 05", k20m, kCw, true), 0);
  EXPECT_EQ(tree_.GetBonus("K1AR", "599 05", k20m, kCw, true), 0);
  EXPECT_EQ(tree_.GetTxNr("K1AR"), "");
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "");
}

TEST_F(TreeWalk, FirstNonZeroScoreRuleDecides) {
  // 0 on 15 m, so the walk goes on to the plain 2; on 20 m the 3 wins and 2 is never added.
  ASSERT_TRUE(Load("<score>3:20m</score><score>2</score>").ok());
  EXPECT_EQ(tree_.GetScore("K1AR", "", k20m, kCw), 3);
  EXPECT_EQ(tree_.GetScore("K1AR", "", k15m, kCw), 2);
}

TEST_F(TreeWalk, ScoreConditionsByBandModeOrNone) {
  ASSERT_TRUE(Load("<score>2:20m</score><score>5:cw</score><score>1</score>").ok());
  EXPECT_EQ(tree_.GetScore("K1AR", "", k20m, kPh), 2);  // every mode on 20 m
  EXPECT_EQ(tree_.GetScore("K1AR", "", k40m, kCw), 5);  // every band in CW
  EXPECT_EQ(tree_.GetScore("K1AR", "", k40m, kPh), 1);  // no condition: everything
}

TEST_F(TreeWalk, UnreadablePointsShowAs65535) {
  ASSERT_TRUE(Load("<score>lots</score>").ok());
  EXPECT_EQ(tree_.GetScore("K1AR", "", k20m, kCw), 65535);
}

// The CQ WW layout: North Americans get 2 inside NA; everybody 3 for another continent and 1
// for the own continent.  Selectors look at the OWN station.
constexpr const char* kCqwwScoring =
    "<continent list=\"NA\"><scoremycont>2</scoremycont></continent>"
    "<scoreancont>3</scoreancont><scoremycont>1</scoremycont>";

TEST_F(TreeWalk, ContinentSelectorChoosesByOwnStation) {
  ASSERT_TRUE(Load(kCqwwScoring, "K1AR").ok());
  EXPECT_EQ(tree_.GetScore("VE3EJ", "599 04", k20m, kCw), 2);
  EXPECT_EQ(tree_.GetScore("DL1ABC", "599 14", k20m, kCw), 3);
}

TEST_F(TreeWalk, ContinentSelectorSkippedForOtherContinents) {
  ASSERT_TRUE(Load(kCqwwScoring, "DL1ABC").ok());
  EXPECT_EQ(tree_.GetScore("VE3EJ", "599 04", k20m, kCw), 3);
  EXPECT_EQ(tree_.GetScore("9A1A", "599 15", k20m, kCw), 1);
}

constexpr const char* kOtherwise =
    "<country list=\"DL\"><score>7</score></country>"
    "<country list=\"*\"><score>4</score></country>";

TEST_F(TreeWalk, StarSelectorOnlyWhenNoEarlierSelectorMatched) {
  ASSERT_TRUE(Load(kOtherwise, "DL1ABC").ok());
  EXPECT_EQ(tree_.GetScore("K1AR", "", k20m, kCw), 7);
}

TEST_F(TreeWalk, StarSelectorTakesEveryOtherOwnCountry) {
  ASSERT_TRUE(Load(kOtherwise, "K1AR").ok());
  EXPECT_EQ(tree_.GetScore("DL1ABC", "", k20m, kCw), 4);
}

TEST_F(TreeWalk, StarSelectorStaysOffWhenMatchedBranchGaveNothing) {
  // The DL branch matches but pays 0 on 40 m; "*" must still stay out of it.
  ASSERT_TRUE(Load("<country list=\"UA9,DL\"><score>7:20m</score></country>"
                   "<country list=\"*\"><score>4</score></country>",
                   "DL1ABC")
                  .ok());
  EXPECT_EQ(tree_.GetScore("K1AR", "", k40m, kCw), 0);
}

TEST_F(TreeWalk, SelectorListItemsAreExact) {
  // " DL" with a space and "dl" in lower case name no country: the file is taken literally.
  ASSERT_TRUE(Load("<country list=\"UA, DL,dl\"><score>7</score></country><score>1</score>",
                   "DL1ABC")
                  .ok());
  EXPECT_EQ(tree_.GetScore("K1AR", "", k20m, kCw), 1);
}

TEST_F(TreeWalk, MemberSelectorChangesNothing) {
  ASSERT_TRUE(Load("<member list=\"club\"/><score>2</score>").ok());
  EXPECT_EQ(tree_.GetScore("K1AR", "", k20m, kCw), 2);
}

TEST_F(TreeWalk, NestedSelectors) {
  ASSERT_TRUE(Load("<continent list=\"EU\"><country list=\"UA\"><score>9</score></country>"
                   "<score>5</score></continent><score>1</score>",
                   "RA3AUU")
                  .ok());
  EXPECT_EQ(tree_.GetScore("K1AR", "", k20m, kCw), 9);
  tree_.SetOwnCall("DL1ABC");
  EXPECT_EQ(tree_.GetScore("K1AR", "", k20m, kCw), 5);
}

TEST_F(TreeWalk, EveryBandCountsACountryOncePerBand) {
  ASSERT_TRUE(Load("<multi>dxcc:1:everyband</multi>").ok());
  EXPECT_EQ(tree_.GetMulti("K1AR", "599 05", k20m, kCw, true), 1);
  EXPECT_EQ(tree_.GetMulti("W1AW", "599 05", k20m, kCw, true), 0);  // same country, same band
  EXPECT_EQ(tree_.GetMulti("W1AW", "599 05", k40m, kCw, true), 1);
}

TEST_F(TreeWalk, AskingWithoutCommitRecordsNothing) {
  ASSERT_TRUE(Load("<multi>dxcc:1:everyband</multi>").ok());
  EXPECT_EQ(tree_.GetMulti("K1AR", "599 05", k20m, kCw, false), 1);
  EXPECT_EQ(tree_.GetMulti("K1AR", "599 05", k20m, kCw, false), 1);
  EXPECT_EQ(tree_.GetMulti("K1AR", "599 05", k20m, kCw, true), 1);
  EXPECT_EQ(tree_.GetMulti("K1AR", "599 05", k20m, kCw, false), 0);
}

TEST_F(TreeWalk, EveryMultiplierRuleIsAskedAndAddsUp) {
  ASSERT_TRUE(Load("<multi>zonecq:1:everyband</multi><multi>dxcc:1:everyband</multi>").ok());
  EXPECT_EQ(tree_.GetMulti("K1AR", "599 05", k20m, kCw, true), 2);
  EXPECT_EQ(tree_.GetMulti("VE3EJ", "599 05", k20m, kCw, true), 1);  // new country only
}

// The commit follows the running total of the list, not the rule's own answer.  A rule for
// 20 m CW is outside a 40 m phone QSO; when an earlier rule has brought a multiplier it still
// records the zone, so the zone is no longer new on 20 m CW.
TEST_F(TreeWalk, CommitFollowsRunningTotal) {
  ASSERT_TRUE(Load("<multi>dxcc:1</multi><multi>zonecq:1:20m cw</multi>").ok());
  EXPECT_EQ(tree_.GetMulti("K1AR", "599 05", k40m, kPh, true), 1);
  EXPECT_EQ(tree_.GetMulti("K1AR", "599 05", k20m, kCw, true), 0);
}

TEST_F(TreeWalk, CommitBeforeAnyNewMultiplierRecordsNothing) {
  ASSERT_TRUE(Load("<multi>zonecq:1:20m cw</multi><multi>dxcc:1</multi>").ok());
  EXPECT_EQ(tree_.GetMulti("K1AR", "599 05", k40m, kPh, true), 1);
  EXPECT_EQ(tree_.GetMulti("W1AW", "599 05", k20m, kCw, true), 1);  // the zone is still new
}

TEST_F(TreeWalk, MultipliersInsideSelectorBranches) {
  ASSERT_TRUE(Load("<country list=\"DL\"><multi>dxcc:1</multi></country>"
                   "<country list=\"*\"><multi>zonecq:2</multi></country>",
                   "DL1ABC")
                  .ok());
  EXPECT_EQ(tree_.GetMulti("K1AR", "599 05", k20m, kCw, true), 1);
  EXPECT_EQ(tree_.GetMulti("W1AW", "599 05", k20m, kCw, true), 0);
  tree_.SetOwnCall("K1AR");
  EXPECT_EQ(tree_.GetMulti("DL1ABC", "599 14", k20m, kCw, true), 2);
}

TEST_F(TreeWalk, BonusWalkAsksOnlyBonusRules) {
  ASSERT_TRUE(Load("<multi>dxcc:1</multi><bonus>newcall:5</bonus><score>1</score>").ok());
  EXPECT_EQ(tree_.GetBonus("K1AR", "599 05", k20m, kCw, true), 5);
  EXPECT_EQ(tree_.GetBonus("K1AR", "599 05", k40m, kCw, true), 0);
  EXPECT_EQ(tree_.GetMulti("K1AR", "599 05", k20m, kCw, true), 1);  // untouched by GetBonus
}

TEST_F(TreeWalk, MultiTraceLinesOnlyWhileTracing) {
  ASSERT_TRUE(Load("<score>1</score><country list=\"DL\"><multi>dxcc:1</multi></country>"
                   "<multi>zonecq:1</multi>")
                  .ok());
  auto before = JournalLines().size();
  tree_.GetMulti("K1AR", "599 05", k20m, kCw, false);
  EXPECT_EQ(JournalLines().size(), before);

  journal_.SetTracing(true);
  tree_.GetMulti("K1AR", "599 05", k20m, kCw, false);
  auto lines = JournalLines();
  std::vector<std::string> trace(lines.begin() + static_cast<long>(before), lines.end());
  EXPECT_EQ(trace, (std::vector<std::string>{
                       "TTreeRules.GetMulti: start function", "WHO->4", "WHO->3",
                       "Children.WHC->5", "WHO->5", "TTreeRules.GetMulti:2",
                       "TreeRules.GetMulti:W=2"}));
}

}  // namespace
}  // namespace vk::test
