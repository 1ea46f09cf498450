// Keying through a real cwdaemon (no hardware, no sound) started on a free loopback port: a
// message is keyed and cwdaemon's reply ends the transmission; Esc aborts a long one at once.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "cw/cwdaemon_keyer.h"
#include "cw/keyer.h"
#include "cw/text_sender.h"
#include "daemon_process.h"

namespace vk::testing {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

class CwdaemonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveProgram("/usr/sbin/cwdaemon")) GTEST_SKIP() << "cwdaemon is not installed";
    port_ = FreeLoopbackPort(SOCK_DGRAM);
    ASSERT_TRUE(daemon_.Start(
        {"/usr/sbin/cwdaemon", "-n", "-d", "null", "-x", "n", "-p", std::to_string(port_)}));
    // Ready once it answers a reply request for a one-letter text.
    CwdaemonKeyer probe(Address());
    ASSERT_TRUE(probe.Open());
    ASSERT_TRUE(WaitFor(
        [&] { return probe.Send("E", 60).ok() && probe.WaitSent(300ms, [] { return false; }); }));
  }
  std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }
  std::unique_ptr<Keyer> MakeKeyer(std::uint8_t speed) {
    KeyerSettings s;
    s.port = "ttyS0";
    s.speed = speed;
    return std::make_unique<Keyer>(s, std::make_unique<CwdaemonKeyer>(Address()));
  }

  int port_ = 0;
  DaemonProcess daemon_;
};

TEST_F(CwdaemonTest, MessageEndsWithCwdaemonsReply) {
  auto keyer = MakeKeyer(30);  // 60 wpm: "TEST" is 20 dots at 20 ms
  ASSERT_TRUE(keyer->PortOpen());
  EXPECT_EQ(keyer->PortName(), "cwdaemon " + Address());
  const auto t0 = steady_clock::now();
  keyer->SendText("TEST", false);
  ASSERT_TRUE(keyer->WaitUntilIdle(5s));
  // cwdaemon answered only after keying: the keyer waited at least most of the Morse length.
  EXPECT_GE(steady_clock::now() - t0, 250ms);
  std::vector<KeyerNote> notes = keyer->TakeNotes();
  ASSERT_GE(notes.size(), 4u);
  EXPECT_EQ(notes[0], (KeyerNote{KeyerNote::Kind::kText, 0, "TEST"}));
  EXPECT_EQ(notes[1], (KeyerNote{KeyerNote::Kind::kPtt, 1, ""}));
  EXPECT_EQ(notes.back(), (KeyerNote{KeyerNote::Kind::kKey, 0, ""}));
  EXPECT_EQ(keyer->Settings().port, "ttyS0");  // the serial port setting is kept as it was
}

TEST_F(CwdaemonTest, AbortStopsALongMessageAndTheNextOneIsKeyed) {
  auto keyer = MakeKeyer(10);  // 20 wpm: this takes many seconds
  keyer->SendText("CQ CQ CQ TEST UA1ABC UA1ABC TEST", true);
  ASSERT_TRUE(WaitFor([&] { return keyer->Request(); }));
  std::this_thread::sleep_for(200ms);
  const auto t0 = steady_clock::now();
  keyer->Abort();
  ASSERT_TRUE(keyer->WaitUntilIdle(2s));
  EXPECT_LT(steady_clock::now() - t0, 500ms);
  EXPECT_FALSE(keyer->Repeat());
  keyer->SendText("E", false);
  ASSERT_TRUE(keyer->WaitUntilIdle(3s));
}

TEST(CwdaemonKeyerAlone, NoDaemonIsNoReplyNotAHang) {
  CwdaemonKeyer k("127.0.0.1:" + std::to_string(FreeLoopbackPort(SOCK_DGRAM)));
  ASSERT_TRUE(k.Open());
  (void)k.Send("E", 30);
  EXPECT_FALSE(k.WaitSent(100ms, [] { return false; }));
  EXPECT_FALSE(CwdaemonKeyer("no.such.host.invalid:6789").Open());
}

TEST(TextSenderSpeed, TheSpeedShownIsTheSpeedKeyed) {
  EXPECT_EQ(KeyedWpm(20), 20);
  EXPECT_EQ(KeyedWpm(60), 60);
  EXPECT_EQ(KeyedWpm(61), 60);
  EXPECT_EQ(KeyedWpm(3), 5);
}

}  // namespace
}  // namespace vk::testing
