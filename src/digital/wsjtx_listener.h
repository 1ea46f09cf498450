// SPDX-License-Identifier: GPL-3.0-or-later
// The thread that hears WSJT-X and JTDX: receives datagrams, decodes them, and queues the
// QSOs they log for the UI thread, which puts them into the log on its idle pass.  Datagrams
// that are not messages of the protocol (another program on the port, damaged bytes) are
// counted and dropped; the first reasons are kept for the station's journal.
//
// The UI thread never waits on the network: it reads counters from atomics and takes the
// queued QSOs under a mutex held only to move them out.  The queues are capped, so a flood
// cannot grow memory; QSOs beyond the cap are counted as lost.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "digital/udp_listener.h"
#include "digital/wsjtx_message.h"

namespace vk {

struct WsjtxCounts {
  std::uint64_t datagrams = 0;
  std::uint64_t qsos = 0;        // QSO Logged and Logged ADIF messages
  std::uint64_t heartbeats = 0;
  std::uint64_t other = 0;       // well-formed messages of types not used here
  std::uint64_t dropped = 0;     // not messages of the protocol, or damaged
  std::uint64_t lost = 0;        // QSOs that found the queue full
};

class WsjtxListener {
 public:
  static constexpr std::size_t kMaxQueued = 1000;
  static constexpr std::size_t kMaxFaults = 20;

  explicit WsjtxListener(std::unique_ptr<UdpListener> socket);
  ~WsjtxListener();
  WsjtxListener(const WsjtxListener&) = delete;
  WsjtxListener& operator=(const WsjtxListener&) = delete;

  void Start();
  void Stop();
  std::uint16_t Port() const { return socket_->Port(); }

  // The QSOs received since the last call, oldest first.
  std::vector<DigitalQso> TakeQsos();
  // Why datagrams were dropped since the last call ("message type 5: ends inside call").
  std::vector<std::string> TakeFaults();
  WsjtxCounts Counts() const;

  // What one datagram does to the queues and counters; the thread's work, callable directly.
  void Handle(std::string_view datagram);

 private:
  void Run();

  std::unique_ptr<UdpListener> socket_;
  std::atomic<bool> stop_{false};
  std::atomic<std::uint64_t> datagrams_{0}, qsos_{0}, heartbeats_{0}, other_{0}, dropped_{0},
      lost_{0};
  std::mutex mutex_;  // guards the two queues
  std::deque<DigitalQso> queued_;
  std::vector<std::string> faults_;
  std::thread thread_;
};

}  // namespace vk
