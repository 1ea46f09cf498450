#include "cw/keyer_sleeper.h"

#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>
#include <time.h>

#include <cerrno>

namespace vk {

namespace {

// The last stretch of every wait is slept with clock_nanosleep, which the kernel ends on its
// high-resolution timer; a condition variable's wake-up is coarser.
constexpr auto kFineStretch = std::chrono::milliseconds(2);
// Above every ordinary thread, below the kernel's own real-time threads (50 and up).
constexpr int kKeyerPriority = 20;

}  // namespace

KeyerSleeper::~KeyerSleeper() = default;

KeyerSleeper::Time SystemSleeper::Now() {
  timespec ts{};
  ::clock_gettime(CLOCK_MONOTONIC, &ts);
  return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
}

void SystemSleeper::SleepUntil(Time deadline, const std::function<bool()>& cancelled) {
  if (cancelled()) return;
  if (deadline - Now() > kFineStretch) {
    // steady_clock is CLOCK_MONOTONIC on Linux, the clock of Now().
    const std::chrono::steady_clock::time_point coarse(
        std::chrono::duration_cast<std::chrono::steady_clock::duration>(deadline - kFineStretch));
    std::unique_lock lock(mu_);
    if (cv_.wait_until(lock, coarse, cancelled)) return;
  }
  const auto secs = std::chrono::duration_cast<std::chrono::seconds>(deadline);
  timespec ts{};
  ts.tv_sec = static_cast<time_t>(secs.count());
  ts.tv_nsec = static_cast<long>((deadline - secs).count());
  while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
  }
}

void SystemSleeper::Wake() {
  // Taking the lock orders the waker's change of the cancel condition before the sleeper's
  // next look at it, so a wake that lands between that look and the wait is not lost.
  { std::lock_guard lock(mu_); }
  cv_.notify_all();
}

void SystemSleeper::PrepareThread() {
  ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  sched_param p{};
  p.sched_priority = kKeyerPriority;
  (void)::pthread_setschedparam(::pthread_self(), SCHED_FIFO, &p);
}

}  // namespace vk
