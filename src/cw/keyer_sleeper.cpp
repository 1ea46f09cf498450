#include "cw/keyer_sleeper.h"

#include <chrono>

namespace vk {

KeyerSleeper::~KeyerSleeper() = default;

void SystemSleeper::Sleep(int ms, const std::function<bool()>& cancelled) {
  if (ms <= 0) return;
  std::unique_lock lock(mu_);
  cv_.wait_for(lock, std::chrono::milliseconds(ms), cancelled);
}

void SystemSleeper::Wake() {
  // Taking the lock orders the waker's change of the cancel condition before the sleeper's
  // next look at it, so a wake that lands between that look and the wait is not lost.
  { std::lock_guard lock(mu_); }
  cv_.notify_all();
}

}  // namespace vk
