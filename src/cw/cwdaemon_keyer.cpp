#include "cw/cwdaemon_keyer.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vk {

namespace {
constexpr char kEsc = '\x1b';
// How often a wait for cwdaemon's reply looks at the abort flag.
constexpr int kReplyPollMs = 10;
}  // namespace

TextKeyer::~TextKeyer() = default;

CwdaemonKeyer::CwdaemonKeyer(std::string address) : address_(std::move(address)) {}

CwdaemonKeyer::~CwdaemonKeyer() {
  Close();
}

Status CwdaemonKeyer::Open() {
  Close();
  std::string host = address_, port = "6789";
  if (const auto colon = address_.rfind(':'); colon != std::string::npos) {
    host = address_.substr(0, colon);
    port = address_.substr(colon + 1);
  }
  if (host.empty()) host = "127.0.0.1";
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* res = nullptr;
  if (const int rc = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &res); rc != 0) {
    return Status::Error(ErrCode::kNotFound, "cwdaemon " + address_ + ": " + ::gai_strerror(rc));
  }
  for (addrinfo* a = res; a != nullptr && fd_ < 0; a = a->ai_next) {
    fd_ = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd_ >= 0 && ::connect(fd_, a->ai_addr, a->ai_addrlen) != 0) Close();
  }
  ::freeaddrinfo(res);
  if (fd_ < 0) return Status::Error(ErrCode::kIo, "cwdaemon " + address_ + ": no socket");
  wpm_ = 0;
  return Status::Ok();
}

void CwdaemonKeyer::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

Status CwdaemonKeyer::Datagram(std::string_view bytes) {
  if (fd_ < 0) return Status::Error(ErrCode::kIo, "cwdaemon: not open");
  if (::send(fd_, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size())) {
    return Status::Ok();
  }
  // A connected UDP socket reports an earlier datagram that found no cwdaemon (ICMP port
  // unreachable) on the next send; the text is then lost, the next one may find it again.
  return Status::Error(ErrCode::kIo, std::string("cwdaemon: ") + std::strerror(errno));
}

Status CwdaemonKeyer::Send(std::string_view text, int wpm) {
  if (wpm != wpm_) {
    if (Status s = Datagram(std::string{kEsc, '2'} + std::to_string(wpm)); !s) return s;
    wpm_ = wpm;
  }
  const std::string token = "vk" + std::to_string(++serial_);
  awaited_ = "h" + token;
  if (Status s = Datagram(std::string{kEsc, 'h'} + token); !s) return s;
  return Datagram(text);
}

bool CwdaemonKeyer::WaitSent(std::chrono::milliseconds limit,
                             const std::function<bool()>& cancelled) {
  const auto end = std::chrono::steady_clock::now() + limit;
  char buf[256];
  while (fd_ >= 0 && !cancelled() && std::chrono::steady_clock::now() < end) {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, kReplyPollMs) <= 0) continue;
    const ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
    if (n <= 0) continue;  // an ICMP error of an earlier datagram, or nothing
    std::string reply(buf, static_cast<std::size_t>(n));
    while (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r')) reply.pop_back();
    if (reply == awaited_) return true;  // a late reply to an aborted text is not this one
  }
  return false;
}

void CwdaemonKeyer::Abort() {
  (void)Datagram(std::string{kEsc, '4'});
}

}  // namespace vk
