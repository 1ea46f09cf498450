// Scoring QSOs against their log: dupes at zero, and a whole log scored again after a
// correction giving exactly what typing the corrected log in order would have given.  CQ WW CW
// from Germany with the real world country file.
#include "rules/log_scoring.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "country/country.h"
#include "rules/contest_list.h"
#include "rules/rules_loader.h"
#include "score/repeat.h"
#include "util/bands.h"

namespace vk {
namespace {

constexpr std::uint8_t B40 = 3, B20 = 4, B15 = 5;
constexpr Mode CW = Mode::kCw, PH = Mode::kPhone;

class LogScoring : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    lists_ = new CountryLists{CountryList::FromFile(VORKAN_SYSTEM_CTY), CountryList{}};
  }
  static void TearDownTestSuite() { delete lists_; }

  void SetUp() override {
    ASSERT_FALSE(lists_->world.Empty());
    tree_.SetCountryLists(lists_);
    tree_.SetLog(&log_);
    ASSERT_TRUE(tree_.SetOwnCall("DL1ABC"));
    ASSERT_TRUE(LoadContest(tree_, ContestList::Build(VORKAN_SOURCE_DIR "/data"), "CQ-WW-CW"));
    totals_.SetFormula(tree_.Settings().scoreTotal);
  }

  static QsoRecord Qso(const char* call, const char* rx, std::uint8_t band, int minute,
                       Mode mode = CW) {
    QsoRecord q;
    q.Stamp.year = 2026;
    q.Stamp.month = 11;
    q.Stamp.day = static_cast<std::uint16_t>(28 + minute / 1440);
    q.Stamp.hour = static_cast<std::uint16_t>(minute % 1440 / 60);
    q.Stamp.minute = static_cast<std::uint16_t>(minute % 60);
    q.Freq = DefaultFreqOfBand(band);
    q.Mode = mode;
    q.Call = call;
    q.Sent = "599 14";
    q.Rcvd = rx;
    return q;
  }

  // What the entry window does: score against the log so far, then append.
  QsoFigures Log(QsoRecord q) {
    const QsoFigures f = ScoreNewQso(tree_, log_, q);
    SetFigures(q, f);
    EXPECT_TRUE(log_.Append(q));
    return f;
  }

  RescoreStats Rescore() { return RescoreLog(log_, tree_, totals_); }

  static CountryLists* lists_;
  TTreeRules tree_;
  TLogCollection log_;
  BandTotals totals_;
};

CountryLists* LogScoring::lists_ = nullptr;

TEST_F(LogScoring, ARepeatLoggedAnywayScoresNothingAndRecordsNoMultiplier) {
  EXPECT_EQ(Log(Qso("K1AA", "599 5", B20, 0)).multi, 2);  // zone 5 and USA, 3 points
  const QsoFigures dupe = Log(Qso("K1AA", "599 5", B20, 1));
  EXPECT_TRUE(dupe.dupe);
  EXPECT_EQ(dupe.score + dupe.multi + dupe.bonus, 0);
  // A dupe with a zone never worked brings nothing: the zone stays new for the next QSO.
  EXPECT_TRUE(Log(Qso("K1AA", "599 4", B20, 2)).dupe);
  EXPECT_EQ(Log(Qso("W0AA", "599 4", B20, 3)).multi, 1);
  const QsoFigures other = Log(Qso("K1AA", "599 5", B40, 4));  // another band counts
  EXPECT_FALSE(other.dupe);
  EXPECT_EQ(other.score, 3);
  EXPECT_EQ(QsoScoreText(*log_.At(1)), "DUP");
  // Scoring the log again gives the same: dupes are kept in the log at zero.
  const RescoreStats r = Rescore();
  EXPECT_EQ(r.dupes, 2);
  EXPECT_EQ(r.changed, 0);
  EXPECT_EQ(totals_.Row(B20).qsos, 4);
  EXPECT_EQ(totals_.Row(B20).points, 6u);
  EXPECT_EQ(totals_.Sum(BandQuantity::kMulti), 5u);
}

TEST_F(LogScoring, ADeletedQsoHandsItsMultiplierToTheNextQsoThatBringsIt) {
  Log(Qso("K1AA", "599 5", B20, 0));
  Log(Qso("K1BB", "599 5", B20, 1));
  Log(Qso("K1BB", "599 5", B20, 2));  // a dupe of the second
  ASSERT_TRUE(log_.Delete(1));        // the QSO the dupe repeated is gone
  Rescore();
  EXPECT_FALSE(log_.At(1)->Dupe);  // so the former dupe counts, with nothing new
  EXPECT_EQ(log_.At(1)->Multi, 0);
  ASSERT_TRUE(log_.Delete(0));
  Rescore();
  EXPECT_EQ(log_.At(0)->Multi, 2);  // zone 5 and USA still on the window
  EXPECT_EQ(totals_.Sum(BandQuantity::kMulti), 2u);
  EXPECT_EQ(tree_.GetMulti("K2CC", "599 5", B20, CW, false), 0);
}

TEST_F(LogScoring, ABandCorrectionTakesTheMultiplierToTheNewBand) {
  Log(Qso("K1AA", "599 5", B20, 0));
  log_.SetFreq(0, DefaultFreqOfBand(B15));
  log_.CalcCrc(0);
  Rescore();
  EXPECT_EQ(totals_.Row(B20).multi, 0u);
  EXPECT_EQ(totals_.Row(B15).multi, 2u);
  EXPECT_EQ(tree_.GetMulti("K2CC", "599 5", B20, CW, false), 2);  // free again on 20 m
}

TEST_F(LogScoring, AForeignLogGetsTheRulesFiguresAndMatchingChecksums) {
  QsoRecord q = Qso("JA1AA", "599 25", B20, 0);
  q.Score = 9;  // another program's (or an old rules file's) figures
  ASSERT_TRUE(log_.Append(q));
  ASSERT_TRUE(log_.Append(Qso("DL2AA", "599 14", B20, 1)));  // own country: a multiplier
  const RescoreStats r = Rescore();
  EXPECT_EQ(r.changed, 2);
  EXPECT_EQ(log_.At(0)->Score, 3);
  EXPECT_EQ(log_.At(0)->Multi, 2);
  // Sums as if the rescored records had been appended to an empty log.
  TLogCollection fresh;
  for (const QsoRecord& rec : log_) fresh.Append(rec);
  EXPECT_EQ(fresh.LogCrc(), log_.LogCrc());
  EXPECT_EQ(fresh.At(1)->Crc, log_.At(1)->Crc);
}

// Scoring the finished log in one pass must give what the QSOs got one by one, for every
// repeat rule: the one-pass search by call and the entry window's search of the log agree.
TEST_F(LogScoring, OnePassScoringEqualsLoggingOneByOneUnderEveryRepeatRule) {
  const char* calls[] = {"K1AA", "W6AA", "JA1AA", "VK2AA", "G4AA", "UA9AA", "PY1AA", "ZS6AA"};
  const char* zones[] = {"599 5",  "599 3",  "599 25", "599 30",
                         "599 14", "599 17", "599 11", "599 38"};
  RepeatSettings& rep = tree_.Settings().repeat;
  for (std::uint8_t mode = kRepeatBand; mode <= kRepeatEveryQso; ++mode) {
    SCOPED_TRACE(static_cast<int>(mode));
    rep.mode = mode;
    rep.param = 20;
    rep.ResetPeriods();
    rep.AddPeriod(0.0, 0.5);
    rep.AddPeriod(0.5, 1.0);
    log_.Clear();
    tree_.ResetTallies();
    std::mt19937 rng(mode);
    std::vector<QsoFigures> oneByOne;
    for (int i = 0; i < 300; ++i) {
      const int c = static_cast<int>(rng() % 8);
      const std::uint8_t band = static_cast<std::uint8_t>(B40 + rng() % 3);
      oneByOne.push_back(Log(Qso(calls[c], zones[c], band, i * 7, rng() % 4 ? CW : PH)));
    }
    Rescore();
    int dupes = 0;
    for (int i = 0; i < log_.Count(); ++i) {
      const QsoRecord& q = *log_.At(i);
      dupes += q.Dupe;
      ASSERT_EQ(q.Dupe, oneByOne[i].dupe) << i;
      ASSERT_EQ(q.Multi, oneByOne[i].multi) << i;
      ASSERT_EQ(q.Score, oneByOne[i].score) << i;
    }
    EXPECT_GT(dupes, 0);
    EXPECT_LT(dupes, 300);
  }
}

TEST_F(LogScoring, ADupeDoesNotRestartTheWaitOfAnAgainAfterMinutesRule) {
  tree_.Settings().repeat.mode = kRepeatEveryTime;
  tree_.Settings().repeat.param = 30;
  Log(Qso("K1AA", "599 5", B20, 0));
  EXPECT_TRUE(Log(Qso("K1AA", "599 5", B20, 10)).dupe);
  EXPECT_FALSE(Log(Qso("K1AA", "599 5", B20, 31)).dupe);
}

}  // namespace
}  // namespace vk
