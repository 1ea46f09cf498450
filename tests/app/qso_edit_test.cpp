// Correcting the log by dialog: what the Edit, Delete and Add QSO dialogs open with and what
// their OK does to the log, the band totals, the log window and the network, on a scratch
// station working the shipped World contest as UA3AAA (European Russia).
#include "app/qso_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/views/log_window_model.h"
#include "log/adif.h"
#include "station_fixture.h"
#include "logbook_access.h"

namespace vk {
namespace {

QsoRecord Qso(std::int32_t guid, const char* call, std::int32_t freq, std::uint16_t minute) {
  QsoRecord q;
  q.Guid = guid;
  q.Stamp = {2024, 3, 5, 9, minute, 0};
  q.Freq = freq;
  q.Mode = Mode::kCw;
  q.Call = call;
  q.Sent = "599 001";
  q.Rcvd = "599 015";
  q.Score = 2;
  q.Multi = 1;
  return q;
}

QsoForm Form(const char* date, const char* time, int band, int mode, const char* call,
             const char* sent = "599 007", const char* rcvd = "599 033") {
  return QsoForm{date, time, band, mode, call, sent, rcvd};
}

constexpr int k20m = 3;  // " 20" in the band list
constexpr int k40m = 2;
constexpr int kPh = 1;  // "PH" in the mode list

class QsoEditTest : public test::StationFixture {
 protected:
  void SetUp() override {
    StationFixture::SetUp();
    ShipRules("contest.xml");
    WriteConfig("Contest=WORLD\r\nCall=UA3AAA\r\n");
    Station& st = Start();
    editor_ = std::make_unique<QsoEditor>(st);
  }
  void TearDown() override {
    view_.reset();
    editor_.reset();
    StationFixture::TearDown();
  }

  // Five QSOs as the log file would give them, scored as loading does: 2 points for Germany,
  // France and England, 3 for the USA and Japan, each a new country on its band.
  void FiveQsos() {
    const char* calls[] = {"DL1AAA", "F5BBB", "K1CCC", "JA1DDD", "G4EEE"};
    for (int i = 0; i < 5; ++i) {
      Log().Append(Qso(100 + i, calls[i], i == 4 ? 70250 : 140250, 10 + i));
    }
    station_->Book().ScoreOnly();
    view_ = std::make_unique<LogViewModel>(Log(), station_->Bus());
    recorder_.heard.clear();
    seen_ = station_->Book().Revision();
  }

  // What the logbook published since FiveQsos, the rescores left out: what the group hears.
  std::vector<LogChange> Published() const {
    std::vector<LogChange> out;
    for (const LogChange& c : station_->Book().ChangesSince(seen_)) {
      if (c.kind != LogChangeKind::kRescored) out.push_back(c);
    }
    return out;
  }
  std::vector<std::int32_t> DeletedGuids() const {
    std::vector<std::int32_t> out;
    for (const LogChange& c : Published()) {
      if (c.kind == LogChangeKind::kDeleted) out.push_back(c.guid);
    }
    return out;
  }

  TLogCollection& Log() { return test::MutableLog(*station_); }
  const BandTally& Row(BandIndex b) { return station_->Totals().Row(b); }
  std::vector<std::string> LogLines() {
    std::vector<std::string> lines;
    for (int i = 0; i < Log().Count(); ++i) lines.push_back(LogWindowLine(Log(), i));
    return lines;
  }
  std::vector<std::pair<EventClass, CommandId>> Heard() {
    std::vector<std::pair<EventClass, CommandId>> out;
    for (const test::Heard& h : recorder_.heard) out.emplace_back(h.what, h.command);
    return out;
  }

  std::unique_ptr<QsoEditor> editor_;
  std::unique_ptr<LogViewModel> view_;
  std::uint64_t seen_ = 0;
};

constexpr auto kB = EventClass::kBroadcast;
constexpr auto kC = EventClass::kCommand;

// --- what the dialogs open with ---------------------------------------------------------------

TEST_F(QsoEditTest, EditOpensWithEveryFieldOfTheQsoAndAddWithItsStampBandAndMode) {
  FiveQsos();
  Log().SetRcvd(1, "599 015 ABCDEFGH");  // 16 characters: kept whole, never cut
  Log().SetModeFromName(1, "PH");
  EXPECT_EQ(editor_->EditForm(1),
            Form("05-03-2024", "09:11", k20m, kPh, "F5BBB", "599 001", "599 015 ABCDEFGH"));
  EXPECT_EQ(editor_->AddForm(4), Form("05-03-2024", "09:14", k40m, 0, "", "", ""));
}

TEST_F(QsoEditTest, BandOrModeOutsideTheChoicesPreselectsTheFirstEntry) {
  FiveQsos();
  Log().SetFreq(0, 1445000);  // 2 m
  Log().SetFreq(1, 101250);   // 30 m: no band text at all
  Log().SetModeFromName(0, "");
  EXPECT_EQ(editor_->EditForm(0)->band, 0);
  EXPECT_EQ(editor_->EditForm(0)->mode, 0);
  EXPECT_EQ(editor_->AddForm(1)->band, 0);
  EXPECT_EQ(BandChoiceOf(" 10"), 5);
  EXPECT_EQ(ModeChoiceOf("PSK31"), 4);
}

TEST_F(QsoEditTest, DeleteShowsStampBandModeAndCall) {
  FiveQsos();
  EXPECT_EQ(editor_->DeleteText(0), "03/05 09:10  20 CW DL1AAA");
  EXPECT_EQ(editor_->DeleteText(4), "03/05 09:14  40 CW G4EEE");
}

TEST_F(QsoEditTest, NothingOpensOnAPositionThatDoesNotExist) {
  EXPECT_FALSE(editor_->EditForm(0));
  EXPECT_FALSE(editor_->AddForm(0));
  EXPECT_FALSE(editor_->DeleteText(0));
  FiveQsos();
  for (int pos : {-1, 5, 65535}) {
    EXPECT_FALSE(editor_->EditForm(pos)) << pos;
    EXPECT_FALSE(editor_->DeleteText(pos)) << pos;
  }
}

// --- the form ---------------------------------------------------------------------------------

TEST(QsoFormCheck, DateAndTimeMustFillThePictureAndNameARealMoment) {
  struct Case {
    const char* date;
    const char* time;
    FormFault fault;
  };
  const Case cases[] = {
      {"05-03-2024", "09:07", FormFault::kNone},
      {"29-02-2024", "23:59", FormFault::kNone},  // a leap day
      {"29-02-2023", "12:00", FormFault::kDate},
      {"31-04-2024", "12:00", FormFault::kDate},
      {"00-03-2024", "12:00", FormFault::kDate},
      {"05-13-2024", "12:00", FormFault::kDate},
      {"05-03-20", "12:00", FormFault::kDate},  // not filled
      {"", "12:00", FormFault::kDate},
      {"05-03-2024x", "12:00", FormFault::kDate},
      {"05-03-2024", "24:00", FormFault::kTime},
      {"05-03-2024", "12:60", FormFault::kTime},
      {"05-03-2024", "12:", FormFault::kTime},
      {"05-03-2024", "", FormFault::kTime},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckQsoForm(Form(c.date, c.time, 0, 0, "X")), c.fault) << c.date << " " << c.time;
  }
  EXPECT_EQ(CheckQsoForm(Form("05-03-2024", "09:07", 6, 0, "X")), FormFault::kBand);
  EXPECT_EQ(CheckQsoForm(Form("05-03-2024", "09:07", -1, 0, "X")), FormFault::kBand);
  EXPECT_EQ(CheckQsoForm(Form("05-03-2024", "09:07", 0, 5, "X")), FormFault::kMode);
}

// --- Edit -------------------------------------------------------------------------------------

TEST_F(QsoEditTest, EditKeepsTheFrequencyUnlessTheBandChanges) {
  FiveQsos();
  QsoForm f = *editor_->EditForm(2);
  f.call = "K1CCD";
  ASSERT_TRUE(editor_->Edit(2, f));
  EXPECT_EQ(Log().GetFreq(2), 140250);
  EXPECT_EQ(Log().At(2)->Call, "K1CCD");
  f.band = BandChoiceOf(" 40");
  ASSERT_TRUE(editor_->Edit(2, f));
  EXPECT_EQ(BandOfFreq(Log().GetFreq(2)), 3);  // the 40 m band's standard frequency
}

TEST_F(QsoEditTest, EditStoresTheFormKeepsTheGuidRescoresAndSumsTheRecordAndTheLog) {
  FiveQsos();
  const std::uint32_t before = Log().LogCrc();
  ASSERT_TRUE(
      editor_->Edit(1, Form("06-03-2024", "10:45", k20m, kPh, " F5BBC ", "59 007 ", "59 033")));
  // A day later: the QSO moves to its place in the log's time order.
  ASSERT_EQ(Log().FindByGuid(101), 4);
  const QsoRecord& q = *Log().At(4);
  EXPECT_EQ(q.Stamp, (DateTime{2024, 3, 6, 10, 45, 0}));
  EXPECT_EQ(q.Mode, Mode::kPhone);
  EXPECT_EQ(q.Call, "F5BBC");  // spaces around a field do not survive the log file
  EXPECT_EQ(q.Sent, "59 007");
  EXPECT_EQ(q.Rcvd, "59 033");
  EXPECT_EQ(q.Guid, 101);
  EXPECT_EQ(q.Score, 2);
  EXPECT_EQ(q.Multi, 1);
  EXPECT_EQ(q.Crc, ComputeQsoCrc(q));
  EXPECT_NE(Log().LogCrc(), before);
  TLogCollection copy;
  for (const QsoRecord& r : Log()) copy.Append(r);
  EXPECT_EQ(Log().LogCrc(), copy.LogCrc());
  EXPECT_EQ(view_->Lines(), LogLines());
}

TEST_F(QsoEditTest, EditTellsTheLogWindowThenTheEntryWindowAndPublishesOneChange) {
  FiveQsos();
  ASSERT_TRUE(editor_->Edit(3, Form("05-03-2024", "09:13", k20m, 0, "JA1DDE")));
  using P = std::pair<EventClass, CommandId>;
  EXPECT_EQ(Heard(), (std::vector<P>{P{kB, cm::kQsoEdited}, P{kC, cm::kRefreshTxNr},
                                     P{kB, cm::kLogRescored}, P{kB, cm::kLogChanged}}));
  EXPECT_EQ(recorder_.heard[0].number, 3);
  const std::uint64_t rev = seen_ + 1;
  EXPECT_EQ(Published(), (std::vector<LogChange>{
                             {rev, LogChangeKind::kEdited, LogOrigin::kEditor, 103, 3}}));
  // A new edit version (the count above the station bits), so that a late copy of an older
  // edit cannot undo this one.
  EXPECT_EQ(Log().At(3)->Mark, 1 << kEditVersionStationBits);
  EXPECT_EQ(Log().At(3)->Crc, ComputeQsoCrc(*Log().At(3)));
  // The band stayed: the totals are as they were.
  EXPECT_EQ(Row(4).qsos, 4);
  EXPECT_EQ(Row(3).qsos, 1);
}

TEST_F(QsoEditTest, EditToAnotherBandMovesTheQsoInTheBandTotals) {
  FiveQsos();
  ASSERT_TRUE(editor_->Edit(0, Form("05-03-2024", "09:10", 0, 0, "DL1AAA")));  // to 160 m
  EXPECT_EQ(Log().GetFreq(0), 18500);
  EXPECT_EQ(Row(4).qsos, 3);
  EXPECT_EQ(Row(4).points, 8u);
  EXPECT_EQ(Row(4).multi, 3u);
  EXPECT_EQ(Row(1).qsos, 1);
  EXPECT_EQ(Row(1).multi, 1u);
  EXPECT_TRUE(recorder_.HeardCommand(cm::kLogChanged));
}

TEST_F(QsoEditTest, EditIsRefusedOnAMissingPositionOrAnUnfinishedForm) {
  EXPECT_FALSE(editor_->Edit(0, Form("05-03-2024", "09:10", 0, 0, "X")));
  FiveQsos();
  const std::vector<std::string> lines = LogLines();
  const std::uint32_t crc = Log().LogCrc();
  EXPECT_FALSE(editor_->Edit(5, Form("05-03-2024", "09:10", 0, 0, "X")));
  EXPECT_FALSE(editor_->Edit(-1, Form("05-03-2024", "09:10", 0, 0, "X")));
  EXPECT_FALSE(editor_->Edit(0, Form("05-03-20", "09:10", 0, 0, "X")));
  EXPECT_FALSE(editor_->Edit(0, Form("31-02-2024", "09:10", 0, 0, "X")));
  EXPECT_FALSE(editor_->Edit(0, Form("05-03-2024", "09:1", 0, 0, "X")));
  EXPECT_EQ(LogLines(), lines);
  EXPECT_EQ(Log().LogCrc(), crc);
  EXPECT_TRUE(recorder_.heard.empty());
}

// --- Delete -----------------------------------------------------------------------------------

TEST_F(QsoEditTest, DeleteSendsTheGuidRemovesTheQsoAndTheLineAndUncountsIt) {
  FiveQsos();
  ASSERT_TRUE(editor_->Delete(1));
  EXPECT_EQ(DeletedGuids(), std::vector<std::int32_t>{101});
  EXPECT_EQ(Log().Count(), 4);
  EXPECT_EQ(Log().At(1)->Call, "K1CCC");
  EXPECT_EQ(view_->Lines(), LogLines());
  EXPECT_EQ(view_->CountText(), "4");
  ASSERT_FALSE(recorder_.heard.empty());
  EXPECT_EQ(recorder_.heard[0].command, cm::kQsoDeleted);
  EXPECT_EQ(recorder_.heard[0].number, 1);
  EXPECT_EQ(Row(4).qsos, 3);
  EXPECT_EQ(Row(4).points, 8u);
  EXPECT_EQ(Row(3).qsos, 1);
  // The correction is on disk at once, not only with the next QSO.
  TLogCollection file;
  ASSERT_TRUE(LoadAdifLog(LogPath(), file));
  EXPECT_EQ(file.Count(), 4);
  TLogCollection copy;
  for (const QsoRecord& r : Log()) copy.Append(r);
  EXPECT_EQ(Log().LogCrc(), copy.LogCrc());
}

TEST_F(QsoEditTest, DeletingEveryQsoLeavesAnEmptyLogWithoutChecksumOrTotals) {
  FiveQsos();
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(editor_->Delete(0));
  EXPECT_TRUE(Log().Empty());
  EXPECT_EQ(Log().LogCrc(), 0u);
  EXPECT_EQ(station_->Totals().Sum(BandQuantity::kQsos), 0u);
  EXPECT_EQ(DeletedGuids().back(), 104);
  EXPECT_TRUE(view_->Lines().empty());
  EXPECT_FALSE(editor_->Delete(0));  // the buttons do nothing on an empty log
  EXPECT_EQ(DeletedGuids().size(), 5u);
}

TEST_F(QsoEditTest, DeleteWithoutANetworkStillPublishesTheDeletion) {
  FiveQsos();
  QsoEditor quiet{*station_};  // no network subscribed
  EXPECT_TRUE(quiet.Delete(0));
  EXPECT_EQ(Log().Count(), 4);
  EXPECT_EQ(DeletedGuids(), std::vector<std::int32_t>{100});
}

// --- Add --------------------------------------------------------------------------------------

TEST_F(QsoEditTest, AddOnTheThirdLineMakesTheNewQsoTheThirdAndTheOldThirdTheFourth) {
  FiveQsos();
  station_->Ids().Set(5000);
  ASSERT_TRUE(editor_->Add(2, Form("05-03-2024", "09:11", k20m, 0, "UA9AAA", "599 003", "599 17")));
  EXPECT_EQ(Log().Count(), 6);
  const QsoRecord& q = *Log().At(2);
  EXPECT_EQ(q.Call, "UA9AAA");
  EXPECT_EQ(q.Guid, 5000);
  EXPECT_EQ(q.Freq, 141000);
  EXPECT_EQ(q.Stamp, (DateTime{2024, 3, 5, 9, 11, 0}));
  EXPECT_EQ(Log().At(3)->Call, "K1CCC");
  EXPECT_EQ(view_->Lines(), LogLines());
  EXPECT_EQ(view_->CountText(), "6");
  EXPECT_EQ(q.Crc, ComputeQsoCrc(q));
  using P = std::pair<EventClass, CommandId>;
  // Scored with the whole log before it travels.
  EXPECT_EQ(Heard(), (std::vector<P>{P{kB, cm::kQsoInserted}, P{kB, cm::kLogChanged},
                                     P{kB, cm::kLogRescored}, P{kB, cm::kLogChanged}}));
  EXPECT_EQ(recorder_.heard[0].number, 2);
  EXPECT_EQ(Published(), (std::vector<LogChange>{{seen_ + 1, LogChangeKind::kInserted,
                                                  LogOrigin::kEditor, 5000, 2}}));
  EXPECT_EQ(q.Multi, 1);
}

TEST_F(QsoEditTest, AddScoresThroughTheRulesRecordingNewMultipliersAndCountsTheBand) {
  FiveQsos();
  TTreeRules& rules = station_->Rules();
  const std::uint16_t points = rules.GetScore("UA9AAA", "599 17", 4, Mode::kCw);
  ASSERT_EQ(rules.GetMulti("UA9AAA", "599 17", 4, Mode::kCw, false), 1);  // Asiatic Russia on 20 m
  ASSERT_TRUE(editor_->Add(0, Form("05-03-2024", "09:00", k20m, 0, "UA9AAA", "", "599 17")));
  EXPECT_EQ(Log().At(0)->Score, points);
  EXPECT_EQ(Log().At(0)->Multi, 1);
  EXPECT_EQ(rules.GetMulti("UA9BBB", "599 17", 4, Mode::kCw, false), 0);  // recorded now
  EXPECT_EQ(Row(4).qsos, 5);
  EXPECT_EQ(Row(4).points, 10u + points);
  // The same country again on the same band brings no second multiplier: the log is scored in
  // its order, so the QSO placed first brings it and the other no longer does.
  ASSERT_TRUE(editor_->Add(0, Form("05-03-2024", "08:59", k20m, 0, "UA9BBB", "", "599 17")));
  EXPECT_EQ(Log().At(0)->Multi, 1);
  EXPECT_EQ(Log().At(1)->Multi, 0);
  EXPECT_EQ(Row(4).multi, 5u);
}

TEST_F(QsoEditTest, AddStoresTheReceivedExchangeAsTypedAndCutsLongTexts) {
  FiveQsos();
  ASSERT_TRUE(editor_->Add(0, Form("05-03-2024", "09:00", k40m, kPh, "ua9aaa/p/mm/qrp/x",
                                   "0123456789ABCDEFXY", "59 017 extra text!")));
  const QsoRecord& q = *Log().At(0);
  EXPECT_EQ(q.Call, "ua9aaa/p/mm/qrp/");
  EXPECT_EQ(q.Sent, "0123456789ABCDEF");
  EXPECT_EQ(q.Rcvd, "59 017 extra tex");
  EXPECT_EQ(q.Freq, 70500);
  EXPECT_EQ(q.Mode, Mode::kPhone);
}

TEST_F(QsoEditTest, AddNeverGivesAGuidTheLogAlreadyHolds) {
  FiveQsos();
  station_->Ids().Set(102);  // as after a load whose last Guid was 102
  ASSERT_TRUE(editor_->Add(0, Form("05-03-2024", "09:00", 0, 0, "OH1AA")));
  EXPECT_EQ(Log().At(0)->Guid, 105);
  station_->Ids().Set(0);
  ASSERT_TRUE(editor_->Add(0, Form("05-03-2024", "09:00", 0, 0, "OH1AB")));
  EXPECT_NE(Log().At(0)->Guid, 0);
  EXPECT_EQ(Log().FindByGuid(Log().At(0)->Guid), 0);
}

TEST_F(QsoEditTest, AddIsRefusedOnAMissingPositionAndChangesNothing) {
  const QsoForm f = Form("05-03-2024", "09:00", k20m, 0, "UA9AAA", "", "599 17");
  EXPECT_FALSE(editor_->Add(0, f));  // empty log
  FiveQsos();
  EXPECT_FALSE(editor_->Add(5, f));  // after the last line: no QSO to insert before
  EXPECT_FALSE(editor_->Add(0, Form("05-03-2024", "25:00", k20m, 0, "UA9AAA")));
  EXPECT_EQ(Log().Count(), 5);
  EXPECT_TRUE(recorder_.heard.empty());
  EXPECT_EQ(Row(4).qsos, 4);
  // Nothing was recorded by the rules either.
  EXPECT_EQ(station_->Rules().GetMulti("UA9AAA", "599 17", 4, Mode::kCw, false), 1);
}

// --- a log that changed while the dialog was open -------------------------------------------

TEST_F(QsoEditTest, TheQsoADialogOpenedOnIsFoundAgainByItsGuid) {
  FiveQsos();
  EXPECT_EQ(RelocateQso(Log(), 2, 102), 2);
  Log().Delete(0);  // another station deleted an earlier QSO meanwhile
  EXPECT_EQ(RelocateQso(Log(), 2, 102), 1);
  Log().Delete(1);  // ... and then this one
  EXPECT_EQ(RelocateQso(Log(), 2, 102), -1);
  Log().Clear();
  EXPECT_EQ(RelocateQso(Log(), 0, 100), -1);
}

}  // namespace
}  // namespace vk
