// SPDX-License-Identifier: GPL-3.0-or-later
// The listener on a real loopback socket: QSOs queued for the UI thread, heartbeats and foreign
// datagrams counted, and a multicast group heard by two listeners at once.
#include "digital/wsjtx_listener.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "wsjtx_stream.h"

namespace vk::test {
namespace {

void SendTo(std::uint32_t address, std::uint16_t port, const std::string& bytes) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  to.sin_addr.s_addr = htonl(address);
  ::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
  ::close(fd);
}

std::unique_ptr<WsjtxListener> Listen(ListenAddress at) {
  Status s;
  auto socket = OpenUdpListener(at, s);
  EXPECT_TRUE(s.ok()) << s.message;
  if (socket == nullptr) return nullptr;
  auto l = std::make_unique<WsjtxListener>(std::move(socket));
  l->Start();
  return l;
}

bool WaitFor(const WsjtxListener& l, std::uint64_t datagrams) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (l.Counts().datagrams < datagrams) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

TEST(WsjtxListenerTest, QueuesQsosAndCountsTheRest) {
  auto l = Listen({INADDR_LOOPBACK, 0, false});  // the system's choice of port
  ASSERT_NE(l, nullptr);
  const std::uint32_t loop = INADDR_LOOPBACK;
  SendTo(loop, l->Port(), WsjtxStream(0).U32(3).Text("2.6.1").Text("").Bytes());
  SendTo(loop, l->Port(), QsoLogged("K1ABC"));
  SendTo(loop, l->Port(), "<call:5>K1ABC<eor>");  // another program's datagram
  SendTo(loop, l->Port(), WsjtxStream(1).Bytes());  // a status message
  ASSERT_TRUE(WaitFor(*l, 4));
  const WsjtxCounts c = l->Counts();
  EXPECT_EQ(c.heartbeats, 1U);
  EXPECT_EQ(c.qsos, 1U);
  EXPECT_EQ(c.dropped, 1U);
  EXPECT_EQ(c.other, 1U);
  const auto qsos = l->TakeQsos();
  ASSERT_EQ(qsos.size(), 1U);
  EXPECT_EQ(qsos[0].call, "K1ABC");
  EXPECT_TRUE(l->TakeQsos().empty());
  EXPECT_EQ(l->TakeFaults(), std::vector<std::string>{"not a WSJT-X message"});
}

TEST(WsjtxListenerTest, AFloodIsCappedAndCounted) {
  WsjtxListener l(nullptr);
  for (std::size_t i = 0; i < WsjtxListener::kMaxQueued + 5; ++i) l.Handle(QsoLogged("K1ABC"));
  for (std::size_t i = 0; i < WsjtxListener::kMaxFaults + 5; ++i) l.Handle("x");
  EXPECT_EQ(l.Counts().lost, 5U);
  EXPECT_EQ(l.TakeQsos().size(), WsjtxListener::kMaxQueued);
  EXPECT_EQ(l.TakeFaults().size(), WsjtxListener::kMaxFaults);
}

// WSJT-X's users share one group among several programs: each of them hears every datagram.
TEST(WsjtxListenerTest, TwoListenersOfAGroupBothHearIt) {
  const ListenAddress group{0xEFFF4D01U, 52237, true};  // 239.255.77.1
  auto a = Listen(group);
  auto b = Listen(group);
  if (a == nullptr || b == nullptr) GTEST_SKIP() << "no multicast here";
  SendTo(0xEFFF4D01U, 52237, QsoLogged("K1ABC"));
  if (!WaitFor(*a, 1)) GTEST_SKIP() << "no multicast route here";
  EXPECT_TRUE(WaitFor(*b, 1));
  EXPECT_EQ(a->TakeQsos().size(), 1U);
  EXPECT_EQ(b->TakeQsos().size(), 1U);
}

TEST(WsjtxListenerTest, ListenAddressesAreIpv4AndPort) {
  ListenAddress at;
  EXPECT_TRUE(ParseListenAddress(" 127.0.0.1:2237 ", at).ok());
  EXPECT_EQ(at, (ListenAddress{0x7f000001U, 2237, false}));
  EXPECT_TRUE(ParseListenAddress("224.0.0.1:2237", at).ok());
  EXPECT_TRUE(at.multicast);
  for (const char* bad : {"", "127.0.0.1", "localhost:2237", "127.0.0.1:0", "127.0.0.1:70000"}) {
    EXPECT_FALSE(ParseListenAddress(bad, at).ok()) << bad;
  }
}

}  // namespace
}  // namespace vk::test
