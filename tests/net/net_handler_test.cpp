// Applying a message from another station to this station's log: where it lands, what is kept
// from the message and what this station's own rules decide, and what the windows are told.
// The rules pay 3 points on 20 m and 1 elsewhere, and a multiplier per new country per band.
#include "net/net_handler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net_test_util.h"
#include "util/bands.h"

namespace vk {
namespace {

using nettest::MakeQso;

constexpr BandIndex k20m = 4;
constexpr BandIndex k40m = 3;

class NetHandlerTest : public ::testing::Test {
 protected:
  NetHandlerTest() : journal_("handler") {}

  // Three QSOs as the log file gives them (band totals from their stored values).
  void ThreeQsos() {
    for (const QsoRecord& q : {MakeQso(101, "DL1AAA", 140250, 10), MakeQso(102, "F5BBB", 70250, 11),
                               MakeQso(103, "G4CCC", 140300, 12)}) {
      s_.log.Append(q);
      s_.totals.Add(BandOfFreq(q.Freq), q.Score, q.Multi, q.Bonus);
    }
  }
  NetResult Handle(const std::string& text) { return s_.handler.HandleMessage(text); }
  std::vector<std::int32_t> Guids() const {
    std::vector<std::int32_t> g;
    for (const QsoRecord& q : s_.log) g.push_back(q.Guid);
    return g;
  }

  nettest::JournalCapture journal_;
  nettest::StationSide s_{journal_.journal()};
};

TEST_F(NetHandlerTest, AddAppendsWithTheSendersFigures) {
  ThreeQsos();
  QsoRecord q = MakeQso(5001, "K1AR", 140250, 20);
  q.Score = 7;  // what the sending station's rules gave
  q.Multi = 0;
  q.Bonus = 2;
  q.Mark = 9;
  EXPECT_EQ(Handle(AddMessage(q)), (NetResult{NetChange::kAppended, 3, -1}));
  ASSERT_EQ(s_.log.Count(), 4);
  const QsoRecord& got = *s_.log.At(3);
  EXPECT_EQ(got.Guid, 5001);
  EXPECT_EQ(got.Score, 7);
  EXPECT_EQ(got.Multi, 0);
  EXPECT_EQ(got.Bonus, 2);
  EXPECT_EQ(got.Mark, 9);
  EXPECT_EQ(got.Crc, ComputeQsoCrc(got));
  // Scoring it by this station's rules is the log owner's (the logbook's tests).
}

TEST_F(NetHandlerTest, AddOfAQsoAlreadyHeldIsDropped) {
  ThreeQsos();
  const std::uint32_t crc = s_.log.LogCrc();
  // A station hearing its own message again (broadcast address, or a datagram twice).
  EXPECT_EQ(Handle(AddMessage(MakeQso(102, "F5BBB", 70250, 11))).change, NetChange::kNone);
  EXPECT_EQ(s_.log.LogCrc(), crc);
  EXPECT_TRUE(journal_.Has("NET_SKIP:->QSO already in the log: ADD:102`"));
  // A Guid names one QSO in the group: a different QSO under it is not appended either (the
  // repair of the logs settles which copy stays).
  EXPECT_EQ(Handle(AddMessage(MakeQso(102, "OK1DDD", 70250, 30))).change, NetChange::kNone);
  EXPECT_EQ(Guids(), (std::vector<std::int32_t>{101, 102, 103}));
  // Nor does a late copy bring back a QSO deleted meanwhile.
  Handle("DEL:103");
  EXPECT_EQ(Handle(AddMessage(MakeQso(103, "G4CCC", 140250, 12))).change, NetChange::kNone);
  EXPECT_EQ(Guids(), (std::vector<std::int32_t>{101, 102}));
}

TEST_F(NetHandlerTest, DeleteByGuidWhereverItIs) {
  ThreeQsos();
  EXPECT_EQ(Handle("DEL:101"), (NetResult{NetChange::kDeleted, 0, -1}));
  EXPECT_EQ(Guids(), (std::vector<std::int32_t>{102, 103}));
  EXPECT_EQ(journal_.Lines(), std::vector<std::string>{"DEL_IDX=>0"});
  // The totals no longer count it.
  EXPECT_EQ(s_.totals.Row(k20m).qsos, 1);
  EXPECT_EQ(s_.totals.Row(k40m).qsos, 1);
  // A Guid not held here: journalled with -1, nothing else happens.
  const std::uint32_t crc = s_.log.LogCrc();
  EXPECT_EQ(Handle("DEL:999").change, NetChange::kNone);
  EXPECT_EQ(journal_.Lines().back(), "DEL_IDX=>-1");
  EXPECT_EQ(s_.log.LogCrc(), crc);
}

TEST_F(NetHandlerTest, DeletingTheLastQsoLeavesAnEmptyLog) {
  s_.log.Append(MakeQso(1, "K1AR"));
  Handle("DEL:1");
  EXPECT_TRUE(s_.log.Empty());
  EXPECT_EQ(s_.log.LogCrc(), 0u);
}

TEST_F(NetHandlerTest, EditSetsStampFrequencyModeAndTextsOnly) {
  ThreeQsos();
  QsoRecord e = MakeQso(102, "F5XYZ", 70300, 45);
  e.Stamp.day = 6;
  e.Mode = Mode::kPhone;
  e.Sent = "59 001";
  e.Rcvd = "59 22";
  e.Score = 99;  // an edit never changes points, multipliers or bonus
  e.Multi = 99;
  e.Bonus = 99;
  e.Mark = 4;  // the sender's edit count, taken over
  EXPECT_EQ(Handle(EdtMessage(e)), (NetResult{NetChange::kEdited, 1, -1}));
  const QsoRecord& got = *s_.log.At(1);
  EXPECT_EQ(got.Stamp, (DateTime{2024, 3, 6, 9, 45, 0}));
  EXPECT_EQ(got.Freq, 70300);
  EXPECT_EQ(got.Mode, Mode::kPhone);
  EXPECT_EQ(got.Call, "F5XYZ");
  EXPECT_EQ(got.Sent, "59 001");
  EXPECT_EQ(got.Rcvd, "59 22");
  EXPECT_EQ(got.Score, 2);
  EXPECT_EQ(got.Multi, 1);
  EXPECT_EQ(got.Bonus, 0);
  EXPECT_EQ(got.Mark, 4);
  EXPECT_EQ(got.Crc, ComputeQsoCrc(got));
  // A late copy of an earlier edit does not undo it.
  QsoRecord old = MakeQso(102, "F5OLD", 70300, 45);
  old.Mark = 3;
  EXPECT_EQ(Handle(EdtMessage(old)).change, NetChange::kNone);
  EXPECT_EQ(s_.log.At(1)->Call, "F5XYZ");
  // The log checksum is that of the same QSOs appended afresh.
  TLogCollection fresh;
  for (const QsoRecord& q : s_.log) fresh.Append(q);
  EXPECT_EQ(s_.log.LogCrc(), fresh.LogCrc());
}

// Edits of one QSO made on both sides of a split group: whatever order they arrive in, and
// however often, every station keeps the same one (the higher version); a delete sticks.
TEST_F(NetHandlerTest, NewestEditWinsInAnyOrderAndDeletesStick) {
  QsoRecord a = MakeQso(102, "F5AAA");
  a.Mark = NextEditVersion(1, 2);  // first edit, at station 2
  QsoRecord b = MakeQso(102, "F5BBB");
  b.Mark = NextEditVersion(1, 5);  // first edit, at station 5: the higher station wins the tie
  QsoRecord c = MakeQso(102, "F5CCC");
  c.Mark = NextEditVersion(a.Mark, 2);  // a second edit beats both
  const std::vector<std::pair<std::vector<QsoRecord>, std::string>> cases = {
      {{a, b}, "F5BBB"}, {{b, a}, "F5BBB"}, {{b, a, b, a}, "F5BBB"},
      {{a, c, b}, "F5CCC"}, {{c, b, a}, "F5CCC"}};
  for (const auto& [arrivals, kept] : cases) {
    s_.log.Clear();
    ThreeQsos();
    for (const QsoRecord& e : arrivals) Handle(EdtMessage(e));
    EXPECT_EQ(s_.log.At(s_.log.FindByGuid(102))->Call, kept);
  }
  Handle(DelMessage(102));
  QsoRecord later = c;
  later.Mark = NextEditVersion(c.Mark, 7);
  EXPECT_EQ(Handle(EdtMessage(later)).change, NetChange::kNone);
  EXPECT_EQ(Handle(AddMessage(later)).change, NetChange::kNone);
  EXPECT_EQ(s_.log.FindByGuid(102), -1);
}

TEST_F(NetHandlerTest, EditThatMovesAQsoToAnotherBandMovesItsPoints) {
  ThreeQsos();
  EXPECT_EQ(Handle(EdtMessage(MakeQso(103, "G4CCC", 70100, 12))),
            (NetResult{NetChange::kEdited, 2, -1}));
  EXPECT_EQ(s_.totals.Row(k20m).qsos, 1);
  EXPECT_EQ(s_.totals.Row(k40m).qsos, 2);
}

TEST_F(NetHandlerTest, EditOfAQsoNotHeldChangesNothing) {
  ThreeQsos();
  const std::uint32_t crc = s_.log.LogCrc();
  EXPECT_EQ(Handle(EdtMessage(MakeQso(555, "K1AR"))).change, NetChange::kNone);
  EXPECT_EQ(s_.log.LogCrc(), crc);
  EXPECT_TRUE(journal_.Has("NET_SKIP:->no QSO with this Guid: EDT:555`"));
}

TEST_F(NetHandlerTest, InsertGoesBeforeTheNamedQsoWhereverItIsHere) {
  ThreeQsos();
  // The sender has 103 right after the new QSO; here 103 is at position 2.
  EXPECT_EQ(Handle(InsMessage(103, MakeQso(200, "K1AR", 140250, 11))),
            (NetResult{NetChange::kInserted, 2, -1}));
  EXPECT_EQ(Guids(), (std::vector<std::int32_t>{101, 102, 200, 103}));
  TLogCollection fresh;
  for (const QsoRecord& q : s_.log) fresh.Append(q);
  EXPECT_EQ(s_.log.LogCrc(), fresh.LogCrc());
}

TEST_F(NetHandlerTest, InsertBeforeAQsoNotHeldIsPlacedByItsStamp) {
  ThreeQsos();  // minutes 7, 11, 12
  // The QSO it went before was lost or deleted: the inserted one still arrives.
  EXPECT_EQ(Handle(InsMessage(999, MakeQso(200, "K1AR", 140250, 10))),
            (NetResult{NetChange::kInserted, 1, -1}));
  EXPECT_EQ(Guids(), (std::vector<std::int32_t>{101, 200, 102, 103}));
  EXPECT_EQ(Handle("INS:101" + BuildQsoLine(MakeQso(201, "K1AR"))).change, NetChange::kNone);
  EXPECT_EQ(s_.log.Count(), 4);
}

TEST_F(NetHandlerTest, RequestsAreAnsweredByPosition) {
  s_.log.Append(MakeQso(101, "DL1AAA"));
  s_.log.Append(MakeQso(102, "F5BBB"));
  Handle("GET:3");
  Handle("GET:2");
  Handle("GET:1");
  Handle("GET:0");            // nothing
  Handle("GET:-4");           // nothing
  Handle("GET:99999999999");  // not a count at all
  EXPECT_EQ(s_.Outgoing(),
            (std::vector<std::string>{"ENDLOG:", "QSO:1^" + BuildQsoLine(*s_.log.At(1)),
                                      "QSO:0^" + BuildQsoLine(*s_.log.At(0))}));
  EXPECT_TRUE(journal_.Has("NET_SKIP:->bad number: GET:99999999999"));
  EXPECT_EQ(s_.log.Count(), 2);
}

TEST_F(NetHandlerTest, AnswersAndEndOfLogCountOnlyWhileReceiving) {
  const std::string answer = QsoMessage(0, MakeQso(101, "DL1AAA"));
  // With a broadcast address the answers for another station arrive here too.
  EXPECT_EQ(Handle(answer).change, NetChange::kNone);
  EXPECT_EQ(Handle("ENDLOG:").change, NetChange::kNone);
  EXPECT_TRUE(s_.log.Empty());
  EXPECT_TRUE(journal_.Has("NET_SKIP:->not receiving a log: ENDLOG:"));

  s_.handler.SetReceivingLog(true);
  EXPECT_EQ(Handle(answer), (NetResult{NetChange::kLogQso, 0, 0}));
  // A repeated answer changes nothing but still counts as answered.
  EXPECT_EQ(Handle(answer), (NetResult{NetChange::kNone, -1, 0}));
  // The QSO takes its place in this log's order, whatever its position in the other.
  EXPECT_EQ(Handle(QsoMessage(7, MakeQso(102, "K1AR"))),
            (NetResult{NetChange::kLogQso, 1, 7}));
  EXPECT_EQ(Guids(), (std::vector<std::int32_t>{101, 102}));
  EXPECT_EQ(Handle("ENDLOG:"), (NetResult{NetChange::kEndOfLog, -1, -1}));
}

// Whatever arrives broken, the log stays exactly as it was and a journal line says why.
TEST_F(NetHandlerTest, MalformedMessagesLeaveTheLogAlone) {
  ThreeQsos();
  const std::uint32_t crc = s_.log.LogCrc();
  const std::string line = BuildQsoLine(MakeQso(300, "K1AR"));
  const std::string cases[] = {
      "ADD:" + line.substr(0, 20),                                    // cut short
      "ADD:" + line + std::string(240, 'x'),                          // over-long
      std::string("EDT:\x02\x03", 6),                                 // binary
      "MOVE:101",                                                     // unknown keyword
      "DEL:abc",                                                      // not a number
      "DEL:",                                                         // nothing
      "INS:101",                                                      // no "^"
      "ADD:300`05-03-2024`09:07`140250`CW`K1`AR`599`599 15`2`1`0`1",  // accent in the call
      "ADD:300`05-03-2024`09:07`14O250`CW`K1AR`599`599 15`2`1`0`1",   // letter O in a number
      "HELO:12",  // a report that reached the UI: not a log change
  };
  for (const std::string& text : cases) {
    journal_.Clear();
    EXPECT_EQ(Handle(text).change, NetChange::kNone) << PrintableText(text);
    EXPECT_EQ(s_.log.LogCrc(), crc) << PrintableText(text);
    EXPECT_EQ(s_.log.Count(), 3);
    if (text != "HELO:12") {
      EXPECT_TRUE(journal_.Has("NET_SKIP:->")) << PrintableText(text);
    }
  }
  EXPECT_EQ(s_.totals.Row(k20m).qsos, 2);
}

// --- sending ------------------------------------------------------------------------------------

TEST_F(NetHandlerTest, SendQsoBuildsTheMessageOfEachOperation) {
  ThreeQsos();
  const QsoRecord* second = s_.log.At(1);
  const QsoRecord* last = s_.log.At(2);
  EXPECT_TRUE(s_.handler.SendQso(1, second));
  EXPECT_TRUE(s_.handler.SendQso(2, second));
  EXPECT_FALSE(s_.handler.SendQso(3, second));
  EXPECT_TRUE(s_.handler.SendQso(4, second));
  EXPECT_TRUE(s_.handler.SendQso(4, last));  // added at the end: nothing follows it
  EXPECT_TRUE(s_.handler.SendQso(5, second));
  EXPECT_FALSE(s_.handler.SendQso(1, nullptr));
  EXPECT_FALSE(s_.handler.SendQso(7, second));
  EXPECT_TRUE(s_.handler.SendDelete(101));
  EXPECT_TRUE(s_.handler.RequestQso(1));
  const std::string l2 = BuildQsoLine(*second);
  EXPECT_EQ(s_.Outgoing(), (std::vector<std::string>{"ADD:" + l2, "EDT:" + l2, "INS:103^" + l2,
                                                     "ADD:" + BuildQsoLine(*last), "QSO:1^" + l2,
                                                     "DEL:101", "GET:1"}));
}

TEST_F(NetHandlerTest, AQsoWhoseTextsHoldTheSeparatorIsNotSent) {
  s_.log.Append(MakeQso(1, "K1AR"));
  s_.log.SetRcvd(0, "599`15");
  EXPECT_FALSE(s_.handler.SendQso(1, s_.log.At(0)));
  Handle("GET:1");
  EXPECT_TRUE(s_.Outgoing().empty());
  EXPECT_TRUE(journal_.Has("NET_SKIP:->QSO 1 holds \"`\" and cannot be sent"));
}

}  // namespace
}  // namespace vk
