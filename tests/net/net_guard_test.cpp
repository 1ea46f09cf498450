// Only the group reaches the log: datagrams from other addresses, the station's own coming
// back, and (with a group key) unsigned, forged or replayed ones are refused.
#include "net/net_guard.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "net/net_thread.h"

namespace vk {
namespace {

constexpr std::uint32_t kPeer = 0x0A000002;      // 10.0.0.2
constexpr std::uint32_t kOwn = 0x0A000001;       // 10.0.0.1
constexpr std::uint32_t kStranger = 0x0A000063;  // 10.0.0.99

NetGuardConfig Config(std::string key = {}) {
  return {{kPeer}, {{kOwn, 0xFFFFFF00u, 0x0A0000FFu}}, std::move(key)};
}

TEST(NetGuard, OnlyPeersAndNeverOneselfAreTaken) {
  NetGuard g{Config()};
  g.SetOwnPorts({50001});
  std::string d = "ADD:1";
  EXPECT_EQ(g.Check(d, true, kPeer, 40000), NetVerdict::kTake);
  EXPECT_EQ(g.Check(d, true, kStranger, 40000), NetVerdict::kForeign);
  EXPECT_EQ(g.Check(d, true, kOwn, 50001), NetVerdict::kOwn);
  // A socket that cannot tell the sender judges nobody by it.
  EXPECT_EQ(g.Check(d, false, 0, 0), NetVerdict::kTake);

  // Without a list of peers (a broadcast group) the local network is the group.
  NetGuard open{{{}, {{kOwn, 0xFFFFFF00u, 0x0A0000FFu}}, {}}};
  EXPECT_EQ(open.Check(d, true, kStranger, 1), NetVerdict::kTake);
  EXPECT_EQ(open.Check(d, true, 0xC0A80101u, 1), NetVerdict::kForeign);  // 192.168.1.1
}

TEST(NetGuard, WithAKeyOnlySignedFreshDatagramsPass) {
  NetGuard sender{Config("contest-group")};
  NetGuard receiver{Config("contest-group")};
  NetGuard stranger{Config("guessed")};
  const std::string sealed = sender.Seal("DEL:42");
  ASSERT_TRUE(sealed.starts_with("MAC:"));
  std::string d = sealed;
  EXPECT_EQ(receiver.Check(d, true, kPeer, 1), NetVerdict::kTake);
  EXPECT_EQ(d, "DEL:42");
  d = sealed;  // the same datagram again: a replay
  EXPECT_EQ(receiver.Check(d, true, kPeer, 1), NetVerdict::kBadSignature);
  std::string forged = stranger.Seal("DEL:42");
  EXPECT_EQ(receiver.Check(forged, true, kPeer, 1), NetVerdict::kBadSignature);
  std::string changed = sender.Seal("DEL:42");
  changed.back() = '3';
  EXPECT_EQ(receiver.Check(changed, true, kPeer, 1), NetVerdict::kBadSignature);
  for (std::string bad : {"DEL:42", "MAC:", "MAC:zz^00^DEL:1", "MAC:1^^", "MAC:1.2^^"}) {
    EXPECT_EQ(receiver.Check(bad, true, kPeer, 1), NetVerdict::kBadSignature) << bad;
  }
  // Reordered datagrams within the window still pass.
  std::string first = sender.Seal("ADD:1");
  std::string second = sender.Seal("ADD:2");
  EXPECT_EQ(receiver.Check(second, true, kPeer, 1), NetVerdict::kTake);
  EXPECT_EQ(receiver.Check(first, true, kPeer, 1), NetVerdict::kTake);
}

// A datagram recorded in one run and sent again after both stations restarted changes
// nothing: the receiver remembers each sender's highest number in its state file.  When more
// senders were heard than are kept, the oldest one's numbers stay refused all the same.
TEST(NetGuard, ReplayAfterBothStationsRestartedIsRefused) {
  const std::string file =
      (std::filesystem::temp_directory_path() / ("vk_guard_" + std::to_string(::getpid()))).string();
  std::filesystem::remove(file);
  NetGuardConfig keeping = Config("contest-group");
  keeping.stateFile = file;
  std::string recorded;
  {
    NetGuard sender{Config("contest-group")};
    NetGuard receiver{keeping};
    recorded = sender.Seal("EDT:7^OK1NEW");
    std::string d = recorded;
    EXPECT_EQ(receiver.Check(d, true, kPeer, 1), NetVerdict::kTake);
  }  // both programs end
  NetGuard sender{Config("contest-group")};
  NetGuard receiver{keeping};
  std::string d = recorded;
  EXPECT_EQ(receiver.Check(d, true, kPeer, 1), NetVerdict::kBadSignature);
  std::string fresh = sender.Seal("EDT:7^OK1OLD");
  EXPECT_EQ(receiver.Check(fresh, true, kPeer, 1), NetVerdict::kTake);

  std::vector<std::unique_ptr<NetGuard>> others;
  for (int i = 0; i < 256; ++i) {
    others.push_back(std::make_unique<NetGuard>(Config("contest-group")));
    std::string o = others.back()->Seal("HELO:1");
    ASSERT_EQ(receiver.Check(o, true, kPeer, 1), NetVerdict::kTake);
  }
  d = recorded;  // its sender is no longer kept: refused by the floor
  EXPECT_EQ(receiver.Check(d, true, kPeer, 1), NetVerdict::kBadSignature);
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace vk

namespace vk {
namespace {

// Who the group is, from the network section: the stations listed in IP, or those of PEERS
// when IP reaches a whole network (a broadcast address of this computer, or multicast).
TEST(NetGroupSettings, PeersComeFromTheAddressListOrPeers) {
  const std::vector<LocalNet> nets = {{kOwn, 0xFFFFFF00u, 0x0A0000FFu}};
  NetworkSettings s;
  s.port = "23456";
  s.enable = 1;
  s.ip = "10.0.0.2, 10.0.0.3";
  auto e = NetEndpointOf(s, nets);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->destinations, (std::vector<std::string>{"10.0.0.2", "10.0.0.3"}));
  EXPECT_EQ(e->peers, (std::vector<std::uint32_t>{kPeer, 0x0A000003u}));
  s.ip = "10.0.0.255";  // this computer's broadcast address: the local network is the group
  EXPECT_TRUE(NetEndpointOf(s, nets)->peers.empty());
  s.ip = "239.1.2.3";
  s.peers = "10.0.0.2 10.0.0.3 nonsense";
  EXPECT_EQ(NetEndpointOf(s, nets)->peers, (std::vector<std::uint32_t>{kPeer, 0x0A000003u}));
}

}  // namespace
}  // namespace vk
