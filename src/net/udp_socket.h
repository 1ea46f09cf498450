// The UDP socket as the network thread sees it: just what the log exchange needs, so that the
// thread runs the same over the system's sockets, over nothing at all, and over the in-memory
// network of the tests (fake_udp.h).
//
// Errors are not reported further than a false or kError: a socket that cannot be made, bound
// or used simply sends or receives nothing, and the contest goes on.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

enum class ReceiveResult : std::uint8_t {
  kDatagram,  // one datagram arrived, whole
  kTimeout,   // none within the time limit
  kError,     // the socket cannot receive (not made, not bound, closed)
};

class UdpSocket {
 public:
  virtual ~UdpSocket() = default;
  virtual bool Create() = 0;
  // The fixed address every Send goes to: a dotted IPv4 address, no host names (a name
  // lookup could hold the thread for seconds).
  virtual bool SetDestination(const std::string& address, std::uint16_t port) = 0;
  virtual bool Bind(std::uint16_t port) = 0;  // 0.0.0.0, every local address
  virtual bool Send(std::string_view datagram) = 0;
  // Waits up to `limit` for one datagram and gives all of it, however long.
  virtual ReceiveResult Receive(std::string& datagram, std::chrono::milliseconds limit) = 0;
  virtual void Close() = 0;

  // Where the datagram of the last kDatagram came from: IPv4 address and port in host order.
  // False where the socket cannot tell (then nobody is refused for where it came from).
  virtual bool LastSender(std::uint32_t& /*address*/, std::uint16_t& /*port*/) const {
    return false;
  }
  // The port datagrams leave from (a sending socket's own port); 0 when not known.
  virtual std::uint16_t LocalPort() const { return 0; }
  // A receiving socket joins a multicast group, so datagrams sent to it arrive.
  virtual bool JoinGroup(const std::string& /*group*/) { return false; }
};

// One network the computer is on: its own address and the network mask, host order.
struct LocalNet {
  std::uint32_t address = 0;
  std::uint32_t mask = 0;
  std::uint32_t broadcast = 0;  // 0 when the interface has none
};
// The computer's IPv4 interfaces (loopback included); empty where they cannot be listed.
std::vector<LocalNet> PosixLocalNets();

// "a.b.c.d" in host order, or nullopt.
std::optional<std::uint32_t> ParseIpv4(std::string_view text);
std::string FormatIpv4(std::uint32_t address);
inline bool IsMulticast(std::uint32_t a) {
  return (a >> 28) == 0xE;
}

using UdpSocketFactory = std::function<std::unique_ptr<UdpSocket>()>;

// The system's sockets.
std::unique_ptr<UdpSocket> MakePosixUdpSocket();
// Nothing: Create fails, sends go nowhere, receives report kError at once.
std::unique_ptr<UdpSocket> MakeNullUdpSocket();

// The port number of a NetPort text: 1-65535, decimal, spaces around it allowed.
std::optional<std::uint16_t> ParseNetPort(std::string_view text);

}  // namespace vk
