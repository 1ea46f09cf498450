// The Hamlib adapter against a real rigctld with Hamlib's dummy radio, started on a free
// loopback port: readings, settings read back with rigctl, and a rigctld that stops and comes
// back.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "daemon_process.h"
#include "rig/hamlib_radio.h"
#include "rig/rig_control.h"
#include "rig/rig_settings.h"

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
  RigSettings settings_;
};

TEST_F(RigctldTest, ReadsAndSetsTheRadio) {
  ASSERT_EQ(Rigctl(port_, "F 7025000 M CW 0"), "");
  HamlibRadio radio(settings_);
  ASSERT_TRUE(radio.Open()) << radio.Open().message;
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
  RigControl rig(std::make_unique<HamlibRadio>(settings_), 100ms, 200ms);
  rig.Start();
  RigReading r;
  ASSERT_TRUE(WaitFor([&] { return rig.TakeReading(r); }, 500ms)) << rig.LastError();
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

TEST(HamlibModels, ListHoldsTheNetworkAndDummyModels) {
  const std::vector<RigModelInfo> models = HamlibModels();
  ASSERT_GT(models.size(), 100u);
  bool net = false;
  for (const RigModelInfo& m : models) net = net || m.model == kRigModelNetRigctl;
  EXPECT_TRUE(net);
  EXPECT_NE(HamlibModelName(kRigModelDummy), "");
  EXPECT_EQ(HamlibModelName(999999), "");
}

TEST(HamlibModels, UnknownModelDoesNotOpen) {
  RigSettings s;
  s.model = 999999;
  HamlibRadio radio(s);
  EXPECT_FALSE(radio.Open());
}

}  // namespace
}  // namespace vk::testing
