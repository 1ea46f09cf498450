// SPDX-License-Identifier: GPL-3.0-or-later
#include "broadcast/udp_sender.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vk {
namespace {

constexpr std::chrono::seconds kLookupAgain{30};

}  // namespace

UdpSender::UdpSender() = default;

UdpSender::~UdpSender() {
  Stop();
}

void UdpSender::Start() {
  if (thread_.joinable()) return;
  stop_.store(false, std::memory_order_release);
  thread_ = std::thread([this] { Run(); });
}

void UdpSender::Stop() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stop_.store(true, std::memory_order_release);
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

bool UdpSender::Send(const std::vector<Destination>& to, std::string datagram) {
  bool all = true;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    for (const Destination& d : to) {
      if (queue_.size() >= kMaxQueued) {
        dropped_.fetch_add(1, std::memory_order_relaxed);
        all = false;
        continue;
      }
      queue_.push_back({d, datagram});
    }
  }
  wake_.notify_one();
  return all;
}

void UdpSender::Run() {
  fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  // Listeners on the local network are often reached through its broadcast address.
  const int on = 1;
  if (fd_ >= 0) ::setsockopt(fd_, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
  std::unique_lock<std::mutex> lock(mutex_);
  while (true) {
    wake_.wait(lock, [this] { return stop_.load(std::memory_order_acquire) || !queue_.empty(); });
    if (stop_.load(std::memory_order_acquire)) break;
    Item item = std::move(queue_.front());
    queue_.pop_front();
    lock.unlock();
    Deliver(item);
    lock.lock();
  }
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void UdpSender::Deliver(const Item& item) {
  const auto now = std::chrono::steady_clock::now();
  Resolved& r = names_[item.to.host];
  if (!r.ok && (r.at == std::chrono::steady_clock::time_point{} || now - r.at >= kLookupAgain)) {
    r.at = now;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(item.to.host.c_str(), nullptr, &hints, &found) == 0 && found != nullptr) {
      r.address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
      r.ok = true;
    }
    if (found != nullptr) ::freeaddrinfo(found);
  }
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(item.to.port);
  to.sin_addr.s_addr = r.address;
  if (!r.ok || fd_ < 0 ||
      ::sendto(fd_, item.datagram.data(), item.datagram.size(), MSG_NOSIGNAL,
               reinterpret_cast<const sockaddr*>(&to), sizeof to) !=
          static_cast<ssize_t>(item.datagram.size())) {
    failed_.fetch_add(1, std::memory_order_relaxed);
    return;
  }
  sent_.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace vk
