#include "util/log_clock.h"

#include <cctype>

#include "util/clock.h"
#include "util/strings.h"

namespace vk {
namespace {

DateValue ValueOf(const DateTime& dt) {
  DateValue v = 0;
  (void)EncodeDateValue(dt, v);  // the time source gives valid records
  return v;
}

// Whole minutes since the origin, seconds dropped; the inverse is MinutesToValue.
long long ValueToMinutes(DateValue v) {
  DateTime dt = DecodeDateValue(v);
  if (dt.year == 0) return 0;
  return DayNumber(dt.year, dt.month, dt.day) * 1440 + dt.hour * 60 + dt.minute;
}

DateValue MinutesToValue(long long minutes) {
  long long days = minutes >= 0 ? minutes / 1440 : (minutes - 1439) / 1440;
  long long rest = minutes - days * 1440;
  int y = 0, m = 0, d = 0;
  DateOfDayNumber(days, y, m, d);
  DateValue v = 0;
  DateTime dt{static_cast<std::uint16_t>(y),         static_cast<std::uint16_t>(m),
              static_cast<std::uint16_t>(d),         static_cast<std::uint16_t>(rest / 60),
              static_cast<std::uint16_t>(rest % 60), 0};
  // A step past the years 1-9999 fails to encode and leaves the clock at the origin.
  (void)EncodeDateValue(dt, v);
  return v;
}

}  // namespace

LogClock::LogClock(const TimeSource& time, std::string_view startText, DateValue* slot)
    : time_(time), value_(slot ? slot : &own_) {
  *value_ = ValueOf(time_.UtcNow());
  if (startText.empty()) return;
  fixed_ = true;
  running_ = false;
  startStatus_ = TextToDateValue(startText, kTextMask, *value_, time_);
}

Status LogClock::SetFromText(std::string_view text) {
  return TextToDateValue(text, kTextMask, *value_, time_);
}

void LogClock::Refresh() {
  if (fixed_ || !running_) return;
  *value_ = ValueOf(time_.UtcNow()) + hourOffset_ / 24.0;
}

void LogClock::GetDate(std::uint16_t& year, std::uint16_t& month, std::uint16_t& day) {
  Refresh();
  DateTime dt = DecodeDateValue(*value_);
  year = dt.year, month = dt.month, day = dt.day;
}

void LogClock::GetTime(std::uint16_t& hour, std::uint16_t& minute, std::uint16_t& second) {
  Refresh();
  DateTime dt = DecodeDateValue(*value_);
  hour = dt.hour, minute = dt.minute, second = dt.second;
}

DateTime LogClock::Now() {
  Refresh();
  return DecodeDateValue(*value_);
}

void LogClock::Step(int minutes) {
  if (!fixed_) running_ = minutes == 0;
  *value_ = MinutesToValue(ValueToMinutes(*value_) + minutes);
}

std::string LogClock::Format(std::string_view format) const {
  return FormatDateTime(DecodeDateValue(*value_), format);
}

std::string FormatDateTime(const DateTime& dt, std::string_view format) {
  std::string out;
  for (std::size_t i = 0; i < format.size();) {
    char c = format[i];
    if (c == '"' || c == '\'') {  // quoted text is copied without its quotes
      auto close = format.find(c, i + 1);
      if (close == std::string_view::npos) close = format.size();
      out.append(format.substr(i + 1, close - i - 1));
      i = close + 1;
      continue;
    }
    char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::size_t j = i;
    while (j < format.size() && std::tolower(static_cast<unsigned char>(format[j])) == lower) ++j;
    int width = j - i >= 2 ? 2 : 1;
    switch (lower) {
      case 'y':
        out += j - i <= 2 ? IntToStrZero(dt.year % 100, 2) : IntToStrZero(dt.year, 4);
        break;
      case 'm':
        out += IntToStrZero(dt.month, width);
        break;
      case 'd':
        out += IntToStrZero(dt.day, width);
        break;
      case 'h':
        out += IntToStrZero(dt.hour, width);
        break;
      case 'n':
        out += IntToStrZero(dt.minute, width);
        break;
      case 's':
        out += IntToStrZero(dt.second, width);
        break;
      default:
        out.append(format.substr(i, j - i));
        break;
    }
    i = j;
  }
  return out;
}

}  // namespace vk
