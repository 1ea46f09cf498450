// A settable time source for tests of every module: hand it to the object under test in place
// of the system clock; the time stands still until the test sets or advances it.
#pragma once

#include <mutex>

#include "util/clock.h"

namespace vk {

class FakeTimeSource final : public TimeSource {
 public:
  FakeTimeSource() = default;
  explicit FakeTimeSource(const DateTime& now) : now_(now) {}
  DateTime LocalNow() const override;
  void Set(const DateTime& now);
  // Moves the time by a signed number of seconds, across days, months and years.
  void Advance(long long seconds);

 private:
  mutable std::mutex mu_;  // keyer and network tests read the time from their own threads
  DateTime now_{2024, 3, 5, 9, 7, 0};
};

}  // namespace vk
