#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "cluster/cluster_socket.h"

namespace vk {

namespace {

constexpr std::size_t kReadChunk = 4096;
constexpr std::chrono::milliseconds kConnectSlice{100};

class PosixClusterSocket final : public ClusterSocket {
 public:
  ~PosixClusterSocket() override { Close(); }

  bool Connect(const std::string& host, std::uint16_t port, std::chrono::milliseconds limit,
               const std::atomic<bool>* cancel) override {
    Close();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0) return false;
    bool ok = false;
    for (addrinfo* a = found; a != nullptr && !ok; a = a->ai_next) {
      ok = TryAddress(*a, limit, cancel);
    }
    freeaddrinfo(found);
    return ok;
  }

  ClusterRead Read(std::string& out, std::chrono::milliseconds limit) override {
    if (fd_ < 0) return ClusterRead::kClosed;
    pollfd p{fd_, POLLIN, 0};
    const int r = poll(&p, 1, static_cast<int>(limit.count()));
    if (r == 0) return ClusterRead::kTimeout;
    if (r < 0) return errno == EINTR ? ClusterRead::kTimeout : ClusterRead::kClosed;
    char buf[kReadChunk];
    const ssize_t n = recv(fd_, buf, sizeof buf, 0);
    if (n > 0) {
      out.append(buf, static_cast<std::size_t>(n));
      return ClusterRead::kData;
    }
    if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) {
      return ClusterRead::kTimeout;
    }
    return ClusterRead::kClosed;
  }

  bool Write(std::string_view bytes) override {
    while (fd_ >= 0 && !bytes.empty()) {
      pollfd p{fd_, POLLOUT, 0};
      if (poll(&p, 1, 2000) <= 0) return false;  // a node that takes nothing for 2 s is gone
      const ssize_t n = send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
      if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      if (n <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return fd_ >= 0;
  }

  void Close() override {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  // A non-blocking connect, so an address that does not answer costs `limit` at most.
  bool TryAddress(const addrinfo& a, std::chrono::milliseconds limit,
                  const std::atomic<bool>* cancel) {
    const int fd = socket(a.ai_family, a.ai_socktype | SOCK_CLOEXEC, a.ai_protocol);
    if (fd < 0) return false;
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    if (connect(fd, a.ai_addr, a.ai_addrlen) != 0 && errno != EINPROGRESS) {
      ::close(fd);
      return false;
    }
    // Waited for in slices, so a cancel is seen within one.
    pollfd p{fd, POLLOUT, 0};
    int ready = 0;
    for (auto left = limit; ready == 0 && left.count() > 0; left -= kConnectSlice) {
      if (cancel != nullptr && cancel->load(std::memory_order_acquire)) break;
      ready = poll(&p, 1, static_cast<int>(std::min(left, kConnectSlice).count()));
    }
    int err = 0;
    socklen_t len = sizeof err;
    if (ready != 1 || getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0 || err != 0) {
      ::close(fd);
      return false;
    }
    fd_ = fd;
    return true;
  }

  int fd_ = -1;
};

}  // namespace

std::unique_ptr<ClusterSocket> MakePosixClusterSocket() {
  return std::make_unique<PosixClusterSocket>();
}

}  // namespace vk
