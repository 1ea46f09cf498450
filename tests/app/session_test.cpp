// Two sessions of one group on the in-memory network, run as the terminal application runs
// them but with no terminal: a QSO typed into A's entry model goes from A's bus through its
// shell to its exchange and the network, and arrives in B's log and B's log window model.
#include "app/session.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "app/cluster_setup.h"
#include "app/test_hooks.h"
#include "app/views/entry_window_model.h"
#include "app/views/log_window_model.h"
#include "net/fake_udp.h"
#include "net/net_message.h"
#include "station_fixture.h"

namespace vk {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr std::uint16_t kPortA = 40001;  // where A listens and B sends
constexpr std::uint16_t kPortB = 40002;
constexpr const char* kLoopback = "127.0.0.1";

struct QuietScreen final : ShellActions {
  void Quit() override {}
  void ShowErrorBox(std::string_view) override {}
  void ShowInformation(std::string_view) override {}
  void ShowAbout() override {}
  void ShowStatusTexts(const StatusTexts&) override {}
};

fs::path PrepareDir(const std::string& name, std::uint16_t sendTo, int enable = 1) {
  return test::PrepareGroupStation("vk_session_", name, sendTo, enable);
}

// One station as main and the application build it, with the log window's model on the bus.
struct Node {
  Node(const std::string& name, FakeUdpNetwork& net, std::uint16_t sendTo, std::uint16_t listenOn,
       int enable = 1)
      : dir(PrepareDir(name, sendTo, enable)), session(dir.string(), &test::SharedCountryLists()) {
    EXPECT_TRUE(session.Start({net.Factory(kLoopback), listenOn}));
    session.AttachScreen(screen);
    session.Bus().Attach(&recorder);
    EXPECT_TRUE(session.station().LoadLog());
    session.SetLogLoaded(true);
    logView = std::make_unique<LogViewModel>(session.station().Log(), session.Bus());
  }
  ~Node() {
    logView.reset();
    session.Bus().Detach(&recorder);
    session.DetachScreen();
    session.Shutdown();
    fs::remove_all(dir);
  }

  fs::path dir;
  Session session;
  QuietScreen screen;
  test::BusRecorder recorder;
  std::unique_ptr<LogViewModel> logView;
};

class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    a_ = std::make_unique<Node>("a", net_, kPortB, kPortA);
    b_ = std::make_unique<Node>("b", net_, kPortA, kPortB);
    // Each thread listens once it has heard the other's checksum.
    ASSERT_TRUE(RunUntil([&] {
      return a_->recorder.HeardCommand(cm::kChecksumReport) &&
             b_->recorder.HeardCommand(cm::kChecksumReport);
    }));
  }
  // Call, Enter, exchange, Enter at A's entry window.
  void LogAtA(const std::string& call) {
    Station& st = a_->session.station();
    EntryModel entry{st, st.ChooseStart()};
    entry.Type(call);
    (void)entry.Key(kb::kEnter);
    entry.Type("15");
    (void)entry.Key(kb::kEnter);
    ASSERT_EQ(st.Log().Count(), 1);
  }
  std::size_t ReportsAtB() const {
    const auto& h = b_->recorder.heard;
    return static_cast<std::size_t>(std::count_if(
        h.begin(), h.end(), [](const test::Heard& x) { return x.command == cm::kChecksumReport; }));
  }
  void TearDown() override {
    b_.reset();
    a_.reset();
  }
  // Both event loops pass (the network threads run on their own) until `done`, ten seconds
  // at most.
  template <class Done>
  bool RunUntil(Done done) {
    return test::PassUntil(done, [this] {
      a_->session.IdlePass();
      b_->session.IdlePass();
    });
  }

  FakeUdpNetwork net_;
  std::unique_ptr<Node> a_;
  std::unique_ptr<Node> b_;
};

TEST_F(SessionTest, AQsoLoggedAtOneStationReachesTheLogWindowOfTheOther) {
  LogAtA("DL1ABC");
  const TLogCollection& sent = a_->session.station().Log();

  const auto shown = [&] {
    const std::vector<std::string>& lines = b_->logView->Lines();
    return std::any_of(lines.begin(), lines.end(),
                       [](const std::string& l) { return l.find("DL1ABC") != std::string::npos; });
  };
  ASSERT_TRUE(RunUntil(shown));
  ASSERT_EQ(b_->session.station().Log().Count(), 1);
  EXPECT_EQ(b_->session.station().Log().At(0)->Guid, sent.At(0)->Guid);
  EXPECT_EQ(b_->logView->CountText(), a_->logView->CountText());
}

TEST_F(SessionTest, ReceivedMessagesWaitWhileTheLogFileIsNotLoaded) {
  b_->session.SetLogLoaded(false);
  LogAtA("DL1ABC");
  // A's checksum reports follow the QSO; B keeps the QSO until its log is loaded.
  const std::size_t reports = ReportsAtB();
  ASSERT_TRUE(RunUntil([&] { return ReportsAtB() >= reports + 3; }));
  EXPECT_EQ(b_->session.station().Log().Count(), 0);
  b_->session.SetLogLoaded(true);
  ASSERT_TRUE(RunUntil([&] { return b_->session.station().Log().Count() == 1; }));
}

// No thread runs here: the test stands in for it and hands over one datagram with its flag.
TEST(SessionPassTest, AQsoFromTheGroupIsInTheLogAndItsWindowAfterOneIdlePass) {
  FakeUdpNetwork net;
  Node node("pass", net, kPortA, kPortB, 0);
  QsoRecord q;
  q.Guid = 0x05000007;
  q.Stamp = {2024, 3, 5, 9, 12, 0};
  q.Freq = 140250;
  q.Mode = Mode::kCw;
  q.Call = "OK1ABC";
  q.Sent = "599 001";
  q.Rcvd = "599 15";
  (void)node.logView->TakeChanges();
  ASSERT_TRUE(node.session.Network()->Exchange().PutIncoming(AddMessage(q)));
  node.session.IdlePass();
  const TLogCollection& log = node.session.station().Log();
  ASSERT_EQ(log.Count(), 1);
  EXPECT_EQ(log.GetCall(0), "OK1ABC");
  EXPECT_EQ(node.logView->Lines(), std::vector<std::string>{LogWindowLine(log, 0)});
  EXPECT_NE(node.logView->TakeChanges() & changed::kList, 0);
}

// The session runs the cluster link: Options > Cluster writes the settings and restarts the
// link on them, a refused node name changes nothing, and the shutdown stops the thread.
TEST(SessionLinksTest, TheClusterLinkRunsFromItsSettingsUntilTheShutdown) {
  FakeUdpNetwork net;
  Node node("links", net, kPortA, kPortB, 0);
  Session& s = node.session;
  s.StartCluster();
  EXPECT_FALSE(s.Cluster().Running());  // no node named
  ClusterSettings c;
  c.host = "127.0.0.1";
  c.port = 9;  // nothing listens: the link keeps trying
  ASSERT_TRUE(s.ChangeCluster(c));
  EXPECT_TRUE(s.Cluster().Running());
  EXPECT_EQ(ReadClusterSetup(s.station()), c);
  s.Shutdown();
  EXPECT_FALSE(s.Cluster().Running());
}

TEST(TestHooksTest, ReadOnceFromTheEnvironment) {
  static const std::map<std::string, std::string>* env = nullptr;
  const struct {
    std::map<std::string, std::string> vars;
    TestHooks want;
  } cases[] = {
      {{}, {}},
      {{{"VORKAN_DEBUG_BROADCAST", "4200"}, {"VORKAN_KEY_TEST_WINDOWS", "1"},
        {"VORKAN_DIAGNOSTICS", "1"}},
       {0x4200, true, true, {}, false}},
      {{{"VORKAN_CLUSTER_RETRY_MS", "50"}, {"VORKAN_KEYER_FAKE_LINE", "1"}},
       {0, false, false, std::chrono::milliseconds(50), true}},
      // Malformed values steer nothing.
      {{{"VORKAN_DEBUG_BROADCAST", "zz"}, {"VORKAN_CLUSTER_RETRY_MS", "-5"},
        {"VORKAN_KEYER_FAKE_LINE", "yes"}},
       {}},
  };
  for (const auto& c : cases) {
    env = &c.vars;
    const TestHooks h = ReadTestHooks([](const char* name) -> const char* {
      const auto it = env->find(name);
      return it == env->end() ? nullptr : it->second.c_str();
    });
    EXPECT_EQ(h.debugBroadcast, c.want.debugBroadcast);
    EXPECT_EQ(h.keyTestWindows, c.want.keyTestWindows);
    EXPECT_EQ(h.diagnostics, c.want.diagnostics);
    EXPECT_EQ(h.clusterRetry, c.want.clusterRetry);
    EXPECT_EQ(h.keyerWithoutHardware, c.want.keyerWithoutHardware);
  }
}

}  // namespace
}  // namespace vk
