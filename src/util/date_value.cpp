#include <algorithm>
#include <cmath>

#include "util/clock.h"
#include "util/datetime.h"

namespace vk {
namespace {

constexpr long long kMsPerDay = 86'400'000;

std::uint16_t U16(long long v) { return static_cast<std::uint16_t>(v); }

}  // namespace

Status EncodeDateValue(const DateTime& dt, DateValue& out) {
  if (!IsValidDate(dt.year, dt.month, dt.day))
    return Status::Error(ErrCode::kBadInput, "Invalid date: " + FormatMask(dt, "dd-mm-yyyy"));
  if (!IsValidTime(dt.hour, dt.minute, dt.second))
    return Status::Error(ErrCode::kBadInput, "Invalid time: " + FormatMask(dt, "hh:nn:ss"));
  auto days = static_cast<double>(DayNumber(dt.year, dt.month, dt.day));
  double time = (dt.hour * 3600.0 + dt.minute * 60.0 + dt.second) / 86400.0;
  // Before the origin the day count is negative but the time of day still counts forward:
  // 29 December 1899 06:00 is -1.25.
  out = days < 0 ? days - time : days + time;
  return Status::Ok();
}

DateTime DecodeDateValue(DateValue v) {
  static const double kLow = static_cast<double>(DayNumber(1, 1, 1)) - 1;
  static const double kHigh = static_cast<double>(DayNumber(9999, 12, 31)) + 1;
  if (!std::isfinite(v) || v <= kLow || v >= kHigh) return DateTime{};
  double whole = std::trunc(v);
  auto days = static_cast<long long>(whole);
  auto ms = std::llround(std::fabs(v - whole) * kMsPerDay);
  if (ms >= kMsPerDay) {  // 23:59:59.9996 rounds into the next day
    ms -= kMsPerDay;
    days += 1;
  }
  int y = 0, m = 0, d = 0;
  DateOfDayNumber(days, y, m, d);
  if (y < 1 || y > 9999) return DateTime{};
  long long s = ms / 1000;
  return DateTime{U16(y), U16(m), U16(d), U16(s / 3600), U16(s / 60 % 60), U16(s % 60)};
}

Status TextToDateValue(std::string_view text, std::string_view mask, DateValue& out,
                       const TimeSource& time) {
  DateTime dt{};
  ParseMask(text, mask, dt, time);
  dt.second = 0;
  DateValue v = 0;
  Status st = EncodeDateValue(dt, v);
  if (!st) {
    st.message += " (\"" + std::string(text) + "\" read as " + std::string(mask) + ")";
    return st;
  }
  out = v;
  return st;
}

PackedDateTime PackDateTime(const DateTime& dt) {
  auto year = static_cast<PackedDateTime>(std::clamp<int>(dt.year, 1980, 2107) - 1980);
  return (year << 25) | ((dt.month & 0x0Fu) << 21) | ((dt.day & 0x1Fu) << 16) |
         ((dt.hour & 0x1Fu) << 11) | ((dt.minute & 0x3Fu) << 5) | ((dt.second / 2u) & 0x1Fu);
}

DateTime UnpackDateTime(PackedDateTime p) {
  return DateTime{U16((p >> 25) + 1980), U16((p >> 21) & 0x0F), U16((p >> 16) & 0x1F),
                  U16((p >> 11) & 0x1F), U16((p >> 5) & 0x3F),  U16((p & 0x1F) * 2)};
}

std::string FormatPacked(PackedDateTime p, std::string_view mask) {
  return FormatMask(UnpackDateTime(p), mask);
}

PackedDateTime CurrentPacked(const TimeSource& time) {
  return PackDateTime(time.LocalNow());
}

}  // namespace vk
