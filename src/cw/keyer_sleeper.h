// How the keyer thread waits between line changes.  Every key edge of a transmission has an
// absolute deadline counted from the rise of PTT, so the time a wake-up comes late, and the time
// the line change itself takes, never add up over a message.  The real sleeper waits on a
// condition variable for the bulk of a wait (an abort cuts a long element or the pause between
// repetitions short at once) and on an absolute clock_nanosleep for the last stretch; a fake one
// (fake_key_line.h) moves a fake clock instead, so keying tests run instantly.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace vk {

class KeyerSleeper {
 public:
  using Time = std::chrono::nanoseconds;  // on the sleeper's own monotonic clock
  virtual ~KeyerSleeper();
  virtual Time Now() = 0;
  // Waits until `deadline`, or returns early once `cancelled()` is true.  Called on the keyer
  // thread only.
  virtual void SleepUntil(Time deadline, const std::function<bool()>& cancelled) = 0;
  // Called from any thread after it made `cancelled()` true, so a sleep in progress sees it.
  virtual void Wake() = 0;
  // Called once on the keyer thread as it starts.
  virtual void PrepareThread() {}

  // Waits `ms` milliseconds from now.
  void Sleep(int ms, const std::function<bool()>& cancelled) {
    SleepUntil(Now() + std::chrono::milliseconds(ms), cancelled);
  }
};

class SystemSleeper final : public KeyerSleeper {
 public:
  Time Now() override;  // CLOCK_MONOTONIC
  void SleepUntil(Time deadline, const std::function<bool()>& cancelled) override;
  void Wake() override;
  // Real-time priority (SCHED_FIFO) when the system allows it, and the finest timer slack; a
  // keyer without the privilege runs as before and says nothing.
  void PrepareThread() override;

 private:
  std::mutex mu_;
  std::condition_variable cv_;
};

}  // namespace vk
