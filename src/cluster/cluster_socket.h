// The TCP link to a cluster node as the cluster thread sees it, so the thread runs the same
// over the system's sockets and over the tests' own streams.  Every call returns within its
// time limit; errors are not reported further than a false or kClosed: the thread simply
// connects again later.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

struct addrinfo;

namespace vk {

enum class ClusterRead : std::uint8_t {
  kData,     // some bytes arrived
  kTimeout,  // none within the limit
  kClosed,   // the node closed the link, or it broke
};

class ClusterSocket {
 public:
  virtual ~ClusterSocket() = default;
  // A host name or dotted address; false when it cannot be reached within `limit`, or when
  // `cancel` (may be null) turns true meanwhile: a link that is being dropped must not hold
  // the program for the whole limit.
  virtual bool Connect(const std::string& host, std::uint16_t port, std::chrono::milliseconds limit,
                       const std::atomic<bool>* cancel = nullptr) = 0;
  // Waits up to `limit` for bytes and appends what arrived to `out`.
  virtual ClusterRead Read(std::string& out, std::chrono::milliseconds limit) = 0;
  // Sends all of `bytes`; false when the link is gone.
  virtual bool Write(std::string_view bytes) = 0;
  virtual void Close() = 0;
};

using ClusterSocketFactory = std::function<std::unique_ptr<ClusterSocket>()>;

std::unique_ptr<ClusterSocket> MakePosixClusterSocket();

// Looks up a host name as getaddrinfo does (the answer is freed with freeaddrinfo; nullptr when
// the name is unknown).  It may block for as long as the resolver likes: the socket runs it on
// a thread of its own and stops waiting for it within `limit`, or as soon as `cancel` is set.
using HostResolver = std::function<addrinfo*(const std::string& host, const std::string& service)>;
addrinfo* SystemResolve(const std::string& host, const std::string& service);
std::unique_ptr<ClusterSocket> MakePosixClusterSocketWith(HostResolver resolve);

}  // namespace vk
