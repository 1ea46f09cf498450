// What the user-interface thread and the keyer thread share, and nothing else: flags as
// atomics, the text being sent behind a mutex, and the keyer's notifications in a queue that
// the user-interface thread drains on its idle pass.
//
// Ordering rule for every producer: publish the text first, then set `request` with release
// ordering, then SignalWork().  The keyer thread loads `request` with acquire ordering before
// it reads the text.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cw/pi_mutex.h"

namespace vk {

// A notification for the views that show the keyer.
struct KeyerNote {
  enum class Kind : std::uint8_t { kPtt, kKey, kText, kSpeed, kStandby, kCutNumbers };
  Kind kind = Kind::kText;
  int value = 0;     // kPtt 1 on / 0 off, kKey 1 down / 0 up; the new number for the rest
  std::string text;  // kText: what is still to be sent, the character on the air first

  bool operator==(const KeyerNote&) const = default;
};

// The text still to be sent and the message kept for repeating.  The user-interface thread
// appends; the keyer thread takes characters from the front.
class KeyerText {
 public:
  static constexpr std::size_t kCapacity = 255;  // what goes beyond is dropped
  static constexpr std::size_t kSavedCapacity = 32;

  // Appends `t`, with a space first when text is already waiting.
  void AppendMessage(std::string_view t);
  void AppendChar(char c);
  void SetSaved(std::string_view t);  // cut to kSavedCapacity
  void Clear();                       // text and saved text

  // Takes the first character; `before` receives the text as it stood, for the text view.
  std::optional<char> TakeFront(std::string& before);
  // After a pause between repetitions: text that arrived meanwhile is sent first; otherwise,
  // when `repeat` still holds, the saved message is queued again.  False: nothing to send.
  bool RefillForRepeat(bool repeat);
  // Clears `request` unless text is waiting, in one step with respect to appends, so a message
  // queued just as the keyer finishes is never left without a request.
  bool FinishRequest(std::atomic<bool>& request);

  std::string Text() const;
  std::string Saved() const;
  bool Empty() const { return size_.load(std::memory_order_acquire) == 0; }

 private:
  void Append(std::string_view t);
  void Publish() { size_.store(text_.size(), std::memory_order_release); }

  mutable PiMutex mu_;
  std::string text_;                  // guarded by mu_
  std::string saved_;                 // guarded by mu_
  std::atomic<std::size_t> size_{0};  // mirror of text_.size(), readable without the lock
};

// Notifications from both threads, oldest first.  When nobody drains the queue (no window
// shows the keyer) the oldest are dropped: the latest state is what a view needs.
class KeyerNotes {
 public:
  static constexpr std::size_t kLimit = 512;
  void Push(KeyerNote note);
  std::vector<KeyerNote> Take();

 private:
  PiMutex mu_;
  std::deque<KeyerNote> queue_;  // guarded by mu_
};

struct KeyerExchange {
  std::atomic<bool> threadAlive{false};  // the keyer thread exists and has reached its loop
  std::atomic<bool> running{false};      // the keyer thread is to keep going
  std::atomic<bool> repeat{false};       // send the saved text again after the standby pause
  std::atomic<bool> request{false};      // sending is wanted
  std::atomic<std::uint8_t> speed{20};   // the operator's speed, WPM; only the UI writes it
  std::atomic<std::uint8_t> standby{15};
  std::atomic<std::uint8_t> cutNumbers{0};
  // Each Abort moves it on; a transmission ends as soon as it differs from its start value, so
  // text queued right after an abort is not sent as part of the aborted message.
  std::atomic<std::uint32_t> aborts{0};
  KeyerText text;
  KeyerNotes notes;

  // User-interface side: wakes the keyer thread after `request` was set or `running` cleared.
  void SignalWork();
  // Keyer side: marks the thread as waiting, then waits for a request.  False once `running`
  // has been cleared.
  bool WaitForWork();
  // Keyer side: the thread is ending.
  void MarkEnded();
  // Waits until the keyer thread waits for work with no request pending.
  bool WaitIdle(std::chrono::milliseconds limit);

 private:
  std::mutex workMu_;
  std::condition_variable workCv_;  // request set or running cleared
  std::condition_variable idleCv_;  // the thread came back to waiting
  bool waiting_ = false;            // guarded by workMu_
};

}  // namespace vk
