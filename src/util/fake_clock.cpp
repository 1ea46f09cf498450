#include "util/fake_clock.h"

namespace vk {

DateTime FakeTimeSource::LocalNow() const {
  std::lock_guard<std::mutex> lock(mu_);
  return now_;
}

void FakeTimeSource::Set(const DateTime& now) {
  std::lock_guard<std::mutex> lock(mu_);
  now_ = now;
}

void FakeTimeSource::Advance(long long seconds) {
  std::lock_guard<std::mutex> lock(mu_);
  long long total = DayNumber(now_.year, now_.month, now_.day) * 86400 + now_.hour * 3600LL +
                    now_.minute * 60LL + now_.second + seconds;
  long long days = total >= 0 ? total / 86400 : (total - 86399) / 86400;
  long long secs = total - days * 86400;
  int y = 0, m = 0, d = 0;
  DateOfDayNumber(days, y, m, d);
  now_ = DateTime{static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m),
                  static_cast<std::uint16_t>(d), static_cast<std::uint16_t>(secs / 3600),
                  static_cast<std::uint16_t>(secs / 60 % 60), static_cast<std::uint16_t>(secs % 60)};
}

}  // namespace vk
