// Where the program learns the local date and time.  Everything that needs "now" (the log
// clock, the two-digit-year rule, archive folder names) is handed a time source by whoever
// builds it: the system clock in the program, a fake in tests, which then get the same answer
// on every run.
#pragma once

#include "util/datetime.h"

namespace vk {

class TimeSource {
 public:
  virtual ~TimeSource();
  virtual DateTime LocalNow() const = 0;
  // Coordinated universal time, the time contest logs are kept in.  A source that knows no
  // time zones (a test's fake) gives the same value as LocalNow().
  virtual DateTime UtcNow() const { return LocalNow(); }
};

// The computer's local clock, to the second, optionally set ahead or back by a number of
// seconds (a test's station whose clock is wrong).
class SystemTimeSource final : public TimeSource {
 public:
  explicit SystemTimeSource(long long offsetSeconds = 0) : offset_(offsetSeconds) {}
  DateTime LocalNow() const override;
  DateTime UtcNow() const override;

 private:
  long long offset_;
};

// For tests only: the environment variable of this name sets the program's clock that many
// seconds ahead (negative: back).  Read once at start.
inline constexpr const char* kClockOffsetVariable = "VORKAN_CLOCK_OFFSET";
// The offset of the variable's text: 0 when unset or not a whole number within a day.
long long ClockOffsetOf(const char* text);

}  // namespace vk
