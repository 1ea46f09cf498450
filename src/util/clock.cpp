#include "util/clock.h"

#include <cstdlib>
#include <ctime>

namespace vk {

TimeSource::~TimeSource() = default;

namespace {

DateTime FromTm(const std::tm& tm) {
  // A leap second (tm_sec 60) is shown as the last second of its minute.
  return DateTime{static_cast<std::uint16_t>(tm.tm_year + 1900),
                  static_cast<std::uint16_t>(tm.tm_mon + 1),
                  static_cast<std::uint16_t>(tm.tm_mday),
                  static_cast<std::uint16_t>(tm.tm_hour),
                  static_cast<std::uint16_t>(tm.tm_min),
                  static_cast<std::uint16_t>(tm.tm_sec > 59 ? 59 : tm.tm_sec)};
}

}  // namespace

long long ClockOffsetOf(const char* text) {
  if (text == nullptr || *text == '\0') return 0;
  char* end = nullptr;
  const long long v = std::strtoll(text, &end, 10);
  return *end == '\0' && v >= -86400 && v <= 86400 ? v : 0;
}

DateTime SystemTimeSource::LocalNow() const {
  std::time_t t = std::time(nullptr) + static_cast<std::time_t>(offset_);
  std::tm tm{};
  ::localtime_r(&t, &tm);
  return FromTm(tm);
}

DateTime SystemTimeSource::UtcNow() const {
  std::time_t t = std::time(nullptr) + static_cast<std::time_t>(offset_);
  std::tm tm{};
  ::gmtime_r(&t, &tm);
  return FromTm(tm);
}

}  // namespace vk
