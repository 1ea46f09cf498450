// The one owner of the log: what each kind of change validates, where it puts the QSO, what it
// publishes, and that a burst from the group is scored and saved once.  A scratch station
// working the shipped contests as DL1ABC.
#include "app/logbook.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/log_transfer.h"
#include "log/adif.h"
#include "score/repeat.h"
#include "logbook_access.h"
#include "station_fixture.h"

namespace vk::test {
namespace {

QsoRecord Qso(const char* call, std::uint16_t hour, std::uint16_t minute, Freq freq = 140250,
              Mode mode = Mode::kCw) {
  QsoRecord q;
  q.Stamp = {2024, 3, 5, hour, minute, 0};
  q.Freq = freq;
  q.Mode = mode;
  q.Call = call;
  q.Sent = "599 001";
  q.Rcvd = "599 015";
  return q;
}

class LogbookTest : public StationFixture {
 protected:
  Logbook& Start(const char* rules, const char* contest) {
    ShipRules(rules);
    WriteConfig(std::string("Contest=") + contest + "\r\nCall=DL1ABC\r\n");
    Logbook& book = StationFixture::Start().Book();
    EXPECT_TRUE(book.Load().ok());
    return book;
  }
  std::vector<std::string> Calls() const {
    std::vector<std::string> out;
    for (const QsoRecord& q : station_->Log()) out.push_back(q.Call);
    return out;
  }
};

// The QSOs of another program's file go where their time puts them, so the later of two equal
// contacts is the repeat, as it was on the air, and the report lists them in time order.
TEST_F(LogbookTest, ImportPlacesOlderQsosFirstAndTheLaterContactBecomesTheRepeat) {
  Logbook& book = Start("contest.xml", "WORLD");
  ASSERT_TRUE(book.Add(Qso("K1ABC", 10, 0)).ok());
  ASSERT_TRUE(book.Add(Qso("JA1XYZ", 10, 5)).ok());
  const ImportOutcome r = book.Import({Qso("F5AAA", 10, 2), Qso("K1ABC", 9, 0)});
  EXPECT_EQ(r.taken, 2);
  EXPECT_TRUE(r.saved.ok()) << r.saved.message;
  EXPECT_EQ(Calls(), (std::vector<std::string>{"K1ABC", "K1ABC", "F5AAA", "JA1XYZ"}));
  const TLogCollection& log = book.Log();
  EXPECT_FALSE(log.At(0)->Dupe);  // 09:00, imported
  EXPECT_TRUE(log.At(1)->Dupe);   // 10:00, typed here
  EXPECT_GT(log.At(0)->Score, 0);
  // Every Guid once, and the file holds the log as it is.
  for (int i = 0; i < log.Count(); ++i) EXPECT_EQ(log.FindByGuid(log.GetGuid(i)), i);
  TLogCollection file;
  ASSERT_TRUE(LoadAdifLog(LogPath(), file).ok());
  EXPECT_EQ(file.LogCrc(), log.LogCrc());
  // One change per QSO placed, then the rescore.
  const std::vector<LogChange> feed = book.ChangesSince(2);
  ASSERT_EQ(feed.size(), 3u);
  EXPECT_EQ(feed[0].kind, LogChangeKind::kInserted);
  EXPECT_EQ(feed[0].origin, LogOrigin::kImport);
  EXPECT_EQ(feed[2].kind, LogChangeKind::kRescored);
}

// What a CW contest refuses, by the file import of the menu and the command alike.
TEST_F(LogbookTest, ImportRefusesBandsAndModesTheContestDoesNotHave) {
  Start("cqwpx.xml", "CQ-WPX-CW");
  struct Case {
    const char* record;
    const char* reason;  // empty: taken
  } cases[] = {
      {"<CALL:5>K1ABC<QSO_DATE:8>20240305<TIME_ON:4>0910<BAND:3>20M<MODE:2>CW", ""},
      {"<CALL:5>K1ABD<QSO_DATE:8>20240305<TIME_ON:4>0911<BAND:3>20M<MODE:3>SSB",
       "record 2 (K1ABD): mode SSB not in the contest"},
      {"<CALL:5>K1ABE<QSO_DATE:8>20240305<TIME_ON:4>0912<BAND:3>20M<MODE:2>FM",
       "record 3 (K1ABE): mode FM not in the contest"},
      {"<CALL:5>K1ABF<QSO_DATE:8>20240305<TIME_ON:4>0913<BAND:3>30M<MODE:2>CW",
       "record 4 (K1ABF): band of 10.1 MHz not in the contest"},
  };
  std::ofstream file(dir_ / "in.adi", std::ios::binary);
  file << "<EOH>\n";
  for (const Case& c : cases) file << c.record << "<EOR>\n";
  file.close();
  const TransferReport r = ImportIntoStation(*station_, "in.adi");
  EXPECT_EQ(r.taken, 1);
  std::vector<std::string> want;
  for (const Case& c : cases) {
    if (*c.reason != '\0') want.emplace_back(c.reason);
  }
  EXPECT_EQ(r.refused, want);
  // The logbook checks again whatever hands it QSOs.
  const ImportOutcome direct = station_->Book().Import({Qso("K1ABG", 9, 14, 140250, Mode::kPhone)});
  EXPECT_EQ(direct.taken, 0);
  EXPECT_EQ(direct.refused,
            std::vector<std::string>{"K1ABG 2024-03-05 09:14: mode PH not in the contest"});
  EXPECT_EQ(Calls(), std::vector<std::string>{"K1ABC"});
}

// Changes from the group are applied at once but scored by this station's rules, saved and
// published once, at the end of the pass.
TEST_F(LogbookTest, GroupChangesAreScoredSavedAndPublishedOncePerPass) {
  Logbook& book = Start("contest.xml", "WORLD");
  const std::uint64_t before = book.Revision();
  QsoRecord q = Qso("K1ABC", 9, 0);
  q.Guid = 77;
  q.Score = 9;  // what the sending station's rules gave
  ASSERT_TRUE(book.ApplyRemote({GroupChangeKind::kPlace, 0, q, {}}));
  EXPECT_FALSE(book.ApplyRemote({GroupChangeKind::kPlace, 1, q, {}}));  // the Guid is held
  EXPECT_EQ(book.Revision(), before);  // nothing published mid-pass
  ASSERT_TRUE(book.SettleRemote());
  EXPECT_FALSE(book.SettleRemote());
  EXPECT_NE(book.Log().At(0)->Score, 9);  // this station's figures
  EXPECT_EQ(book.Totals().Row(BandOfFreq(q.Freq)).qsos, 1);
  const std::vector<LogChange> feed = book.ChangesSince(before);
  EXPECT_EQ(feed, (std::vector<LogChange>{
                      {before + 1, LogChangeKind::kAppended, LogOrigin::kGroup, 77, 0},
                      {before + 2, LogChangeKind::kRescored, LogOrigin::kGroup, 0, -1}}));
  TLogCollection file;
  ASSERT_TRUE(LoadAdifLog(LogPath(), file).ok());
  EXPECT_EQ(file.Count(), 1);
}

// The load scores the whole log again.  Dupe marks (never stored) and figures of other rules
// do not keep the first QSO logged after it from being appended; figures the file does not
// hold yet are written with the whole file at the end.
TEST_F(LogbookTest, TheFirstQsoAfterTheLoadIsAppended) {
  Logbook* book = &Start("contest.xml", "WORLD");
  ASSERT_TRUE(book->Add(Qso("K1ABC", 9, 0)).ok());
  ASSERT_TRUE(book->Add(Qso("K1ABC", 9, 1)).ok());  // a repeat
  for (const bool otherRules : {false, true}) {
    SCOPED_TRACE(otherRules ? "figures of other rules" : "figures as the rules give");
    if (otherRules) {
      TLogCollection other;
      for (const QsoRecord& q : book->Log()) other.Append(q);
      other.SetFigures(0, 9, 9, 0, false);
      other.CalcLogCrc();
      ASSERT_TRUE(WriteAdifLog(other, LogPath()).ok());
    }
    book = &StationFixture::Start().Book();
    ASSERT_TRUE(book->Load().ok());
    ASSERT_TRUE(book->Log().At(1)->Dupe);
    const std::string before = ReadWholeFile(LogPath());
    struct stat st0 {};
    ::stat(LogPath().c_str(), &st0);
    ASSERT_TRUE(book->Add(Qso(otherRules ? "W1AW" : "N1XX", 9, 2)).ok());
    struct stat st1 {};
    ::stat(LogPath().c_str(), &st1);
    EXPECT_EQ(st0.st_ino, st1.st_ino);
    const QsoRecord& added = *book->Log().At(book->Log().Count() - 1);
    EXPECT_EQ(ReadWholeFile(LogPath()), before + AdifRecordLine(added) + "\r\n");
    EXPECT_EQ(book->Saved(), !otherRules);
    EXPECT_TRUE(book->SaveOnExit(false).ok());
    EXPECT_EQ(ReadWholeFile(LogPath()), BuildAdifLog(book->Log()));
  }
}

// The repeat check from the logbook's index of calls gives the answer of a check that reads
// the whole log, after every kind of change (the index is kept by Add and by each scoring, and
// is not trusted while the group's changes wait to be settled).
TEST_F(LogbookTest, RepeatCheckFollowsEveryChange) {
  Logbook& book = Start("contest.xml", "WORLD");
  const auto agrees = [&](const char* step) {
    SCOPED_TRACE(step);
    for (const char* call : {"K1ABC", "F5AAA", "DL2XX", "G4ZZZ"}) {
      for (const Freq f : {140250, 70250}) {
        const DateTime at{2024, 3, 5, 10, 0, 0};
        EXPECT_EQ(book.CheckRepeat(call, f, Mode::kCw, at).position,
                  CheckRepeat(book.Log(), station_->Rules().Settings().repeat, call, f, Mode::kCw,
                              at)
                      .position)
            << call << " " << f;
      }
    }
  };
  ASSERT_TRUE(book.Add(Qso("K1ABC", 9, 0)).ok());
  ASSERT_TRUE(book.Add(Qso("K1ABC", 9, 1)).ok());  // a repeat
  ASSERT_TRUE(book.Add(Qso("F5AAA", 9, 2, 70250)).ok());
  agrees("added");
  ASSERT_TRUE(book.Edit(0, Qso("DL2XX", 9, 0)).ok());  // the repeat now counts
  agrees("edited");
  ASSERT_TRUE(book.Delete(2).ok());
  agrees("deleted");
  QsoRecord q = Qso("G4ZZZ", 9, 5);
  q.Guid = 4242;
  ASSERT_TRUE(book.ApplyRemote({GroupChangeKind::kPlace, book.Log().Count(), q, {}}));
  agrees("the group's change pending");
  ASSERT_TRUE(book.SettleRemote());
  agrees("settled");
}

TEST_F(LogbookTest, RefusedChangesLeaveTheLogAndTheFeedAlone) {
  Logbook& book = Start("contest.xml", "WORLD");
  ASSERT_TRUE(book.Add(Qso("K1ABC", 9, 0)).ok());
  const std::uint32_t crc = book.Log().LogCrc();
  const std::uint64_t rev = book.Revision();
  QsoRecord bad = Qso("F5AAA", 9, 1);
  bad.Stamp.day = 31;
  bad.Stamp.month = 2;
  EXPECT_FALSE(book.Add(bad).ok());
  EXPECT_FALSE(book.Insert(5, Qso("F5AAA", 9, 1)).ok());
  EXPECT_FALSE(book.Edit(1, Qso("F5AAA", 9, 1)).ok());
  EXPECT_FALSE(book.Edit(0, bad).ok());
  EXPECT_FALSE(book.Delete(-1).ok());
  // Bytes that would break the file's lines, Cabrillo's columns or a datagram, from any path:
  // a call outside printable ASCII, a control byte in an exchange.
  QsoRecord call = Qso("F5\x99" "AA", 9, 1);  // a CP866 letter
  QsoRecord sent = Qso("F5AAA", 9, 1);
  sent.Sent = "599\t001";
  QsoRecord rcvd = Qso("F5AAA", 9, 1);
  rcvd.Rcvd = "599\n015";
  for (const QsoRecord& q : {call, sent, rcvd}) {
    EXPECT_FALSE(book.Add(q).ok()) << q.Call;
    EXPECT_FALSE(book.Insert(0, q).ok()) << q.Call;
    EXPECT_FALSE(book.Edit(0, q).ok()) << q.Call;
  }
  const ImportOutcome in = book.Import({call, rcvd});
  EXPECT_EQ(in.taken, 0);
  ASSERT_EQ(in.refused.size(), 2u);
  EXPECT_NE(in.refused[0].find("call not printable ASCII"), std::string::npos) << in.refused[0];
  EXPECT_EQ(book.Log().LogCrc(), crc);
  EXPECT_EQ(book.Revision(), rev);
}

// A reader that fell further behind than the feed keeps learns that it must take the whole log.
TEST_F(LogbookTest, TheFeedSaysWhenAReaderFellTooFarBehind) {
  Logbook& book = Start("contest.xml", "WORLD");
  bool complete = false;
  EXPECT_TRUE(book.ChangesSince(0, &complete).empty());
  EXPECT_TRUE(complete);
  for (std::size_t i = 0; i < Logbook::kFeedKept + 1; ++i) (void)book.Rescore();
  EXPECT_EQ(book.ChangesSince(1, &complete).size(), Logbook::kFeedKept);
  EXPECT_TRUE(complete);
  EXPECT_EQ(book.ChangesSince(0, &complete).size(), Logbook::kFeedKept);
  EXPECT_FALSE(complete);
}

}  // namespace
}  // namespace vk::test
