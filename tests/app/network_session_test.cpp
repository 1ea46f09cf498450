// Two programs of one group on the in-memory network, each with its own station directory,
// network thread, shell and log: what one logs, edits, adds and deletes reaches the other; logs
// that drift apart lead, through the checksum reports, to the Synchronization dialog and a
// whole-log transfer, after which both logs and both status lines agree.  Both stations sit at
// 127.0.0.1 and tell each other apart by port, as two programs on one computer do.
#include "app/network_session.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/qso_edit.h"
#include "app/shell.h"
#include "app/views/recv_log_window_model.h"
#include "net/fake_udp.h"
#include "rules/log_scoring.h"
#include "station_fixture.h"
#include "logbook_access.h"
#include "util/strings.h"

namespace vk {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::BusRecorder;
using test::ReadWholeFile;
using test::SharedCountryLists;

constexpr std::uint16_t kPortA = 40001;  // where A listens and B sends
constexpr std::uint16_t kPortB = 40002;
constexpr const char* kLoopback = "127.0.0.1";

struct Program;

// The terminal side of the shell, cut down to what the network needs.
struct NetActions final : ShellActions {
  Program* p = nullptr;
  bool receiveOnSync = false;  // the operator's choice in the Synchronization dialog
  int syncRuns = 0;
  bool quit = false;
  StatusTexts texts;

  void Quit() override { quit = true; }
  void ShowErrorBox(std::string_view) override {}
  void ShowInformation(std::string_view) override {}
  void ShowAbout() override {}
  void ShowStatusTexts(const StatusTexts& t) override { texts = t; }
  bool RunSynchronization() override {
    ++syncRuns;
    return receiveOnSync;
  }
  void ReceiveLog() override;
};

fs::path PrepareStation(const std::string& name, std::uint16_t sendTo, int enable) {
  return test::PrepareGroupStation("vk_netsession_", name, sendTo, enable);
}

// One program as main and the application build it.
struct Program {
  Program(const std::string& name, FakeUdpNetwork& net, std::uint16_t sendTo,
          std::uint16_t listenOn, int enable = 1, Journal* journal = nullptr)
      : dir(PrepareStation(name, sendTo, enable)),
        station(bus, dir.string(), &SharedCountryLists(), journal) {
    EXPECT_TRUE(station.ReadSettings());
    session =
        std::make_unique<NetworkSession>(station, NetworkOptions{net.Factory(kLoopback), listenOn});
    shell = std::make_unique<Shell>(station.Bus(), actions, [this] { return ++counter; });
    station.LoadConfiguredContest(shell->state());
    shell->SetNetwork(&session->Link());
    shell->SetExchange(session.get());
    shell->SetLogChecksum([this] { return station.Log().LogCrc(); });
    actions.p = this;
    station.Bus().Attach(&window);
    EXPECT_TRUE(station.LoadLog());
  }
  ~Program() {
    receiver.reset();
    station.Bus().Detach(&window);
    shell.reset();
    session.reset();
    fs::remove_all(dir);
  }

  // One pass of the application's loop; a program that has quit takes none.
  void Pass() {
    if (actions.quit) return;
    station.Bus().DeliverPosted();
    shell->IdlePass();
  }

  // A QSO logged at the keyboard, through the logbook as the entry window logs it; its Guid
  // is minted from `guid` (and the station part).
  void Log(std::int32_t guid, const std::string& call, Freq freq = 140250) {
    QsoRecord q;
    station.Ids().Set(guid);
    q.Stamp = {2024, 3, 5, 9, static_cast<std::uint16_t>(guid % 60), 0};
    q.Freq = freq;
    q.Mode = Mode::kCw;
    q.Call = call;
    q.Sent = "599 001";
    q.Rcvd = "599 15";
    ASSERT_TRUE(station.Book().Add(q).ok());
  }

  const TLogCollection& Log() { return station.Log(); }
  std::size_t Heard(CommandId c) const {
    std::size_t n = 0;
    for (const test::Heard& h : window.heard) n += h.command == c ? 1 : 0;
    return n;
  }

  fs::path dir;
  CommandBus bus;
  Station station;
  std::unique_ptr<NetworkSession> session;
  NetActions actions;
  std::int32_t counter = 0;
  std::unique_ptr<Shell> shell;
  BusRecorder window;  // sits on the bus as the windows do
  std::unique_ptr<LogReceiver> receiver;
};

void NetActions::ReceiveLog() {
  if (p->session->BeginReceivingLog()) {
    p->receiver = std::make_unique<LogReceiver>(*p->session, p->station.Bus());
  }
}

class NetworkSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::remove(journalPath_.c_str());
    a_ = std::make_unique<Program>("a", net_, kPortB, kPortA, 1, &journal_);
    b_ = std::make_unique<Program>("b", net_, kPortA, kPortB, 1, &journal_);
    // Both threads listen once each has heard the other's checksum.
    ASSERT_TRUE(RunUntil(
        [&] { return a_->Heard(cm::kChecksumReport) > 0 && b_->Heard(cm::kChecksumReport) > 0; }));
  }
  void TearDown() override {
    b_.reset();
    a_.reset();
  }

  // Both programs run their loops (their network threads run on their own) until `done`, or
  // for at most ten seconds.
  template <class Done>
  bool RunUntil(Done done) {
    return test::PassUntil(done, [this] {
      if (a_) a_->Pass();
      if (b_) b_->Pass();
    });
  }
  bool SameLogs() {
    return a_->Log().Count() == b_->Log().Count() && a_->Log().LogCrc() == b_->Log().LogCrc();
  }
  // Both status lines show the peer's checksum equal to their own, and the same pair.
  bool StatusAgrees() {
    const std::string& x = a_->actions.texts.checksums;
    const std::string& y = b_->actions.texts.checksums;
    return x.size() == 9 && x == y && x.substr(0, 4) == x.substr(5, 4);
  }

  bool JournalHas(const std::string& text) const {
    return ReadWholeFile(journalPath_).find(text) != std::string::npos;
  }
  // Lets B's loop take a few more passes with checksum reports, time enough for a command it
  // posted to be delivered.
  bool SomeMorePasses() {
    const std::size_t reports = b_->Heard(cm::kChecksumReport);
    return RunUntil([&] { return b_->Heard(cm::kChecksumReport) >= reports + 3; });
  }

  // Both programs journal to one file, as two stations' journals would be read side by side.
  const std::string journalPath_ =
      ::testing::TempDir() + "vk_netsession_journal_" + std::to_string(::getpid()) + ".txt";
  Journal journal_{journalPath_};
  FakeUdpNetwork net_;
  std::unique_ptr<Program> a_;
  std::unique_ptr<Program> b_;
};

TEST_F(NetworkSessionTest, AddEditInsertAndDeleteKeepBothLogsEqual) {
  ASSERT_TRUE(a_->session->Running());
  ASSERT_TRUE(b_->session->Running());
  a_->Log(101, "DL1AAA");
  a_->Log(102, "OK1BBB", 70250);
  a_->Log(103, "G4CCC");
  ASSERT_TRUE(RunUntil([&] { return b_->Log().Count() == 3; }));
  EXPECT_EQ(b_->Heard(cm::kQsoAppended), 3u);
  EXPECT_EQ(b_->Heard(cm::kRefreshTxNr), 3u);

  // The dialogs at A: their changes reach the group through the logbook.
  QsoEditor editor{a_->station};
  QsoForm edit = *editor.EditForm(1);
  edit.call = "OK1BBX";
  ASSERT_TRUE(editor.Edit(1, edit));
  QsoForm add = *editor.AddForm(2);
  add.call = "SP2ZZZ";
  add.rcvd = "599 15";
  ASSERT_TRUE(editor.Add(2, add));  // before G4CCC
  const std::int32_t deleted = a_->Log().GetGuid(0);
  ASSERT_TRUE(editor.Delete(0));
  ASSERT_TRUE(RunUntil([&] { return SameLogs() && b_->Heard(cm::kQsoDeleted) == 1; }));
  // Both stations remember the deletion across a restart.
  for (Program* p : {a_.get(), b_.get()}) {
    EXPECT_EQ(ReadWholeFile((p->dir / "vorkan.del").string()), IntToStr(deleted) + "\n");
  }

  EXPECT_EQ(b_->Log().GetCall(0), "OK1BBX");
  EXPECT_EQ(b_->Log().GetCall(1), "SP2ZZZ");
  EXPECT_EQ(b_->Log().GetCall(2), "G4CCC");
  EXPECT_EQ(b_->Heard(cm::kQsoEdited), 1u);
  EXPECT_EQ(b_->Heard(cm::kQsoInserted), 1u);
  EXPECT_GE(b_->Heard(cm::kLogChanged), 5u);  // appends, the insertion, the deletion's totals
  // A heard none of its own changes come back: its three appends are its own.
  EXPECT_EQ(a_->Log().Count(), 3);
  EXPECT_EQ(a_->Heard(cm::kQsoAppended), 3u);

  // A report sent just before the last change may still arrive after it; the counts go back
  // to 0 with the next reports.
  ASSERT_TRUE(RunUntil([&] {
    return StatusAgrees() && a_->shell->state().syncMismatchCount == 0 &&
           b_->shell->state().syncMismatchCount == 0;
  }));
  EXPECT_EQ(a_->actions.syncRuns + b_->actions.syncRuns, 0);
}

// B logged a QSO while the network was down: the stations find the difference by their digests
// and repair it both ways, QSO by QSO, without asking either operator and without ending.
TEST_F(NetworkSessionTest, DriftedLogsRepairThemselvesBothWays) {
  QsoRecord offline;
  offline.Guid = 900;
  offline.Call = "UA9AAA";
  ASSERT_TRUE(test::MutableLog(b_->station).Append(offline));  // logged while the network was down: never sent
  for (int i = 0; i < 6; ++i) a_->Log(201 + i, i % 2 ? "K1AR" : "JA1XYZ", 140250 + i);
  ASSERT_TRUE(RunUntil([&] { return SameLogs() && a_->Log().Count() == 7; }));
  EXPECT_EQ(a_->actions.syncRuns + b_->actions.syncRuns, 0);
  EXPECT_FALSE(a_->actions.quit || b_->actions.quit);
  // What arrived is in each file as well.
  TLogCollection saved;
  ASSERT_TRUE(LoadAdifLog((a_->dir / "vorkan.adi").string(), saved));
  EXPECT_GE(saved.FindByGuid(900), 0);
}

TEST_F(NetworkSessionTest, MessagesWaitForTheLogFileAndAreDroppedWithoutAContest) {
  LogGate gate = LogGate::kWait;
  b_->session->SetLogGate([&] { return gate; });
  a_->Log(301, "DL1AAA");
  a_->Log(302, "DL2BBB");
  // B's network thread takes both; its loop leaves them waiting.
  const std::string second = "NET_RX:->ADD:" + IntToStr(a_->Log().GetGuid(1));
  ASSERT_TRUE(RunUntil([&] { return JournalHas(second); }));
  ASSERT_TRUE(SomeMorePasses());
  EXPECT_TRUE(b_->Log().Empty());

  // Once the log is loaded the next pass handles them, although nothing new arrives.
  gate = LogGate::kOpen;
  ASSERT_TRUE(RunUntil([&] { return b_->Log().Count() == 2; }));

  gate = LogGate::kWait;
  EXPECT_FALSE(b_->session->BeginReceivingLog());
  gate = LogGate::kClosed;
  EXPECT_FALSE(b_->session->BeginReceivingLog());
  EXPECT_EQ(b_->Log().Count(), 2);
  a_->Log(303, "DL3CCC");
  const std::string dropped = "NET_SKIP:->no contest loaded: ADD:" + IntToStr(a_->Log().GetGuid(2));
  ASSERT_TRUE(RunUntil([&] { return JournalHas(dropped); }));
  EXPECT_EQ(b_->Log().Count(), 2);
  EXPECT_FALSE(b_->session->Exchange().TakeIncoming().has_value());
}

TEST_F(NetworkSessionTest, ReceiveWindowKeepsRequestsInFlightAndMerges) {
  b_.reset();  // nobody answers
  NetworkSession& s = *a_->session;
  a_->Log(401, "DL1AAA");
  ASSERT_TRUE(s.BeginReceivingLog());
  EXPECT_EQ(a_->Log().Count(), 1);  // merged into, never emptied
  EXPECT_TRUE(fs::exists(a_->dir / "arch"));
  LogReceiver r{s, a_->station.Bus()};
  const auto requests = [&] {
    std::vector<std::string> out;
    for (const std::string& d : net_.SentFrom(kLoopback)) {
      if (d.starts_with("GET:")) out.push_back(d);
    }
    return out;
  };
  // A window of requests at once, and the unanswered ones again after a while.
  ASSERT_TRUE(RunUntil([&] {
    const std::vector<std::string> g = requests();
    return std::count(g.begin(), g.end(), "GET:1") >= 2;
  }));
  const std::vector<std::string> g = requests();
  EXPECT_NE(std::find(g.begin(), g.end(), "GET:64"), g.end());
  EXPECT_EQ(std::find(g.begin(), g.end(), "GET:65"), g.end());
  EXPECT_EQ(r.Counter(), 1);
  // Answers for 1 and 2, then the end of the other log: once the request after the last has
  // gone unanswered a few times more, the transfer is done and the program goes on.
  a_->station.Bus().Broadcast(cm::kWholeLogQso, MessageInfo::Number(0));
  a_->station.Bus().Broadcast(cm::kWholeLogQso, MessageInfo::Number(1));
  EXPECT_EQ(r.Counter(), 3);
  a_->station.Bus().Broadcast(cm::kWholeLogQso, MessageInfo::Number(-1));
  ASSERT_TRUE(RunUntil([&] { return r.Done(); }));
  EXPECT_FALSE(s.Handler().ReceivingLog());
  EXPECT_FALSE(a_->actions.quit);
}

TEST_F(NetworkSessionTest, ClosingTheReceiveWindowStopsTheTransfer) {
  NetworkSession& s = *b_->session;
  ASSERT_TRUE(s.BeginReceivingLog());
  { LogReceiver r{s, b_->station.Bus()}; }
  EXPECT_FALSE(s.Handler().ReceivingLog());
  // A late end of log no longer ends the program.
  net_.Inject(kLoopback, kPortB, "ENDLOG:");
  ASSERT_TRUE(RunUntil([&] { return JournalHas("not receiving a log: ENDLOG:"); }));
  ASSERT_TRUE(SomeMorePasses());
  EXPECT_FALSE(b_->actions.quit);
}

TEST_F(NetworkSessionTest, EndOfLogThatCannotBeSavedKeepsTheProgramRunning) {
  NetworkSession& s = *b_->session;
  ASSERT_TRUE(s.BeginReceivingLog());
  fs::create_directory(b_->dir / "vorkan.adi");  // the log file cannot be replaced
  net_.Inject(kLoopback, kPortB, "QSO:0^7`05-03-2024`09:07`140250`CW`DL1AAA`599`599 15`1`0`0`1");
  net_.Inject(kLoopback, kPortB, "ENDLOG:");
  ASSERT_TRUE(RunUntil([&] { return JournalHas("received changes not written"); }));
  ASSERT_TRUE(SomeMorePasses());
  EXPECT_EQ(b_->Log().Count(), 1);
  EXPECT_FALSE(b_->actions.quit);
}

TEST_F(NetworkSessionTest, ShutdownStopsTheThreadAndWritesTheNetworkSection) {
  b_->station.Settings().network.port = "40009";
  b_->session->Shutdown();
  EXPECT_FALSE(b_->session->Running());
  const std::string cfg = ReadWholeFile((b_->dir / "vorkan.cfg").string());
  EXPECT_NE(cfg.find("PORT=40009"), std::string::npos);
  EXPECT_NE(cfg.find("Contest=WORLD"), std::string::npos);
  // Nothing is queued for a thread that has gone.
  b_->Log(501, "DL1AAA");
  EXPECT_FALSE(b_->session->Exchange().SendRequest());
}

TEST(NetworkSessionOff, NothingRunsOrQueuesWhileTheExchangeIsOff) {
  FakeUdpNetwork net;
  for (const auto& [enable, port] : {std::pair{0, kPortA}, std::pair{1, std::uint16_t{0}}}) {
    Program p{"off", net, port, kPortB, enable};
    EXPECT_FALSE(p.session->Running());
    p.Log(1, "DL1AAA");
    p.session->SendText("DEL:1");
    p.session->RequestQso(1);
    EXPECT_FALSE(p.session->Exchange().SendRequest());
    EXPECT_FALSE(p.session->BeginReceivingLog());
    EXPECT_EQ(p.Log().Count(), 1);
  }
  EXPECT_TRUE(net.Events().empty());
}

TEST(NetworkSessionSettings, RestartIsNeededOnlyForAnotherEndpoint) {
  FakeUdpNetwork net;
  Program p{"restart", net, kPortA, kPortB};
  NetworkSettings s = p.station.Settings().network;
  EXPECT_FALSE(p.session->NeedsRestart(s));
  s.enable = 7;  // still on
  EXPECT_FALSE(p.session->NeedsRestart(s));
  s.port = " 40001 ";
  EXPECT_FALSE(p.session->NeedsRestart(s));
  s.port = "40003";
  EXPECT_TRUE(p.session->NeedsRestart(s));
  s = p.station.Settings().network;
  s.ip = "127.0.0.2";
  EXPECT_TRUE(p.session->NeedsRestart(s));
  s = p.station.Settings().network;
  s.enable = 0;
  EXPECT_TRUE(p.session->NeedsRestart(s));

  Program off{"restart-off", net, kPortA, kPortB, 0};
  NetworkSettings o = off.station.Settings().network;
  o.port = "1";
  EXPECT_FALSE(off.session->NeedsRestart(o));  // nothing runs either way
  o.enable = 1;
  EXPECT_TRUE(off.session->NeedsRestart(o));
}

TEST(NetworkSetupFormTest, LongStoredValuesSurviveAnUntouchedDialog) {
  const NetworkSettings stored{"192.168.100.200.example", "1234567890123", 5};
  const NetworkSetupForm shown = SetupFormOf(stored);
  EXPECT_EQ(shown, (NetworkSetupForm{"192.168.100.200.ex", "123456789012", 1}));
  const NetworkSettings kept = ApplySetupForm(stored, shown);
  EXPECT_EQ(kept.ip, stored.ip);
  EXPECT_EQ(kept.port, stored.port);
  EXPECT_EQ(kept.enable, 5);

  const NetworkSettings changed = ApplySetupForm(stored, {"10.0.0.1", "12345", 0});
  EXPECT_EQ(changed.ip, "10.0.0.1");
  EXPECT_EQ(changed.port, "12345");
  EXPECT_EQ(changed.enable, 0);
  EXPECT_EQ(SetupFormOf({"1.2.3.4", "1", -2}).enable, 0);
  EXPECT_EQ(ApplySetupForm({"1.2.3.4", "1", -2}, {"1.2.3.4", "1", 1}).enable, 1);
}

TEST(NetworkListenPort, OnlyARealPortOverridesTheListenPort) {
  EXPECT_EQ(ListenPortOverride(nullptr), std::nullopt);
  EXPECT_EQ(ListenPortOverride(""), std::nullopt);
  EXPECT_EQ(ListenPortOverride("0"), std::nullopt);
  EXPECT_EQ(ListenPortOverride("65536"), std::nullopt);
  EXPECT_EQ(ListenPortOverride("4x"), std::nullopt);
  EXPECT_EQ(ListenPortOverride("40001"), std::uint16_t{40001});
}

}  // namespace
}  // namespace vk
