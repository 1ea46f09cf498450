// An in-memory network for tests: stations are addresses, a bound socket has a queue of
// datagrams, and every send, delivery and drop is recorded with the time of a fake clock that
// only the test moves.  Safe to use from the network thread and the test at once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "net/udp_socket.h"

namespace vk {

struct FakeUdpEvent {
  long long ms = 0;       // the fake clock when it happened
  std::string what;       // "send", "drop" (nobody bound there), "receive", "timeout"
  std::string from;       // sending station's address; the receiving one for receive/timeout
  std::string to;         // "address:port"
  std::string datagram;   // empty for timeouts
  long long limitMs = 0;  // the time limit a receive asked for
  friend bool operator==(const FakeUdpEvent&, const FakeUdpEvent&) = default;
};

class FakeUdpNetwork {
 public:
  FakeUdpNetwork();
  ~FakeUdpNetwork();
  FakeUdpNetwork(const FakeUdpNetwork&) = delete;
  FakeUdpNetwork& operator=(const FakeUdpNetwork&) = delete;

  // Sockets of the station at `ownAddress`; binding one makes "ownAddress:port" reachable.
  std::unique_ptr<UdpSocket> MakeSocket(const std::string& ownAddress);
  UdpSocketFactory Factory(const std::string& ownAddress);

  // A datagram from outside the group (any bytes) for whoever is bound at address:port.
  void Inject(const std::string& address, std::uint16_t port, std::string_view datagram);
  // The same, sent from a given address and port (a forger on the network).
  void InjectFrom(const std::string& fromAddress, std::uint16_t fromPort,
                  const std::string& address, std::uint16_t port, std::string_view datagram);

  void Advance(long long ms);
  long long NowMs() const;
  std::vector<FakeUdpEvent> Events() const;
  // The datagrams sent from `address`, in order.
  std::vector<std::string> SentFrom(const std::string& address) const;
  void ClearEvents();

  struct State;  // shared with the sockets, so a socket may outlive the network object

 private:
  std::shared_ptr<State> state_;
};

}  // namespace vk
