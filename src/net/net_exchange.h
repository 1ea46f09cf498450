// The one record the network thread and the UI thread share.  Nothing else crosses between
// them: the log, the rules and the settings stay on the UI thread.
//
// Messages wait in two mutex-guarded queues, one per direction, so that two log changes made
// within one pass of the network thread both leave, and two datagrams that arrive before the
// UI's next idle pass are both handled.  The flags are atomics set with release ordering after
// the text they announce has been published, so a reader that sees a flag set (acquire) finds
// the text in place.  Each flag has one writer per direction.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

namespace vk {

class Journal;

class NetExchange {
 public:
  // A queue that stops draining (the peer gone quiet, the thread not running) must not eat
  // the station's memory: beyond this many waiting messages new ones are refused.
  static constexpr std::size_t kQueueLimit = 16384;

  // `journal` (nullptr: none) is where both sides of the exchange journal: the queues here,
  // the network thread and the handler.  It is thread-safe and outlives the exchange.
  explicit NetExchange(Journal* journal = nullptr) : journal_(journal) {}
  Journal* journal() const { return journal_; }
  NetExchange(const NetExchange&) = delete;
  NetExchange& operator=(const NetExchange&) = delete;

  // --- UI thread ------------------------------------------------------------------------------
  // Queues one message for the network thread.  False, with a journal line, when the text is
  // longer than a message may be or the queue is full.
  bool Send(std::string message);
  // True while a message is waiting to be sent (the receive window asks before each request).
  bool SendRequest() const { return sendRequest_.load(std::memory_order_acquire); }
  // Reads and clears the flag; true when at least one message arrived since the last call.
  bool TakeMessageReceived();
  // The oldest received message not yet taken.
  std::optional<std::string> TakeIncoming();
  bool PendingIncoming();
  bool TakeChecksumReceived();
  std::uint32_t PeerChecksum() const { return peerChecksum_.load(std::memory_order_acquire); }
  void SetOwnChecksum(std::uint32_t crc) { ownChecksum_.store(crc, std::memory_order_release); }
  void RequestStop() { stop_.store(true, std::memory_order_release); }

  // --- network thread -------------------------------------------------------------------------
  std::uint32_t OwnChecksum() const { return ownChecksum_.load(std::memory_order_acquire); }
  bool StopRequested() const { return stop_.load(std::memory_order_acquire); }
  std::optional<std::string> TakeOutgoing();
  // False, with a journal line, when the UI has let kQueueLimit messages pile up.
  bool PutIncoming(std::string message);
  void PutChecksum(std::uint32_t peerCrc);
  // A datagram refused: from outside the group, or without the group's signature.
  void CountRefused() { refused_.fetch_add(1, std::memory_order_relaxed); }

  // --- either thread ---------------------------------------------------------------------------
  std::uint64_t Refused() const { return refused_.load(std::memory_order_relaxed); }
  // Messages waiting to be sent (the repair holds back while a queue is long).
  std::size_t OutgoingCount();

 private:
  Journal* const journal_;
  std::mutex outMutex_;
  std::deque<std::string> outgoing_;  // guarded by outMutex_
  std::mutex inMutex_;
  std::deque<std::string> incoming_;  // guarded by inMutex_

  std::atomic<bool> sendRequest_{false};        // UI sets, network thread clears
  std::atomic<bool> messageReceived_{false};    // network thread sets, UI clears
  std::atomic<bool> checksumReceived_{false};   // network thread sets, UI clears
  std::atomic<bool> stop_{false};               // UI sets
  std::atomic<std::uint32_t> ownChecksum_{0};   // UI writes on every idle pass
  std::atomic<std::uint32_t> peerChecksum_{0};  // network thread writes
  std::atomic<std::uint64_t> refused_{0};       // network thread counts
};

}  // namespace vk
