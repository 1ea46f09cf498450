// Two stations of one group on the in-memory network, each with its own log, rules, totals,
// exchange record and network thread (driven pass by pass): what one station does to its log
// reaches the other, and the log checksums they report show whether the logs agree.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "log/log_order.h"
#include "net/fake_udp.h"
#include "net/net_thread.h"
#include "net_test_util.h"

namespace vk {
namespace {

using nettest::MakeQso;

constexpr std::uint16_t kPort = 12345;
constexpr BandIndex k20m = 4;

struct Station {
  Station(FakeUdpNetwork& net, const std::string& own, const std::string& peer)
      : worker(side.exchange, {peer, kPort}, net.Factory(own),
               [&net](std::chrono::milliseconds ms) { net.Advance(ms.count()); }) {
    worker.Open();
  }

  // The shell's idle pass: own checksum out, reports compared, messages applied.
  void IdlePass() {
    side.exchange.SetOwnChecksum(side.log.LogCrc());
    if (side.exchange.TakeChecksumReceived()) {
      ++reports;
      mismatches = side.exchange.PeerChecksum() == side.log.LogCrc() ? 0 : mismatches + 1;
    }
    if (side.exchange.TakeMessageReceived()) {
      while (auto text = side.exchange.TakeIncoming()) {
        results.push_back(side.handler.HandleMessage(*text));
      }
    }
  }

  nettest::StationSide side;
  NetWorker worker;
  std::vector<NetResult> results;
  int reports = 0;
  int mismatches = 0;  // differing reports in a row
};

class TwoStations : public ::testing::Test {
 protected:
  TwoStations() : a_(net_, "10.0.0.1", "10.0.0.2"), b_(net_, "10.0.0.2", "10.0.0.1") {}

  // Both network threads and both UI threads take `n` turns.
  void Run(int n) {
    for (int i = 0; i < n; ++i) {
      a_.worker.Pass();
      b_.worker.Pass();
      a_.IdlePass();
      b_.IdlePass();
    }
  }

  static void ExpectSameLog(const TLogCollection& x, const TLogCollection& y) {
    ASSERT_EQ(x.Count(), y.Count());
    for (int i = 0; i < x.Count(); ++i) {
      QsoRecord p = *x.At(i), q = *y.At(i);
      EXPECT_EQ(p, q) << "position " << i;
    }
    EXPECT_EQ(x.LogCrc(), y.LogCrc());
  }

  FakeUdpNetwork net_;
  Station a_;
  Station b_;
};

TEST_F(TwoStations, EveryKindOfChangeReachesTheOtherLog) {
  TLogCollection& log = a_.side.log;
  NetHandler& h = a_.side.handler;
  a_.side.LogAtKeyboard(MakeQso(10, "DL1AAA", 140250, 1));
  a_.side.LogAtKeyboard(MakeQso(12, "K1AR", 70250, 2));
  a_.side.LogAtKeyboard(MakeQso(14, "JA1BBB", 210250, 3));
  Run(2);
  ExpectSameLog(log, b_.side.log);

  // Added by dialog before the second QSO; edited; the first deleted.
  // The dialog gives a QSO stamped out of turn its place before the second one.
  QsoRecord inserted = MakeQso(16, "UA9QQQ", 140100, 2);
  inserted.Place = PlaceBefore(log, 1, inserted);
  log.InsertAt(1, inserted);
  h.SendQso(4, log.At(1));
  log.SetCall(2, "K1XYZ");
  log.SetFreq(2, 70300);
  log.CalcCrc(2);
  log.CalcLogCrc();
  h.SendQso(2, log.At(2));
  h.SendDelete(log.GetGuid(0));
  log.Delete(0);
  Run(2);
  ExpectSameLog(log, b_.side.log);
  EXPECT_EQ(b_.side.log.GetCall(1), "K1XYZ");

  std::vector<NetChange> changes;
  for (const NetResult& r : b_.results) changes.push_back(r.change);
  EXPECT_EQ(changes, (std::vector<NetChange>{NetChange::kAppended, NetChange::kAppended,
                                             NetChange::kAppended, NetChange::kInserted,
                                             NetChange::kEdited, NetChange::kDeleted}));
  EXPECT_TRUE(a_.results.empty());
}

TEST_F(TwoStations, EqualLogsReportEqualChecksums) {
  for (int i = 0; i < 5; ++i) a_.side.LogAtKeyboard(MakeQso(100 + i, "DL1AAA", 140250, i));
  Run(40);
  ExpectSameLog(a_.side.log, b_.side.log);
  EXPECT_GE(a_.reports, 5);
  EXPECT_GE(b_.reports, 5);
  EXPECT_EQ(a_.mismatches, 0);
  EXPECT_EQ(b_.mismatches, 0);
}

// Two QSOs logged in the same minute: each station appends its own first, and the other's
// takes its place by stamp and Guid, so both logs end in one order and agree.
TEST_F(TwoStations, QsosLoggedAtTheSameMomentEndInOneOrder) {
  a_.side.LogAtKeyboard(MakeQso(101, "DL1AAA", 140250, 1));
  b_.side.LogAtKeyboard(MakeQso(100, "K1AR", 70250, 1));
  Run(40);
  ExpectSameLog(a_.side.log, b_.side.log);
  EXPECT_EQ(a_.side.log.GetGuid(0), 100);
  EXPECT_EQ(a_.mismatches, 0);
  EXPECT_EQ(b_.mismatches, 0);
}

// B takes A's whole log into its own: asks for QSO n whenever nothing waits to be sent, counts
// each answer, and stops at ENDLOG:.  B's own QSO stays.
TEST_F(TwoStations, WholeLogTransferEndsWithEqualLogs) {
  for (int i = 0; i < 25; ++i) {
    a_.side.log.Append(MakeQso(1000 + i, i % 2 ? "K1AR" : "DL1AAA", 140250 + i, i));
  }
  b_.side.log.Append(MakeQso(1, "JA1BBB"));
  b_.side.totals.Add(k20m, 2, 1, 0);
  b_.side.handler.BeginReceivingLog();
  std::int32_t n = 1;
  bool ended = false;
  for (int turn = 0; turn < 1000 && !ended; ++turn) {
    if (!b_.side.exchange.SendRequest()) b_.side.handler.RequestQso(n);
    Run(1);
    for (const NetResult& r : b_.results) {
      if (r.answered == n - 1) ++n;
      if (r.change == NetChange::kEndOfLog) ended = true;
    }
    b_.results.clear();
  }
  ASSERT_TRUE(ended);
  EXPECT_EQ(n, 26);
  ASSERT_EQ(b_.side.log.Count(), 26);
  EXPECT_EQ(b_.side.log.GetGuid(7), 1);  // minute 7, before A's of minute 7 (a lower Guid)
  for (int i = 0; i < 25; ++i) EXPECT_GE(b_.side.log.FindByGuid(1000 + i), 0);
  EXPECT_EQ(b_.side.totals.Row(k20m).qsos, 26);
  // The answers were meant for B only; A's log never changed.
  EXPECT_EQ(a_.side.log.Count(), 25);
}

TEST_F(TwoStations, LostDatagramsAreNotResent) {
  // Nobody listens at B while A logs: the message is dropped, as on a real network.
  b_.worker.Close();
  a_.side.LogAtKeyboard(MakeQso(100, "DL1AAA"));
  a_.worker.Pass();
  bool dropped = false;
  for (const FakeUdpEvent& e : net_.Events()) dropped |= e.what == "drop";
  EXPECT_TRUE(dropped);
  b_.worker.Open();
  Run(20);
  EXPECT_TRUE(b_.side.log.Empty());
  EXPECT_GT(b_.mismatches, 0);  // only the checksum reports show it
}

}  // namespace
}  // namespace vk
