// The client against a node of the test's own on a loopback port: the login dialogue, the
// commands after it, spots through the hub, and a new link after the node drops the old one.
#include "cluster/cluster_client.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <thread>

#include "cluster/cluster_hub.h"
#include "daemon_process.h"

namespace vk {
namespace {

using namespace std::chrono_literals;

// One listening socket on 127.0.0.1 and a free port; Accept() takes one link at a time.
class LoopbackNode {
 public:
  LoopbackNode() : listen_(testing::ListenOnLoopback(4, port_)) {}
  ~LoopbackNode() {
    Drop();
    close(listen_);
  }
  std::uint16_t Port() const { return port_; }
  bool Accept() {
    pollfd p{listen_, POLLIN, 0};
    if (poll(&p, 1, 5000) != 1) return false;
    link_ = accept(listen_, nullptr, nullptr);
    return link_ >= 0;
  }
  void Send(const std::string& s) { (void)send(link_, s.data(), s.size(), MSG_NOSIGNAL); }
  // Reads until the text has arrived (or 5 s pass); returns everything read.
  std::string ReadUntil(const std::string& text) {
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (got_.find(text) == std::string::npos && std::chrono::steady_clock::now() < end) {
      pollfd p{link_, POLLIN, 0};
      if (poll(&p, 1, 100) != 1) continue;
      char buf[512];
      const ssize_t n = recv(link_, buf, sizeof buf, 0);
      if (n <= 0) break;
      got_.append(buf, static_cast<std::size_t>(n));
    }
    return got_;
  }
  void Drop() {
    if (link_ >= 0) close(link_);
    link_ = -1;
    got_.clear();
  }

 private:
  std::uint16_t port_ = 0;  // before listen_, which sets it
  int listen_ = -1;
  int link_ = -1;
  std::string got_;
};

bool WaitFor(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + 5s;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

ClusterSettings NodeAt(std::uint16_t port) {
  ClusterSettings s;
  s.host = "127.0.0.1";
  s.port = port;
  s.password = "secret";
  s.commands = "set/skimmer| set/dx";
  return s;
}

TEST(ClusterClient, LogsInTakesSpotsAndConnectsAgainAfterADrop) {
  LoopbackNode node;
  ClusterHub hub;
  hub.Configure(NodeAt(node.Port()), "DL1ABC", MakePosixClusterSocket, {50ms, 200ms});
  ASSERT_TRUE(node.Accept());
  node.Send("\xFF\xFD\x01Welcome\r\nlogin: ");
  EXPECT_NE(node.ReadUntil("DL1ABC\r\n").find("\xFF\xFC\x01"), std::string::npos);
  node.Send("password: ");
  const std::string after = node.ReadUntil("set/dx\r\n");
  EXPECT_NE(after.find("secret\r\nset/skimmer\r\nset/dx\r\n"), std::string::npos) << after;
  node.Send("DX de K1TTT-#:  14025.0  UA9ABC  CW 12 dB 28 WPM CQ  1200Z\r\n");
  node.Send(std::string(3000, 'x') + "\r\nbin\x01\x02\r\n");
  ASSERT_TRUE(WaitFor([&] {
    hub.Poll();
    return hub.Spots().Find("UA9ABC", 4) != nullptr && hub.Console().size() >= 5;
  }));
  EXPECT_TRUE(hub.Connected());
  // A line that arrives in two reads, the first ending like a login prompt, stays one line.
  node.Send("DX de W3LPL: 14025.0 DL1ABC pse call");
  std::this_thread::sleep_for(300ms);
  node.Send(" 1200Z\r\n");
  ASSERT_TRUE(WaitFor([&] {
    hub.Poll();
    return hub.Spots().Find("DL1ABC", 4) != nullptr;
  }));
  EXPECT_EQ(hub.Console().back(), "DX de W3LPL: 14025.0 DL1ABC pse call 1200Z");
  EXPECT_TRUE(hub.SpotQso(140255, "DL2XYZ"));
  EXPECT_NE(node.ReadUntil("DX 14025.5 DL2XYZ\r\n").find("DX 14025.5 DL2XYZ"), std::string::npos);

  node.Drop();
  ASSERT_TRUE(WaitFor([&] { return !hub.Connected(); }));
  ASSERT_TRUE(node.Accept());  // the client comes back by itself
  ASSERT_TRUE(WaitFor([&] { return hub.Connected(); }));
  hub.Stop();
  EXPECT_FALSE(hub.Connected());
}

TEST(ClusterClient, UnassistedStartsNothingAndClearsTheSpots) {
  ClusterHub hub([] { return std::int64_t{100}; });
  ClusterSettings s = NodeAt(1);
  hub.Configure(s, "DL1ABC", MakePosixClusterSocket);
  EXPECT_TRUE(hub.Running());
  hub.Take("DX de W3LPL: 14025.0 DL1ABC CQ 1234Z");
  EXPECT_EQ(hub.Spots().Size(), 1u);
  s.assisted = false;
  hub.Configure(s, "DL1ABC", MakePosixClusterSocket);
  EXPECT_FALSE(hub.Running());
  EXPECT_EQ(hub.Spots().Size(), 0u);
  EXPECT_FALSE(hub.SendCommand("sh/dx"));
}

// A resolver that does not answer (a dead name server) must not hold the link: a stopped client
// gives up the lookup at once, and the lookup ends by itself later.
TEST(ClusterClient, AHangingNameLookupDoesNotHoldTheStop) {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  auto hanging = [released](const std::string&, const std::string&) -> addrinfo* {
    released.wait();
    return nullptr;
  };
  auto socket = MakePosixClusterSocketWith(hanging);
  std::atomic<bool> cancel{false};
  std::thread stopper([&] {
    std::this_thread::sleep_for(100ms);
    cancel.store(true);
  });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(socket->Connect("dx.example.org", 7300, 30s, &cancel));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  stopper.join();
  EXPECT_FALSE(MakePosixClusterSocketWith(hanging)->Connect("dx.example.org", 7300, 200ms));
  release.set_value();
}

}  // namespace
}  // namespace vk
