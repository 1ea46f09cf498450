// SPDX-License-Identifier: GPL-3.0-or-later
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "digital/udp_listener.h"

namespace vk {
namespace {

// The largest UDP payload: a datagram is always read whole, so a long one is refused as such.
constexpr std::size_t kBuffer = 65536;

class PosixUdpListener final : public UdpListener {
 public:
  explicit PosixUdpListener(int fd) : fd_(fd), buffer_(kBuffer) {}
  ~PosixUdpListener() override { ::close(fd_); }

  ReceiveResult Receive(std::string& datagram, std::chrono::milliseconds limit) override {
    datagram.clear();
    pollfd p{fd_, POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(limit.count()));
    if (ready == 0 || (ready < 0 && errno == EINTR)) return ReceiveResult::kTimeout;
    if (ready < 0) return ReceiveResult::kError;
    const ssize_t n = ::recv(fd_, buffer_.data(), buffer_.size(), MSG_DONTWAIT);
    if (n < 0) {
      return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? ReceiveResult::kTimeout
                                                                        : ReceiveResult::kError;
    }
    datagram.assign(buffer_.data(), static_cast<std::size_t>(n));
    return ReceiveResult::kDatagram;
  }

  std::uint16_t Port() const override {
    sockaddr_in at{};
    socklen_t len = sizeof at;
    if (::getsockname(fd_, reinterpret_cast<sockaddr*>(&at), &len) != 0) return 0;
    return ntohs(at.sin_port);
  }

 private:
  int fd_;
  std::vector<char> buffer_;
};

Status SystemError(const std::string& what) {
  return Status::Error(ErrCode::kIo, what + ": " + std::strerror(errno));
}

}  // namespace

std::unique_ptr<UdpListener> OpenUdpListener(const ListenAddress& at, Status& error) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    error = SystemError("UDP socket");
    return nullptr;
  }
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in bindAt{};
  bindAt.sin_family = AF_INET;
  bindAt.sin_port = htons(at.port);
  // A group's datagrams are addressed to the group: the socket binds to the group address (so
  // it hears that group only) and joins it on every interface.
  bindAt.sin_addr.s_addr = htonl(at.address);
  const std::string where = FormatIpv4(at.address) + ":" + std::to_string(at.port);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&bindAt), sizeof bindAt) != 0) {
    error = SystemError("bind " + where);
    ::close(fd);
    return nullptr;
  }
  if (at.multicast) {
    ip_mreq m{};
    m.imr_multiaddr.s_addr = htonl(at.address);
    m.imr_interface.s_addr = htonl(INADDR_ANY);
    if (::setsockopt(fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &m, sizeof m) != 0) {
      error = SystemError("join " + where);
      ::close(fd);
      return nullptr;
    }
  }
  error = {};
  return std::make_unique<PosixUdpListener>(fd);
}

}  // namespace vk
