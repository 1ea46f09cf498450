#include "rig/rigctld_probe.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace vk {

namespace {

constexpr std::string_view kDefaultPort = "4532";

bool ConnectsWithin(const addrinfo& a, std::chrono::milliseconds limit) {
  const int fd = socket(a.ai_family, a.ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a.ai_protocol);
  if (fd < 0) return false;
  bool ok = connect(fd, a.ai_addr, a.ai_addrlen) == 0;
  if (!ok && errno == EINPROGRESS) {
    pollfd p{fd, POLLOUT, 0};
    int err = 0;
    socklen_t len = sizeof err;
    ok = poll(&p, 1, static_cast<int>(limit.count())) == 1 &&
         getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) == 0 && err == 0;
  }
  ::close(fd);
  return ok;
}

}  // namespace

bool SplitRigctldAddress(std::string_view device, std::string& host, std::string& port) {
  if (device.empty()) device = "localhost";
  std::string_view h = device;
  std::string_view p = kDefaultPort;
  if (device.front() == '[') {
    const auto close = device.find(']');
    if (close == std::string_view::npos) return false;
    h = device.substr(1, close - 1);
    const std::string_view rest = device.substr(close + 1);
    if (!rest.empty()) {
      if (rest.front() != ':') return false;
      p = rest.substr(1);
    }
  } else if (const auto colon = device.rfind(':'); colon != std::string_view::npos) {
    h = device.substr(0, colon);
    p = device.substr(colon + 1);
  }
  if (h.empty() || p.empty() || p.find_first_not_of("0123456789") != std::string_view::npos) {
    return false;
  }
  host.assign(h);
  port.assign(p);
  return true;
}

bool RigctldAnswers(std::string_view device, std::chrono::milliseconds limit) {
  std::string host;
  std::string port;
  if (!SplitRigctldAddress(device, host, port)) return false;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0) return false;
  bool ok = false;
  for (const addrinfo* a = found; a != nullptr && !ok; a = a->ai_next)
    ok = ConnectsWithin(*a, limit);
  freeaddrinfo(found);
  return ok;
}

}  // namespace vk
