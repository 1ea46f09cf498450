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

// The computer's local clock, to the second.
class SystemTimeSource final : public TimeSource {
 public:
  DateTime LocalNow() const override;
  DateTime UtcNow() const override;
};

}  // namespace vk
