// SPDX-License-Identifier: GPL-3.0-or-later
#include "digital/wsjtx_listener.h"

#include <utility>

namespace vk {
namespace {

// How long a receive waits before the thread looks at the stop flag again.
constexpr std::chrono::milliseconds kPoll{200};

}  // namespace

WsjtxListener::WsjtxListener(std::unique_ptr<UdpListener> socket) : socket_(std::move(socket)) {}

WsjtxListener::~WsjtxListener() {
  Stop();
}

void WsjtxListener::Start() {
  if (thread_.joinable()) return;
  stop_.store(false, std::memory_order_release);
  thread_ = std::thread([this] { Run(); });
}

void WsjtxListener::Stop() {
  stop_.store(true, std::memory_order_release);
  if (thread_.joinable()) thread_.join();
}

void WsjtxListener::Run() {
  std::string datagram;
  while (!stop_.load(std::memory_order_acquire)) {
    const ReceiveResult r = socket_->Receive(datagram, kPoll);
    if (r == ReceiveResult::kDatagram) {
      Handle(datagram);
    } else if (r == ReceiveResult::kError) {
      std::this_thread::sleep_for(kPoll);  // a socket in error: no busy loop
    }
  }
}

void WsjtxListener::Handle(std::string_view datagram) {
  datagrams_.fetch_add(1, std::memory_order_relaxed);
  WsjtxMessage m;
  if (Status s = DecodeWsjtx(datagram, m); !s) {
    dropped_.fetch_add(1, std::memory_order_relaxed);
    const std::lock_guard<std::mutex> lock(mutex_);
    if (faults_.size() < kMaxFaults) faults_.push_back(std::move(s.message));
    return;
  }
  switch (m.kind) {
    case WsjtxKind::kHeartbeat:
      heartbeats_.fetch_add(1, std::memory_order_relaxed);
      return;
    case WsjtxKind::kOther:
      other_.fetch_add(1, std::memory_order_relaxed);
      return;
    case WsjtxKind::kQsoLogged:
    case WsjtxKind::kLoggedAdif:
      break;
  }
  qsos_.fetch_add(1, std::memory_order_relaxed);
  const std::lock_guard<std::mutex> lock(mutex_);
  if (queued_.size() >= kMaxQueued) {
    lost_.fetch_add(1, std::memory_order_relaxed);
    return;
  }
  queued_.push_back(std::move(m.qso));
}

std::vector<DigitalQso> WsjtxListener::TakeQsos() {
  const std::lock_guard<std::mutex> lock(mutex_);
  std::vector<DigitalQso> out(std::make_move_iterator(queued_.begin()),
                              std::make_move_iterator(queued_.end()));
  queued_.clear();
  return out;
}

std::vector<std::string> WsjtxListener::TakeFaults() {
  const std::lock_guard<std::mutex> lock(mutex_);
  return std::exchange(faults_, {});
}

WsjtxCounts WsjtxListener::Counts() const {
  return {datagrams_.load(std::memory_order_relaxed), qsos_.load(std::memory_order_relaxed),
          heartbeats_.load(std::memory_order_relaxed), other_.load(std::memory_order_relaxed),
          dropped_.load(std::memory_order_relaxed),    lost_.load(std::memory_order_relaxed)};
}

}  // namespace vk
