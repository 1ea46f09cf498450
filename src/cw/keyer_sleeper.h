// How the keyer thread waits between line changes.  The real sleeper blocks on a condition
// variable so an abort cuts a long element or the pause between repetitions short at once; a
// fake one (fake_key_line.h) moves a fake clock instead, so keying tests run instantly.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

namespace vk {

class KeyerSleeper {
 public:
  virtual ~KeyerSleeper();
  // Waits `ms` milliseconds, or returns early once `cancelled()` is true.  Called on the keyer
  // thread only.
  virtual void Sleep(int ms, const std::function<bool()>& cancelled) = 0;
  // Called from any thread after it made `cancelled()` true, so a sleep in progress sees it.
  virtual void Wake() = 0;
};

class SystemSleeper final : public KeyerSleeper {
 public:
  void Sleep(int ms, const std::function<bool()>& cancelled) override;
  void Wake() override;

 private:
  std::mutex mu_;
  std::condition_variable cv_;
};

}  // namespace vk
