// The network thread's passes over the in-memory network: what leaves when, what arrives where,
// and what is refused, with the times of the fake clock.  Station 10.0.0.1 talks to 10.0.0.2
// on port 12345.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "net/fake_udp.h"
#include "net/net_message.h"
#include "net/net_thread.h"
#include "net_test_util.h"

namespace vk {
namespace {

constexpr std::uint16_t kPort = 12345;

class NetWorkerTest : public ::testing::Test {
 protected:
  NetWorkerTest()
      : journal_("worker"),
        worker_(exchange_, {"10.0.0.2", kPort}, net_.Factory("10.0.0.1"),
                [this](std::chrono::milliseconds ms) {
                  sleeps_.push_back(ms.count());
                  net_.Advance(ms.count());
                }),
        peer_(net_.MakeSocket("10.0.0.2")) {
    peer_->Create();
    peer_->Bind(kPort);
    worker_.Open();
  }

  std::vector<std::string> Sent() const { return net_.SentFrom("10.0.0.1"); }
  void Passes(int n) {
    for (int i = 0; i < n; ++i) worker_.Pass();
  }
  void FromPeer(const std::string& text) { net_.Inject("10.0.0.1", kPort, text); }
  std::vector<std::string> Incoming() {
    std::vector<std::string> out;
    while (auto m = exchange_.TakeIncoming()) out.push_back(*m);
    return out;
  }

  nettest::JournalCapture journal_;
  FakeUdpNetwork net_;
  NetExchange exchange_{journal_.journal()};
  std::vector<long long> sleeps_;
  NetWorker worker_;
  std::unique_ptr<UdpSocket> peer_;
};

TEST_F(NetWorkerTest, ChecksumReportEveryThirdIdlePass) {
  exchange_.SetOwnChecksum(0xFFFFFFFFu);
  Passes(3);
  EXPECT_TRUE(Sent().empty());
  Passes(1);
  EXPECT_EQ(Sent(), std::vector<std::string>{"HELO:-1"});
  exchange_.SetOwnChecksum(42);
  Passes(3);
  EXPECT_EQ(Sent(), (std::vector<std::string>{"HELO:-1", "HELO:42"}));
  // Each pass sleeps 10 ms and then waits up to 100 ms for a datagram, in 10 ms slices.
  EXPECT_EQ(sleeps_, std::vector<long long>(7, 10));
  std::vector<long long> sendTimes;
  int slices = 0;
  for (const FakeUdpEvent& e : net_.Events()) {
    if (e.what == "send") sendTimes.push_back(e.ms);
    if (e.what == "timeout") {
      EXPECT_EQ(e.limitMs, 10);
      ++slices;
    }
  }
  EXPECT_EQ(slices, 7 * 10);
  EXPECT_EQ(sendTimes, (std::vector<long long>{40, 70}));
  EXPECT_FALSE(journal_.Has("NET_TX"));  // reports are never journalled
}

// Reports go by the clock: idle, or with the group's datagrams arriving all the time (which
// shortens every pass), a station reports about three times a second.
TEST(NetWorkerClock, ChecksumReportsAboutThreeASecondWhateverArrives) {
  struct Case {
    const char* what;
    long long passMs;     // the clock's step per pass
    int arrivalsPerPass;  // datagrams of other stations before each pass
  };
  const Case cases[] = {
      {"idle", 110, 0},
      {"a group of four reporting", 40, 1},
      {"a busy group", 5, 3},
  };
  for (const Case& c : cases) {
    nettest::JournalCapture journal("worker_clock");
    FakeUdpNetwork net;
    NetExchange x{journal.journal()};
    long long nowMs = 0;
    NetWorker worker(
        x, {"10.0.0.2", kPort}, net.Factory("10.0.0.1"), [](std::chrono::milliseconds) {},
        PosixLocalNets,
        [&] { return std::chrono::steady_clock::time_point(std::chrono::milliseconds(nowMs)); });
    worker.Open();
    std::unique_ptr<UdpSocket> peer = net.MakeSocket("10.0.0.2");
    peer->Create();
    peer->Bind(kPort);
    for (; nowMs < 10'000; nowMs += c.passMs) {
      for (int i = 0; i < c.arrivalsPerPass; ++i) net.Inject("10.0.0.1", kPort, "HELO:7");
      worker.Pass();
    }
    const std::size_t helos = net.SentFrom("10.0.0.1").size();
    EXPECT_GE(helos, 28u) << c.what;
    EXPECT_LE(helos, 31u) << c.what;
  }
}

TEST_F(NetWorkerTest, MessagesStillQueuedCutTheReceiveWaitShort) {
  // More than one pass sends: the rest must not sit out a whole receive wait.
  for (int i = 0; i < kNetMaxSendsPerPass + 1; ++i) exchange_.Send("DEL:" + std::to_string(i));
  std::size_t before = net_.Events().size();
  worker_.Pass();
  int slices = 0;
  for (std::size_t i = before; i < net_.Events().size(); ++i) {
    if (net_.Events()[i].what == "timeout") ++slices;
  }
  EXPECT_EQ(slices, 1);
  worker_.Pass();
  EXPECT_EQ(Sent().size(), static_cast<std::size_t>(kNetMaxSendsPerPass + 1));
}

TEST_F(NetWorkerTest, QueuedMessagesGoFirstAndAreJournalled) {
  Passes(1);  // idle pass 1
  exchange_.Send("DEL:5");
  exchange_.Send("DEL:6");  // two changes within one pass: both leave, in order
  Passes(1);
  EXPECT_EQ(Sent(), (std::vector<std::string>{"DEL:5", "DEL:6"}));
  EXPECT_FALSE(exchange_.SendRequest());
  EXPECT_EQ(journal_.Lines(), (std::vector<std::string>{"NET_TX:->DEL:5", "NET_TX:->DEL:6"}));
  Passes(1);  // idle pass 2: a pass that sent does not count
  EXPECT_EQ(Sent().size(), 2u);
  Passes(1);
  EXPECT_EQ(Sent().back(), "HELO:0");
}

TEST_F(NetWorkerTest, ChecksumReportsRaiseTheFlagOnly) {
  FromPeer("HELO:-1985229329");
  Passes(1);
  EXPECT_TRUE(exchange_.TakeChecksumReceived());
  EXPECT_EQ(exchange_.PeerChecksum(), 0x89ABCDEFu);
  EXPECT_FALSE(exchange_.TakeMessageReceived());
  EXPECT_TRUE(journal_.Lines().empty());
}

TEST_F(NetWorkerTest, MessagesAreJournalledAndHandedOver) {
  const std::string add = AddMessage(nettest::MakeQso(1, "K1AR"));
  FromPeer(add);
  FromPeer("DEL:1");
  FromPeer("HELO:7");
  Passes(1);  // everything that has arrived is taken in one pass
  EXPECT_TRUE(exchange_.TakeMessageReceived());
  EXPECT_EQ(Incoming(), (std::vector<std::string>{add, "DEL:1"}));
  EXPECT_TRUE(exchange_.TakeChecksumReceived());
  EXPECT_EQ(journal_.Lines(), (std::vector<std::string>{"NET_RX:->" + add, "NET_RX:->DEL:1"}));
}

TEST_F(NetWorkerTest, RefusedDatagramsNeverReachTheUi) {
  FromPeer(std::string(300, 'Q'));           // over-long: not cut into something readable
  FromPeer(std::string("ADD:\x00\x01", 6));  // binary
  FromPeer("HELO:lots");                     // a report that is not a number
  FromPeer("ADD:HELO:5");                    // "HELO:" not at the start is no report
  Passes(1);
  EXPECT_FALSE(exchange_.TakeChecksumReceived());
  EXPECT_EQ(Incoming(), std::vector<std::string>{"ADD:HELO:5"});  // the UI refuses it
  const std::vector<std::string> lines = journal_.Lines();
  ASSERT_EQ(lines.size(), 4u);
  // A journal line holds 255 characters at most.
  EXPECT_EQ(
      lines[0],
      ("NET_SKIP:->over-long datagram of 300 bytes: " + std::string(255, 'Q')).substr(0, 255));
  EXPECT_EQ(lines[1], "NET_SKIP:->binary datagram: ADD:??");
  EXPECT_EQ(lines[2], "NET_SKIP:->bad checksum: HELO:lots");
  EXPECT_EQ(lines[3], "NET_RX:->ADD:HELO:5");
}

TEST_F(NetWorkerTest, TakesAtMostAFewDatagramsPerPass) {
  for (int i = 0; i < kNetMaxReceivesPerPass + 3; ++i) FromPeer("GET:" + std::to_string(i));
  Passes(1);
  EXPECT_EQ(Incoming().size(), static_cast<std::size_t>(kNetMaxReceivesPerPass));
  Passes(1);
  EXPECT_EQ(Incoming().size(), 3u);
}

TEST_F(NetWorkerTest, CloseFreesThePort) {
  worker_.Close();
  std::unique_ptr<UdpSocket> other = net_.MakeSocket("10.0.0.1");
  other->Create();
  EXPECT_TRUE(other->Bind(kPort));
}

TEST(NetWorkerSockets, WithoutSocketsPassesKeepTheirPace) {
  nettest::JournalCapture journal("worker_null");
  NetExchange x{journal.journal()};
  std::vector<long long> sleeps;
  NetWorker worker(x, {"10.0.0.2", kPort}, MakeNullUdpSocket,
                   [&](std::chrono::milliseconds ms) { sleeps.push_back(ms.count()); });
  worker.Open();
  x.Send("DEL:1");
  worker.Pass();
  worker.Pass();
  // The message is journalled and dropped; no receive means the pass waits the limit itself,
  // so reports would not go out ten times faster.
  EXPECT_EQ(sleeps, (std::vector<long long>{10, 100, 10, 100}));
  EXPECT_EQ(journal.Lines(),
            (std::vector<std::string>{"NET:->cannot send to 10.0.0.2:12345",
                                      "NET:->cannot listen on port 12345", "NET_TX:->DEL:1"}));
}

TEST(NetWorkerSockets, APortInUseStillLetsTheStationSend) {
  nettest::JournalCapture journal("worker_busy");
  FakeUdpNetwork net;
  std::unique_ptr<UdpSocket> squatter = net.MakeSocket("10.0.0.1");
  squatter->Create();
  squatter->Bind(kPort);
  std::unique_ptr<UdpSocket> peer = net.MakeSocket("10.0.0.2");
  peer->Create();
  peer->Bind(kPort);
  NetExchange x{journal.journal()};
  NetWorker worker(x, {"10.0.0.2", kPort}, net.Factory("10.0.0.1"),
                   [](std::chrono::milliseconds) {});
  worker.Open();
  EXPECT_TRUE(journal.Has("NET:->cannot listen on port 12345"));
  x.Send("GET:1");
  worker.Pass();
  std::string got;
  EXPECT_EQ(peer->Receive(got, std::chrono::milliseconds(0)), ReceiveResult::kDatagram);
  EXPECT_EQ(got, "GET:1");
}

TEST(NetStart, OnlyWhenSwitchedOnWithAPort) {
  nettest::JournalCapture journal("start");
  NetExchange x{journal.journal()};
  FakeUdpNetwork net;
  EXPECT_EQ(StartNetwork(x, {"10.0.0.2", "12345", 0}, net.Factory("10.0.0.1")), nullptr);
  EXPECT_EQ(StartNetwork(x, {"10.0.0.2", "port", 1}, net.Factory("10.0.0.1")), nullptr);
  EXPECT_EQ(StartNetwork(x, {"10.0.0.2", "70000", 1}, net.Factory("10.0.0.1")), nullptr);
  EXPECT_TRUE(journal.Has("NET:->no network: PORT \"port\" is not a port"));
  ASSERT_EQ(NetEndpointOf({" 10.0.0.2 ", " 23456 ", 1})->port, 23456);
  EXPECT_EQ(NetEndpointOf({" 10.0.0.2 ", " 23456 ", 1})->address, "10.0.0.2");
}

// The real thread over the in-memory network: a queued message leaves, and Stop ends the
// thread within about one pass and frees its port.
TEST(NetThreadRun, SendsAndStopsPromptly) {
  nettest::JournalCapture journal("thread");
  FakeUdpNetwork net;
  std::unique_ptr<UdpSocket> peer = net.MakeSocket("10.0.0.2");
  peer->Create();
  peer->Bind(kPort);
  NetExchange x{journal.journal()};
  std::unique_ptr<NetThread> thread =
      StartNetwork(x, {"10.0.0.2", "12345", 1}, net.Factory("10.0.0.1"));
  ASSERT_NE(thread, nullptr);
  x.Send("GET:1");
  std::string got;
  for (int i = 0; i < 500 && got.empty(); ++i) {  // at most 5 s
    if (peer->Receive(got, std::chrono::milliseconds(0)) != ReceiveResult::kDatagram) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  EXPECT_EQ(got, "GET:1");
  const auto start = std::chrono::steady_clock::now();
  thread->Stop();
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took, std::chrono::seconds(2));  // one pass is about 10 ms over the fake
  std::unique_ptr<UdpSocket> again = net.MakeSocket("10.0.0.1");
  again->Create();
  EXPECT_TRUE(again->Bind(kPort));
  thread->Stop();  // twice is harmless
}

}  // namespace
}  // namespace vk
