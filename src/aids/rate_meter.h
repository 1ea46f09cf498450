// The operating rate from the log: the last ten QSOs projected to an hour, the QSOs of the
// last sixty minutes and of this clock hour, and the time since the last QSO, on one band or
// on all.  Stamps and "now" are the log clock's, so a stopped or fixed clock gives the rate of
// the moment it shows.
#pragma once

#include <string>

#include "log/log_collection.h"
#include "util/bands.h"
#include "util/datetime.h"

namespace vk {

struct RateFigures {
  int lastTenPerHour = 0;  // the newest ten (or fewer) QSOs per hour, from the first to now
  int lastHour = 0;        // QSOs in the sixty minutes up to now
  int clockHour = 0;       // QSOs since the start of this clock hour
  int sinceLast = -1;      // minutes since the newest QSO; -1 with none
  friend bool operator==(const RateFigures&, const RateFigures&) = default;
};

// Minutes since 30 December 1899: stamps compared across days and months.
long long MinuteNumber(const DateTime& dt);

// `band` kBandNone: every band.  QSOs stamped after `now` (a clock stepped back) count as now.
RateFigures MeasureRate(const TLogCollection& log, const DateTime& now, BandIndex band);

// "120/h 45 12 3m": the four figures in a line of at most 20 characters.
std::string RateText(const RateFigures& r);
// "0:05", "12:40", "99:59" at most; "-" with no QSO.
std::string SinceText(int minutes);

}  // namespace vk
