// SPDX-License-Identifier: GPL-3.0-or-later
// Sends datagrams to host:port destinations from a thread of its own, so that neither a name
// lookup nor a slow interface holds the UI.  The UI thread only queues; the queue is capped,
// and a datagram that finds it full is counted as dropped.  Host names are looked up when first
// used and again after a failed lookup, at most every half minute.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "broadcast/broadcast_settings.h"

namespace vk {

class UdpSender {
 public:
  static constexpr std::size_t kMaxQueued = 500;

  UdpSender();
  ~UdpSender();  // stops the thread; what is still queued is not sent
  UdpSender(const UdpSender&) = delete;
  UdpSender& operator=(const UdpSender&) = delete;

  void Start();
  void Stop();
  // Queues one datagram for each destination; false when the queue was full.
  bool Send(const std::vector<Destination>& to, std::string datagram);

  std::uint64_t Sent() const { return sent_.load(std::memory_order_relaxed); }
  std::uint64_t Dropped() const { return dropped_.load(std::memory_order_relaxed); }
  std::uint64_t Failed() const { return failed_.load(std::memory_order_relaxed); }

 private:
  struct Item {
    Destination to;
    std::string datagram;
  };
  struct Resolved {
    bool ok = false;
    std::uint32_t address = 0;  // network order
    std::chrono::steady_clock::time_point at;
  };
  void Run();
  void Deliver(const Item& item);

  int fd_ = -1;  // owned by the thread while it runs
  std::map<std::string, Resolved> names_;  // the thread's own
  std::atomic<bool> stop_{false};
  std::atomic<std::uint64_t> sent_{0}, dropped_{0}, failed_{0};
  std::mutex mutex_;  // guards queue_ and wakes the thread
  std::condition_variable wake_;
  std::deque<Item> queue_;
  std::thread thread_;
};

}  // namespace vk
