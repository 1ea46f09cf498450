// Dates and times: the six-field record every QSO stamp is held in, the mask formatter and
// parser, the packed MS-DOS form of "now", and the floating day count used by the log clock.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "util/result.h"

namespace vk {

class TimeSource;

struct DateTime {
  std::uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// Days since 30 December 1899; the fraction is the time of day.
using DateValue = double;

// Mask letters (lower case): y year, m month, d day, h hour, n minute, s second.  A two-digit
// year parsed is put into the current century of `time`.
std::string FormatMask(const DateTime& dt, std::string_view mask);
void ParseMask(std::string_view text, std::string_view mask, DateTime& dt, const TimeSource& time);

// Calendar arithmetic on the proleptic Gregorian calendar.  Day numbers count from
// 30 December 1899 (day 0), the origin of DateValue.
bool IsValidDate(int year, int month, int day);  // years 1-9999
bool IsValidTime(int hour, int minute, int second);
long long DayNumber(int year, int month, int day);
void DateOfDayNumber(long long days, int& year, int& month, int& day);

// Record -> value.  An impossible date or time is an error and `out` is left unchanged.
Status EncodeDateValue(const DateTime& dt, DateValue& out);
// Value -> record, rounded to the nearest millisecond and then cut to the second.  A value
// outside the years 1-9999 (or not a number) gives the all-zero record.
DateTime DecodeDateValue(DateValue v);
// Parses `text` with `mask` into an all-zero record, then encodes its date, hour and minute;
// seconds are always 0.  An impossible date or time is an error and `out` is left unchanged.
Status TextToDateValue(std::string_view text, std::string_view mask, DateValue& out,
                       const TimeSource& time);

// The MS-DOS packed form: bits 0-4 seconds/2, 5-10 minutes, 11-15 hours, 16-20 day,
// 21-24 month, 25-31 year-1980.  Two-second resolution, years 1980-2107.
using PackedDateTime = std::uint32_t;
PackedDateTime PackDateTime(const DateTime& dt);  // years outside 1980-2107 are clamped
DateTime UnpackDateTime(PackedDateTime p);
std::string FormatPacked(PackedDateTime p, std::string_view mask);
// The time source's local now, packed; its seconds are therefore always even.
PackedDateTime CurrentPacked(const TimeSource& time);

}  // namespace vk
