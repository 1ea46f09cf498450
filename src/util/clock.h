// Where the program learns the local date and time.  Everything that needs "now" (the log
// clock, the two-digit-year rule, archive folder names) asks the process-wide time source, so
// tests can put a fake in its place and get the same answer on every run.
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

// The process-wide source; the system clock unless a test replaced it.
const TimeSource& CurrentTimeSource();
// Installs `source` (not owned; it must outlive its use) and returns the previous one.
// nullptr restores the system clock.
const TimeSource* SetTimeSource(const TimeSource* source);
// Shorthand for CurrentTimeSource().LocalNow().
DateTime LocalNow();
// Shorthand for CurrentTimeSource().UtcNow().
DateTime UtcNow();

}  // namespace vk
