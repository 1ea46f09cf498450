// The score window's cells and total line, the multiplier windows' key rows and the Repeat
// window's lines, as golden strings.
#include "app/views/score_window_model.h"

#include <gtest/gtest.h>

#include "app/views/multi_window_model.h"
#include "app/views/repeat_window_model.h"
#include "app/views/side_list_models.h"
#include "station_fixture.h"
#include "logbook_access.h"

namespace vk {
namespace {

constexpr std::string_view kBar = "\xB3";

std::string Cells(std::initializer_list<const char*> cells) {
  std::string out;
  for (const char* c : cells) out += std::string(c) + std::string(kBar);
  return out;
}

TEST(ScoreTexts, OneCellPerAllowedBandInBandOrder) {
  ContestSettings cs;
  cs.bands[1] = cs.bands[2] = cs.bands[3] = true;
  BandTotals totals;
  for (int i = 0; i < 7; ++i) totals.Add(2, 3, i == 0 ? 1 : 0, 0);
  totals.Add(4, 5, 1, 0);  // a band the contest does not allow: no column, still summed
  const ScoreTexts t = MakeScoreTexts(totals, cs);
  EXPECT_EQ(t.header, Cells({" 160 ", "  80 ", "  40 "}));
  EXPECT_EQ(t.qsos, Cells({"    0", "    7", "    0"}));
  EXPECT_EQ(t.points, Cells({"    0", "   21", "    0"}));
  EXPECT_EQ(t.multi, Cells({"    0", "    1", "    0"}));
  EXPECT_EQ(t.total, "26");  // no formula: the points alone
}

TEST(ScoreTexts, ByRowsForANarrowWindowWithTheBonusOnlyWhenTheTotalAddsIt) {
  ContestSettings cs;
  cs.bands[1] = cs.bands[7] = true;
  BandTotals totals;
  for (int i = 0; i < 7; ++i) totals.Add(7, 3, i == 0 ? 1 : 0, 0);
  EXPECT_EQ(MakeScoreRows(totals, cs, 20),
            (std::vector<std::string>{"Band  QSO  Pts  Mlt", "160     0    0    0",
                                      "2m      7   21    1", "                  21"}));
  totals.SetFormula(kTotalMulMultiAddBonus);
  const auto rows = MakeScoreRows(totals, cs, 20);
  EXPECT_EQ(rows[0], "Band QSO Pts Mlt Bns");
  EXPECT_EQ(rows.back(), " 21 * ( 1 + 0 ) = 21");
  // A formula longer than the window shows the claimed score alone.
  EXPECT_EQ(MakeScoreRows(totals, cs, 12).back(), "    Total 21");
}

TEST(ScoreTexts, CellsKeepTheLastFiveDigits) {
  EXPECT_EQ(ScoreCell(0), "    0" + std::string(kBar));
  EXPECT_EQ(ScoreCell(123456), "23456" + std::string(kBar));
}

TEST(ScoreTexts, TotalLineShowsTheFormulaWithItsTerms) {
  struct Case {
    std::uint8_t selector;
    const char* line;
  } cases[] = {{0, "120"},
               {1, "120 + 4 = 124"},
               {2, "120 + 15 + 4 = 139"},
               {3, "120 * 15 = 1800"},
               {4, "120 * ( 15 + 4 ) = 2280"},
               {9, "120"}};
  for (const Case& c : cases) {
    BandTotals totals;
    totals.SetFormula(c.selector);
    totals.Add(4, 120, 15, 4);
    EXPECT_EQ(MakeScoreTexts(totals, ContestSettings{}).total, c.line) << int(c.selector);
  }
}

TEST(ScoreTexts, NoAllowedBandLeavesTheRowsEmpty) {
  BandTotals totals;
  totals.SetFormula(3);
  const ScoreTexts t = MakeScoreTexts(totals, ContestSettings{});
  EXPECT_EQ(t.header, "");
  EXPECT_EQ(t.qsos, "");
  EXPECT_EQ(t.total, "0 * 0 = 0");
}

TEST(ScoreModelBus, LogChangedRefreshesTheTexts) {
  CommandBus bus;
  ContestSettings cs;
  cs.bands[4] = true;
  BandTotals totals;
  ScoreModel model(totals, cs, bus);
  EXPECT_EQ(model.TakeChanges(), changed::kAll);
  totals.Add(4, 2, 1, 0);
  EXPECT_EQ(model.Texts().qsos, Cells({"    0"}));  // no figures of its own
  bus.Broadcast(cm::kLogChanged);
  EXPECT_EQ(model.Texts().qsos, Cells({"    1"}));
  EXPECT_EQ(model.TakeChanges(), changed::kTexts);
}

KeyList Keys(std::initializer_list<const char*> keys) {
  KeyList list;
  for (const char* k : keys) list.Insert(k);
  return list;
}

TEST(FlowKeys, RowsTakeKeysWhileTheyStayShorterThanTheWidth) {
  const KeyList keys = Keys({"DL", "F", "G", "I", "OK", "SP"});
  // "DL F G " is 7 characters, shorter than 8; "I OK SP " would be 8, so SP moves on.
  EXPECT_EQ(FlowKeys(&keys, 8, 3), (std::vector<std::string>{"DL F G  ", "I OK    ", "SP      "}));
  EXPECT_EQ(FlowKeys(&keys, 8, 1), (std::vector<std::string>{"DL F G  "}));
  // Zones in numeric order, ahead of any other key.
  const KeyList zones = Keys({"11", "4", "1", "5", "40", "MM"});
  EXPECT_EQ(FlowKeys(&zones, 20, 1), (std::vector<std::string>{"1 4 5 11 40 MM      "}));
  EXPECT_EQ(FlowKeys(nullptr, 4, 2), (std::vector<std::string>{"    ", "    "}));
  const KeyList wide = Keys({"ABCDEFGHIJ", "K"});
  EXPECT_EQ(FlowKeys(&wide, 5, 2), (std::vector<std::string>{"ABCDE", "K    "}));
}

TEST(SideWindows, StackDownTheRightHandSide) {
  EXPECT_EQ(MultiWindowBounds(0), (Rect{47, 0, 79, 12}));
  EXPECT_EQ(MultiWindowBounds(1), (Rect{47, 12, 79, 24}));
  EXPECT_EQ(RepeatWindowBounds(2), (Rect{54, 24, 79, 60}));
}

class SideWindowTest : public test::StationFixture {
 protected:
  void TearDown() override {
    multi_.clear();
    repeat_.reset();
    StationFixture::TearDown();
  }
  // A contest of 20 m and 40 m with one multiplier per band and one for the whole contest,
  // and two time periods.
  Station& OpenStation() {
    WriteRules(
        "<band>40 20</band><mode>cw</mode><repqso>bandtime</repqso>"
        "<timepr>09:00-09:59</timepr><timepr>10:00-10:59</timepr>"
        "<multi>dxcc:1:everyband</multi><multi>wpx:1</multi>");
    WriteConfig("Contest=TEST\r\nCall=UA3AAA\r\n");
    Station& st = Start();
    st.SetCurrentFreq(140250);
    st.SetCurrentMode(Mode::kCw);
    for (const auto& node : st.Rules().Nodes()) {
      multi_.push_back(std::make_unique<MultiListModel>(static_cast<const MultiRule&>(*node), st));
    }
    repeat_ = std::make_unique<RepeatModel>(st);
    return st;
  }
  // A QSO as the entry window logs it: scored with commit, then appended.
  void Work(Station& st, const char* call, std::uint8_t band, std::uint16_t hour) {
    QsoRecord q;
    q.Call = call;
    q.Freq = DefaultFreqOfBand(band);
    q.Mode = Mode::kCw;
    q.Stamp = {2024, 3, 5, hour, 30, 0};
    q.Multi = static_cast<std::int16_t>(st.Rules().GetMulti(call, "599 1", band, Mode::kCw, true));
    test::MutableLog(st).Append(q);
    st.Bus().Broadcast(cm::kLogChanged);
  }

  std::vector<std::unique_ptr<MultiListModel>> multi_;
  std::unique_ptr<RepeatModel> repeat_;
};

TEST_F(SideWindowTest, EverybandRuleFollowsTheBandAPlainRuleDoesNot) {
  Station& st = OpenStation();
  ASSERT_EQ(multi_.size(), 2u);
  Work(st, "DL1ABC", 4, 9);
  Work(st, "F5XYZ", 3, 9);
  EXPECT_EQ(multi_[0]->Rows(10, 1), std::vector<std::string>{"DL        "});
  EXPECT_EQ(multi_[1]->Rows(10, 1), std::vector<std::string>{"DL1 F5    "});
  multi_[0]->TakeChanges();
  st.SetCurrentFreq(70200);
  st.Bus().Broadcast(cm::kBandChanged, MessageInfo::Number(3));
  EXPECT_EQ(multi_[0]->TakeChanges(), changed::kList);
  EXPECT_EQ(multi_[0]->Rows(10, 1), std::vector<std::string>{"F         "});
  EXPECT_EQ(multi_[1]->Rows(10, 1), std::vector<std::string>{"DL1 F5    "});
  EXPECT_EQ(multi_[1]->Bounds(), MultiWindowBounds(1));
  EXPECT_EQ(repeat_->Bounds(), RepeatWindowBounds(2));
}

TEST_F(SideWindowTest, RepeatWindowMarksThePeriodsEachCallWasWorkedIn) {
  Station& st = OpenStation();
  Work(st, "F5XYZ", 4, 10);
  Work(st, "DL1ABC", 4, 9);
  Work(st, "DL1ABC", 4, 10);
  Work(st, "OK1AA", 3, 9);  // another band: not listed
  EXPECT_EQ(repeat_->Lines(), (std::vector<std::string>{"DL1ABC      XX", "F5XYZ       -X"}));
  EXPECT_EQ(repeat_->Rows(15, 3),
            (std::vector<std::string>{"DL1ABC      XX ", "F5XYZ       -X ", "               "}));
  // The clock stands at 09:07: the first period's column is highlighted.
  EXPECT_EQ(repeat_->HighlightColumn(), 12);
  time_.Set({2024, 3, 5, 11, 0, 0});
  EXPECT_EQ(repeat_->HighlightColumn(), -1);
  st.SetCurrentFreq(70200);
  st.Bus().Broadcast(cm::kBandChanged, MessageInfo::Number(3));
  EXPECT_EQ(repeat_->Lines(), (std::vector<std::string>{"OK1AA       X-"}));
}

// CQ WW's multipliers on 20 m and 40 m: the zones and countries not yet worked on the band in
// hand, and the calls of that band, after QSOs logged through the logbook.
TEST_F(SideWindowTest, NeededMultipliersAndDupeSheetFollowTheBandAndTheLog) {
  WriteRules(
      "<band>40 20</band><mode>cw</mode><repqso>band</repqso>"
      "<multi>zonecq:1:everyband</multi><multi>dxcc:1:everyband</multi>");
  WriteConfig("Contest=TEST\r\nCall=UA3AAA\r\n");
  Station& st = Start();
  st.SetCurrentFreq(140250);
  st.SetCurrentMode(Mode::kCw);
  NeededModel needed(st);
  DupeSheetModel dupes(st);
  struct Qso {
    const char* call;
    const char* rx;
    std::int32_t freq;
  };
  for (const Qso& q : {Qso{"DL1ABC", "599 14", 140250}, Qso{"K1AR", "599 5", 140260},
                       Qso{"F5XYZ", "599 14", 70200}, Qso{"JA1AAA", "599 25", 70210}}) {
    QsoRecord r;
    r.Call = q.call;
    r.Rcvd = q.rx;
    r.Sent = "599 16";
    r.Freq = q.freq;
    r.Mode = Mode::kCw;
    r.Stamp = {2024, 3, 5, 9, 30, 0};
    ASSERT_TRUE(st.Book().Add(r).ok()) << q.call;
  }
  st.Bus().Broadcast(cm::kLogChanged);
  std::vector<std::string> zones;
  for (int z = 1; z <= 40; ++z) {
    if (z != 5 && z != 14) zones.push_back(std::to_string(z));
  }
  std::vector<LabelledList> lists = needed.Lists();
  ASSERT_EQ(lists.size(), 2u);
  EXPECT_EQ(lists[0].items, zones);
  // Countries worked on 40 m only.
  EXPECT_EQ(lists[1].items, (std::vector<std::string>{"F", "JA"}));
  EXPECT_EQ(dupes.Rows(20, 2), (std::vector<std::string>{"20 2: DL1ABC K1AR   ",
                                                         "                    "}));
  // On 40 m: zone 25 and 14 are worked there, the 20 m countries are wanted.
  st.SetCurrentFreq(70200);
  st.Bus().Broadcast(cm::kBandChanged, MessageInfo::Number(3));
  lists = needed.Lists();
  EXPECT_EQ(lists[0].items.size(), 38u);
  EXPECT_EQ(lists[1].items, (std::vector<std::string>{"DL", "K"}));
  EXPECT_EQ(needed.Rows(24, 3)[2], "DXCC 2: DL K            ");
  EXPECT_EQ(dupes.Rows(20, 1)[0], "40 2: F5XYZ JA1AAA  ");
}

}  // namespace
}  // namespace vk
