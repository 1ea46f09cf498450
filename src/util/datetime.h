// Dates and times: the six-field record every QSO stamp is held in, the mask formatter and
// parser, the packed MS-DOS form of "now", and the floating day count used by the log clock.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vk {

struct DateTime {
  std::uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// Days since 30 December 1899; the fraction is the time of day.
using DateValue = double;

// Mask letters (lower case): y year, m month, d day, h hour, n minute, s second.
std::string FormatMask(const DateTime& dt, std::string_view mask);
void ParseMask(std::string_view text, std::string_view mask, DateTime& dt);

// Calendar arithmetic on the proleptic Gregorian calendar.  Day numbers count from
// 30 December 1899 (day 0), the origin of DateValue.
bool IsValidDate(int year, int month, int day);  // years 1-9999
bool IsValidTime(int hour, int minute, int second);
long long DayNumber(int year, int month, int day);
void DateOfDayNumber(long long days, int& year, int& month, int& day);

}  // namespace vk
