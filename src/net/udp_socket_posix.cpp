// The system's UDP sockets, and the null socket for a station without a network.
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "net/net_message.h"
#include "net/udp_socket.h"
#include "util/strings.h"

namespace vk {
namespace {

// Large enough for any UDP datagram, so an over-long one is seen whole and refused as such
// instead of arriving cut to something that might read as a message.
constexpr std::size_t kReceiveBuffer = 65536;
constexpr int kReceiveBufferBytes = 8 * 1024 * 1024;

class PosixUdpSocket final : public UdpSocket {
 public:
  ~PosixUdpSocket() override { Close(); }

  bool Create() override {
    Close();
    fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0) return false;
    // A group may be reached through its broadcast address; without this option sendto to it
    // fails with EACCES.  It changes nothing for any other address.
    const int on = 1;
    ::setsockopt(fd_, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    return true;
  }

  bool SetDestination(const std::string& address, std::uint16_t port) override {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    if (port == 0 || ::inet_pton(AF_INET, address.c_str(), &to.sin_addr) != 1) return false;
    to_ = to;
    haveDestination_ = true;
    // Bound now, so the port datagrams leave from is known before the first one: the station
    // recognises its own datagrams coming back by it (broadcast, multicast loop).
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    if (fd_ >= 0 && ::bind(fd_, reinterpret_cast<const sockaddr*>(&any), sizeof any) == 0) {
      socklen_t len = sizeof any;
      if (::getsockname(fd_, reinterpret_cast<sockaddr*>(&any), &len) == 0) {
        localPort_ = ntohs(any.sin_port);
      }
    }
    return true;
  }

  bool Bind(std::uint16_t port) override {
    if (fd_ < 0) return false;
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    at.sin_addr.s_addr = htonl(INADDR_ANY);
    bound_ = ::bind(fd_, reinterpret_cast<const sockaddr*>(&at), sizeof at) == 0;
    // A log transfer arrives in bursts of thousands of datagrams; the default buffer holds a
    // few hundred, and what does not fit is lost.  The forced size needs privileges and is
    // only tried; the plain one is capped by the system's limit.
    const int size = kReceiveBufferBytes;
    if (::setsockopt(fd_, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof size) != 0) {
      ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    }
    return bound_;
  }

  bool Send(std::string_view datagram) override {
    if (fd_ < 0 || !haveDestination_) return false;
    // MSG_NOSIGNAL: a datagram socket raises no SIGPIPE, but nothing here may end the program.
    const ssize_t n = ::sendto(fd_, datagram.data(), datagram.size(), MSG_NOSIGNAL,
                               reinterpret_cast<const sockaddr*>(&to_), sizeof to_);
    return n == static_cast<ssize_t>(datagram.size());
  }

  ReceiveResult Receive(std::string& datagram, std::chrono::milliseconds limit) override {
    datagram.clear();
    if (fd_ < 0 || !bound_) return ReceiveResult::kError;
    pollfd p{fd_, POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(limit.count()));
    if (ready == 0 || (ready < 0 && errno == EINTR)) return ReceiveResult::kTimeout;
    if (ready < 0) return ReceiveResult::kError;
    if (buffer_.empty()) buffer_.resize(kReceiveBuffer);
    sockaddr_in from{};
    socklen_t fromLen = sizeof from;
    const ssize_t n = ::recvfrom(fd_, buffer_.data(), buffer_.size(), MSG_DONTWAIT,
                                 reinterpret_cast<sockaddr*>(&from), &fromLen);
    if (n < 0) {
      // An ICMP error or a datagram taken by nobody else: nothing arrived after all.
      return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR || errno == ECONNREFUSED
                 ? ReceiveResult::kTimeout
                 : ReceiveResult::kError;
    }
    datagram.assign(buffer_.data(), static_cast<std::size_t>(n));
    senderAddress_ = ntohl(from.sin_addr.s_addr);
    senderPort_ = ntohs(from.sin_port);
    return ReceiveResult::kDatagram;
  }

  bool LastSender(std::uint32_t& address, std::uint16_t& port) const override {
    address = senderAddress_;
    port = senderPort_;
    return senderPort_ != 0;
  }
  std::uint16_t LocalPort() const override { return localPort_; }

  bool JoinGroup(const std::string& group) override {
    ip_mreq m{};
    if (fd_ < 0 || ::inet_pton(AF_INET, group.c_str(), &m.imr_multiaddr) != 1) return false;
    m.imr_interface.s_addr = htonl(INADDR_ANY);
    return ::setsockopt(fd_, IPPROTO_IP, IP_ADD_MEMBERSHIP, &m, sizeof m) == 0;
  }

  void Close() override {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    bound_ = false;
  }

 private:
  int fd_ = -1;
  bool bound_ = false;
  bool haveDestination_ = false;
  sockaddr_in to_{};
  std::vector<char> buffer_;
  std::uint32_t senderAddress_ = 0;
  std::uint16_t senderPort_ = 0;
  std::uint16_t localPort_ = 0;
};

class NullUdpSocket final : public UdpSocket {
 public:
  bool Create() override { return false; }
  bool SetDestination(const std::string&, std::uint16_t) override { return false; }
  bool Bind(std::uint16_t) override { return false; }
  bool Send(std::string_view) override { return false; }
  ReceiveResult Receive(std::string& datagram, std::chrono::milliseconds) override {
    datagram.clear();
    return ReceiveResult::kError;
  }
  void Close() override {}
};

}  // namespace

std::unique_ptr<UdpSocket> MakePosixUdpSocket() {
  return std::make_unique<PosixUdpSocket>();
}
std::unique_ptr<UdpSocket> MakeNullUdpSocket() {
  return std::make_unique<NullUdpSocket>();
}

std::vector<LocalNet> PosixLocalNets() {
  std::vector<LocalNet> nets;
  ifaddrs* list = nullptr;
  if (::getifaddrs(&list) != 0) return nets;
  for (const ifaddrs* i = list; i != nullptr; i = i->ifa_next) {
    if (i->ifa_addr == nullptr || i->ifa_addr->sa_family != AF_INET) continue;
    LocalNet n;
    n.address = ntohl(reinterpret_cast<const sockaddr_in*>(i->ifa_addr)->sin_addr.s_addr);
    if (i->ifa_netmask != nullptr) {
      n.mask = ntohl(reinterpret_cast<const sockaddr_in*>(i->ifa_netmask)->sin_addr.s_addr);
    }
    if ((i->ifa_flags & IFF_BROADCAST) != 0 && i->ifa_broadaddr != nullptr) {
      n.broadcast = ntohl(reinterpret_cast<const sockaddr_in*>(i->ifa_broadaddr)->sin_addr.s_addr);
    }
    nets.push_back(n);
  }
  ::freeifaddrs(list);
  return nets;
}

std::optional<std::uint32_t> ParseIpv4(std::string_view text) {
  in_addr a{};
  if (::inet_pton(AF_INET, std::string(text).c_str(), &a) != 1) return std::nullopt;
  return ntohl(a.s_addr);
}

std::string FormatIpv4(std::uint32_t address) {
  return IntToStr(address >> 24) + "." + IntToStr((address >> 16) & 0xFF) + "." +
         IntToStr((address >> 8) & 0xFF) + "." + IntToStr(address & 0xFF);
}

std::optional<std::uint16_t> ParseNetPort(std::string_view text) {
  const std::string t = Trim(text);
  const std::optional<std::int64_t> n = ParseStrictInt(t, 1, 65535);
  if (!n) return std::nullopt;
  return static_cast<std::uint16_t>(*n);
}

}  // namespace vk
