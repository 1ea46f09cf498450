// The system's UDP sockets, and the null socket for a station without a network.
#include <arpa/inet.h>
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

class PosixUdpSocket final : public UdpSocket {
 public:
  ~PosixUdpSocket() override { Close(); }

  bool Create() override {
    Close();
    fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    return fd_ >= 0;
  }

  bool SetDestination(const std::string& address, std::uint16_t port) override {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    if (port == 0 || ::inet_pton(AF_INET, address.c_str(), &to.sin_addr) != 1) return false;
    to_ = to;
    haveDestination_ = true;
    return true;
  }

  bool Bind(std::uint16_t port) override {
    if (fd_ < 0) return false;
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    at.sin_addr.s_addr = htonl(INADDR_ANY);
    bound_ = ::bind(fd_, reinterpret_cast<const sockaddr*>(&at), sizeof at) == 0;
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
    const ssize_t n = ::recv(fd_, buffer_.data(), buffer_.size(), MSG_DONTWAIT);
    if (n < 0) {
      // An ICMP error or a datagram taken by nobody else: nothing arrived after all.
      return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR || errno == ECONNREFUSED
                 ? ReceiveResult::kTimeout
                 : ReceiveResult::kError;
    }
    datagram.assign(buffer_.data(), static_cast<std::size_t>(n));
    return ReceiveResult::kDatagram;
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

std::optional<std::uint16_t> ParseNetPort(std::string_view text) {
  const std::string t = Trim(text);
  const std::optional<std::int64_t> n = ParseStrictInt(t, 1, 65535);
  if (!n) return std::nullopt;
  return static_cast<std::uint16_t>(*n);
}

}  // namespace vk
