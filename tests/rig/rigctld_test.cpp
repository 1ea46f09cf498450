// The Hamlib adapter against a real rigctld with Hamlib's dummy radio, started on a free
// loopback port: readings, settings read back with rigctl, and a rigctld that stops and comes
// back.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "daemon_process.h"
#include "rig/hamlib_radio.h"
#include "rig/rig_control.h"
#include "rig/rig_settings.h"
#include "rig/rigctld_probe.h"

namespace vk::testing {
namespace {

using namespace std::chrono_literals;

// What rigctl prints for `command` on the rigctld at `port`, first line only.
std::string Rigctl(int port, const std::string& command) {
  const std::string cmd =
      "rigctl -m 2 -r 127.0.0.1:" + std::to_string(port) + " " + command + " 2>/dev/null";
  FILE* p = ::popen(cmd.c_str(), "r");
  if (p == nullptr) return {};
  char buf[256] = {};
  std::string out = std::fgets(buf, sizeof buf, p) ? buf : "";
  ::pclose(p);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

class RigctldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveProgram("/usr/bin/rigctld")) GTEST_SKIP() << "rigctld is not installed";
    port_ = FreeLoopbackPort(SOCK_STREAM);
    ASSERT_NE(port_, 0);
    StartDaemon();
    settings_.model = kRigModelNetRigctl;
    settings_.device = "127.0.0.1:" + std::to_string(port_);
  }
  void StartDaemon() {
    ASSERT_TRUE(
        daemon_.Start({"rigctld", "-m", "1", "-T", "127.0.0.1", "-t", std::to_string(port_)}));
    ASSERT_TRUE(WaitFor([&] { return TcpListening(port_); }));
  }

  int port_ = 0;
  DaemonProcess daemon_;
  HamlibLibrary hamlib_;
  RigSettings settings_;
};

TEST_F(RigctldTest, ReadsAndSetsTheRadio) {
  ASSERT_EQ(Rigctl(port_, "F 7025000 M CW 0"), "");
  HamlibRadio radio(hamlib_, settings_);
  // On a loaded machine rigctld may refuse a connection just after rigctl's; the program's
  // poll thread retries the same way.
  Status opened;
  ASSERT_TRUE(WaitFor([&] { return static_cast<bool>(opened = radio.Open()); })) << opened.message;
  std::int64_t hz = 0;
  Mode mode = Mode::kUnknown;
  ASSERT_TRUE(radio.ReadFreq(hz));
  ASSERT_TRUE(radio.ReadMode(mode));
  EXPECT_EQ(hz, 7'025'000);
  EXPECT_EQ(mode, Mode::kCw);
  ASSERT_TRUE(radio.SetFreq(14'000'000));
  ASSERT_TRUE(radio.SetMode(Mode::kPhone, 14'000'000));
  EXPECT_EQ(Rigctl(port_, "f"), "14000000");
  EXPECT_EQ(Rigctl(port_, "m"), "USB");
  ASSERT_TRUE(radio.SetMode(Mode::kPhone, 3'700'000));  // phone below 10 MHz is the lower sideband
  EXPECT_EQ(Rigctl(port_, "m"), "LSB");
  ASSERT_TRUE(radio.SetMorseSpeed(28));
  EXPECT_EQ(Rigctl(port_, "l KEYSPD"), "28");
  EXPECT_TRUE(radio.SendMorse("CQ TEST"));
}

TEST_F(RigctldTest, PollThreadReportsSilenceAndReconnects) {
  ASSERT_EQ(Rigctl(port_, "F 7025000 M CW 0"), "");
  RigControl rig(std::make_unique<HamlibRadio>(hamlib_, settings_), 100ms, 200ms);
  rig.Start();
  RigReading r;
  // On a loaded machine the first connect may meet rigctld before it answers; the poll thread
  // retries, so the first reading may take more than one poll.
  ASSERT_TRUE(WaitFor([&] { return rig.TakeReading(r); })) << rig.LastError();
  EXPECT_EQ(r, (RigReading{70250, Mode::kCw}));
  rig.SetFreq(141000);
  ASSERT_TRUE(WaitFor([&] { return Rigctl(port_, "f") == "14100000"; }));

  daemon_.Stop();
  ASSERT_TRUE(WaitFor([&] { return rig.State() == RigState::kNoAnswer; }));
  EXPECT_EQ(rig.StatusText(), "Rig: no answer");
  StartDaemon();  // a new dummy radio, back on its own default frequency
  ASSERT_EQ(Rigctl(port_, "F 3525000"), "");
  ASSERT_TRUE(WaitFor([&] { return rig.TakeReading(r) && r.freq == 35250; })) << rig.LastError();
  EXPECT_EQ(rig.State(), RigState::kAnswering);
}

// A listener whose accept queue is full drops further connection requests, as a firewall or a
// computer that is off does: Hamlib's own connect would wait minutes for it.
class SilentListener {
 public:
  SilentListener() : listen_(ListenOnLoopback(0, port_)) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port_);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (int i = 0; i < 3; ++i) {  // fill the queue
      const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
      connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
      fillers_.push_back(fd);
    }
  }
  ~SilentListener() {
    for (int fd : fillers_) close(fd);
    close(listen_);
  }
  int Port() const { return port_; }

 private:
  std::uint16_t port_ = 0;  // before listen_, which sets it
  int listen_ = -1;
  std::vector<int> fillers_;
};

TEST(RigctldSilent, AHostThatDropsTheConnectionHoldsNeitherThePollThreadNorItsStop) {
  SilentListener silent;
  HamlibLibrary hamlib;
  RigSettings s;
  s.model = kRigModelNetRigctl;
  s.device = "127.0.0.1:" + std::to_string(silent.Port());
  EXPECT_FALSE(RigctldAnswers(s.device, 200ms));
  auto rig = std::make_unique<RigControl>(std::make_unique<HamlibRadio>(hamlib, s), 100ms, 100ms);
  rig->Start();
  ASSERT_TRUE(WaitFor([&] { return rig->State() == RigState::kNoAnswer; }, 5s));
  EXPECT_NE(rig->LastError().find("no rigctld answers"), std::string::npos);
  const auto start = std::chrono::steady_clock::now();
  rig.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
}

TEST(RigctldSilent, DeviceTextGivesHostAndPort) {
  std::string host;
  std::string port;
  ASSERT_TRUE(SplitRigctldAddress("", host, port));
  EXPECT_EQ(host + " " + port, "localhost 4532");
  ASSERT_TRUE(SplitRigctldAddress("shack.local:4533", host, port));
  EXPECT_EQ(host + " " + port, "shack.local 4533");
  ASSERT_TRUE(SplitRigctldAddress("[::1]:4534", host, port));
  EXPECT_EQ(host + " " + port, "::1 4534");
  EXPECT_FALSE(SplitRigctldAddress("host:", host, port));
  EXPECT_FALSE(SplitRigctldAddress("host:45x", host, port));
  EXPECT_FALSE(SplitRigctldAddress("[::1", host, port));
}

TEST(HamlibModels, ListHoldsTheNetworkAndDummyModels) {
  HamlibLibrary hamlib;
  const std::vector<RigModelInfo> models = hamlib.Models();
  ASSERT_GT(models.size(), 100u);
  bool net = false;
  for (const RigModelInfo& m : models) net = net || m.model == kRigModelNetRigctl;
  EXPECT_TRUE(net);
  EXPECT_NE(hamlib.ModelName(kRigModelDummy), "");
  EXPECT_EQ(hamlib.ModelName(999999), "");
}

TEST(HamlibModels, UnknownModelDoesNotOpen) {
  HamlibLibrary hamlib;
  RigSettings s;
  s.model = 999999;
  HamlibRadio radio(hamlib, s);
  EXPECT_FALSE(radio.Open());
}

}  // namespace
}  // namespace vk::testing
