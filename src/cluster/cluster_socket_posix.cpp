#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "cluster/cluster_socket.h"

namespace vk {

namespace {

constexpr std::size_t kReadChunk = 4096;
constexpr std::chrono::milliseconds kConnectSlice{100};

// One name lookup, shared by the thread that runs it and the one waiting for it.  Whichever
// lets go last frees it, so a lookup given up on finishes without anyone waiting.
struct Lookup {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  addrinfo* result = nullptr;
  ~Lookup() {
    if (result != nullptr) freeaddrinfo(result);
  }
};

using Clock = std::chrono::steady_clock;

// The lookup's answer (owned by the caller), or nullptr when the name is unknown, `limit`
// passed or `cancel` was set first.
addrinfo* ResolveWithin(const HostResolver& resolve, const std::string& host,
                        const std::string& service, std::chrono::milliseconds limit,
                        const std::atomic<bool>* cancel) {
  auto lookup = std::make_shared<Lookup>();
  std::thread([lookup, resolve, host, service] {
    addrinfo* found = resolve(host, service);
    std::lock_guard lock(lookup->mutex);
    lookup->result = found;
    lookup->finished = true;
    lookup->done.notify_all();
  }).detach();
  const auto deadline = Clock::now() + limit;
  std::unique_lock lock(lookup->mutex);
  while (!lookup->finished && Clock::now() < deadline) {
    if (cancel != nullptr && cancel->load(std::memory_order_acquire)) return nullptr;
    lookup->done.wait_for(lock, kConnectSlice);
  }
  if (!lookup->finished) return nullptr;
  return std::exchange(lookup->result, nullptr);
}

class PosixClusterSocket final : public ClusterSocket {
 public:
  explicit PosixClusterSocket(HostResolver resolve) : resolve_(std::move(resolve)) {}
  ~PosixClusterSocket() override { Close(); }

  bool Connect(const std::string& host, std::uint16_t port, std::chrono::milliseconds limit,
               const std::atomic<bool>* cancel) override {
    Close();
    addrinfo* found = ResolveWithin(resolve_, host, std::to_string(port), limit, cancel);
    if (found == nullptr) return false;
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

  HostResolver resolve_;
  int fd_ = -1;
};

}  // namespace

addrinfo* SystemResolve(const std::string& host, const std::string& service) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0) return nullptr;
  return found;
}

std::unique_ptr<ClusterSocket> MakePosixClusterSocketWith(HostResolver resolve) {
  return std::make_unique<PosixClusterSocket>(std::move(resolve));
}

std::unique_ptr<ClusterSocket> MakePosixClusterSocket() {
  return MakePosixClusterSocketWith(SystemResolve);
}

}  // namespace vk
