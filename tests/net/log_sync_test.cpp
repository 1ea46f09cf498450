// Three stations whose datagrams are lost, doubled and reordered on the way: adds, edits,
// inserts and deletes made at all of them end in three equal logs, by retries and by the
// digest repair, with nothing missing or doubled.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>

#include "net/net_sync.h"
#include "net_test_util.h"

namespace vk {
namespace {

using Clock = LogSync::Clock;
using nettest::MakeQso;

struct Node {
  explicit Node(int station) : sync(side.log, side.handler, side.exchange, station) {
    side.handler.OnChangeSent([this](const std::string& m) { sync.Track(m, now); });
  }
  void Receive(const std::string& text) {
    if (IsSyncMessage(text)) {
      sync.Handle(text, now, results);
    } else {
      results.push_back(side.handler.HandleMessage(text));
      sync.Acknowledge(text);
    }
  }
  nettest::StationSide side;
  Clock::time_point now{};
  LogSync sync;
  std::vector<NetResult> results;
};

class LossyGroup : public ::testing::Test {
 protected:
  LossyGroup() {
    for (int s = 1; s <= 3; ++s) nodes_.push_back(std::make_unique<Node>(s));
  }

  // One step of 20 ms: every station ticks, and what it sent reaches each other station with
  // 10 % loss, 5 % doubling and a random order.
  void Step() {
    now_ += std::chrono::milliseconds(20);
    std::vector<std::pair<int, std::string>> wire;
    for (int i = 0; i < 3; ++i) {
      Node& n = *nodes_[i];
      n.now = now_;
      n.sync.Tick(now_, n.results);
      while (auto m = n.side.exchange.TakeOutgoing()) {
        for (int j = 0; j < 3; ++j) {
          if (j == i || rng_() % 100 < 10) continue;
          wire.emplace_back(j, *m);
          if (rng_() % 100 < 5) wire.emplace_back(j, *m);
        }
      }
    }
    std::shuffle(wire.begin(), wire.end(), rng_);
    for (const auto& [to, text] : wire) nodes_[to]->Receive(text);
  }
  bool AllEqual() const {
    for (int i = 1; i < 3; ++i) {
      if (nodes_[i]->side.log.LogCrc() != nodes_[0]->side.log.LogCrc() ||
          nodes_[i]->side.log.Count() != nodes_[0]->side.log.Count()) {
        return false;
      }
    }
    return true;
  }
  void LogAt(int i, std::int32_t guid, std::uint16_t minute) {
    nodes_[i]->side.LogAtKeyboard(MakeQso(guid, "UA" + std::to_string(guid), 140250, minute));
  }

  std::vector<std::unique_ptr<Node>> nodes_;
  Clock::time_point now_{};
  std::mt19937 rng_{14};
};

TEST_F(LossyGroup, EveryChangeReachesEveryStationInOneOrder) {
  int guid = 1;
  for (int round = 0; round < 200; ++round) {
    for (int i = 0; i < 3; ++i)
      LogAt(i, (i + 1) << 24 | guid++, static_cast<std::uint16_t>(round % 60));
    Step();
  }
  // An edit, an insert and a delete at different stations.
  TLogCollection& a = nodes_[0]->side.log;
  QsoRecord edited = *a.At(5);
  edited.Call = "K1EDIT";
  edited.Mark += 1;
  a.InsertAt(5, edited);
  a.Delete(6);
  nodes_[0]->side.handler.SendQso(2, a.At(5));
  TLogCollection& b = nodes_[1]->side.log;
  b.InsertAt(10, MakeQso(2 << 24 | 9999, "K1INS", 140250, 1));
  nodes_[1]->side.handler.SendQso(4, b.At(10));
  TLogCollection& c = nodes_[2]->side.log;
  const std::int32_t gone = c.GetGuid(20);
  c.Delete(20);
  nodes_[2]->side.handler.SendDelete(gone);

  for (int i = 0; i < 500 && !AllEqual(); ++i) Step();  // at most 10 s of the group's time
  for (int i = 0; i < 100; ++i) Step();                 // and it stays so
  ASSERT_TRUE(AllEqual());
  EXPECT_EQ(a.Count(), 600);  // 600 logged, one inserted, one deleted
  std::set<std::int32_t> guids;
  for (const QsoRecord& q : a) guids.insert(q.Guid);
  EXPECT_EQ(guids.size(), 600u);
  EXPECT_LT(c.FindByGuid(gone), 0);
  EXPECT_EQ(c.GetCall(c.FindByGuid(edited.Guid)), "K1EDIT");
  EXPECT_GE(a.FindByGuid(2 << 24 | 9999), 0);
}

TEST_F(LossyGroup, ALateJoinerCatchesUpBothWays) {
  for (int g = 1; g <= 300; ++g)
    nodes_[0]->side.log.Append(MakeQso(1 << 24 | g, "DL1A", 140250, g % 60));
  nodes_[1]->side.log.Append(MakeQso(2 << 24 | 1, "ONLY2", 140250, 3));
  for (int i = 0; i < 1000 && !AllEqual(); ++i) Step();
  ASSERT_TRUE(AllEqual());
  EXPECT_EQ(nodes_[2]->side.log.Count(), 301);
}

}  // namespace
}  // namespace vk

namespace vk {
namespace {

// Bookkeeping texts that are cut short, carry the wrong forms or name buckets that do not
// hold their Guids are dropped whole; the log stays as it was.
TEST(LogSyncInput, BrokenBookkeepingChangesNothing) {
  Node n(1);
  n.side.log.Append(MakeQso(1 << 24 | 1, "DL1AAA"));
  const std::uint32_t crc = n.side.log.LogCrc();
  for (const char* text :
       {"DIG:", "DIG:2^1^zz^00000000", "DIG:200^1^00000000^00000000", "ACK:2^", "ACK:2^1,2",
        "BKT:2^0^123", "BKT:2^300^00000000", "INV:2^0^1/1^0000000g.00000000.1", "INV:2^0^2/1^",
        "INV:2^999^1/1^", "INV:2^5^1/1^00000001.x", "WANT:2^nothex", "WANT:2^01000001,zz",
        "REC:2^0^1`bad", "REC:2^x^", "REC:2", "WANT:1^01000001"}) {
    n.Receive(text);
  }
  n.sync.Tick(n.now, n.results);
  EXPECT_EQ(n.side.log.LogCrc(), crc);
  EXPECT_EQ(n.side.log.Count(), 1);
  EXPECT_TRUE(n.side.handler.Tombstones().empty());
}

}  // namespace
}  // namespace vk
