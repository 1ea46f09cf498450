// The system's UDP sockets on the loopback address only (127.0.0.1), on a port the system
// reports free.  Every wait is bounded; nothing here reaches any other address.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "net/net_message.h"
#include "net/net_thread.h"
#include "net/udp_socket.h"
#include "net_test_util.h"

namespace vk {
namespace {

using namespace std::chrono_literals;

constexpr const char* kLoopback = "127.0.0.1";

// A UDP port nobody uses right now.
std::uint16_t FreePort() {
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof at;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&at), &len) != 0) {
    if (fd >= 0) ::close(fd);
    return 0;
  }
  ::close(fd);
  return ntohs(at.sin_port);
}

class PosixUdp : public ::testing::Test {
 protected:
  void SetUp() override {
    port_ = FreePort();
    ASSERT_NE(port_, 0);
    ASSERT_TRUE(in_->Create());
    ASSERT_TRUE(in_->Bind(port_));
    ASSERT_TRUE(out_->Create());
    ASSERT_TRUE(out_->SetDestination(kLoopback, port_));
  }

  std::uint16_t port_ = 0;
  std::unique_ptr<UdpSocket> in_ = MakePosixUdpSocket();
  std::unique_ptr<UdpSocket> out_ = MakePosixUdpSocket();
};

TEST_F(PosixUdp, OneDatagramArrivesWholeAndThenTheWaitEnds) {
  ASSERT_TRUE(out_->Send("HELO:-1"));
  std::string got;
  EXPECT_EQ(in_->Receive(got, 2000ms), ReceiveResult::kDatagram);
  EXPECT_EQ(got, "HELO:-1");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(in_->Receive(got, 50ms), ReceiveResult::kTimeout);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 40ms);
  EXPECT_TRUE(got.empty());
}

TEST_F(PosixUdp, AnOverLongDatagramIsSeenAtItsFullLength) {
  const std::string big(1000, 'Z');
  ASSERT_TRUE(out_->Send(big));
  std::string got;
  ASSERT_EQ(in_->Receive(got, 2000ms), ReceiveResult::kDatagram);
  EXPECT_EQ(got.size(), 1000u);
  EXPECT_FALSE(DatagramFault(got).empty());
}

TEST_F(PosixUdp, FailuresAreAnswersNotCrashes) {
  std::unique_ptr<UdpSocket> s = MakePosixUdpSocket();
  std::string got;
  EXPECT_FALSE(s->Bind(port_));  // not made yet
  EXPECT_FALSE(s->Send("x"));
  EXPECT_EQ(s->Receive(got, 10ms), ReceiveResult::kError);
  ASSERT_TRUE(s->Create());
  EXPECT_FALSE(s->Bind(port_));  // in use
  EXPECT_EQ(s->Receive(got, 10ms), ReceiveResult::kError);
  EXPECT_FALSE(s->SetDestination("not.an.address", port_));
  EXPECT_FALSE(s->SetDestination("localhost", port_));  // names are not looked up
  EXPECT_FALSE(s->SetDestination(kLoopback, 0));
  EXPECT_FALSE(s->Send("x"));  // no destination
  s->Close();
  s->Close();
  EXPECT_EQ(ParseNetPort(" 12345 "), 12345);
  EXPECT_EQ(ParseNetPort("0"), std::nullopt);
  EXPECT_EQ(ParseNetPort("65536"), std::nullopt);
  EXPECT_EQ(ParseNetPort(""), std::nullopt);
}

// The whole network thread on the loopback: what another program on this computer sends
// arrives, while the station's own reports and messages, which the loopback delivers back to it,
// are recognised by address and port and dropped.
TEST(PosixNetThread, HearsOthersNotItselfAndStopsPromptly) {
  nettest::JournalCapture journal("posix_thread");
  const std::uint16_t port = FreePort();
  ASSERT_NE(port, 0);
  NetExchange x{journal.journal()};
  x.SetOwnChecksum(0xDEADBEEFu);
  NetworkSettings settings;
  settings.ip = kLoopback;
  settings.port = std::to_string(port);
  settings.enable = 1;
  std::unique_ptr<NetThread> thread = StartNetwork(x, settings, MakePosixUdpSocket);
  ASSERT_NE(thread, nullptr);
  const std::string add = AddMessage(nettest::MakeQso(77, "K1AR"));
  ASSERT_TRUE(x.Send(add));
  std::this_thread::sleep_for(500ms);  // several reports of its own have come back by now
  EXPECT_FALSE(x.TakeChecksumReceived());
  EXPECT_EQ(x.TakeIncoming(), std::nullopt);
  EXPECT_TRUE(journal.Has("NET_TX:->" + add));

  std::unique_ptr<UdpSocket> other = MakePosixUdpSocket();
  ASSERT_TRUE(other->Create());
  ASSERT_TRUE(other->SetDestination(kLoopback, port));
  ASSERT_TRUE(other->Send("HELO:-559038737"));
  ASSERT_TRUE(other->Send(add));
  std::optional<std::string> got;
  for (int i = 0; i < 300 && !got; ++i) {
    got = x.TakeIncoming();
    if (!got) std::this_thread::sleep_for(10ms);
  }
  EXPECT_EQ(got, add);
  EXPECT_TRUE(x.TakeChecksumReceived());
  EXPECT_EQ(x.PeerChecksum(), 0xDEADBEEFu);
  EXPECT_TRUE(journal.Has("NET_RX:->" + add));

  const auto start = std::chrono::steady_clock::now();
  thread->Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);  // one pass is about 110 ms
  // The port is free again once the thread has ended.
  std::unique_ptr<UdpSocket> again = MakePosixUdpSocket();
  ASSERT_TRUE(again->Create());
  EXPECT_TRUE(again->Bind(port));
}

}  // namespace
}  // namespace vk
