// The fixture of the shipped-contest tests: a contest loaded from the repository's data/ with
// the real world country file and the Russian list, and a scripted log played through it as
// the entry window plays it (repeat check, points, multipliers, bonus, log, band totals).
#pragma once

#include <gtest/gtest.h>

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

namespace vk::shipped {

constexpr std::uint8_t B160 = 1, B80 = 2, B40 = 3, B20 = 4, B15 = 5, B10 = 6, B2M = 7;
constexpr Mode CW = Mode::kCw, PH = Mode::kPhone, FM = Mode::kFm;

// Minutes from 00:00 UTC of the first contest day.
constexpr int At(int hour, int minute, int day = 0) {
  return day * 1440 + hour * 60 + minute;
}

struct Step {
  int at;
  const char* call;
  const char* rx;  // as typed, "/" between the fields
  std::uint8_t band;
  Mode mode;
  int points, multi, bonus;
  int repeatOf = 0;  // non-zero: a repeat of the QSO at this log position (1-based), not logged
};

struct Claim {
  std::uint32_t points, multi, bonus, total;
  friend bool operator==(const Claim&, const Claim&) = default;
};

inline std::ostream& operator<<(std::ostream& os, const Claim& c) {
  return os << "{points " << c.points << ", multi " << c.multi << ", bonus " << c.bonus
            << ", total " << c.total << "}";
}

class ShippedContest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    lists_ = new CountryLists{CountryList::FromFile(VORKAN_SYSTEM_CTY),
                              CountryList::FromFile(VORKAN_SOURCE_DIR "/data/cty_rus.dat")};
  }
  static void TearDownTestSuite() {
    delete lists_;
    lists_ = nullptr;
  }

  void Load(const char* contest, const char* ownCall, const char* ownExchange = "") {
    ASSERT_FALSE(lists_->world.Empty());
    tree_.SetCountryLists(lists_);
    tree_.SetLog(&log_);
    ASSERT_TRUE(tree_.SetOwnCall(ownCall)) << ownCall;
    tree_.SetOwnExchange(ownExchange);
    Status s = LoadContest(tree_, list_, contest);
    ASSERT_TRUE(s.ok()) << contest << ": " << s.message << " " << s.file << ":" << s.line;
    ASSERT_FALSE(tree_.Nodes().empty()) << contest;
    totals_.SetFormula(tree_.Settings().scoreTotal);
  }

  // Scores the steps as the entry window does: repeat check, then points, multipliers and
  // bonus with commit, then the QSO goes into the log and the band totals.
  void Play(const std::vector<Step>& steps) {
    for (const Step& st : steps) {
      SCOPED_TRACE(std::string(st.call) + " " + st.rx);
      const std::int32_t freq = DefaultFreqOfBand(st.band);
      const DateTime when = Stamp(st.at);
      RepeatResult rep = CheckRepeat(log_, tree_.Settings().repeat, st.call, freq, st.mode, when);
      EXPECT_FALSE(rep.invalidRule);
      EXPECT_EQ(rep.position, st.repeatOf);
      if (st.repeatOf != 0) continue;
      tree_.SetCurrentMode(st.mode);
      QsoRecord q;
      q.Stamp = when;
      q.Freq = freq;
      q.Mode = st.mode;
      q.Call = st.call;
      q.Sent = tree_.GetTxNr(tree_.OwnCall());
      q.Rcvd = tree_.CorrectRxNr(st.rx);
      const int points = tree_.GetScore(st.call, st.rx, st.band, st.mode);
      const int multi = tree_.GetMulti(st.call, st.rx, st.band, st.mode, true);
      const int bonus = tree_.GetBonus(st.call, st.rx, st.band, st.mode, true);
      EXPECT_EQ(points, st.points);
      EXPECT_EQ(multi, st.multi);
      EXPECT_EQ(bonus, st.bonus);
      q.Score = static_cast<std::int16_t>(points);
      q.Multi = static_cast<std::int16_t>(multi);
      q.Bonus = static_cast<std::int16_t>(bonus);
      ASSERT_TRUE(log_.Append(q));
      totals_.Add(st.band, static_cast<std::uint16_t>(points), static_cast<std::uint16_t>(multi),
                  static_cast<std::uint16_t>(bonus));
    }
  }

  // A QSO that sent `sent`, as the last of the log: the next serial is read back from it.
  void AppendSent(const char* sent) {
    QsoRecord q;
    q.Stamp = Stamp(At(23, 0));
    q.Freq = DefaultFreqOfBand(B20);
    q.Mode = CW;
    q.Call = "ZZ9ZZZ";
    q.Sent = sent;
    ASSERT_TRUE(log_.Append(q));
  }

  Claim Claimed() const {
    return {totals_.Sum(BandQuantity::kPoints), totals_.Sum(BandQuantity::kMulti),
            totals_.Sum(BandQuantity::kBonus), totals_.Claimed()};
  }

  static DateTime Stamp(int minutes) {
    DateTime t;
    t.year = 2024;
    t.month = 3;
    t.day = static_cast<std::uint16_t>(30 + minutes / 1440);
    t.hour = static_cast<std::uint16_t>(minutes % 1440 / 60);
    t.minute = static_cast<std::uint16_t>(minutes % 60);
    return t;
  }

  static inline CountryLists* lists_ = nullptr;
  ContestList list_ = ContestList::Build(VORKAN_SOURCE_DIR "/data");
  TTreeRules tree_;
  TLogCollection log_;
  BandTotals totals_;
};


}  // namespace vk::shipped
