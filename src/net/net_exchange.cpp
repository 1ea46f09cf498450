#include "net/net_exchange.h"

#include <utility>

#include "log/journal.h"
#include "net/net_message.h"

namespace vk {

bool NetExchange::Send(std::string message) {
  if (message.size() > (IsSyncMessage(message) ? kMaxSyncMessage : kMaxNetMessage)) {
    JournalAppend(journal_, "NET_SKIP:->message too long to send: " + PrintableText(message));
    return false;
  }
  std::lock_guard<std::mutex> lock(outMutex_);
  if (outgoing_.size() >= kQueueLimit) {
    JournalAppend(journal_, "NET_SKIP:->send queue full: " + PrintableText(message));
    return false;
  }
  outgoing_.push_back(std::move(message));
  // Set under the lock, so it can never be cleared by a TakeOutgoing that did not see this
  // message.
  sendRequest_.store(true, std::memory_order_release);
  return true;
}

std::optional<std::string> NetExchange::TakeOutgoing() {
  if (!sendRequest_.load(std::memory_order_acquire)) return std::nullopt;
  std::lock_guard<std::mutex> lock(outMutex_);
  if (outgoing_.empty()) return std::nullopt;
  std::string message = std::move(outgoing_.front());
  outgoing_.pop_front();
  if (outgoing_.empty()) sendRequest_.store(false, std::memory_order_release);
  return message;
}

std::size_t NetExchange::OutgoingCount() {
  std::lock_guard<std::mutex> lock(outMutex_);
  return outgoing_.size();
}

bool NetExchange::PutIncoming(std::string message) {
  {
    std::lock_guard<std::mutex> lock(inMutex_);
    if (incoming_.size() >= kQueueLimit) {
      JournalAppend(journal_, "NET_SKIP:->receive queue full: " + PrintableText(message));
      return false;
    }
    incoming_.push_back(std::move(message));
  }
  messageReceived_.store(true, std::memory_order_release);
  return true;
}

bool NetExchange::TakeMessageReceived() {
  return messageReceived_.exchange(false, std::memory_order_acq_rel);
}

std::optional<std::string> NetExchange::TakeIncoming() {
  std::lock_guard<std::mutex> lock(inMutex_);
  if (incoming_.empty()) return std::nullopt;
  std::string message = std::move(incoming_.front());
  incoming_.pop_front();
  return message;
}

bool NetExchange::PendingIncoming() {
  std::lock_guard<std::mutex> lock(inMutex_);
  return !incoming_.empty();
}

void NetExchange::PutChecksum(std::uint32_t peerCrc) {
  peerChecksum_.store(peerCrc, std::memory_order_release);
  checksumReceived_.store(true, std::memory_order_release);
}

bool NetExchange::TakeChecksumReceived() {
  return checksumReceived_.exchange(false, std::memory_order_acq_rel);
}

}  // namespace vk
