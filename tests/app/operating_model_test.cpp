// Whole operating sessions: the operating windows opened on a scratch station as the shell opens
// them, a run of QSOs keyed in as an operator keys them (a repeat, a completed call, band
// changes, a clock step), then the program ended and started again on the same directory.  The
// new run must find the same log, log checksum, band totals and multiplier memory.
#include "app/views/operating_models.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <vector>

#include "station_fixture.h"

namespace vk {
namespace {

// What a restart must bring back.
struct Snapshot {
  std::vector<QsoRecord> log;
  std::uint32_t logCrc = 0;
  std::vector<std::uint32_t> totals;  // per band: qsos, points, multi, bonus; then the claim
  std::vector<std::vector<std::string>> keys;  // per multiplier rule and band, in CW

  friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

Snapshot Take(const Station& st) {
  Snapshot s;
  s.log.assign(st.Log().begin(), st.Log().end());
  s.logCrc = st.Log().LogCrc();
  for (BandIndex b = 1; b <= kBandCount; ++b) {
    const BandTally& t = st.Totals().Row(b);
    s.totals.insert(s.totals.end(), {t.qsos, t.points, t.multi, t.bonus});
  }
  s.totals.push_back(st.Totals().Claimed());
  for (const auto& node : st.Rules().Nodes()) {
    if (node->Kind() != NodeKind::kMulti) continue;
    const auto& rule = static_cast<const MultiRule&>(*node);
    for (BandIndex b = 1; b <= kBandCount; ++b) {
      const KeyList* keys = rule.Keys(b, Mode::kCw);
      s.keys.emplace_back(keys ? std::vector<std::string>(keys->begin(), keys->end())
                               : std::vector<std::string>{});
    }
  }
  return s;
}

class OperatingTest : public test::StationFixture {
 protected:
  void TearDown() override {
    windows_.reset();
    StationFixture::TearDown();
  }

  OperatingModels& Run(const std::string& contest) {
    windows_.reset();
    WriteConfig("Contest=" + contest + "\r\nCall=UA3AAA\r\n");
    Station& st = Start();
    windows_ = OpenOperatingModels(st);
    EXPECT_NE(windows_, nullptr);
    EXPECT_TRUE(windows_->logLoad.ok()) << windows_->logLoad.message;
    return *windows_;
  }
  // The program ends: the windows close and the log is written on the way out.
  void Exit() {
    windows_.reset();
    EXPECT_TRUE(station_->WriteLogOnExit(false).ok());
  }

  EntryModel& Entry() { return *windows_->entry; }
  void Keys(std::initializer_list<KeyCode> keys) {
    for (KeyCode k : keys) Entry().Key(k);
  }
  void Call(const std::string& call) {
    Entry().Type(call);
    Entry().Key(kb::kEnter);
  }
  void Exchange(const std::string& rx) {
    Entry().Type(rx);
    ASSERT_TRUE(Entry().Key(kb::kEnter).status.ok());
  }

  std::unique_ptr<OperatingModels> windows_;
};

TEST_F(OperatingTest, WorldContestRunSurvivesARestart) {
  ShipRules("contest.xml");
  OperatingModels& w = Run("WORLD");
  EXPECT_EQ(w.multipliers.size(), 1u);
  EXPECT_EQ(w.repeat, nullptr);  // the World contest has no time periods
  EXPECT_FALSE(w.cwWindow);
  EXPECT_EQ(Entry().FreqText(), "    1840.0");
  Keys({kb::kAltF2, kb::kAltF2, kb::kAltF2});  // 160 m -> 20 m
  EXPECT_EQ(station_->CurrentBand(), 4);

  Call("DL1ABC");
  EXPECT_EQ(Entry().SecondMessage(), std::string(kNewMultiplierText) + ": DL");
  Exchange("15");
  Call("F5XYZ");
  Exchange("7");
  Call("DL1ABC");  // worked on this band and mode already
  EXPECT_EQ(Entry().FirstMessage(), kRepeatText);
  Keys({kb::kAltA, kb::kCtrlPgUp});
  Call("OK1AA");
  Exchange("21");
  Keys({kb::kAltF1});  // 40 m
  Call("XYZ");
  EXPECT_EQ(Entry().CallText(), "F5XYZ");
  // France is new on 40 m; F5XYZ was worked on 20 m.
  EXPECT_EQ(Entry().SecondMessage(), std::string(kNewMultiplierText) + ": F  worked 20");
  Exchange("8");

  const TLogCollection& log = station_->Log();
  ASSERT_EQ(log.Count(), 4);
  // The QSO made on the stepped clock stands after the one made later on the running clock:
  // the log is in time order.
  EXPECT_EQ(log.At(3)->Stamp, (DateTime{2024, 3, 5, 9, 8, 0}));  // the clock step
  EXPECT_EQ(log.At(3)->Sent, "599 003");
  EXPECT_EQ(log.At(2)->Freq, 70200);
  EXPECT_EQ(log.At(2)->Sent, "599 004");
  EXPECT_EQ(w.log->Lines().size(), 4u);
  EXPECT_EQ(w.log->Lines().back(), LogWindowLine(log, 3));
  EXPECT_EQ(w.log->CountText(), "4");
  EXPECT_EQ(w.multipliers[0]->Rows(12, 1), std::vector<std::string>{"F           "});
  // Points: Germany, France and the Czech Republic share the own continent: 2 each.
  EXPECT_EQ(w.score->Texts().total, "8 * 4 = 32");

  const Snapshot before = Take(*station_);
  std::int32_t lastGuid = 0;
  for (const QsoRecord& q : log) lastGuid = std::max(lastGuid, q.Guid);
  Exit();
  OperatingModels& again = Run("WORLD");
  EXPECT_EQ(Take(*station_), before);
  EXPECT_EQ(again.log->Lines().size(), 4u);
  EXPECT_EQ(again.score->Texts().total, "8 * 4 = 32");
  EXPECT_EQ(Entry().FreqText(), "   14020.0");  // where the last QSO of the log was made
  EXPECT_EQ(Entry().TxNrText(), "599 005");     // after the highest serial sent
  Keys({kb::kAltF1});                           // 40 m
  EXPECT_EQ(again.multipliers[0]->Rows(12, 1), std::vector<std::string>{"F           "});
  Call("F5XYZ");
  EXPECT_EQ(Entry().FirstMessage(), kRepeatText);
  Keys({kb::kAltA});
  Call("DL1ABC");  // Germany on 40 m: still a new multiplier after the restart
  EXPECT_EQ(Entry().SecondMessage(), std::string(kNewMultiplierText) + ": DL  worked 20");
  Exchange("30");
  // Made on the running clock, before the QSO of the stepped one.
  EXPECT_GT(station_->Log().At(3)->Guid, lastGuid);
}

TEST_F(OperatingTest, CqWwZonesAndCountriesAreRememberedAcrossARestart) {
  ShipRules("cqww.xml");
  OperatingModels& w = Run("CQ-WW-CW");
  EXPECT_EQ(w.multipliers.size(), 2u);
  Keys({kb::kAltF2, kb::kAltF2, kb::kAltF2});  // 20 m
  // The rules expect the report and the zone the country file gives; Enter takes them.
  Call("DL1ABC");
  EXPECT_EQ(Entry().RxNrText(), "599/14");
  Exchange("");
  Call("JA1XYZ");
  EXPECT_EQ(Entry().RxNrText(), "599/25");
  Exchange("");
  ASSERT_EQ(station_->Log().Count(), 2);
  EXPECT_EQ(station_->Log().At(0)->Multi, 2);  // zone 14 and Germany
  EXPECT_EQ(station_->Log().At(0)->Score, 1);  // another European country
  EXPECT_EQ(station_->Log().At(1)->Score, 3);  // another continent
  EXPECT_EQ(station_->Log().At(1)->Rcvd, "599 25");

  const Snapshot before = Take(*station_);
  Exit();
  Run("CQ-WW-CW");
  EXPECT_EQ(Take(*station_), before);
  // Zone 14 and Germany are worked on 20 m; another German station in zone 14 is no news.
  EXPECT_EQ(station_->Rules().GetMulti("DL2XX", "599 14", 4, Mode::kCw, false), 0);
  EXPECT_EQ(station_->Rules().GetMulti("DL2XX", "599 14", 5, Mode::kCw, false), 2);
}

TEST_F(OperatingTest, SideWindowsOpenForTopLevelRulesAndTimePeriods) {
  WriteRules(
      "<band>20</band><mode>cw</mode><repqso>bandtime</repqso><timepr>09:00-11:59</timepr>"
      "<country prefixes=\"UA\"><multi>dxcc:1</multi></country>"
      "<multi>wpx:1</multi><bonus>newcall:1</bonus>");
  WriteConfig("Contest=TEST\r\nCall=UA3AAA\r\n[Morze]\r\nPort=/dev/ttyS0\r\n");
  Station& st = Start();
  windows_ = OpenOperatingModels(st);
  ASSERT_NE(windows_, nullptr);
  // The multiplier under the country selector gets no window.
  ASSERT_EQ(windows_->multipliers.size(), 2u);
  EXPECT_EQ(windows_->multipliers[1]->Bounds(), MultiWindowBounds(1));
  ASSERT_NE(windows_->repeat, nullptr);
  EXPECT_EQ(windows_->repeat->Bounds(), RepeatWindowBounds(2));
  EXPECT_TRUE(windows_->cwWindow);
}

TEST_F(OperatingTest, OpeningTellsEveryWindowToShowTheLoadedLog) {
  ShipRules("contest.xml");
  Run("WORLD");
  ASSERT_FALSE(recorder_.heard.empty());
  EXPECT_EQ(recorder_.heard.back().command, cm::kLogChanged);
}

}  // namespace
}  // namespace vk
