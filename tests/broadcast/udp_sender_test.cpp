// SPDX-License-Identifier: GPL-3.0-or-later
// The sending thread on a real loopback socket: every destination gets the datagram, a host
// name is looked up by the thread, an unknown name is counted as failed, and a flood is capped.
#include "broadcast/udp_sender.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace vk::test {
namespace {

struct Receiver {
  int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  std::uint16_t port = 0;
  Receiver() {
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at);
    socklen_t len = sizeof at;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&at), &len);
    port = ntohs(at.sin_port);
  }
  ~Receiver() { ::close(fd); }
  std::string Take() {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 5000) != 1) return {};
    char buf[2048];
    const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
  }
};

TEST(UdpSenderTest, EveryDestinationGetsTheDatagram) {
  Receiver a, b;
  UdpSender s;
  s.Start();
  EXPECT_TRUE(s.Send({{"127.0.0.1", a.port}, {"localhost", b.port}}, "<RadioInfo/>"));
  EXPECT_EQ(a.Take(), "<RadioInfo/>");
  EXPECT_EQ(b.Take(), "<RadioInfo/>");
  s.Send({{"no-such-host.invalid", a.port}}, "x");
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (s.Failed() == 0 && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(s.Failed(), 1U);
  EXPECT_EQ(s.Sent(), 2U);
}

TEST(UdpSenderTest, AFloodIsCappedAndCounted) {
  UdpSender s;  // not started: nothing leaves the queue
  for (std::size_t i = 0; i < UdpSender::kMaxQueued; ++i) ASSERT_TRUE(s.Send({{"127.0.0.1", 9}}, "x"));
  EXPECT_FALSE(s.Send({{"127.0.0.1", 9}}, "x"));
  EXPECT_EQ(s.Dropped(), 1U);
}

TEST(BroadcastSettingsTest, DestinationsAreHostAndPortLists) {
  std::vector<std::string> bad;
  const auto d = ParseDestinations(" 127.0.0.1:12060, shack-pc:12061  192.168.1.255:12060 x:0 y", bad);
  EXPECT_EQ(d, (std::vector<Destination>{{"127.0.0.1", 12060}, {"shack-pc", 12061},
                                          {"192.168.1.255", 12060}}));
  EXPECT_EQ(bad.size(), 2U);
}

}  // namespace
}  // namespace vk::test
