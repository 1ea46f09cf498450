#include "util/clock.h"

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

DateTime SystemTimeSource::LocalNow() const {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  ::localtime_r(&t, &tm);
  return FromTm(tm);
}

DateTime SystemTimeSource::UtcNow() const {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  ::gmtime_r(&t, &tm);
  return FromTm(tm);
}

}  // namespace vk
