// The network thread: owns the two UDP sockets, sends what the UI queued (or, when nothing
// waits, a checksum report about three times a second), and hands what arrives to the UI
// through the exchange record.  It reads no message beyond its keyword: all interpretation happens on the
// UI thread.
//
// One pass: sleep 10 ms; send; wait up to 100 ms for a datagram.  An idle pass therefore lasts
// about 110 ms.  A pass that moved datagrams is followed by one without the sleep, so a transfer
// runs at the network's pace.  The checksum report goes by the clock, not by the passes: every
// datagram that arrives shortens a pass, and in a group whose reports came every few passes
// each station's reports would hurry the others' on.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "config/settings.h"
#include "net/net_exchange.h"
#include "net/net_guard.h"
#include "net/udp_socket.h"

namespace vk {

inline constexpr std::chrono::milliseconds kNetPassSleep{10};
inline constexpr std::chrono::milliseconds kNetReceiveLimit{100};
// The receive wait is taken in slices of this length, checking for queued messages between them.
inline constexpr std::chrono::milliseconds kNetReceiveSlice{10};
// The checksum report's period: about three a second, whatever the group's size and traffic.
inline constexpr std::chrono::milliseconds kHeloInterval{330};
// A pass sends more than one waiting message and takes what else has already arrived, but no
// more than these, so that neither direction can hold up the other or the stop.
// A whole-log transfer moves thousands of datagrams a second each way; these are large enough
// for that and small enough that a stop is seen within a pass.
inline constexpr int kNetMaxSendsPerPass = 256;
inline constexpr int kNetMaxReceivesPerPass = 512;
// Journal lines a second for datagrams sent and received, each way.
inline constexpr int kNetJournalRate = 50;

// Where messages go and where the station listens: one port for both.
struct NetEndpoint {
  std::string address;  // the first destination
  std::uint16_t port = 0;
  std::vector<std::string> destinations;  // IP: one address, a list, a broadcast or multicast one
  std::vector<std::uint32_t> peers;       // whose datagrams are taken; empty: the local networks
  std::string key;
  // IP= reaches a whole network (broadcast, multicast) and PEERS= names no station: any host
  // there is heard.
  bool anyHost = false;
  std::string guardFile;  // the senders' numbers across restarts (NetGuardConfig::stateFile)
  friend bool operator==(const NetEndpoint&, const NetEndpoint&) = default;
};
// nullopt when the exchange is switched off (ENABLE not above 0) or PORT is not a port.  IP may
// list several addresses (separated by commas or spaces); the peers are the unicast addresses
// among them and those of PEERS.  `localNets` tells broadcast addresses from stations.  What
// cannot be used is journalled (`journal` nullptr: nowhere).
std::optional<NetEndpoint> NetEndpointOf(const NetworkSettings& settings,
                                         const std::vector<LocalNet>& localNets = {},
                                         Journal* journal = nullptr);

class NetWorker {
 public:
  using Sleeper = std::function<void(std::chrono::milliseconds)>;

  using LocalNets = std::function<std::vector<LocalNet>()>;
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  // Without a clock the worker reads the computer's; one driven by a test's sleeper and no
  // clock counts its time as what it slept and waited for datagrams.
  NetWorker(NetExchange& exchange, NetEndpoint where, UdpSocketFactory makeSocket,
            Sleeper sleep = {}, LocalNets localNets = PosixLocalNets, Clock clock = {});
  ~NetWorker();
  NetWorker(const NetWorker&) = delete;
  NetWorker& operator=(const NetWorker&) = delete;

  // Makes the sending socket (fixed destination) and the receiving one (0.0.0.0:port).  A
  // socket that fails is journalled and then just does nothing.
  void Open();
  void Pass();
  void Close();
  // Open, passes until the exchange's Stop is set, Close.
  void Run();

 private:
  std::chrono::steady_clock::time_point Now() const;
  void Sleep(std::chrono::milliseconds ms);
  int SendStep();
  int ReceiveStep();
  void SendAll(std::string_view message);
  void Take(std::string& datagram);

  NetExchange& exchange_;
  NetEndpoint where_;
  UdpSocketFactory makeSocket_;
  Sleeper sleep_;
  LocalNets localNets_;
  std::vector<std::unique_ptr<UdpSocket>> outs_;  // one per destination
  std::unique_ptr<UdpSocket> in_;
  std::unique_ptr<NetGuard> guard_;
  JournalRate txJournal_{kNetJournalRate, exchange_.journal()};
  JournalRate rxJournal_{kNetJournalRate, exchange_.journal()};
  Clock clock_;
  std::chrono::milliseconds counted_{0};  // slept and waited, for a worker without a clock
  std::chrono::steady_clock::time_point lastHelo_{};
  bool busy_ = false;     // the last pass moved datagrams: the next one does not sleep
  std::string datagram_;  // reused: its buffer grows once
};

// The worker on a thread of its own.  The destructor stops it.
class NetThread {
 public:
  NetThread(NetExchange& exchange, NetEndpoint where,
            UdpSocketFactory makeSocket = MakePosixUdpSocket,
            NetWorker::LocalNets localNets = PosixLocalNets);
  ~NetThread();
  NetThread(const NetThread&) = delete;
  NetThread& operator=(const NetThread&) = delete;

  // Sets Stop and waits for the thread, which ends within one pass (about 110 ms) and closes
  // its sockets.  Safe to call more than once.
  void Stop();

 private:
  NetExchange& exchange_;
  std::thread thread_;
};

// Program start: the thread runs only when the settings switch the exchange on and name a
// port; otherwise nullptr.
std::unique_ptr<NetThread> StartNetwork(NetExchange& exchange, const NetworkSettings& settings,
                                        UdpSocketFactory makeSocket = MakePosixUdpSocket);

}  // namespace vk
