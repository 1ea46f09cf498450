#include "app/shell.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "util/strings.h"

namespace vk {
namespace {

struct FakeActions : ShellActions, GroupExchange {
  std::vector<std::string> calls;
  StatusTexts lastTexts;
  bool cwSetupOk = false;
  bool syncReceive = false;
  std::uint8_t countDuringSync = 0;
  ShellState* state = nullptr;

  void Quit() override { calls.push_back("quit"); }
  void ShowErrorBox(std::string_view t) override { calls.push_back("error:" + Cp866ToUtf8(t)); }
  void ShowInformation(std::string_view t) override { calls.push_back("info:" + std::string(t)); }
  void ShowAbout() override { calls.push_back("about"); }
  void ShowStatusTexts(const StatusTexts& t) override { lastTexts = t; }
  void OpenOperatingWindows() override { calls.push_back("open"); }
  void SelectLogWindow() override { calls.push_back("select-log"); }
  void SelectEntryWindow() override { calls.push_back("select-entry"); }
  bool RunCwSetup() override {
    calls.push_back("cw-setup");
    return cwSetupOk;
  }
  void RunNewContest(int k) override { calls.push_back("new-contest:" + std::to_string(k)); }
  void RunQsoDialog(CommandId c, int pos) override {
    calls.push_back("qso:" + std::to_string(c) + "@" + std::to_string(pos));
  }
  bool RunSynchronization() override {
    calls.push_back("sync");
    countDuringSync = state->syncMismatchCount;
    return syncReceive;
  }
  void ReceiveLog() override { calls.push_back("receive-log"); }
  void HandleIncoming() override { calls.push_back("net-message"); }
};

struct FakeNet : NetworkLink {
  bool checksum = false, message = false;
  std::uint32_t peer = 0, own = 0;
  bool TakeChecksumReceived() override { return std::exchange(checksum, false); }
  bool TakeMessageReceived() override { return std::exchange(message, false); }
  std::uint32_t PeerChecksum() const override { return peer; }
  void SetOwnChecksum(std::uint32_t c) override { own = c; }
};

// A window that records the classes and numbers it receives.
struct Window : MessageTarget {
  std::vector<Message> seen;
  void HandleMessage(Message& m) override { seen.push_back(m); }
};

class ShellTest : public ::testing::Test {
 protected:
  CommandBus bus;
  FakeActions actions;
  std::int32_t counter = 0;
  Shell shell{bus, actions, [this] { return ++counter; }};
  FakeNet net;
  Window window;
  std::uint32_t logCrc = 0x12345678;

  void SetUp() override {
    actions.state = &shell.state();
    shell.SetNetwork(&net);
    shell.SetExchange(&actions);
    shell.SetLogChecksum([this] { return logCrc; });
    bus.Attach(&window);
  }
  // One pass of the event loop as the terminal application runs it.
  void Pass() {
    bus.DeliverPosted();
    shell.IdlePass();
  }
  // The operating windows are open; what the shell asks for from now on is recorded afresh.
  void PastStartup() {
    Pass();
    Pass();
    actions.calls.clear();
  }
};

TEST_F(ShellTest, OperatingWindowsOpenOnceRightAfterTheFirstIdlePass) {
  Pass();
  EXPECT_EQ(counter, 2);  // one for the pass, one for its tick
  EXPECT_TRUE(actions.calls.empty());
  Pass();  // the command issued on the first tick is delivered on the next pass
  EXPECT_EQ(actions.calls, std::vector<std::string>{"open"});
  for (int i = 0; i < 200; ++i) Pass();
  EXPECT_EQ(actions.calls, std::vector<std::string>{"open"});
}

TEST_F(ShellTest, WithoutAContestTheStartupCommandIsNoContestAndTheDesktopStaysEmpty) {
  shell.state().NoContest = true;
  for (int i = 0; i < 3; ++i) Pass();
  EXPECT_TRUE(actions.calls.empty());
  bool sawNoContest = false;
  for (const Message& m : window.seen) sawNoContest |= m.command == cm::kNoContest;
  EXPECT_TRUE(sawNoContest);  // not handled by the shell: it travels on to the windows
  bus.SendCommand(cm::kOpenWindows);
  EXPECT_TRUE(actions.calls.empty());
}

TEST_F(ShellTest, EveryPassTicksTheWindowsAndShowsTheStatusTexts) {
  shell.state().ownCall = "UA9XX";
  shell.state().contestDisplayName = "The World Contest";
  net.peer = 0xABCD1234;
  Pass();
  ASSERT_EQ(window.seen.size(), 1u);
  EXPECT_EQ(window.seen[0].what, EventClass::kTick);
  EXPECT_EQ(net.own, logCrc);
  EXPECT_EQ(actions.lastTexts.checksums, "1234:5678");
  EXPECT_EQ(actions.lastTexts.banner, "Vorkan 4.0.19-8 UA9XX [The World Contest]");
  EXPECT_EQ(actions.lastTexts.lastKey, "$0000");
}

TEST_F(ShellTest, CounterKeepsGrowingFromAValueSetByTheLogLoader) {
  counter = 5000;  // the log file held QSOs
  Pass();
  EXPECT_EQ(counter, 5002);
  for (int i = 0; i < 100; ++i) Pass();
  // The start-up action comes once, whatever value the loader left.
  EXPECT_EQ(actions.calls, std::vector<std::string>{"open"});
}

TEST_F(ShellTest, ChecksumReportsCountMismatchesAndOpenSynchronizationAfterEleven) {
  PastStartup();
  net.peer = 1;  // differs from logCrc
  for (int i = 0; i < 10; ++i) {
    net.checksum = true;
    Pass();
  }
  EXPECT_EQ(shell.state().syncMismatchCount, 10);
  net.checksum = true;
  Pass();
  EXPECT_EQ(shell.state().syncMismatchCount, 11);
  Pass();
  EXPECT_EQ(actions.calls, std::vector<std::string>{"sync"});
  EXPECT_EQ(actions.countDuringSync, kSyncSuspended);
  EXPECT_EQ(shell.state().syncMismatchCount, 0);

  int statusEvents = 0;
  for (const Message& m : window.seen)
    statusEvents += m.what == EventClass::kStatus && m.command == cm::kChecksumReport;
  EXPECT_EQ(statusEvents, 11);
}

TEST_F(ShellTest, MatchingChecksumResetsTheCountAndSuspendedCountStaysPut) {
  PastStartup();
  net.peer = 1;
  for (int i = 0; i < 5; ++i) {
    net.checksum = true;
    Pass();
  }
  net.peer = logCrc;
  net.checksum = true;
  Pass();
  EXPECT_EQ(shell.state().syncMismatchCount, 0);

  shell.state().syncMismatchCount = kSyncSuspended;
  net.peer = 1;
  for (int i = 0; i < 20; ++i) {
    net.checksum = true;
    Pass();
  }
  EXPECT_EQ(shell.state().syncMismatchCount, kSyncSuspended);
  EXPECT_TRUE(actions.calls.empty());
}

TEST_F(ShellTest, SynchronizationChoosingReceiveIssuesReceiveLog) {
  actions.syncReceive = true;
  bus.SendCommand(cm::kSynchronize);
  EXPECT_EQ(actions.calls, std::vector<std::string>{"sync"});
  Pass();
  EXPECT_EQ(actions.calls, (std::vector<std::string>{"sync", "receive-log"}));
}

TEST_F(ShellTest, ReceivedNetworkMessageIsAppliedInThePassThatSeesIt) {
  PastStartup();
  net.message = true;
  Pass();
  EXPECT_EQ(actions.calls, std::vector<std::string>{"net-message"});
  Pass();  // once
  EXPECT_EQ(actions.calls, std::vector<std::string>{"net-message"});
}

TEST_F(ShellTest, CommandTable) {
  bus.SendCommand(cm::kAbout);
  bus.SendCommand(cm::kNewContest + 0);
  bus.SendCommand(cm::kNewContest + 31);
  EXPECT_FALSE(bus.SendCommand(cm::kNewContest + 32));  // beyond the dispatched range
  EXPECT_FALSE(bus.SendCommand(cm::kVideoMode));
  bus.SendCommand(cm::kQuit);
  EXPECT_EQ(actions.calls,
            (std::vector<std::string>{"about", "new-contest:0", "new-contest:31", "quit"}));
  EXPECT_EQ(window.seen.size(), 2u);  // only the two unhandled commands reached the window
}

TEST_F(ShellTest, BroadcastTableAndErrorBoxes) {
  bus.Broadcast(cm::kEditQso, MessageInfo::Number(3));
  bus.Broadcast(cm::kDeleteQso, MessageInfo::Number(0));
  bus.Broadcast(cm::kAddQso, MessageInfo::Number(9));
  bus.Broadcast(cm::kSelectLogWindow);
  bus.Broadcast(cm::kSelectEntryWindow);
  bus.Broadcast(cm::kErrComPortName);
  bus.Broadcast(cm::kErrComPortInit);
  bus.Broadcast(cm::kErrMakeDir);
  bus.Broadcast(cm::kErrRepeatSetting);
  EXPECT_EQ(actions.calls,
            (std::vector<std::string>{
                "qso:5002@3", "qso:5004@0", "qso:5006@9", "select-log", "select-entry",
                "error:Неверное имя COM порта", "error:Инициализация COM порта",
                "error:Не могу создать каталог", "error:Неверный параметр XML <repqso>"}));
  EXPECT_TRUE(window.seen.empty());  // handled broadcasts stop at the shell

  bus.Broadcast(cm::kLogChanged);
  ASSERT_EQ(window.seen.size(), 1u);
  EXPECT_EQ(window.seen[0].command, cm::kLogChanged);
}

TEST_F(ShellTest, ConfirmedCwSetupNeverEndsTheProgram) {
  for (const bool ok : {false, true}) {
    actions.calls.clear();
    actions.cwSetupOk = ok;
    bus.SendCommand(cm::kCwSetup);
    EXPECT_EQ(actions.calls, std::vector<std::string>{"cw-setup"}) << ok;
  }
}

TEST_F(ShellTest, KeyerKeysReachEveryWindowWithTheKeyCodeAndBecomeTheLastKey) {
  Window other;
  bus.Attach(&other);
  const KeyTranslation t = shell.HandleKey(kb::kF1 + 0x0200);  // F3
  EXPECT_EQ(t.kind, KeyTranslation::Kind::kKeyer);
  for (const Window* w : {&window, &other}) {
    ASSERT_EQ(w->seen.size(), 1u);
    EXPECT_EQ(w->seen[0].what, EventClass::kKeyer);
    EXPECT_EQ(w->seen[0].command, cm::kKeyerMessageKey);
    EXPECT_EQ(w->seen[0].info.number(), 0x3D00);
  }
  EXPECT_EQ(shell.state().lastKey, 0x3D00);

  EXPECT_EQ(shell.HandleKey(kb::kAltF10).key, kb::kF10);
  EXPECT_EQ(shell.HandleKey(0x1E61).kind, KeyTranslation::Kind::kPass);  // "a"
  EXPECT_EQ(window.seen.size(), 1u);
  Pass();
  EXPECT_EQ(actions.lastTexts.lastKey, "$1E61");
  bus.Detach(&other);
}

}  // namespace
}  // namespace vk
